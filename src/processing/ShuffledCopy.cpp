// Each step of bytes out comes from a window of a few loads of the source
// row, picked by byte shuffles whose masks are made once per plan: 64 bytes
// at a time with AVX-512's byte permutes, else 16 with SSSE3's shuffles.
// Processors with neither get the plain loop: the same bytes.
#include "processing/ShuffledCopy.h"

#include <algorithm>

#include "platform/BytePermutes.h"

#if NUVAK_BYTE_SHUFFLES
#include <immintrin.h>
#endif

namespace sampling {

namespace {

constexpr std::uint8_t kNone = 0x80;  // a shuffle mask byte that gives zero

#if NUVAK_BYTE_SHUFFLES
// Sixteen bytes out per step, each load shuffled by its own mask and the
// results joined.
template <int Loads>
[[gnu::target("ssse3")]] void Shuffled(const std::uint8_t* source, const long long* bases, const std::uint8_t* masks,
                                       long long steps, std::uint8_t* out)
{
    auto load = [](const std::uint8_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); };
    for (long long s = 0; s < steps; ++s) {
        const std::uint8_t* from = source + bases[s];
        const std::uint8_t* mask = masks + 16 * Loads * s;
        __m128i v = _mm_shuffle_epi8(load(from), load(mask));
        for (int l = 1; l < Loads; ++l) v = _mm_or_si128(v, _mm_shuffle_epi8(load(from + 16 * l), load(mask + 16 * l)));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 16 * s), v);
    }
}

// 64 bytes out per step, picked from a window of 64 or 128 bytes.
template <int Loads>
[[gnu::target("avx512f,avx512bw,avx512vbmi")]] void Permuted(const std::uint8_t* source, const long long* bases,
                                                             const std::uint8_t* masks, long long steps,
                                                             std::uint8_t* out)
{
    for (long long s = 0; s < steps; ++s) {
        const std::uint8_t* from = source + bases[s];
        const __m512i picks = _mm512_loadu_si512(masks + 64 * s);
        const __m512i low = _mm512_loadu_si512(from);
        const __m512i high = Loads == 1 ? low : _mm512_loadu_si512(from + 64);
        _mm512_storeu_si512(out + 64 * s, _mm512_permutex2var_epi8(low, picks, high));
    }
}

bool HasShuffles() { return platform::HasByteShuffles(); }
#else
bool HasShuffles() { return false; }
#endif

}  // namespace

RowWindows::RowWindows(const long long* offsets, int count, int stepBytes, int reach, int loadBytes, int mostLoads,
                       long long rowBytes)
    : offsets_(offsets), stepBytes_(stepBytes), rowBytes_(rowBytes), steps_(3LL * count / stepBytes)
{
    long long widest = 0;
    for (long long s = 0; s < steps_; ++s) {
        const long long last = offsets[static_cast<size_t>((stepBytes * s + stepBytes - 1) / 3)] + reach;
        widest = std::max(widest, last - offsets[static_cast<size_t>(stepBytes * s / 3)] + 1);
    }
    const long long loads = (widest + loadBytes - 1) / loadBytes;
    if (steps_ == 0 || loads > mostLoads || loads * loadBytes > rowBytes) return;
    loads_ = static_cast<int>(loads);
    window_ = loads * loadBytes;
}

long long RowWindows::Base(long long step) const
{
    return std::min(offsets_[static_cast<size_t>(stepBytes_ * step / 3)], rowBytes_ - window_);
}

ShuffledCopy::ShuffledCopy(const std::vector<long long>& offsets, int count, long long rowBytes)
    : offsets_(offsets.data()), count_(count)
{
    if (platform::HasBytePermutes() && Plan(offsets, rowBytes, 64, 2)) return;
    if (HasShuffles()) Plan(offsets, rowBytes, 16, 4);
}

bool ShuffledCopy::Plan(const std::vector<long long>& offsets, long long rowBytes, int stepBytes, int mostLoads)
{
    const RowWindows windows(offsets.data(), count_, stepBytes, 2, stepBytes, mostLoads, rowBytes);
    if (windows.Loads() == 0) return false;
    stepBytes_ = stepBytes;
    loads_ = windows.Loads();
    // Sixteen-byte shuffles take a mask per load, zero where another load
    // serves; the wide permutes one mask over the whole window.
    const long long steps = windows.Steps();
    const long long maskBytes = stepBytes == 16 ? 16LL * loads_ : stepBytes;
    bases_.resize(static_cast<size_t>(steps));
    masks_.assign(static_cast<size_t>(steps * maskBytes), kNone);
    for (long long s = 0; s < steps; ++s) {
        const long long base = windows.Base(s);
        bases_[static_cast<size_t>(s)] = base;
        std::uint8_t* mask = &masks_[static_cast<size_t>(s * maskBytes)];
        for (int j = 0; j < stepBytes; ++j) {
            const long long i = stepBytes * s + j;
            const long long at = offsets[static_cast<size_t>(i / 3)] + i % 3 - base;
            if (stepBytes == 16)
                mask[at / 16 * 16 + j] = static_cast<std::uint8_t>(at % 16);
            else
                mask[j] = static_cast<std::uint8_t>(at);
        }
    }
    return true;
}

void ShuffledCopy::Copy(const std::uint8_t* source, std::uint8_t* out) const
{
    const long long steps = static_cast<long long>(bases_.size());
#if NUVAK_BYTE_SHUFFLES
    const long long* bases = bases_.data();
    const std::uint8_t* masks = masks_.data();
    switch (stepBytes_ * 8 + loads_) {
    case 16 * 8 + 1: Shuffled<1>(source, bases, masks, steps, out); break;
    case 16 * 8 + 2: Shuffled<2>(source, bases, masks, steps, out); break;
    case 16 * 8 + 3: Shuffled<3>(source, bases, masks, steps, out); break;
    case 16 * 8 + 4: Shuffled<4>(source, bases, masks, steps, out); break;
    case 64 * 8 + 1: Permuted<1>(source, bases, masks, steps, out); break;
    case 64 * 8 + 2: Permuted<2>(source, bases, masks, steps, out); break;
    default: break;
    }
#endif
    for (long long i = stepBytes_ * steps; i < 3LL * count_; ++i) out[i] = source[offsets_[i / 3] + i % 3];
}

}  // namespace sampling
