// A count known only when the program runs, turned into a constant for the
// loops whose inner steps unroll by it.
#pragma once

#include <type_traits>

namespace neighbourhood {

// f(std::integral_constant<int, n>{}) for n from 1 to Largest; larger n call
// f with Largest + 1 as well, which the caller reads as "beyond".
template <int Largest, int N = 1, typename F>
[[gnu::always_inline]] inline void WithCount(int n, F&& f)
{
    if constexpr (N > Largest) {
        f(std::integral_constant<int, N>{});
    } else {
        if (n == N) return f(std::integral_constant<int, N>{});
        WithCount<Largest, N + 1>(n, f);
    }
}

}  // namespace neighbourhood
