// The row conversions. Three-byte pixels take byte shuffles, which the
// compiler does not find for these loops: processors with AVX2 get them
// written out, the others the plain loops, which give the same bytes.
#include "image/SampleRows.h"

#include <array>
#include <cstddef>

#include "platform/VectorClones.h"

#if NUVAK_HAS_CLONES
#include <immintrin.h>
#endif

namespace {

const std::uint8_t* BytesOf(const CColorVal* pixels) { return reinterpret_cast<const std::uint8_t*>(pixels); }

// Nonzero unless every pixel of the row has R = G = B: byte j equals byte
// j + 1 wherever j is not the last byte of a pixel. Blocks of 32 pixels
// with a fixed mask vectorise.
NUVAK_VECTOR_BUILDS(unsigned, Colour, (const std::uint8_t* __restrict bytes, int count), (bytes, count))
{
    constexpr int kBlock = 96;
    static constexpr auto kWithinPixel = [] {
        std::array<std::uint8_t, kBlock> mask{};
        for (int j = 0; j < kBlock; ++j) mask[static_cast<size_t>(j)] = j % 3 == 2 ? 0 : 0xFF;
        return mask;
    }();
    std::array<std::uint8_t, kBlock> colour{};
    const int length = 3 * count;
    int start = 0;
    // The last block also reads the byte after it, so the whole rows stop
    // one block before the end.
    for (; start + kBlock < length; start += kBlock)
        for (int j = 0; j < kBlock; ++j)
            colour[static_cast<size_t>(j)] |= static_cast<std::uint8_t>(
                (bytes[start + j] ^ bytes[start + j + 1]) & kWithinPixel[static_cast<size_t>(j)]);
    unsigned any = 0;
    for (const std::uint8_t c : colour) any |= c;
    for (int i = start / 3; i < count; ++i)
        any |= static_cast<unsigned>((bytes[3 * i] ^ bytes[3 * i + 1]) | (bytes[3 * i + 1] ^ bytes[3 * i + 2]));
    return any;
}

#if NUVAK_HAS_CLONES
// Byte i of a shuffle mask picking bytes first, first + 3, ... of a lane of
// 16 and zero (0x80) where they run out; phase is where the lane starts in
// the pattern of three.
[[gnu::target("avx2")]] __m256i PickEveryThird(int phase)
{
    alignas(32) std::uint8_t mask[32];
    for (int i = 0; i < 32; ++i) mask[i] = 0x80;
    // The 16 outputs of a lane come from three 16-byte inputs; this mask
    // serves the input at offset 16 x phase.
    for (int k = 0; k < 16; ++k) {
        const int source = 3 * k - 16 * phase;
        if (source >= 0 && source < 16) mask[k] = mask[16 + k] = static_cast<std::uint8_t>(source);
    }
    return _mm256_load_si256(reinterpret_cast<const __m256i*>(mask));
}

// Byte j of a lane of output takes value (16 x part + j) / 3 of the 16.
[[gnu::target("avx2")]] __m256i SpreadThreeTimes(int part)
{
    alignas(32) std::uint8_t mask[32];
    for (int j = 0; j < 16; ++j) mask[j] = mask[16 + j] = static_cast<std::uint8_t>((16 * part + j) / 3);
    return _mm256_load_si256(reinterpret_cast<const __m256i*>(mask));
}

[[gnu::target("avx2")]] __m256i TwoLanes(const std::uint8_t* low, const std::uint8_t* high)
{
    return _mm256_loadu2_m128i(reinterpret_cast<const __m128i*>(high), reinterpret_cast<const __m128i*>(low));
}

// 32 R samples from 96 bytes at a time; the number of pixels done.
[[gnu::target("avx2")]] int TakeRedWide(const std::uint8_t* bytes, int count, std::uint8_t* values)
{
    const __m256i first = PickEveryThird(0), second = PickEveryThird(1), third = PickEveryThird(2);
    int i = 0;
    for (; i + 32 <= count; i += 32) {
        const std::uint8_t* in = bytes + 3 * i;
        // Lane 0 makes samples i .. i + 15 from bytes 0 .. 47, lane 1 the
        // next 16 from bytes 48 .. 95.
        const __m256i a = _mm256_shuffle_epi8(TwoLanes(in, in + 48), first);
        const __m256i b = _mm256_shuffle_epi8(TwoLanes(in + 16, in + 64), second);
        const __m256i c = _mm256_shuffle_epi8(TwoLanes(in + 32, in + 80), third);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(values + i), _mm256_or_si256(_mm256_or_si256(a, b), c));
    }
    return i;
}

// 32 grey pixels from 32 values at a time; the number of pixels done.
[[gnu::target("avx2")]] int StoreGreyWide(const std::uint8_t* values, int count, std::uint8_t* bytes)
{
    const __m256i first = SpreadThreeTimes(0), second = SpreadThreeTimes(1), third = SpreadThreeTimes(2);
    int i = 0;
    for (; i + 32 <= count; i += 32) {
        // Lane 0 holds values i .. i + 15, lane 1 the next 16; each shuffle
        // makes 16 bytes of the pixels of both.
        const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(values + i));
        const __m256i a = _mm256_shuffle_epi8(v, first);
        const __m256i b = _mm256_shuffle_epi8(v, second);
        const __m256i c = _mm256_shuffle_epi8(v, third);
        std::uint8_t* out = bytes + 3 * i;
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out), _mm256_permute2x128_si256(a, b, 0x20));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + 32), _mm256_permute2x128_si256(c, a, 0x30));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + 64), _mm256_permute2x128_si256(b, c, 0x31));
    }
    return i;
}

bool HasAvx2() { return platform::ChosenSet() >= platform::InstructionSet::Avx2; }
#else
int TakeRedWide(const std::uint8_t*, int, std::uint8_t*) { return 0; }
int StoreGreyWide(const std::uint8_t*, int, std::uint8_t*) { return 0; }
bool HasAvx2() { return false; }
#endif

}  // namespace

void TakeReds(const CColorVal* __restrict pixels, int count, std::uint8_t* __restrict values)
{
    const std::uint8_t* bytes = BytesOf(pixels);
    for (int i = HasAvx2() ? TakeRedWide(bytes, count, values) : 0; i < count; ++i) values[i] = bytes[3 * i];
}

bool AllGrey(const CColorVal* pixels, int count) { return Colour(BytesOf(pixels), count) == 0; }

bool TakeRed(const CColorVal* __restrict pixels, int count, std::uint8_t* __restrict values)
{
    TakeReds(pixels, count, values);
    return AllGrey(pixels, count);
}

void TakeLuminance(const CColorVal* __restrict pixels, int count, std::uint8_t* __restrict values)
{
    if (TakeRed(pixels, count, values)) return;
    for (int i = 0; i < count; ++i) values[i] = static_cast<std::uint8_t>(pixels[i].Luminance());
}

void StoreGrey(const std::uint8_t* __restrict values, int count, CColorVal* __restrict pixels)
{
    auto* bytes = reinterpret_cast<std::uint8_t*>(pixels);
    for (int i = HasAvx2() ? StoreGreyWide(values, count, bytes) : 0; i < count; ++i)
        bytes[3 * i] = bytes[3 * i + 1] = bytes[3 * i + 2] = values[i];
}

