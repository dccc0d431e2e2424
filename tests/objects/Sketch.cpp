#include "objects/Sketch.h"

#include "support/TestFiles.h"
#include "support/TestImages.h"

CImage Sketch(const std::vector<std::string>& rows, int object, int background)
{
    return MakeGrey(static_cast<int>(rows.at(0).size()), static_cast<int>(rows.size()), [&](int x, int y) {
        const char c = rows[y].at(x);
        return c == '#' ? object : (c == 'o' ? 100 : background);
    });
}

FindRun FindObjects(CImage& image, int metricFlags, int background, const CObjectOptions& options)
{
    TempDir dir;
    const std::string path = dir.path("objects.dat");
    const int status = image.CentroidDetermination(path, metricFlags, background, options);
    const std::vector<std::uint8_t> bytes = Exists(path) ? ReadBytes(path) : std::vector<std::uint8_t>();
    return {status, std::string(bytes.begin(), bytes.end())};
}
