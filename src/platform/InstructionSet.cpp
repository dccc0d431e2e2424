// The processor's instruction sets, asked once, and NUVAK_ISA.
#include "platform/InstructionSet.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace platform {

namespace {

struct Processor {
    InstructionSet best = InstructionSet::Baseline;
    bool shuffles = false;
    bool fused = false;
    bool permutes = false;
};

Processor Ask()
{
    Processor p;
#if defined(__x86_64__) && defined(__GNUC__)
    __builtin_cpu_init();
    // The x86-64-v4 level, feature by feature: older compilers know no level names.
    const bool v3 = __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma") &&
                    __builtin_cpu_supports("bmi") && __builtin_cpu_supports("bmi2");
    if (v3 && __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") &&
        __builtin_cpu_supports("avx512cd") && __builtin_cpu_supports("avx512dq") &&
        __builtin_cpu_supports("avx512vl"))
        p.best = InstructionSet::Avx512;
    else if (__builtin_cpu_supports("avx2"))
        p.best = InstructionSet::Avx2;
    p.shuffles = __builtin_cpu_supports("ssse3");
    p.fused = __builtin_cpu_supports("fma");
    p.permutes = __builtin_cpu_supports("avx512vbmi");
#endif
    return p;
}

const Processor& TheProcessor()
{
    static const Processor processor = Ask();
    return processor;
}

// NUVAK_ISA may lower the processor's best; an unknown name, or a set the
// processor lacks, is said on stderr and leaves the best.
InstructionSet FromEnvironment()
{
    const InstructionSet best = TheProcessor().best;
    const char* text = std::getenv("NUVAK_ISA");
    if (!text || !*text) return best;
    for (const InstructionSet set : {InstructionSet::Avx512, InstructionSet::Avx2, InstructionSet::Baseline}) {
        if (std::strcmp(text, SetName(set)) != 0) continue;
        if (set > best) {
            std::fprintf(stderr, "NUVAK_ISA=%s: this processor lacks it; %s is used.\n", text, SetName(best));
            return best;
        }
        return set;
    }
    std::fprintf(stderr, "NUVAK_ISA=%s is not avx512, avx2 or baseline; %s is used.\n", text, SetName(best));
    return best;
}

InstructionSet TheChoice()
{
    static const InstructionSet choice = FromEnvironment();
    return choice;
}

// A ScopedSet's set, or -1.
std::atomic<int> scoped{-1};

}  // namespace

InstructionSet ChosenSet()
{
    const int lowered = scoped.load(std::memory_order_relaxed);
    const InstructionSet set = TheChoice();
    return lowered < 0 ? set : std::min(set, static_cast<InstructionSet>(lowered));
}

InstructionSet BestSet() { return TheProcessor().best; }

bool SetForced() { return ChosenSet() != BestSet(); }

const char* SetName(InstructionSet set)
{
    switch (set) {
    case InstructionSet::Avx512:
        return "avx512";
    case InstructionSet::Avx2:
        return "avx2";
    case InstructionSet::Baseline:
        break;
    }
    return "baseline";
}

bool HasByteShuffles()
{
    return TheProcessor().shuffles && !(ChosenSet() == InstructionSet::Baseline && SetForced());
}

bool HasFusedAdds() { return TheProcessor().fused && ChosenSet() >= InstructionSet::Avx2; }

bool HasBytePermutes() { return TheProcessor().permutes && ChosenSet() == InstructionSet::Avx512; }

ScopedSet::ScopedSet(InstructionSet set) : previous_(scoped.exchange(static_cast<int>(set))) {}

ScopedSet::~ScopedSet() { scoped.store(previous_); }

}  // namespace platform
