// CSeriesMorphParamsPage: size, direction and repetitions of the series'
// morphological operation.
#pragma once

#include "dialogs/SeriesPage.h"
#include "forms/SeriesParameterFields.h"

class CSeriesMorphParamsPage : public CSeriesPage {
    Q_OBJECT
public:
    explicit CSeriesMorphParamsPage(CSeriesPropSheet& sheet);

    SeriesMorphFields fields;

    void OnSetActive() override;
    bool OnKillActive() override;
    std::optional<FieldFailure> TypedFailure() const override;

};
