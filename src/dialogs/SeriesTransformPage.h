// CSeriesTransformPage: the angle of Rotate or the percentages of Scale,
// and the interpolation.
#pragma once

#include "dialogs/SeriesPage.h"
#include "forms/SeriesParameterFields.h"

class CSeriesTransformPage : public CSeriesPage {
    Q_OBJECT
public:
    explicit CSeriesTransformPage(CSeriesPropSheet& sheet);

    SeriesTransformFields fields;

    void OnSetActive() override;
    bool OnKillActive() override;
    std::optional<FieldFailure> TypedFailure() const override;
    bool OnWizardNext() override;
};
