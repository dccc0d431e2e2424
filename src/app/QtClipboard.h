// The system clipboard for the Copy and Paste commands: images only.
#pragma once

#include <QImage>

#include "document/ClipboardPort.h"

class QtClipboard final : public CClipboardPort {
public:
    explicit QtClipboard(int displayBits) : displayBits_(displayBits) {}

    // Whether the clipboard holds an image, which enables both pastes.
    static bool HoldsImage();

    bool Open() override;
    bool Empty() override;
    void Close() override {}
    int DisplayBits() const override { return displayBits_; }
    bool Put(const CDeviceBitmap& bitmap) override;
    bool Fetch() override;
    int FetchedWidth() const override { return fetched_.width(); }
    int FetchedHeight() const override { return fetched_.height(); }
    void ReadFetched(std::uint32_t* const* rows) const override;

private:
    int displayBits_;
    QImage fetched_;
};
