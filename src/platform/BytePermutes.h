// Whether the processor permutes bytes across a whole 64-byte register
// (AVX-512 with VBMI), for the row loops that have a build for it.
#pragma once

#if defined(__x86_64__) && defined(__GNUC__)
#define NUVAK_BYTE_PERMUTES 1
#define NUVAK_PERMUTES_TARGET gnu::target("avx512f,avx512bw,avx512vbmi")
#else
#define NUVAK_BYTE_PERMUTES 0
#endif

namespace platform {

// Asked of the processor once, on first use.
bool HasBytePermutes();

}  // namespace platform
