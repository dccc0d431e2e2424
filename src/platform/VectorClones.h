// Row loops built once more for each wider set of vector instructions; a
// call takes the build of the set platform::ChosenSet names.
#pragma once

#include "platform/InstructionSet.h"

// NUVAK_VECTOR_BUILDS(Ret, name, (params), (args)) followed by a body
// defines Ret name(params) with a build for AVX2 beside the plain one;
// NUVAK_WIDE_BUILDS adds a third for AVX-512, for loops whose many double
// lanes run short of AVX2's registers. The same IEEE operations give the
// same values in every build: the build never contracts a multiply and an
// add. The body is inlined whole into each build, its restrict pointers
// with it. ThreadSanitizer's builds and other compilers keep the plain loop.
#if defined(__GNUC__) && defined(__x86_64__) && !defined(__clang__) && !defined(__SANITIZE_THREAD__)
#define NUVAK_HAS_CLONES 1
#define NUVAK_WIDE_TARGET gnu::target("arch=x86-64-v4")
#define NUVAK_AVX2_TARGET gnu::target("avx2")
#define NUVAK_BUILDS_BODY_(Ret, name, params, args)                                                  \
    [[gnu::always_inline]] static inline Ret name##Body params;                                      \
    [[NUVAK_AVX2_TARGET]] static Ret name##Avx2 params { return name##Body args; }                   \
    static Ret name##Plain params { return name##Body args; }
#define NUVAK_VECTOR_BUILDS(Ret, name, params, args)                                                 \
    NUVAK_BUILDS_BODY_(Ret, name, params, args)                                                      \
    Ret name params                                                                                  \
    {                                                                                                \
        if (::platform::ChosenSet() != ::platform::InstructionSet::Baseline) return name##Avx2 args; \
        return name##Plain args;                                                                     \
    }                                                                                                \
    [[gnu::always_inline]] static inline Ret name##Body params
#define NUVAK_WIDE_DISPATCH_(Ret, name, params, args)                                                \
    Ret name params                                                                                  \
    {                                                                                                \
        switch (::platform::ChosenSet()) {                                                           \
        case ::platform::InstructionSet::Avx512:                                                     \
            return name##Wide args;                                                                  \
        case ::platform::InstructionSet::Avx2:                                                       \
            return name##Avx2 args;                                                                  \
        case ::platform::InstructionSet::Baseline:                                                   \
            break;                                                                                   \
        }                                                                                            \
        return name##Plain args;                                                                     \
    }
#define NUVAK_WIDE_BUILDS(Ret, name, params, args)                                                   \
    NUVAK_BUILDS_BODY_(Ret, name, params, args)                                                      \
    [[NUVAK_WIDE_TARGET]] static Ret name##Wide params { return name##Body args; }                   \
    NUVAK_WIDE_DISPATCH_(Ret, name, params, args)                                                    \
    [[gnu::always_inline]] static inline Ret name##Body params
// NUVAK_SIZED_BUILDS is NUVAK_WIDE_BUILDS with the body a template on the
// bytes one register of its build holds (kVectorBytes: 16, 32 or 64), for
// loops that keep several blocks live and would spill blocks wider than
// the registers.
#define NUVAK_SIZED_BUILDS(Ret, name, params, args)                                                  \
    template <int kVectorBytes>                                                                      \
    [[gnu::always_inline]] static inline Ret name##Body params;                                      \
    static Ret name##Plain params { return name##Body<16> args; }                                    \
    [[NUVAK_AVX2_TARGET]] static Ret name##Avx2 params { return name##Body<32> args; }               \
    [[NUVAK_WIDE_TARGET]] static Ret name##Wide params { return name##Body<64> args; }               \
    NUVAK_WIDE_DISPATCH_(Ret, name, params, args)                                                    \
    template <int kVectorBytes>                                                                      \
    [[gnu::always_inline]] static inline Ret name##Body params
#else
#define NUVAK_HAS_CLONES 0
#define NUVAK_VECTOR_BUILDS(Ret, name, params, args) Ret name params
#define NUVAK_WIDE_BUILDS(Ret, name, params, args) Ret name params
#define NUVAK_SIZED_BUILDS(Ret, name, params, args)                                                  \
    template <int kVectorBytes>                                                                      \
    static Ret name##Body params;                                                                    \
    Ret name params { return name##Body<16> args; }                                                  \
    template <int kVectorBytes>                                                                      \
    static Ret name##Body params
#endif
