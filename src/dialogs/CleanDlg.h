// CCleanDlg: mask size, significance and clutter thresholds; the model asks
// about the background on the first preview.
#pragma once

#include "dialogs/PreviewDlg.h"
#include "forms/CleanDialogModel.h"

class CCleanDlg : public CPreviewDlg {
    Q_OBJECT
public:
    explicit CCleanDlg(QWidget* parent = nullptr);
    CleanDialogModel& Values() { return model_; }

private:
    CleanDialogModel model_;
};
