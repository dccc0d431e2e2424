#include "platform/BytePermutes.h"

namespace platform {

bool HasBytePermutes()
{
#if NUVAK_BYTE_PERMUTES
    static const bool has = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") &&
               __builtin_cpu_supports("avx512vbmi");
    }();
    return has;
#else
    return false;
#endif
}

}  // namespace platform
