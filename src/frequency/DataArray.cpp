// The image's complex buffer as the transforms use it.
#include "frequency/DataArray.h"

bool PrepareDataArray(CImage& image, bool writtenWhole)
{
    const size_t size = static_cast<size_t>(image.width) * static_cast<size_t>(image.height);
    if (image.dataArray.present() && image.dataArray.size() != size) image.dataArray.Release();
    return image.dataArray.Allocate(image.width, image.height, writtenWhole);
}
