// The preparation shared by every neighbourhood operation: size rules, the
// room check with its offer to shrink the AOI, and working storage that
// reports a lack of memory with the operation's own text.
#pragma once

#include <new>

#include "image/Image.h"

// The texts one neighbourhood operation shows; the size texts are null for
// the operations whose size is fixed or used unchanged.
struct NeighbourhoodTexts {
    const char* minimum;  // notice, filled with 3
    const char* maximum;  // notice, filled with 9
    const char* even;
    const char* noRoom;        // the user declined to shrink the AOI
    const char* cannotShrink;  // the shrunk AOI would be empty
    const char* memory;
};

namespace neighbourhood {

extern const NeighbourhoodTexts kLowPass, kHighPass, kLaplace, kUnsharpMask, kCustomFilter, kMedianFilter,
    kErosion, kDilation, kPrewitt, kSobel, kClean;

// Corrects n into 3..9 with a notice, then refuses an even n. 0 or -1.
int SettleSize(CImage& image, int& n, const NeighbourhoodTexts& texts);

// Makes sure the n x n neighbourhood of every AOI pixel lies in the image,
// asking to shrink the AOI when it does not. 0 or -1.
int MakeRoom(CImage& image, int n, const NeighbourhoodTexts& texts);

// SettleSize then MakeRoom.
int Prepare(CImage& image, int& n, const NeighbourhoodTexts& texts);

// Runs work, which builds its working storage and writes the result; a lack
// of memory while it runs ends the operation with the memory text. Storage
// owned by work is released on every path by its destructors.
template <typename Work>
int WithWorkingStorage(CImage& image, const NeighbourhoodTexts& texts, Work work)
{
    try {
        work();
    } catch (const std::bad_alloc&) {
        image.errorMessage = texts.memory;
        return -1;
    }
    return 0;
}

}  // namespace neighbourhood
