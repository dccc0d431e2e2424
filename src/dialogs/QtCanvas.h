// CCanvas on a QPainter: how the image view lets CImage::Draw paint.
#pragma once

#include <QPainter>

#include "image/Canvas.h"

class QtCanvas final : public CCanvas {
public:
    QtCanvas(QPainter& painter, int bitsPerPixel) : painter_(painter), bits_(bitsPerPixel) {}
    int BitsPerPixel() const override { return bits_; }
    void StretchBitmap(const CDeviceBitmap& bitmap, int width, int height) override;
    void SetPixel(int x, int y, std::uint32_t colorRef) override;
    void TextCentred(int x, int y, const std::string& text, std::uint32_t colorRef) override;

    // The QImage holding a display bitmap's pixels.
    static QImage ToQImage(const CDeviceBitmap& bitmap);
    static QColor FromColorRef(std::uint32_t colorRef);

private:
    QPainter& painter_;
    int bits_;
};
