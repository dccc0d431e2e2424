// The attribute that gives a row loop a second, AVX2 build chosen at start.
#pragma once

// Row loops that vectorise only with AVX2 come in two clones, one for the
// processors that have it, chosen when the program starts; the same IEEE
// operations give the same values in either. ThreadSanitizer's runtime is not
// up yet when the loader picks a clone, so its builds keep the plain loop.
#if defined(__GNUC__) && defined(__x86_64__) && !defined(__clang__) && !defined(__SANITIZE_THREAD__)
#define NUVAK_VECTOR_CLONES [[gnu::target_clones("avx2", "default")]]
#else
#define NUVAK_VECTOR_CLONES
#endif
