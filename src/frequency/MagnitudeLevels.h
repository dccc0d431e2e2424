// Eight levels of magnitudes as MagnitudesToPixels makes them, the truncated
// root of re^2 + im^2 and 255 beyond, without the root: processors with
// AVX-512 take one root of eight values in the time of many other vector
// steps, and the transform's column pass has those steps to spare.
#pragma once

#include "platform/VectorClones.h"

#if NUVAK_HAS_CLONES
#include <immintrin.h>

#include <cstdint>

// The rounded root of a square s reaches a whole number j exactly when the
// exact root reaches the midpoint between j and the double just below it,
// j - g / 2 (a tie goes to j, whose last mantissa bit is zero): when
// s - j^2 >= -j g + g^2 / 4. Near j^2, d = s - j^2 is exact, and no double
// lies between -j g and -j g + g^2 / 4, so the test is d + j g > 0; far from
// it the sign alone decides. A 14-bit estimate of the root picks j, the
// nearest whole number in 1 .. 255, so the level is j or j - 1.
[[gnu::target("arch=x86-64-v4")]] inline std::uint64_t MagnitudeLevels(__m512d re, __m512d im)
{
    const __m512d square = _mm512_add_pd(_mm512_mul_pd(re, re), _mm512_mul_pd(im, im));
    // A zero square gives 0 x infinity, not a number, which the lower
    // bound takes to 1.
    __m512d whole = _mm512_mul_pd(square, _mm512_maskz_rsqrt14_pd(0xFF, square));
    whole = _mm512_maskz_roundscale_pd(0xFF, whole, _MM_FROUND_TO_NEAREST_INT | _MM_FROUND_NO_EXC);
    whole = _mm512_maskz_min_pd(0xFF, _mm512_maskz_max_pd(0xFF, whole, _mm512_set1_pd(1.0)), _mm512_set1_pd(255.0));
    const __m512d below = _mm512_castsi512_pd(_mm512_sub_epi64(_mm512_castpd_si512(whole), _mm512_set1_epi64(1)));
    const __m512d gap = _mm512_sub_pd(whole, below);
    // whole^2 and whole x gap are exact: the fused steps round as the
    // plain ones would.
    const __m512d d = _mm512_fnmadd_pd(whole, whole, square);
    const __mmask8 lower = _mm512_cmp_pd_mask(_mm512_fmadd_pd(whole, gap, d), _mm512_setzero_pd(), _CMP_LE_OQ);
    __m512i level = _mm512_cvttpd_epi64(whole);
    level = _mm512_mask_sub_epi64(level, lower, level, _mm512_set1_epi64(1));
    // Roots of 256 and more, infinities and not-a-numbers are 255.
    const __mmask8 beyond = _mm512_cmp_pd_mask(square, _mm512_set1_pd(65536.0), _CMP_NLT_UQ);
    level = _mm512_mask_mov_epi64(level, beyond, _mm512_set1_epi64(255));
    return static_cast<std::uint64_t>(_mm_cvtsi128_si64(_mm512_maskz_cvtepi64_epi8(0xFF, level)));
}
#endif
