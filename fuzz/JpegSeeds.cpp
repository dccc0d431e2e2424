#include "ReaderSeeds.h"
#include "support/LibjpegFiles.h"

namespace {

struct JpegKind {
    int components = 3;
    bool progressive = false;
    bool arithmetic = false;
    int subsampling = 2;  // the first component's factor, both ways
    int restartRows = 0;
    int densityUnit = 1;  // 0 none, 1 per inch, 2 per cm
    bool exif = false;
};

// An EXIF block whose first IFD holds X and Y resolution in dots per inch.
std::string Exif()
{
    std::string tiff("II*\0\x08\0\0\0", 8);
    auto put16 = [&](unsigned v) { tiff += char(v & 0xFF), tiff += char(v >> 8); };
    auto put32 = [&](unsigned v) { put16(v & 0xFFFF), put16(v >> 16); };
    put16(3);
    const unsigned data = 8 + 2 + 3 * 12 + 4;
    put16(282), put16(5), put32(1), put32(data);
    put16(283), put16(5), put32(1), put32(data + 8);
    put16(296), put16(3), put32(1), put32(2);
    put32(0);
    put32(300), put32(1), put32(300), put32(1);
    return std::string("Exif\0\0", 6) + tiff;
}

std::string Jpeg(const JpegKind& k)
{
    const std::vector<std::uint8_t> bytes = LibjpegFile(
        37, 21, k.components, [](int x, int y, int c) { return (x * 7 + y * 11 + c * 50) & 0xFF; },
        [&k](jpeg_compress_struct& info) {
            jpeg_set_quality(&info, 80, TRUE);
            if (k.components == 3) info.comp_info[0].h_samp_factor = info.comp_info[0].v_samp_factor = k.subsampling;
            if (k.progressive) jpeg_simple_progression(&info);
            info.arith_code = k.arithmetic;
            info.restart_in_rows = k.restartRows;
            info.write_JFIF_header = k.densityUnit != 0;
            info.density_unit = UINT8(k.densityUnit);
            info.X_density = info.Y_density = k.densityUnit == 2 ? 118 : 300;
        },
        [&k](jpeg_compress_struct& info) {
            if (!k.exif) return;
            const std::string exif = Exif();
            jpeg_write_marker(&info, JPEG_APP0 + 1, reinterpret_cast<const JOCTET*>(exif.data()),
                              unsigned(exif.size()));
        });
    return std::string(bytes.begin(), bytes.end());
}

}  // namespace

std::vector<std::string> JpegSeedFiles()
{
    std::vector<JpegKind> kinds;
    for (bool progressive : {false, true})
        for (bool arithmetic : {false, true}) {
            kinds.push_back({1, progressive, arithmetic});
            for (int subsampling : {1, 2}) kinds.push_back({3, progressive, arithmetic, subsampling});
        }
    kinds.push_back({3, false, false, 2, 1});
    kinds.push_back({1, true, false, 1, 2});
    kinds.push_back({3, false, false, 2, 0, 2});
    kinds.push_back({3, false, false, 2, 0, 0, true});
    kinds.push_back({1, false, false, 1, 0, 1, true});
    kinds.push_back({4});
    std::vector<std::string> files;
    for (const JpegKind& kind : kinds) files.push_back(Jpeg(kind));
    return files;
}
