// A step of 32 sums: one byte permute puts each byte beside the same byte of
// the right neighbour, and one multiply-add of unsigned bytes by signed
// weights gives the sums. They stay within 510 x 16, far from where the
// multiply-add saturates, so the sums are exact.
#include "processing/PairedAcross.h"

#include "platform/BytePermutes.h"
#include "processing/ShuffledCopy.h"

#if NUVAK_BYTE_SHUFFLES
#include <immintrin.h>
#endif

namespace sampling {

namespace {

constexpr int kSums = 32;  // sums per step
constexpr int kMostLoads = 2;

#if NUVAK_BYTE_SHUFFLES
template <int Loads>
[[gnu::target("avx512f,avx512bw,avx512vbmi")]] void PairSteps(const std::uint8_t* source, const long long* bases,
                                                              const std::uint8_t* picks, const std::int8_t* weights,
                                                              long long steps, std::int16_t* sums)
{
    for (long long s = 0; s < steps; ++s) {
        const std::uint8_t* from = source + bases[s];
        const __m512i low = _mm512_loadu_si512(from);
        const __m512i high = Loads == 1 ? low : _mm512_loadu_si512(from + 64);
        const __m512i pairs = _mm512_permutex2var_epi8(low, _mm512_loadu_si512(picks + 64 * s), high);
        _mm512_storeu_si512(sums + kSums * s, _mm512_maddubs_epi16(pairs, _mm512_loadu_si512(weights + 64 * s)));
    }
}
#endif

}  // namespace

PairedAcross::PairedAcross(const std::vector<long long>& offsets, const std::vector<int>& fx, int unit,
                           long long rowBytes)
    : offsets_(offsets.data()), fx_(fx.data()), unit_(unit), count_(static_cast<int>(offsets.size()))
{
    if (!platform::HasBytePermutes()) return;
    // Each sum takes its byte and the same byte of the right neighbour,
    // three bytes on.
    const RowWindows windows(offsets.data(), count_, kSums, 5, 64, kMostLoads, rowBytes);
    if (windows.Loads() == 0) return;
    loads_ = windows.Loads();
    const long long steps = windows.Steps();
    bases_.resize(static_cast<size_t>(steps));
    picks_.resize(static_cast<size_t>(64 * steps));
    weights_.resize(static_cast<size_t>(64 * steps));
    for (long long s = 0; s < steps; ++s) {
        const long long base = windows.Base(s);
        bases_[static_cast<size_t>(s)] = base;
        for (int j = 0; j < kSums; ++j) {
            const long long i = kSums * s + j;
            const long long at = offsets[static_cast<size_t>(i / 3)] + i % 3 - base;
            const int f = fx[static_cast<size_t>(i / 3)];
            const size_t pair = static_cast<size_t>(64 * s + 2 * j);
            picks_[pair] = static_cast<std::uint8_t>(at);
            picks_[pair + 1] = static_cast<std::uint8_t>(at + 3);
            weights_[pair] = static_cast<std::int8_t>(unit - f);
            weights_[pair + 1] = static_cast<std::int8_t>(f);
        }
    }
}

void PairedAcross::Across(const std::uint8_t* source, std::int16_t* sums) const
{
    const long long steps = static_cast<long long>(bases_.size());
#if NUVAK_BYTE_SHUFFLES
    if (loads_ == 1) PairSteps<1>(source, bases_.data(), picks_.data(), weights_.data(), steps, sums);
    if (loads_ == 2) PairSteps<2>(source, bases_.data(), picks_.data(), weights_.data(), steps, sums);
#endif
    for (long long i = kSums * steps; i < 3LL * count_; ++i) {
        const std::uint8_t* p = source + offsets_[i / 3] + i % 3;
        const int f = fx_[i / 3];
        sums[i] = static_cast<std::int16_t>(p[0] * (unit_ - f) + p[3] * f);
    }
}

}  // namespace sampling
