// Clipboard commands: the AOI out as a display bitmap, a bitmap in through
// a buffer of colour references.
#include "document/ClipboardTransfer.h"

#include <cstdint>
#include <exception>
#include <vector>

#include "document/ClipboardPort.h"
#include "document/NUVAKDoc.h"
#include "image/DeviceBitmap.h"
#include "platform/UserInterface.h"

void CopyAoiToClipboard(CImage& image, CClipboardPort& clipboard)
{
    if (!clipboard.Open()) {
        platform::error("Copy aborted, cannot open the clipboard");
        return;
    }
    if (!clipboard.Empty()) {
        platform::error("Copy aborted, cannot empty the clipboard");
        clipboard.Close();
        return;
    }
    CDeviceBitmap bitmap;
    if (image.MakeBitmap(bitmap, false, clipboard.DisplayBits()) != 0) {
        platform::error(image.errorMessage);
        platform::error("Copy aborted, cannot copy image data");
        clipboard.Close();
        return;
    }
    if (!clipboard.Put(bitmap)) platform::error("Copy aborted, cannot set clipboard data");
    clipboard.Close();
}

namespace {

// Rows of colour references, released with the object.
struct PasteBuffer {
    std::vector<std::uint32_t> pixels;
    std::vector<std::uint32_t*> rows;

    bool Allocate(int width, int height)
    {
        const auto w = static_cast<std::size_t>(width);
        const auto h = static_cast<std::size_t>(height);
        // Two int sides multiply without overflow in size_t; a count beyond
        // what a vector holds fails like any other shortage.
        if (width < 0 || height < 0) return false;
        try {
            pixels.resize(w * h);
            rows.resize(h);
        } catch (const std::exception&) {
            return false;
        }
        for (std::size_t y = 0; y < h; ++y) rows[y] = pixels.data() + y * w;
        return true;
    }
};

}  // namespace

bool PasteFromClipboard(CNUVAKDoc& document, CClipboardPort& clipboard, bool into)
{
    const char* const aborted = into ? "Paste Into aborted" : "Paste aborted";
    try {
        document.SnapshotForUndo();
    } catch (const platform::UserAbort&) {
        return false;
    }
    if (!clipboard.Open()) {
        platform::error(std::string(aborted) + ", cannot open the clipboard");
        return false;
    }
    const bool fetched = clipboard.Fetch();
    clipboard.Close();
    if (!fetched) return true;

    const int width = clipboard.FetchedWidth();
    const int height = clipboard.FetchedHeight();
    PasteBuffer buffer;
    if (!buffer.Allocate(width, height)) {
        platform::error(std::string(aborted) + ", unable to allocate memory");
        return false;
    }
    clipboard.ReadFetched(buffer.rows.data());
    if (document.image.CopyFromBuffer(width, height, buffer.rows.data(), !into) != 0) {
        platform::error(document.image.errorMessage);
        platform::error(aborted);
        return false;
    }
    document.RecordEntry(HistoryEntry{{}, into ? "Paste Into" : "Paste"});
    document.SetModifiedFlag();
    return true;
}
