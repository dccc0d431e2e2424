// CThresholdDlg: component, level, fill and the side of the level to edit.
#pragma once

#include "dialogs/PreviewDlg.h"
#include "forms/ThresholdDialogModel.h"

class CThresholdDlg : public CPreviewDlg {
    Q_OBJECT
public:
    explicit CThresholdDlg(QWidget* parent = nullptr);
    ThresholdDialogModel& Values() { return model_; }

protected:
    void Opened() override;

private:
    ThresholdDialogModel model_;
};
