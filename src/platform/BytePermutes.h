// The target of the row loops that permute bytes across a whole 64-byte
// register (AVX-512 with VBMI); platform::HasBytePermutes says whether to
// take them.
#pragma once

#include "platform/InstructionSet.h"

#if defined(__x86_64__) && defined(__GNUC__)
#define NUVAK_BYTE_PERMUTES 1
#define NUVAK_PERMUTES_TARGET gnu::target("avx512f,avx512bw,avx512vbmi")
#else
#define NUVAK_BYTE_PERMUTES 0
#endif
