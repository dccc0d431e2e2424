// How many bits a sample an image file on disk holds, told from its header
// alone, so that writing over a file of deeper samples can be asked about
// before any pixel is read.
#pragma once

#include <string>

// The largest bits per sample of the file's first image: a PNG's bit depth,
// a TIFF's BitsPerSample (classic or BigTIFF), 8 for bitmaps, JPEG and any
// other file; 0 when the file cannot be read.
int FileSampleBits(const std::string& path);

// Whether writing 8-bit samples over the file would lose levels it holds.
inline bool HoldsDeepSamples(const std::string& path) { return FileSampleBits(path) > 8; }

// The question asked before writing over such a file.
std::string DeepSamplesQuestion(const std::string& path);
