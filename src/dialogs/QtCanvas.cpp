// Display bitmaps and object marks painted with Qt.
#include "dialogs/QtCanvas.h"

#include <QFontMetrics>

#include "image/DeviceBitmap.h"

QImage QtCanvas::ToQImage(const CDeviceBitmap& bitmap)
{
    if (bitmap.bitsPerPixel == 24)
        return QImage(bitmap.bits.data(), bitmap.width, bitmap.height, bitmap.bytesPerRow, QImage::Format_BGR888)
            .copy();
    // The fourth byte of a 32-bit display bitmap is 0, QImage wants it opaque.
    QImage image(bitmap.width, bitmap.height, QImage::Format_RGB32);
    for (int y = 0; y < bitmap.height; ++y) {
        const std::uint8_t* in = bitmap.Row(y);
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < bitmap.width; ++x, in += 4) out[x] = qRgb(in[2], in[1], in[0]);
    }
    return image;
}

QColor QtCanvas::FromColorRef(std::uint32_t colorRef)
{
    return QColor(colorRef & 0xFF, (colorRef >> 8) & 0xFF, (colorRef >> 16) & 0xFF);
}

void QtCanvas::StretchBitmap(const CDeviceBitmap& bitmap, int width, int height)
{
    // Without smooth transformation enlargement replicates pixels.
    painter_.save();
    painter_.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter_.drawImage(QRect(0, 0, width, height), ToQImage(bitmap));
    painter_.restore();
}

void QtCanvas::SetPixel(int x, int y, std::uint32_t colorRef)
{
    painter_.fillRect(x, y, 1, 1, FromColorRef(colorRef));
}

void QtCanvas::TextCentred(int x, int y, const std::string& text, std::uint32_t colorRef)
{
    const QString s = QString::fromStdString(text);
    painter_.save();
    painter_.setPen(FromColorRef(colorRef));
    painter_.drawText(x - painter_.fontMetrics().horizontalAdvance(s) / 2, y, s);
    painter_.restore();
}
