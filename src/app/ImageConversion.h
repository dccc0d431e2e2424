// Turns a CImage into a QImage for display.
#pragma once

#include <QImage>

#include "image/Image.h"

QImage ToQImage(const CImage& image);
