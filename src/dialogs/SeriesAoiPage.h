// CSeriesAoiPage: the series wizard's Select AOI page: the first image
// shrunk into a box with a tracker that becomes the AOI of every file.
#pragma once

#include "dialogs/SeriesPage.h"
#include "forms/PreviewPicModel.h"

class CPreviewPic;
class QLabel;
class CRectTracker;

class CSeriesAoiPage : public CSeriesPage {
    Q_OBJECT
public:
    explicit CSeriesAoiPage(CSeriesPropSheet& sheet);

    void OnSetActive() override;
    bool OnWizardNext() override;

    CRectTracker& Tracker() const { return *tracker_; }
    const PreviewPicModel& Picture() const { return picture_; }
    // The widget the tracker covers; the tracker's (5, 5), where the picture
    // sits, is the handle size further right and down.
    QWidget* Area() const { return area_; }
    // The AOI the tracker gives, in image pixels, as it is dragged.
    QLabel* Corners() const { return corners_; }

private:
    void ShowCorners();

    PreviewPicModel picture_;
    QWidget* area_;
    CPreviewPic* preview_;
    CRectTracker* tracker_;
    QLabel* corners_;
};
