// The preview box: sized by its model, painted from the shrunken bitmap.
#include "dialogs/PreviewPic.h"

#include <QPainter>
#include <algorithm>

#include "dialogs/QtCanvas.h"

CPreviewPic::CPreviewPic(QWidget* parent) : QWidget(parent) { setObjectName("previewPicture"); }

void CPreviewPic::SetBox(const PreviewPicModel& model) { setFixedSize(model.MaxWidth(), model.MaxHeight()); }

void CPreviewPic::SetPicture(const CDeviceBitmap& bitmap, int width, int height)
{
    // The bitmap can be a pixel larger than the display size, which cuts it.
    picture_ = QtCanvas::ToQImage(bitmap).copy(0, 0, std::min(width, bitmap.width), std::min(height, bitmap.height));
    update();
}

int CPreviewPic::DisplayBits() const
{
    // The bitmap makers know 24 and 32 bits; a deeper screen takes 32.
    return depth() == 24 ? 24 : depth() < 24 ? depth() : 32;
}

void CPreviewPic::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, picture_);
}
