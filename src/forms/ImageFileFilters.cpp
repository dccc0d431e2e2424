// Image file filters, the Save As path and the range choice.
#include "forms/ImageFileFilters.h"

#include <algorithm>

namespace {

struct FilterEntry {
    const char* filter;
    const char* extension;
};

constexpr FilterEntry kFilters[] = {
    {"Bitmap (*.bmp)", ".bmp"},
    {"PNG (*.png)", ".png"},
    {"TIFF (*.tif *.tiff)", ".tif"},
    {"JPEG (*.jpg *.jpeg)", ".jpg"},
};

bool HasExtension(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    const size_t dot = path.find_last_of('.');
    return dot != std::string::npos && (slash == std::string::npos || dot > slash) && dot + 1 < path.size();
}

}  // namespace

std::string SaveImageFilters()
{
    std::string text;
    for (const FilterEntry& f : kFilters) text += (text.empty() ? "" : ";;") + std::string(f.filter);
    return text;
}

std::string OpenImageFilters() { return "Images (*.bmp *.png *.tif *.tiff *.jpg *.jpeg);;" + SaveImageFilters(); }

std::string SaveAsPath(const std::string& typed, const std::string& chosenFilter)
{
    if (HasExtension(typed)) return typed;
    std::string base = typed;
    if (!base.empty() && base.back() == '.') base.pop_back();
    for (const FilterEntry& f : kFilters)
        if (chosenFilter == f.filter) return base + f.extension;
    return base + ".bmp";
}

RangeChoice ChoiceOf(const SampleRange& range)
{
    switch (range.mode) {
    case SampleRange::Mode::Full: return RangeChoice::Full;
    case SampleRange::Mode::Fixed: return RangeChoice::Fixed;
    default: return RangeChoice::File;
    }
}

SampleRange RangeOf(RangeChoice choice, int lo, int hi)
{
    switch (choice) {
    case RangeChoice::Full: return SampleRange{SampleRange::Mode::Full, 0, 65535};
    case RangeChoice::Fixed: {
        int a = std::clamp(std::min(lo, hi), 0, 65534);
        int b = std::clamp(std::max(lo, hi), a + 1, 65535);
        return SampleRange{SampleRange::Mode::Fixed, a, b};
    }
    default: return SampleRange{};
    }
}
