#include "support/TiffFiles.h"

#include <algorithm>
#include <vector>

int TiffSample(int x, int y, int c, int bits)
{
    return static_cast<int>((x * 7919u + y * 104729u + c * 31337u + 5u) % (1u << bits));
}

bool WriteTiff(const std::string& path, const TiffSpec& s, const std::function<void(TIFF*)>& extra)
{
    TIFF* tif = TIFFOpen(path.c_str(), s.mode);
    if (!tif) return false;
    bool ok = true;
    for (int page = 0; page < s.pages; ++page) {
        TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, kTiffWidth);
        TIFFSetField(tif, TIFFTAG_IMAGELENGTH, kTiffHeight);
        TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, s.bits);
        TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, s.samples);
        TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, s.photometric);
        TIFFSetField(tif, TIFFTAG_PLANARCONFIG, s.planar);
        TIFFSetField(tif, TIFFTAG_COMPRESSION, s.compression);
        if (s.tiled) {
            TIFFSetField(tif, TIFFTAG_TILEWIDTH, s.tile);
            TIFFSetField(tif, TIFFTAG_TILELENGTH, s.tile);
        } else {
            TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, 8);  // JPEG needs multiples of 8
        }
        if (extra) extra(tif);
        const int planes = s.planar == PLANARCONFIG_SEPARATE ? s.samples : 1;
        const int perPixel = planes > 1 ? 1 : s.samples;
        const int width = s.tiled ? s.tile : kTiffWidth;
        const tmsize_t rowBytes = (tmsize_t(width) * perPixel * s.bits + 7) / 8;
        for (int p = 0; p < planes; ++p) {
            if (s.tiled) {
                std::vector<std::uint8_t> tile(size_t(rowBytes) * s.tile);
                for (int y0 = 0; y0 < kTiffHeight; y0 += s.tile)
                    for (int x0 = 0; x0 < kTiffWidth; x0 += s.tile) {
                        std::fill(tile.begin(), tile.end(), 0);
                        for (int r = 0; r < s.tile && y0 + r < kTiffHeight; ++r)
                            for (int x = 0; x < s.tile && x0 + x < kTiffWidth; ++x)
                                for (int c = 0; c < perPixel; ++c) {
                                    const int v = TiffSample(x0 + x, y0 + r, planes > 1 ? p : c, s.bits);
                                    const size_t i = size_t(x) * perPixel + c;
                                    if (s.bits == 16)
                                        reinterpret_cast<std::uint16_t*>(tile.data() + r * rowBytes)[i] = std::uint16_t(v);
                                    else
                                        tile[r * rowBytes + i * s.bits / 8] |=
                                            std::uint8_t(v << (8 - s.bits - (i * s.bits) % 8));
                                }
                        ok = TIFFWriteTile(tif, tile.data(), x0, y0, 0, std::uint16_t(p)) >= 0 && ok;
                    }
            } else {
                std::vector<std::uint8_t> row(rowBytes);
                for (int y = 0; y < kTiffHeight; ++y) {
                    std::fill(row.begin(), row.end(), 0);
                    for (int x = 0; x < kTiffWidth; ++x)
                        for (int c = 0; c < perPixel; ++c) {
                            const int v = TiffSample(x, y, planes > 1 ? p : c, s.bits);
                            const size_t i = size_t(x) * perPixel + c;
                            if (s.bits == 16)
                                reinterpret_cast<std::uint16_t*>(row.data())[i] = std::uint16_t(v);
                            else
                                row[i * s.bits / 8] |= std::uint8_t(v << (8 - s.bits - (i * s.bits) % 8));
                        }
                    ok = TIFFWriteScanline(tif, row.data(), y, std::uint16_t(p)) >= 0 && ok;
                }
            }
        }
        ok = TIFFWriteDirectory(tif) && ok;
    }
    TIFFClose(tif);
    return ok;
}

namespace {

void PutLe(std::vector<std::uint8_t>& out, std::uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i) out.push_back(std::uint8_t(v >> (8 * i)));
}

}  // namespace

std::vector<std::uint8_t> OneIfdTiff(const std::vector<std::array<std::uint32_t, 4>>& entries,
                                     const std::vector<std::uint8_t>& data)
{
    std::vector<std::uint8_t> out{'I', 'I', 42, 0, 8, 0, 0, 0};
    PutLe(out, std::uint32_t(entries.size()), 2);
    for (const auto& e : entries) PutLe(out, e[0], 2), PutLe(out, e[1], 2), PutLe(out, e[2], 4), PutLe(out, e[3], 4);
    PutLe(out, 0, 4);
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

std::uint32_t TiffDataOffset(size_t entries) { return std::uint32_t(8 + 2 + 12 * entries + 4); }
