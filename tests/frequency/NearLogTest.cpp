#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "frequency/NearLog.h"

// The near logarithm stays within 2e-13 of the exact one (the bound its
// error margin is built on, with three orders to spare) on the edges of its
// range reduction and on values spread over every scale; infinity and values
// that are not numbers pass unchanged, as the exact logarithm leaves them.
TEST(NearLog, WithinItsBoundOfTheExactLogarithm)
{
    std::vector<double> x = {1, 1.0000000000000002, 1.4142135623730951, 2, 3, 10, 1e10, DBL_MAX};
    for (int e = 0; e < 1024; e += 7) {
        const double p = std::ldexp(1.0, e);
        for (const double v : {p, p * 1.4142135623730951, std::nextafter(p * 1.4142135623730951, 0.0),
                               std::nextafter(p * 2, 0.0)})
            if (v >= 1) x.push_back(v);
    }
    std::mt19937_64 random(17);
    std::uniform_real_distribution<double> exponent(0, 308);
    for (int i = 0; i < 20000; ++i) x.push_back(std::pow(10.0, exponent(random)));
    std::vector<double> near = x;
    NearLogs(near.data(), near.size());
    for (size_t i = 0; i < x.size(); ++i) ASSERT_LE(std::fabs(near[i] - std::log(x[i])), 2e-13) << x[i];
    EXPECT_EQ(near[0], 0);

    double special[] = {std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()};
    NearLogs(special, 2);
    EXPECT_EQ(special[0], std::numeric_limits<double>::infinity());
    EXPECT_TRUE(std::isnan(special[1]));
}

// The same bound for ln(1 + |v|) of complex values, from zero and the
// smallest doubles to the largest whose square is finite, in rows whose
// lengths leave a few over for the plain loop.
TEST(NearLog, MagnitudesWithinTheBound)
{
    const double inf = std::numeric_limits<double>::infinity(), nan = std::numeric_limits<double>::quiet_NaN();
    std::vector<double> parts = {0, 4.9e-324, 1e-300, DBL_MIN, 1e-160, 1e-8, 0.5, 1, 255, 1e10, 1e154, -3, -1e-200};
    std::mt19937_64 random(5);
    std::uniform_real_distribution<double> exponent(-300, 154);
    for (int i = 0; i < 4000; ++i) parts.push_back((i % 2 ? -1 : 1) * std::pow(10.0, exponent(random)));
    std::vector<double> values;
    for (size_t i = 0; i < parts.size(); ++i)
        values.insert(values.end(), {parts[i], parts[(i * 7 + 3) % parts.size()]});
    values.insert(values.end(), {inf, 0.0, 1.0, nan, 1e300, 1e300});
    const size_t count = values.size() / 2;
    std::vector<double> near(count);
    NearLogMagnitudes(values.data(), count, near.data());
    for (size_t i = 0; i + 3 < count; ++i) {
        const double re = values[2 * i], im = values[2 * i + 1];
        ASSERT_LE(std::fabs(near[i] - std::log(1 + std::sqrt(re * re + im * im))), 2e-13) << re << " " << im;
    }
    EXPECT_EQ(near[count - 3], inf);
    EXPECT_TRUE(std::isnan(near[count - 2]));
    EXPECT_EQ(near[count - 1], inf);
}
