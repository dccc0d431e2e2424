// The PNG, TIFF and JPEG readers and writers behind CImage's file methods.
// A reader refuses a file with RefuseImage; a writer's file failure passes
// out as FileError.
#pragma once

#include <cstdint>

class CArchive;
class CFile;
class CImage;

void ReadPng(CFile& file, CImage& target);
void ReadTiff(CFile& file, CImage& target);
void ReadJpeg(CFile& file, CImage& target);

void WritePng(const CImage& image, CArchive& archive);
void WriteTiff(const CImage& image, CArchive& archive);
void WriteJpeg(const CImage& image, CArchive& archive, int quality);

// Row y as written: one luminance byte per pixel for a GRAYSCALE image
// (into buffer), else the pixels' own red, green, blue bytes.
const std::uint8_t* WrittenRow(const CImage& image, int y, std::uint8_t* buffer);
// Samples per pixel written: 1 for GRAYSCALE, else 3.
int WrittenSamples(const CImage& image);
