// Where CImage::Draw paints: the window's device, implemented by the GUI and
// by tests.
#pragma once

#include <cstdint>
#include <string>

struct CDeviceBitmap;

class CCanvas {
public:
    virtual ~CCanvas() = default;
    virtual int BitsPerPixel() const = 0;
    // Copies the whole bitmap to (0, 0), sized width x height; enlargement
    // replicates pixels.
    virtual void StretchBitmap(const CDeviceBitmap& bitmap, int width, int height) = 0;
    // colorRef is 0x00BBGGRR.
    virtual void SetPixel(int x, int y, std::uint32_t colorRef) = 0;
    // Text centred horizontally on x with its baseline at y, transparent background.
    virtual void TextCentred(int x, int y, const std::string& text, std::uint32_t colorRef) = 0;
};
