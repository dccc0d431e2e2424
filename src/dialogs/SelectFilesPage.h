// CSelectFilesPage: the series wizard's first page: the files to process and
// where their results go.
#pragma once

#include "dialogs/SeriesPage.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QTextEdit;

class CSelectFilesPage : public CSeriesPage {
    Q_OBJECT
public:
    enum ControlId { kList = 1008, kBrowse = 1006, kOverwrite = 2251, kSave = 2252, kFolder = 2253, kChange = 2254,
                     kSkipUnreadable = 2255 };

    explicit CSelectFilesPage(CSeriesPropSheet& sheet);

    void OnSetActive() override;
    bool OnWizardNext() override;

    void OnBrowse();
    void OnChange();

private:
    void ShowFields();

    bool shownBefore_ = false;
    QTextEdit* list_;
    QLineEdit* folder_;
    QPushButton* change_;
    QCheckBox* skip_;
};
