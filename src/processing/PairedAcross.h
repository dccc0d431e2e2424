// The narrow integer mix across a source row in one pass, where the
// processor has AVX-512 byte permutes.
#pragma once

#include <cstdint>
#include <vector>

namespace sampling {

// One plan for every row taken alike: sums[i], for each byte i of the
// pixels at source + offsets[k] (byte offsets that never fall with k) of a
// row of rowBytes bytes, is a (unit - fx[k]) + b fx[k], a the byte and b the
// same byte of the right neighbour, as MixAcross gives for 16-bit sums. unit
// is at most 16 and fx at most 2 unit, so that the weights fit a signed byte.
class PairedAcross {
public:
    // offsets and fx must outlive the plan.
    PairedAcross(const std::vector<long long>& offsets, const std::vector<int>& fx, int unit, long long rowBytes);

    // Whether the plan can run here; without, Across must not be called.
    bool Runs() const { return loads_ > 0; }
    void Across(const std::uint8_t* source, std::int16_t* sums) const;

private:
    const long long* offsets_;
    const int* fx_;
    int unit_;
    int count_;
    int loads_ = 0;                   // 64-byte loads of each step's window
    std::vector<long long> bases_;    // where each step's window starts, one step per 32 sums
    std::vector<std::uint8_t> picks_;  // per step, 64 bytes: each sum's byte and its neighbour's
    std::vector<std::int8_t> weights_; // per step, their 64 weights
};

}  // namespace sampling
