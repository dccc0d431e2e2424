// CFilterDlg: one dialog for the seven filters; the caller's type decides
// the title and which of Size, Direction and Boost are offered.
#pragma once

#include "dialogs/PreviewDlg.h"
#include "forms/FilterDialogModel.h"

class CFilterDlg : public CPreviewDlg {
    Q_OBJECT
public:
    explicit CFilterDlg(int filterType, QWidget* parent = nullptr);
    FilterDialogModel& Values() { return model_; }

protected:
    bool TitledOnRepaint() const override { return true; }

private:
    FilterDialogModel model_;
};
