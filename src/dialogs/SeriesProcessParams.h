// CSeriesProcessParams: the parameters of Bound, Brightness Slice and
// Threshold in a series.
#pragma once

#include "dialogs/SeriesPage.h"
#include "forms/SeriesParameterFields.h"

class CSeriesProcessParams : public CSeriesPage {
    Q_OBJECT
public:
    explicit CSeriesProcessParams(CSeriesPropSheet& sheet);

    SeriesProcessFields fields;

    void OnSetActive() override;
    bool OnKillActive() override;
    std::optional<FieldFailure> TypedFailure() const override;

    void OnPalette();
};
