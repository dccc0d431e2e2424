// Pixels copied from fixed places of a source row many bytes at a time, with
// byte shuffles where the processor has them.
#pragma once

#include <cstdint>
#include <vector>

// Builds that can hold code for byte shuffles and permutes beside the plain
// loops, chosen by the processor at run time.
#if defined(__x86_64__) && defined(__GNUC__)
#define NUVAK_BYTE_SHUFFLES 1
#else
#define NUVAK_BYTE_SHUFFLES 0
#endif

namespace sampling {

// Where the steps of a row plan load from. Step s gives stepBytes bytes out,
// the bytes of pixels at offsets[k] (byte offsets that never fall with k)
// in order, and finds its sources in a window of loads x loadBytes of the
// source row: from the first byte of its first pixel to reach bytes beyond
// the first byte of its last. Near the row's end a window moves back so as
// to end with the row.
class RowWindows {
public:
    RowWindows(const long long* offsets, int count, int stepBytes, int reach, int loadBytes, int mostLoads,
               long long rowBytes);

    long long Steps() const { return steps_; }
    // 0 where some step's sources lie too far apart or the row is too short.
    int Loads() const { return loads_; }
    long long Base(long long step) const;

private:
    const long long* offsets_;
    int stepBytes_;
    long long rowBytes_;
    long long steps_;
    int loads_ = 0;
    long long window_ = 0;
};

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
    // Plans steps of stepBytes out, each from a window of up to mostLoads
    // loads of stepBytes; false where that cannot serve.
    bool Plan(const std::vector<long long>& offsets, long long rowBytes, int stepBytes, int mostLoads);

    const long long* offsets_;
    int count_;
    int stepBytes_ = 0;                // bytes out per step: 16, or 64 with wide permutes
    int loads_ = 0;                    // loads of each step's window
    std::vector<long long> bases_;     // where each step's window starts
    std::vector<std::uint8_t> masks_;  // each step's picks
};

}  // namespace sampling
