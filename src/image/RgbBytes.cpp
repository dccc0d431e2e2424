// Four pixels at a time with a byte shuffle where the processor has one
// (looked up at start), else pixel by pixel.
#include "image/RgbBytes.h"

#include <cstring>

#include "platform/BytePermutes.h"

#if NUVAK_BYTE_PERMUTES
#include <immintrin.h>
#endif

namespace {

// Byte offsets from..to of the rows; returns the bits in which the
// components of some pixel differ. Swap also writes the swapped pixels.
template <bool Swap>
unsigned Plain(const std::uint8_t* __restrict in, int from, int to, std::uint8_t* __restrict out)
{
    unsigned colour = 0;
    for (int x = from; x < to; x += 3) {
        const std::uint8_t r = in[x], g = in[x + 1], b = in[x + 2];
        if constexpr (Swap) {
            out[x] = b;
            out[x + 1] = g;
            out[x + 2] = r;
        }
        colour |= (r ^ g) | (g ^ b);
    }
    return colour;
}

#if defined(__x86_64__) && defined(__GNUC__) && defined(__has_builtin)
#if __has_builtin(__builtin_shufflevector)
#define NUVAK_SHUFFLED_BYTES 1
#endif
#endif

#ifdef NUVAK_SHUFFLED_BYTES
using Bytes16 = std::uint8_t __attribute__((vector_size(16)));

// The swap loads and stores sixteen bytes per step but does only twelve,
// four pixels: a store's last four bytes are written again by the next.
template <bool Swap>
[[gnu::target("ssse3")]] bool Shuffled(const std::uint8_t* __restrict in, int width, std::uint8_t* __restrict out)
{
    const int bytes = 3 * width;
    Bytes16 colour = {};
    int x = 0;
    if constexpr (Swap) {
        for (; x + 16 <= bytes; x += 12) {
            Bytes16 v;
            std::memcpy(&v, in + x, sizeof v);
            const Bytes16 swapped =
                __builtin_shufflevector(v, v, 2, 1, 0, 5, 4, 3, 8, 7, 6, 11, 10, 9, 12, 13, 14, 15);
            std::memcpy(out + x, &swapped, sizeof swapped);
            colour |= v ^ __builtin_shufflevector(v, v, 1, 2, 0, 4, 5, 3, 7, 8, 6, 10, 11, 9, 12, 13, 14, 15);
        }
    } else {
        // Sixteen pixels per step: each byte against the one after it, kept
        // only where both belong to one pixel (red-green, green-blue).
        constexpr Bytes16 kRedGreen0 = {255, 255, 0, 255, 255, 0, 255, 255, 0, 255, 255, 0, 255, 255, 0, 255};
        constexpr Bytes16 kRedGreen1 = {255, 0, 255, 255, 0, 255, 255, 0, 255, 255, 0, 255, 255, 0, 255, 255};
        constexpr Bytes16 kRedGreen2 = {0, 255, 255, 0, 255, 255, 0, 255, 255, 0, 255, 255, 0, 255, 255, 0};
        for (; x + 48 <= bytes; x += 48) {
            Bytes16 v0, v1, v2;
            std::memcpy(&v0, in + x, sizeof v0);
            std::memcpy(&v1, in + x + 16, sizeof v1);
            std::memcpy(&v2, in + x + 32, sizeof v2);
            const Bytes16 n0 =
                __builtin_shufflevector(v0, v1, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16);
            const Bytes16 n1 =
                __builtin_shufflevector(v1, v2, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16);
            const Bytes16 n2 =
                __builtin_shufflevector(v2, v2, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 15);
            colour |= ((v0 ^ n0) & kRedGreen0) | ((v1 ^ n1) & kRedGreen1) | ((v2 ^ n2) & kRedGreen2);
        }
    }
    unsigned rest = Plain<Swap>(in, x, bytes, out);
    for (int i = 0; i < 16; ++i) rest |= colour[i];
    return rest != 0;
}

// Where bytes can be permuted across a whole 64-byte register, a step does
// sixteen pixels; its last sixteen bytes are written again by the next step
// or the plain loop.
[[NUVAK_PERMUTES_TARGET]] bool Permuted(const std::uint8_t* __restrict in, int width,
                                                             std::uint8_t* __restrict out)
{
    alignas(64) std::uint8_t swap[64], next[64];
    for (int k = 0; k < 64; ++k) {
        const int pixel = k / 3, c = k % 3;
        swap[k] = static_cast<std::uint8_t>(k < 48 ? 3 * pixel + 2 - c : k);
        next[k] = static_cast<std::uint8_t>(k < 48 ? 3 * pixel + (c + 1) % 3 : k);
    }
    const __m512i toSwap = _mm512_load_si512(swap), toNext = _mm512_load_si512(next);
    const int bytes = 3 * width;
    __m512i colour = _mm512_setzero_si512();
    int x = 0;
    for (; x + 64 <= bytes; x += 48) {
        const __m512i v = _mm512_loadu_si512(in + x);
        _mm512_storeu_si512(out + x, _mm512_maskz_permutexvar_epi8(~__mmask64(0), toSwap, v));
        colour = _mm512_or_si512(colour, _mm512_xor_si512(v, _mm512_maskz_permutexvar_epi8(~__mmask64(0), toNext, v)));
    }
    return (Plain<true>(in, x, bytes, out) | _mm512_test_epi8_mask(colour, colour)) != 0;
}
#endif

template <bool Swap>
bool Pass(const std::uint8_t* __restrict in, int width, std::uint8_t* __restrict out)
{
#ifdef NUVAK_SHUFFLED_BYTES
    if constexpr (Swap)
        if (platform::HasBytePermutes()) return Permuted(in, width, out);
    if (platform::HasByteShuffles()) return Shuffled<Swap>(in, width, out);
#endif
    return Plain<Swap>(in, 0, 3 * width, out) != 0;
}

}  // namespace

bool SwapRedAndBlue(const std::uint8_t* __restrict in, int width, std::uint8_t* __restrict out)
{
    return Pass<true>(in, width, out);
}

bool HasColour(const std::uint8_t* pixels, int width) { return Pass<false>(pixels, width, nullptr); }
