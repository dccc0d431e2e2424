// The bitmap reader fed raw bytes: a refused file leaves the image as it was
// with one message shown; an accepted one is consistent and survives a write
// and a second read unchanged.
#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    FuzzReader(data, size);
    return 0;
}
