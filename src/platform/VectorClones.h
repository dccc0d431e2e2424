// The attributes that give a row loop further builds for wider vector
// instructions, chosen when the program starts.
#pragma once

// Row loops that vectorise only with AVX2 come in two clones, one for the
// processors that have it, chosen when the program starts; the same IEEE
// operations give the same values in either (the build never contracts a
// multiply and an add). Loops whose many double lanes run short of AVX2's
// registers gain again from AVX-512's twice as many, twice as wide: they get
// a third clone. ThreadSanitizer's runtime is not up yet when the loader
// picks a clone, so its builds keep the plain loop.
#if defined(__GNUC__) && defined(__x86_64__) && !defined(__clang__) && !defined(__SANITIZE_THREAD__)
#define NUVAK_HAS_CLONES 1
#define NUVAK_VECTOR_CLONES [[gnu::target_clones("avx2", "default")]]
#define NUVAK_WIDE_CLONES [[gnu::target_clones("arch=x86-64-v4", "avx2", "default")]]
#else
#define NUVAK_HAS_CLONES 0
#define NUVAK_VECTOR_CLONES
#define NUVAK_WIDE_CLONES
#endif
