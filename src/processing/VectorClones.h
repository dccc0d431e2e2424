// The attribute that gives a row loop a second, AVX2 build chosen at start.
#pragma once

// Row loops that vectorise only with AVX2 come in two clones, one for the
// processors that have it, chosen when the program starts; the same IEEE
// operations give the same values in either. ThreadSanitizer's runtime is not
// up yet when the loader picks a clone, so its builds keep the plain loop.
#if defined(__GNUC__) && defined(__x86_64__) && !defined(__clang__) && !defined(__SANITIZE_THREAD__)
#define NUVAK_VECTOR_CLONES [[gnu::target_clones("avx2", "default")]]
// Loops whose many double lanes run short of AVX2's registers gain again
// from AVX-512's twice as many, twice as wide: they get a third clone.
#define NUVAK_WIDE_VECTOR_CLONES [[gnu::target_clones("arch=x86-64-v4", "avx2", "default"), gnu::optimize("fp-contract=off")]]
#else
#define NUVAK_VECTOR_CLONES
#define NUVAK_WIDE_VECTOR_CLONES
#endif
