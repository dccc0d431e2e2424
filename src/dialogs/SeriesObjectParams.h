// CSeriesObjectParams: the metrics, outline colour and results file of a
// series of Find Objects runs.
#pragma once

#include "dialogs/SeriesPage.h"
#include "forms/SeriesParameterFields.h"

class QLineEdit;

class CSeriesObjectParams : public CSeriesPage {
    Q_OBJECT
public:
    explicit CSeriesObjectParams(CSeriesPropSheet& sheet);

    SeriesObjectFields fields;

    bool OnWizardNext() override;

    void OnColor();
    void OnBrowse();

private:
    QLineEdit* fileName_;
};
