// CSeriesObjectParams: the metrics, outline colour and results file of a
// series of Find Objects runs, with the wizard's area limits and options.
#pragma once

#include "dialogs/SeriesPage.h"
#include "forms/SeriesParameterFields.h"

class QLabel;
class QLineEdit;

class CSeriesObjectParams : public CSeriesPage {
    Q_OBJECT
public:
    explicit CSeriesObjectParams(CSeriesPropSheet& sheet);

    SeriesObjectFields fields;

    void OnSetActive() override;
    bool OnWizardNext() override;

    void OnColor();
    void OnBrowse();

private:
    QLineEdit* fileName_;
    QLabel* minAreaLabel_ = nullptr;
    QLabel* maxAreaLabel_ = nullptr;
};
