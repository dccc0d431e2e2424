// CBrightnessSliceDlg: "Set pixels between" low "and" high "to white".
#pragma once

#include "dialogs/PreviewDlg.h"
#include "forms/BrightnessSliceDialogModel.h"

class CBrightnessSliceDlg : public CPreviewDlg {
    Q_OBJECT
public:
    explicit CBrightnessSliceDlg(QWidget* parent = nullptr);
    BrightnessSliceDialogModel& Values() { return model_; }

private:
    BrightnessSliceDialogModel model_;
};
