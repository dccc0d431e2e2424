// The platform clipboard as the Copy and Paste commands see it: opened,
// emptied, given a display bitmap, and read back as colour references.
#pragma once

#include <cstdint>

struct CDeviceBitmap;

class CClipboardPort {
public:
    virtual ~CClipboardPort() = default;
    virtual bool Open() = 0;
    virtual bool Empty() = 0;
    virtual void Close() = 0;
    // The depth the copied bitmap is made for.
    virtual int DisplayBits() const = 0;
    // Hands the bitmap over; false when the clipboard did not take it.
    virtual bool Put(const CDeviceBitmap& bitmap) = 0;
    // Takes the clipboard's bitmap for reading; false when it holds none.
    virtual bool Fetch() = 0;
    virtual int FetchedWidth() const = 0;
    virtual int FetchedHeight() const = 0;
    // Fills rows, top first, with 0x00BBGGRR values of the fetched bitmap.
    virtual void ReadFetched(std::uint32_t* const* rows) const = 0;
};
