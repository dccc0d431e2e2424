// Each step of bytes out comes from a window of a few loads of the source
// row, picked by byte shuffles whose masks are made once per plan: 64 bytes
// at a time with AVX-512's byte permutes, else 16 with SSSE3's shuffles.
// Processors with neither get the plain loop: the same bytes.
#include "processing/ShuffledCopy.h"

#include <algorithm>

#include "processing/VectorClones.h"

#if NUVAK_HAS_CLONES
#include <immintrin.h>
#endif

namespace sampling {

namespace {

constexpr std::uint8_t kNone = 0x80;  // a shuffle mask byte that gives zero

#if NUVAK_HAS_CLONES
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

bool HasShuffles() { return __builtin_cpu_supports("ssse3"); }
bool HasPermutes()
{
    return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") &&
           __builtin_cpu_supports("avx512vbmi");
}
#else
bool HasShuffles() { return false; }
bool HasPermutes() { return false; }
#endif

}  // namespace

ShuffledCopy::ShuffledCopy(const std::vector<long long>& offsets, int count, long long rowBytes)
    : offsets_(offsets.data()), count_(count)
{
    if (HasPermutes() && Plan(offsets, rowBytes, 64, 2)) return;
    if (HasShuffles()) Plan(offsets, rowBytes, 16, 4);
}

bool ShuffledCopy::Plan(const std::vector<long long>& offsets, long long rowBytes, int stepBytes, int mostLoads)
{
    const long long steps = 3LL * count_ / stepBytes;
    if (steps == 0) return false;
    auto sourceOf = [&](long long i) { return offsets[static_cast<size_t>(i / 3)] + i % 3; };
    // The bytes of a step lie between the first byte of its first pixel and
    // the last of its last: offsets never fall.
    auto lowest = [&](long long s) { return offsets[static_cast<size_t>(stepBytes * s / 3)]; };
    auto highest = [&](long long s) { return offsets[static_cast<size_t>((stepBytes * s + stepBytes - 1) / 3)] + 2; };
    long long widest = 0;
    for (long long s = 0; s < steps; ++s) widest = std::max(widest, highest(s) - lowest(s) + 1);
    const long long loads = (widest + stepBytes - 1) / stepBytes;
    const long long window = stepBytes * loads;
    if (loads > mostLoads || window > rowBytes) return false;
    stepBytes_ = stepBytes;
    loads_ = static_cast<int>(loads);
    // Sixteen-byte shuffles take a mask per load, zero where another load
    // serves; the wide permutes one mask over the whole window.
    const long long maskBytes = stepBytes == 16 ? window : stepBytes;
    bases_.resize(static_cast<size_t>(steps));
    masks_.assign(static_cast<size_t>(steps * maskBytes), kNone);
    for (long long s = 0; s < steps; ++s) {
        // Near the row's end the window moves back so as to end with the row.
        const long long base = std::min(lowest(s), rowBytes - window);
        bases_[static_cast<size_t>(s)] = base;
        std::uint8_t* mask = &masks_[static_cast<size_t>(s * maskBytes)];
        for (int j = 0; j < stepBytes; ++j) {
            const long long at = sourceOf(stepBytes * s + j) - base;
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
#if NUVAK_HAS_CLONES
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
