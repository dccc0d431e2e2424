// CScaleDlg: X and Y percentages in numeric edits and the interpolation.
#pragma once

#include "dialogs/OperationDlg.h"
#include "forms/ScaleDialogModel.h"

class CScaleDlg : public COperationDlg {
    Q_OBJECT
public:
    explicit CScaleDlg(QWidget* parent = nullptr);
    ScaleDialogModel& Values() { return model_; }

private:
    ScaleDialogModel model_;
};
