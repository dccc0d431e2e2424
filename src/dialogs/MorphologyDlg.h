// CMorphologyDlg: one dialog for the eight morphological operations: size,
// direction and, for four of them, repetitions.
#pragma once

#include "dialogs/PreviewDlg.h"
#include "forms/MorphologyDialogModel.h"

class CMorphologyDlg : public CPreviewDlg {
    Q_OBJECT
public:
    explicit CMorphologyDlg(int operation, QWidget* parent = nullptr);
    MorphologyDialogModel& Values() { return model_; }

protected:
    bool TitledOnRepaint() const override { return true; }

private:
    MorphologyDialogModel model_;
};
