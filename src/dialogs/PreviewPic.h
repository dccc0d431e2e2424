// CPreviewPic: the box of a dialog or wizard page in which a whole image is
// shown shrunk to fit; the widget stands where the model's (left, top) is.
#pragma once

#include <QImage>
#include <QWidget>

#include "forms/PreviewPicModel.h"

class CPreviewPic : public QWidget {
    Q_OBJECT
public:
    explicit CPreviewPic(QWidget* parent = nullptr);

    // Takes the model's box: the widget is maximum width x maximum height.
    void SetBox(const PreviewPicModel& model);
    // The bitmap made by the model's Display; its first width x height
    // pixels are drawn at the box's corner.
    void SetPicture(const CDeviceBitmap& bitmap, int width, int height);
    // The bits per pixel the bitmaps are made for.
    int DisplayBits() const;
    // What the box shows.
    const QImage& Picture() const { return picture_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage picture_;
};
