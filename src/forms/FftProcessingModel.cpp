// Frequency wizard, processing page: custom drag and marking.
#include "forms/FftProcessingModel.h"

#include <algorithm>

#include "image/ColorVal.h"

FftProcessingModel::FftProcessingModel()
{
    spectrum_.SetBox(0, 0, 225, 300);
    result_.SetBox(310, 0, 225, 300);
    spectrum_.AllowEnlarging();
    result_.AllowEnlarging();
}

bool FftProcessingModel::OnPicture(PicturePoint at) const
{
    return at.x >= 0 && at.y >= 0 && at.x < spectrum_.DisplayWidth() && at.y < spectrum_.DisplayHeight();
}

bool FftProcessingModel::BeginDrag(PicturePoint at)
{
    if (filterType != kFilterCustom || !OnPicture(at)) return false;
    start_ = current_ = at;
    return true;
}

void FftProcessingModel::DragTo(PicturePoint at)
{
    if (Dragging() && OnPicture(at)) current_ = at;
}

std::optional<FilterEllipse> FftProcessingModel::RubberBand() const
{
    if (!Dragging() || start_.x >= current_.x || start_.y >= current_.y) return std::nullopt;
    if (spectrum_.Enlargement() == 1) return FilterEllipse{start_.x, start_.y, current_.x, current_.y};
    // Enlarged, the band goes round the blocks of the spectrum pixels it spans.
    return ToPicture({spectrum_.ToImage(start_.x), spectrum_.ToImage(start_.y), spectrum_.ToImage(current_.x),
                      spectrum_.ToImage(current_.y)});
}

std::optional<FilterEllipse> FftProcessingModel::EndDrag(PicturePoint at, int width, int height)
{
    const PicturePoint start = start_;
    start_ = current_ = {-1, -1};
    if (start.x == -1 || start.x >= at.x || start.y >= at.y) return std::nullopt;
    const auto image = [this](int v, int last) { return std::min(spectrum_.ToImage(v), last); };
    const int right = std::min(at.x, spectrum_.DisplayWidth());
    const int bottom = std::min(at.y, spectrum_.DisplayHeight());
    return FilterEllipse{image(start.x, width - 1), image(start.y, height - 1), image(right, width - 1),
                         image(bottom, height - 1)};
}

FilterEllipse FftProcessingModel::ToPicture(const FilterEllipse& e) const
{
    const auto [left, right] = spectrum_.ToPicture(e.left, e.right);
    const auto [top, bottom] = spectrum_.ToPicture(e.top, e.bottom);
    return {left, top, right, bottom};
}

bool FftProcessingModel::Marked(const FilterEllipse& ellipse, int x, int y) const
{
    // Enlarged, each spectrum pixel's block is marked as the filter treats that pixel.
    const int k = spectrum_.Enlargement();
    const bool inside = k > 1 ? ellipse.Contains(x / k, y / k) : ToPicture(ellipse).Contains(x, y);
    return inside != DeletesOutside();
}
