#include "support/ImageReads.h"

#include <algorithm>

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
