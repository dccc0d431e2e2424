// Seed files for the reader targets, written by libpng, libtiff and libjpeg
// themselves in the variants their formats allow, so that the fuzzer starts
// from every real structure rather than only from what NUVAK writes.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

// Every colour type and depth, with and without transparency, interlaced or not.
std::vector<std::string> PngSeedFiles();
// Every configured compression with strips and tiles, planes, bit depths,
// palettes (with alpha too), pages, BigTIFF and both byte orders; scratch
// is a file name libtiff may write to.
std::vector<std::string> TiffSeedFiles(const std::filesystem::path& scratch);
// Grey and colour, baseline, progressive and arithmetic, subsamplings,
// restart markers, JFIF densities and EXIF resolutions, CMYK.
std::vector<std::string> JpegSeedFiles();
