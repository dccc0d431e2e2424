#include "support/ImageReads.h"

#include <algorithm>
#include <png.h>
#include <stdexcept>

#include "support/FakeUserInterface.h"

ImageRead ReadImageFile(const std::string& path, const SampleRange& range)
{
    FakeUserInterface ui;
    const SampleRange before = CurrentSampleRange();
    SetSampleRange(range);
    ImageRead r;
    bool causeValid = false;
    int cause = 0;
    try {
        r.rc = r.image.SerializeFile(false, path, false, r.message, causeValid, cause);
    } catch (const platform::UserAbort&) {
        r.refused = true;
    }
    SetSampleRange(before);
    r.notices = ui.notices;
    r.errors = ui.errors;
    return r;
}

int MappedLevel(int v, int lo, int hi)
{
    if (lo == hi) return 0;
    const double x = (std::clamp(v, lo, hi) - lo) * 255.0 / (hi - lo);
    return RoundHalfAway(x);
}

void WriteGreyPng16(const std::string& path, const std::vector<std::uint16_t>& row)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(row.size());
    image.height = 1;
    image.format = PNG_FORMAT_LINEAR_Y;
    if (!png_image_write_to_file(&image, path.c_str(), 0, row.data(), 0, nullptr)) throw std::runtime_error(path);
}
