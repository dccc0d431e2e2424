// Each 16 bytes out come from a window of one to four 16-byte loads of the
// source row, picked by a byte shuffle per load; the masks are made once
// per plan. Processors without the shuffle get the plain loop: the same bytes.
#include "processing/ShuffledCopy.h"

#include <algorithm>

#include "processing/VectorClones.h"

#if NUVAK_HAS_CLONES
#include <immintrin.h>
#endif

namespace sampling {

namespace {

constexpr int kMostLoads = 4;
constexpr std::uint8_t kNone = 0x80;  // a mask byte that gives zero

#if NUVAK_HAS_CLONES
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

bool HasShuffles() { return __builtin_cpu_supports("ssse3"); }
#else
bool HasShuffles() { return false; }
#endif

}  // namespace

ShuffledCopy::ShuffledCopy(const std::vector<long long>& offsets, int count, long long rowBytes)
    : offsets_(offsets.data()), count_(count)
{
    const long long steps = 3LL * count / 16;
    if (steps == 0 || !HasShuffles()) return;
    auto sourceOf = [&](long long i) { return offsets[static_cast<size_t>(i / 3)] + i % 3; };
    // The bytes of a step lie between the first byte of its first pixel and
    // the last of its last: offsets never fall.
    auto lowest = [&](long long s) { return offsets[static_cast<size_t>(16 * s / 3)]; };
    auto highest = [&](long long s) { return offsets[static_cast<size_t>((16 * s + 15) / 3)] + 2; };
    long long widest = 0;
    for (long long s = 0; s < steps; ++s) widest = std::max(widest, highest(s) - lowest(s) + 1);
    const int loads = static_cast<int>((widest + 15) / 16);
    const long long window = 16LL * loads;
    if (loads > kMostLoads || window > rowBytes) return;
    loads_ = loads;
    bases_.resize(static_cast<size_t>(steps));
    masks_.assign(static_cast<size_t>(steps * window), kNone);
    for (long long s = 0; s < steps; ++s) {
        // Near the row's end the window moves back so as to end with the row.
        const long long base = std::min(lowest(s), rowBytes - window);
        bases_[static_cast<size_t>(s)] = base;
        for (int j = 0; j < 16; ++j) {
            const long long at = sourceOf(16 * s + j) - base;
            masks_[static_cast<size_t>(s * window + at / 16 * 16 + j)] = static_cast<std::uint8_t>(at % 16);
        }
    }
}

void ShuffledCopy::Copy(const std::uint8_t* source, std::uint8_t* out) const
{
    long long done = 0;
#if NUVAK_HAS_CLONES
    const long long steps = static_cast<long long>(bases_.size());
    switch (loads_) {
    case 1: Shuffled<1>(source, bases_.data(), masks_.data(), steps, out); break;
    case 2: Shuffled<2>(source, bases_.data(), masks_.data(), steps, out); break;
    case 3: Shuffled<3>(source, bases_.data(), masks_.data(), steps, out); break;
    case 4: Shuffled<4>(source, bases_.data(), masks_.data(), steps, out); break;
    default: break;
    }
    done = 16 * steps;
#endif
    for (long long i = done; i < 3LL * count_; ++i) out[i] = source[offsets_[i / 3] + i % 3];
}

}  // namespace sampling
