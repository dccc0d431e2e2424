// CRotateDlg: the angle in degrees and the interpolation method.
#pragma once

#include "dialogs/OperationDlg.h"
#include "forms/RotateDialogModel.h"

class CRotateDlg : public COperationDlg {
    Q_OBJECT
public:
    explicit CRotateDlg(QWidget* parent = nullptr);
    RotateDialogModel& Values() { return model_; }

private:
    RotateDialogModel model_;
};
