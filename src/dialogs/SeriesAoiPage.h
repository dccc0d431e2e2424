// CSeriesAoiPage: the series wizard's Select AOI page: the first image
// shrunk into a box with a tracker that becomes the AOI of every file.
#pragma once

#include "dialogs/SeriesPage.h"
#include "forms/PreviewPicModel.h"

class CPreviewPic;
class CRectTracker;

class CSeriesAoiPage : public CSeriesPage {
    Q_OBJECT
public:
    explicit CSeriesAoiPage(CSeriesPropSheet& sheet);

    void OnSetActive() override;
    bool OnWizardNext() override;

    CRectTracker& Tracker() const { return *tracker_; }
    const PreviewPicModel& Picture() const { return picture_; }
    // The widget whose coordinates the tracker uses: the picture sits at (5, 5).
    QWidget* Area() const { return area_; }

private:
    PreviewPicModel picture_;
    QWidget* area_;
    CPreviewPic* preview_;
    CRectTracker* tracker_;
};
