// CSeriesOperationDlg: the series wizard's Select Operation page, listing
// the operations offered for the first image's format and "Recipe…".
#pragma once

#include "dialogs/SeriesPage.h"

class QListWidget;

class CSeriesOperationDlg : public CSeriesPage {
    Q_OBJECT
public:
    enum ControlId { kList = 1010 };

    explicit CSeriesOperationDlg(CSeriesPropSheet& sheet);

    void OnSetActive() override;
    bool OnWizardNext() override;

private:
    QListWidget* list_;
};
