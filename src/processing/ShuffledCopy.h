// Pixels copied from fixed places of a source row sixteen bytes at a time,
// with byte shuffles where the processor has them.
#pragma once

#include <cstdint>
#include <vector>

namespace sampling {

// One plan for every row taken alike: out gets the pixels at source +
// offsets[k] (byte offsets that never fall with k) of a row of rowBytes
// bytes, pixel k at out + 3k, and no byte beyond the count pixels.
class ShuffledCopy {
public:
    // offsets must outlive the plan.
    ShuffledCopy(const std::vector<long long>& offsets, int count, long long rowBytes);

    // Whether the plan shuffles; without, Copy is a plain byte loop.
    bool Shuffles() const { return loads_ > 0; }
    void Copy(const std::uint8_t* source, std::uint8_t* out) const;

private:
    const long long* offsets_;
    int count_;
    int loads_ = 0;                    // sixteen-byte loads of each step
    std::vector<long long> bases_;     // each step's first load, one step per 16 bytes out
    std::vector<std::uint8_t> masks_;  // 16 bytes for each load of each step
};

}  // namespace sampling
