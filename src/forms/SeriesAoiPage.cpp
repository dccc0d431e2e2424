// Select AOI page: tracker bounds and conversion.
#include "forms/SeriesAoiPage.h"

#include <algorithm>

void SetSeriesAoiBox(PreviewPicModel& picture) { picture.SetBox(5, 5, 300, 400); }

AoiRect WholePictureTracker(const PreviewPicModel& picture)
{
    return {picture.Left(), picture.Top(), picture.Left() + picture.DisplayWidth(),
            picture.Top() + picture.DisplayHeight()};
}

AoiRect KeepTrackerOnPicture(const AoiRect& before, const AoiRect& after, const PreviewPicModel& picture)
{
    const AoiRect limit = WholePictureTracker(picture);
    const bool outside = after.left < limit.left || after.top < limit.top || after.right > limit.right ||
                         after.bottom > limit.bottom;
    return outside ? before : after;
}

AoiRect TrackerToImage(const AoiRect& tracker, const PreviewPicModel& picture, int width, int height)
{
    const double s = picture.Scale();
    auto image = [s](int v, int origin) { return static_cast<int>((v - origin) / s); };
    // A tracker at the picture's far edge stands for the image's last pixel:
    // the picture's truncated size, scaled back, can fall a pixel or two
    // short of it, and a whole first image means whole files.
    const AoiRect whole = WholePictureTracker(picture);
    return {std::max(image(tracker.left, picture.Left()), 0), std::max(image(tracker.top, picture.Top()), 0),
            tracker.right >= whole.right ? width - 1 : std::min(image(tracker.right, picture.Left()), width - 1),
            tracker.bottom >= whole.bottom ? height - 1 : std::min(image(tracker.bottom, picture.Top()), height - 1)};
}
