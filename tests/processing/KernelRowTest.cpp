// The double kernel row, fused or not, against sums added one product at a
// time, bit for bit.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

#include "processing/NeighbourhoodSums.h"

namespace {

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

}  // namespace

TEST(KernelRow, FusedAndSeparateSumsEqualTheProductByProductSum)
{
    std::mt19937 random(31);
    std::uniform_int_distribution<int> sample(0, 255), exponent(-140, 100);
    std::uniform_real_distribution<float> mantissa(-1.0f, 1.0f);
    // Counts below, at and beyond whole blocks of sums; weights from
    // subnormal floats to 2^100, some of them zero.
    for (const size_t count : {1u, 31u, 32u, 33u, 97u})
        for (int n = 3; n <= 9; n += 2)
            for (const int channels : {1, 3}) {
                const size_t width = count + static_cast<size_t>(channels) * (n - 1);
                std::vector<std::vector<double>> rows(static_cast<size_t>(n), std::vector<double>(width));
                std::vector<const double*> pointers;
                for (auto& row : rows) {
                    for (double& v : row) v = sample(random);
                    pointers.push_back(row.data());
                }
                std::vector<double> weights(static_cast<size_t>(n * n));
                for (double& w : weights)
                    w = random() % 5 == 0 ? 0.0 : static_cast<double>(std::ldexp(mantissa(random), exponent(random)));
                std::vector<double> fused(count), separate(count);
                neighbourhood::KernelRow(pointers.data(), n, channels, weights.data(), count, fused.data(), true);
                neighbourhood::KernelRow(pointers.data(), n, channels, weights.data(), count, separate.data(), false);
                for (size_t j = 0; j < count; ++j) {
                    double sum = 0;
                    for (int k = 0; k < n; ++k)
                        for (int m = 0; m < n; ++m) {
                            const double w = weights[static_cast<size_t>(k * n + m)];
                            if (w != 0) sum += w * rows[static_cast<size_t>(k)][j + static_cast<size_t>(channels * m)];
                        }
                    ASSERT_TRUE(SameBits(fused[j], sum)) << "count " << count << " n " << n << " sum " << j;
                    ASSERT_TRUE(SameBits(separate[j], sum)) << "count " << count << " n " << n << " sum " << j;
                }
            }
}
