// Erasing a measured object from the working copy: two-pass 8-connected
// labelling of its bounding box with a growable table of equivalent labels.
#include <algorithm>
#include <cstdint>
#include <type_traits>
#include <vector>

#include "image/FoundObject.h"
#include "image/SampleRows.h"

namespace {

// Classes of equivalent labels as a union-find forest; label 0 means none.
class LabelClasses {
public:
    int NewLabel()
    {
        parent_.push_back(static_cast<int>(parent_.size()));
        return static_cast<int>(parent_.size()) - 1;
    }
    int Find(int label)
    {
        while (parent_[label] != label) label = parent_[label] = parent_[parent_[label]];
        return label;
    }
    void Join(int a, int b)
    {
        a = Find(a);
        b = Find(b);
        if (a != b) parent_[std::max(a, b)] = std::min(a, b);
    }

private:
    std::vector<int> parent_{0};
};

template <typename Rows>
std::vector<std::uint8_t> Own(const CFoundObject& o, const Rows& work, int background)
{
    const int left = o.left, top = o.top, right = o.right, bottom = o.bottom;
    const int boxWidth = right - left + 1;
    const int boxHeight = bottom - top + 1;
    std::vector<int> labels(static_cast<size_t>(boxWidth) * boxHeight, 0);
    auto label = [&](int bx, int by) -> int& { return labels[static_cast<size_t>(by) * boxWidth + bx]; };
    LabelClasses classes;

    // The first pass takes a label from the row above before the left one.
    for (int by = 0; by < boxHeight; ++by) {
        const auto* row = work[top + by] + left;
        for (int bx = 0; bx < boxWidth; ++bx) {
            if (Luminance(row[bx]) == background) continue;
            int found = 0;
            if (by > 0) {
                if (bx > 0 && label(bx - 1, by - 1)) found = label(bx - 1, by - 1);
                else if (label(bx, by - 1)) found = label(bx, by - 1);
                else if (bx + 1 < boxWidth && label(bx + 1, by - 1)) found = label(bx + 1, by - 1);
            }
            if (!found && bx > 0) found = label(bx - 1, by);
            label(bx, by) = found ? found : classes.NewLabel();
        }
    }

    // Touching pixels with different labels make their labels equivalent.
    for (int by = boxHeight - 1; by >= 0; --by)
        for (int bx = boxWidth - 1; bx >= 0; --bx) {
            const int own = label(bx, by);
            if (!own) continue;
            auto join = [&](int nx, int ny) {
                if (nx < 0 || ny < 0 || nx >= boxWidth) return;
                const int other = label(nx, ny);
                if (other && other != own) classes.Join(own, other);
            };
            join(bx - 1, by - 1);
            join(bx, by - 1);
            join(bx + 1, by - 1);
            join(bx - 1, by);
        }

    const CBoundaryPoint& start = o.boundaryPoints.front();
    const int object = classes.Find(label(start.x - left, start.y - top));
    std::vector<std::uint8_t> own(labels.size(), 0);
    for (size_t i = 0; i < labels.size(); ++i) own[i] = labels[i] && classes.Find(labels[i]) == object;
    return own;
}

template <typename Rows>
void Erase(const CFoundObject& o, Rows& work, int background)
{
    const std::vector<std::uint8_t> own = o.OwnPixels(work, background);
    const int boxWidth = o.right - o.left + 1;
    const auto level = GreyPixel<std::remove_reference_t<decltype(*work[0])>>(background);
    for (int by = 0; by <= o.bottom - o.top; ++by) {
        auto* row = work[o.top + by] + o.left;
        const std::uint8_t* mask = own.data() + static_cast<size_t>(by) * boxWidth;
        for (int bx = 0; bx < boxWidth; ++bx)
            if (mask[bx]) row[bx] = level;
    }
}

}  // namespace

std::vector<std::uint8_t> CFoundObject::OwnPixels(const PixelRows& work, int background) const
{
    return Own(*this, work, background);
}
std::vector<std::uint8_t> CFoundObject::OwnPixels(const GreyRows& work, int background) const
{
    return Own(*this, work, background);
}
void CFoundObject::EraseObject(PixelRows& work, int background) const { Erase(*this, work, background); }
void CFoundObject::EraseObject(GreyRows& work, int background) const { Erase(*this, work, background); }
