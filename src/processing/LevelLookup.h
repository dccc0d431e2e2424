// Passing grey levels through a level map at the speed of memory: 64 levels
// a step with byte permutes where the processor has them, else two levels a
// lookup from a table of pairs.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace levels {

class LevelLookup {
public:
    explicit LevelLookup(const std::array<std::uint8_t, 256>& map);
    // p[i] = map[p[i]] for i < n.
    void Map(std::uint8_t* p, int n) const;

private:
    std::array<std::uint8_t, 256> map_;
    bool permutes_;
    std::vector<std::uint16_t> pairs_;  // map of two levels, the first in the low byte
};

}  // namespace levels
