// Shared pieces of the fuzz targets: a scratch folder, images built from
// fuzz input, image comparisons and the way an invariant failure is reported.
#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <optional>
#include <string>
#include <string_view>

#include "image/Image.h"

// Prints what broke and aborts, which libFuzzer records as a finding.
[[noreturn]] void FuzzFail(const std::string& what);

// A private folder for the process, removed when it exits.
const std::string& ScratchFolder();

// Writes bytes as the whole file at path; a failure is a finding.
void WriteFileBytes(const std::string& path, std::string_view bytes);
// The bytes of the regular file at path; none when there is no such file.
std::optional<std::string> FileBytes(const std::string& path);

// An image of 1..maxSide square pixels in either format with a random AOI.
CImage FuzzImage(FuzzedDataProvider& data, int maxSide);

// Same size, format, AOI and pixels.
bool SameImage(const CImage& a, const CImage& b);
// Pixels outside the AOI of the reference are equal in both images.
bool SameOutsideAoi(const CImage& before, const CImage& after);
// Pixels inside the AOI of the reference are equal in both images.
bool SameInsideAoi(const CImage& before, const CImage& after);

// The storage matches the size, the AOI lies inside the image and a
// GRAYSCALE image holds only grey pixels; names the first broken rule.
void CheckConsistent(const CImage& image, const char* after);

// One reader run on bytes as a file, told apart by its signature: a refused
// file leaves the image as it was with one message shown; an accepted one is
// consistent and survives a write in its format and a second read unchanged.
void FuzzReader(const std::uint8_t* data, size_t size);
