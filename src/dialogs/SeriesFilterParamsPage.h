// CSeriesFilterParamsPage: size, Prewitt direction, boost and the Clean
// thresholds of the series' filter.
#pragma once

#include "dialogs/SeriesPage.h"
#include "forms/SeriesParameterFields.h"

class CSeriesFilterParamsPage : public CSeriesPage {
    Q_OBJECT
public:
    explicit CSeriesFilterParamsPage(CSeriesPropSheet& sheet);

    SeriesFilterFields fields;

    void OnSetActive() override;
    bool OnKillActive() override;
    std::optional<FieldFailure> TypedFailure() const override;

};
