// One series file read, its refusal kept as text and its notices kept.
#include "series/SeriesFileRead.h"

#include "platform/CapturedErrors.h"

std::optional<std::string> ReadSeriesFile(CImage& image, const std::string& path, std::vector<std::string>* notices)
{
    std::string fileMessage;
    bool causeValid = false;
    int cause = 0;
    platform::CapturedErrors shown({.errors = true, .notices = true});
    try {
        const int result = image.SerializeFile(false, path, false, fileMessage, causeValid, cause);
        if (notices) *notices = shown.Notices();
        if (result == 0) return std::nullopt;
    } catch (const platform::UserAbort&) {
        return shown.Text();
    }
    return fileMessage;
}
