// The swap four pixels at a time with a byte shuffle where the processor has
// one (chosen once, at the first call), else pixel by pixel.
#include "image/RgbBytes.h"

#include <cstring>

namespace {

// Byte offsets from..to of the rows; returns the bits in which the
// components of some pixel differ.
unsigned SwapPlain(const std::uint8_t* __restrict in, int from, int to, std::uint8_t* __restrict out)
{
    unsigned colour = 0;
    for (int x = from; x < to; x += 3) {
        const std::uint8_t r = in[x], g = in[x + 1], b = in[x + 2];
        out[x] = b;
        out[x + 1] = g;
        out[x + 2] = r;
        colour |= (r ^ g) | (g ^ b);
    }
    return colour;
}

#if defined(__x86_64__) && defined(__GNUC__) && defined(__has_builtin)
#if __has_builtin(__builtin_shufflevector) && __has_builtin(__builtin_cpu_supports)
#define NUVAK_SHUFFLED_SWAP 1
#endif
#endif

#ifdef NUVAK_SHUFFLED_SWAP
using Bytes16 = std::uint8_t __attribute__((vector_size(16)));

// Sixteen bytes are loaded and stored per step but only twelve (four pixels)
// are done: the last four are written again by the next step.
[[gnu::target("ssse3")]] bool SwapShuffled(const std::uint8_t* __restrict in, int width,
                                           std::uint8_t* __restrict out)
{
    const int bytes = 3 * width;
    Bytes16 colour = {};
    int x = 0;
    for (; x + 16 <= bytes; x += 12) {
        Bytes16 v;
        std::memcpy(&v, in + x, sizeof v);
        const Bytes16 swapped = __builtin_shufflevector(v, v, 2, 1, 0, 5, 4, 3, 8, 7, 6, 11, 10, 9, 12, 13, 14, 15);
        const Bytes16 rotated = __builtin_shufflevector(v, v, 1, 2, 0, 4, 5, 3, 7, 8, 6, 10, 11, 9, 12, 13, 14, 15);
        colour |= v ^ rotated;
        std::memcpy(out + x, &swapped, sizeof swapped);
    }
    unsigned rest = SwapPlain(in, x, bytes, out);
    for (int i = 0; i < 16; ++i) rest |= colour[i];
    return rest != 0;
}
#endif

}  // namespace

bool SwapRedAndBlue(const std::uint8_t* __restrict in, int width, std::uint8_t* __restrict out)
{
#ifdef NUVAK_SHUFFLED_SWAP
    static const bool shuffle = __builtin_cpu_supports("ssse3");
    if (shuffle) return SwapShuffled(in, width, out);
#endif
    return SwapPlain(in, 0, 3 * width, out) != 0;
}
