// QClipboard behind the clipboard commands.
#include "app/QtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "dialogs/QtCanvas.h"

bool QtClipboard::HoldsImage()
{
    const QClipboard* clipboard = QGuiApplication::clipboard();
    const QMimeData* data = clipboard ? clipboard->mimeData() : nullptr;
    return data != nullptr && data->hasImage();
}

bool QtClipboard::Open() { return QGuiApplication::clipboard() != nullptr; }

bool QtClipboard::Empty()
{
    QGuiApplication::clipboard()->clear();
    return true;
}

bool QtClipboard::Put(const CDeviceBitmap& bitmap)
{
    const QImage image = QtCanvas::ToQImage(bitmap);
    QGuiApplication::clipboard()->setImage(image);
    // The clipboard gives no answer of its own: it took the image when it hands it back.
    return HoldsImage();
}

bool QtClipboard::Fetch()
{
    if (!HoldsImage()) return false;
    fetched_ = QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32);
    return !fetched_.isNull();
}

void QtClipboard::ReadFetched(std::uint32_t* const* rows) const
{
    for (int y = 0; y < fetched_.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(fetched_.constScanLine(y));
        for (int x = 0; x < fetched_.width(); ++x)
            rows[y][x] = static_cast<std::uint32_t>(qRed(in[x])) | static_cast<std::uint32_t>(qGreen(in[x])) << 8 |
                         static_cast<std::uint32_t>(qBlue(in[x])) << 16;
    }
}
