// The one- and two-dimensional split-radix transforms of complex arrays in
// place: forward divides by the length, inverse does not scale.
#pragma once

#include <complex>
#include <cstddef>
#include <cstdint>
#include <functional>

using FftValue = std::complex<double>;

// direction: 1 forward, 0 inverse.
enum FftDirection { FFT_INVERSE = 0, FFT_FORWARD = 1 };

// Transforms the 2^exponent contiguous values of data in place. Forward:
// X[k] = (1/N) sum x[j] e^(-2 pi i jk/N); inverse: x[j] = sum X[k] e^(+2 pi i jk/N).
void Fft1D(FftValue* data, int exponent, int direction);

// Rows first .. last - 1 of a two-dimensional transform.
using Fft2DRows = std::function<void(int first, int last)>;

// Transforms every row (stride values apart), then every column, in chunks
// shared out over the processor's cores; the result does not depend on the
// thread count. beforeRows, when set, runs on rows just before the row pass
// reads them, to fill them while they are in cache; from the thread that has
// them, on rows no other call has. levelRows, when set instead, gives the
// input: row y's values are levelRows[y][x] + 0i, read without a pass that
// writes them as values first where the rows go eight at a time. Throws
// std::bad_alloc when the column copies cannot be had, before any call.
// magnitudeRows, when set, gets row y's result as MagnitudesToPixels makes
// it, from the columns while they are in cache where it can.
void Fft2D(FftValue* data, int heightExponent, int widthExponent, int stride, int direction,
           const Fft2DRows& beforeRows = {}, const std::uint8_t* const* levelRows = nullptr,
           std::uint8_t* const* magnitudeRows = nullptr);
