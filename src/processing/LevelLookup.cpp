#include "processing/LevelLookup.h"

#include <cstring>

#include "platform/BytePermutes.h"

#if NUVAK_BYTE_PERMUTES
#include <immintrin.h>
#endif

namespace levels {

namespace {

#if NUVAK_BYTE_PERMUTES
// Levels 0..127 and 128..255 each come from a permute across two registers
// of the map; the level's top bit picks between them. Returns the levels done.
[[NUVAK_PERMUTES_TARGET]] int Permuted(const std::uint8_t* map, std::uint8_t* p, int n)
{
    const __m512i m0 = _mm512_loadu_si512(map), m1 = _mm512_loadu_si512(map + 64);
    const __m512i m2 = _mm512_loadu_si512(map + 128), m3 = _mm512_loadu_si512(map + 192);
    int x = 0;
    for (; x + 64 <= n; x += 64) {
        const __m512i level = _mm512_loadu_si512(p + x);
        const __m512i low = _mm512_permutex2var_epi8(m0, level, m1);
        const __m512i high = _mm512_permutex2var_epi8(m2, level, m3);
        _mm512_storeu_si512(p + x, _mm512_mask_blend_epi8(_mm512_movepi8_mask(level), low, high));
    }
    return x;
}
#else
int Permuted(const std::uint8_t*, std::uint8_t*, int) { return 0; }
#endif

}  // namespace

LevelLookup::LevelLookup(const std::array<std::uint8_t, 256>& map) : map_(map), permutes_(platform::HasBytePermutes())
{
    if (permutes_) return;
    pairs_.resize(65536);
    for (unsigned v = 0; v < 65536; ++v) pairs_[v] = static_cast<std::uint16_t>(map[v & 0xFF] | map[v >> 8] << 8);
}

void LevelLookup::Map(std::uint8_t* p, int n) const
{
    int x = permutes_ ? Permuted(map_.data(), p, n) : 0;
    if (!permutes_)
        for (; x + 2 <= n; x += 2) {
            std::uint16_t pair;
            std::memcpy(&pair, p + x, 2);
            pair = pairs_[pair];
            std::memcpy(p + x, &pair, 2);
        }
    for (; x < n; ++x) p[x] = map_[p[x]];
}

}  // namespace levels
