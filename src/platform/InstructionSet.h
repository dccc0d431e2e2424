// The vector instructions the row loops use: the best the processor has,
// or a lower set named by NUVAK_ISA (avx512, avx2 or baseline), chosen once
// when first asked. Every set gives the same bits.
#pragma once

#include <string>

namespace platform {

enum class InstructionSet { Baseline, Avx2, Avx512 };

// The set in use: AVX-512 means the x86-64-v4 level (F, BW, CD, DQ, VL).
InstructionSet ChosenSet();

// The best set the processor has, and whether NUVAK_ISA (or a ScopedSet)
// lowered the choice below it.
InstructionSet BestSet();
bool SetForced();

// "avx512", "avx2" or "baseline".
const char* SetName(InstructionSet set);

// The further instructions some loops use, each only where the chosen set
// allows it: SSSE3 byte shuffles (any set but a forced baseline), fused
// multiply-adds (AVX2 and up) and whole-register byte permutes (AVX-512
// with VBMI).
bool HasByteShuffles();
bool HasFusedAdds();
bool HasBytePermutes();

// Lowers the set for its lifetime, never raising it above what the
// processor has; for comparing the builds within one process.
class ScopedSet {
public:
    explicit ScopedSet(InstructionSet set);
    ~ScopedSet();
    ScopedSet(const ScopedSet&) = delete;
    ScopedSet& operator=(const ScopedSet&) = delete;

private:
    int previous_;
};

}  // namespace platform
