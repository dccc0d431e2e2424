// The file-dialog rules for images: the Open and Save As filters, the path
// Save As writes, and the 16-bit range choice as the Open dialog shows it.
#pragma once

#include <string>

#include "image/ImageFormat.h"

// "Images (*.bmp *.png *.tif *.tiff *.jpg *.jpeg)", then one filter per format,
// separated by ";;".
std::string OpenImageFilters();
// "Bitmap (*.bmp)", "PNG (*.png)", "TIFF (*.tif *.tiff)", "JPEG (*.jpg *.jpeg)".
std::string SaveImageFilters();
// The path Save As writes: a typed name without extension takes the chosen
// filter's first extension (".bmp" when none is chosen); any other name is
// kept, its extension deciding the format (bitmap when it is none of the four).
std::string SaveAsPath(const std::string& typed, const std::string& chosenFilter);

// The Open dialog's range choices, in the order of its list.
enum class RangeChoice { File = 0, Full = 1, Fixed = 2 };
RangeChoice ChoiceOf(const SampleRange& range);
// The range for a choice; lo and hi matter for Fixed only and are put in order
// (lo = hi widens to lo..lo + 1).
SampleRange RangeOf(RangeChoice choice, int lo, int hi);
