// One series file read, its refusal kept as text.
#include "series/SeriesFileRead.h"

#include "platform/CapturedErrors.h"

std::optional<std::string> ReadSeriesFile(CImage& image, const std::string& path)
{
    std::string fileMessage;
    bool causeValid = false;
    int cause = 0;
    platform::CapturedErrors shown;
    try {
        if (image.SerializeFile(false, path, false, fileMessage, causeValid, cause) == 0) return std::nullopt;
    } catch (const platform::UserAbort&) {
        return shown.Text();
    }
    return fileMessage;
}
