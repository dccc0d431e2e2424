// The image's complex buffer as the transforms use it.
#include "frequency/DataArray.h"

bool PrepareDataArray(CImage& image, bool writtenWhole)
{
    FrequencyBuffer& values = image.dataArray;
    if (values.present() && (values.width() != image.width || values.height() != image.height)) values.Release();
    return image.dataArray.Allocate(image.width, image.height, writtenWhole);
}
