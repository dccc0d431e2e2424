// The image's complex buffer as the transforms use it.
#pragma once

#include "image/Image.h"

// Makes dataArray hold width x height values, zeros when it was absent or
// of another size (left unfilled when the caller writes every one); false
// when the memory is not there.
bool PrepareDataArray(CImage& image, bool writtenWhole = false);
