// The one- and two-dimensional split-radix transforms of complex arrays in
// place: forward divides by the length, inverse does not scale.
#pragma once

#include <complex>
#include <cstddef>

using FftValue = std::complex<double>;

// direction: 1 forward, 0 inverse.
enum FftDirection { FFT_INVERSE = 0, FFT_FORWARD = 1 };

// Transforms the 2^exponent contiguous values of data in place. Forward:
// X[k] = (1/N) sum x[j] e^(-2 pi i jk/N); inverse: x[j] = sum X[k] e^(+2 pi i jk/N).
void Fft1D(FftValue* data, int exponent, int direction);

// Values of scratch that Fft2D needs for an array of 2^heightExponent rows and
// 2^widthExponent columns: a few whole columns, so that the column pass reads
// each cache line of the array once.
size_t FftScratchSize(int heightExponent, int widthExponent);

// Transforms every row (stride values apart), then every column through the
// scratch buffer.
void Fft2D(FftValue* data, FftValue* scratch, int heightExponent, int widthExponent, int stride, int direction);
