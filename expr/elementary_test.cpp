#include "expr/elementary.h"
#include "expr/operations.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <vector>

namespace ovilan {
namespace {

    // How far a result lies from the exact value, in units in the last place of that value.
    double ulpsFrom(double result, long double exact)
    {
        const double nearest = static_cast<double>(exact);
        const double unit = nearest == 0
            ? std::numeric_limits<double>::denorm_min()
            : std::nextafter(std::fabs(nearest), INFINITY) - std::fabs(nearest);
        return static_cast<double>(std::fabs(static_cast<long double>(result) - exact)) / unit;
    }

    // Random arguments over the range and the doubles beside every multiple of pi/2 in it, where
    // the reduction cancels almost every digit.
    std::vector<double> trigArguments()
    {
        std::vector<double> points;
        std::mt19937_64 random(7);
        std::uniform_real_distribution<double> unit(-1, 1);
        for (int i = 0; i < 200000; ++i) {
            const double u = unit(random);
            points.insert(points.end(), { u, u * 10, u * 1000, u * elementary::kTrigRange });
        }
        const long double halfPi = 1.5707963267948966192313216916397514L;
        for (long k = 1; k * halfPi <= elementary::kTrigRange; k += 7) {
            const double near = static_cast<double>(k * halfPi);
            points.insert(points.end(),
                { near, std::nextafter(near, 0.0), std::nextafter(near, INFINITY), -near });
        }
        return points;
    }

    TEST(Elementary, TrigonometryWithinAFewUlps)
    {
        if (std::numeric_limits<long double>::digits < 64)
            GTEST_SKIP() << "needs an extended long double as the reference";
        double sine = 0, cosine = 0, tangent = 0;
        for (const double x : trigArguments()) {
            const long double wide = x;
            sine = std::max(sine, ulpsFrom(elementary::sine(x), std::sin(wide)));
            cosine = std::max(cosine, ulpsFrom(elementary::cosine(x), std::cos(wide)));
            tangent = std::max(tangent, ulpsFrom(elementary::tangent(x), std::tan(wide)));
        }
        EXPECT_LE(sine, 2.0);
        EXPECT_LE(cosine, 2.0);
        EXPECT_LE(tangent, 3.0);
    }

    TEST(Elementary, ExponentialWithinAFewUlps)
    {
        if (std::numeric_limits<long double>::digits < 64)
            GTEST_SKIP() << "needs an extended long double as the reference";
        std::mt19937_64 random(11);
        std::uniform_real_distribution<double> range(-elementary::kExpRange, elementary::kExpRange);
        double worst = 0;
        for (int i = 0; i < 400000; ++i) {
            const double x = i % 2 ? range(random) : range(random) / 700;
            worst = std::max(
                worst, ulpsFrom(elementary::exponential(x), std::exp(static_cast<long double>(x))));
        }
        for (const double x : { 0.0, -0.0, 700.0, -700.0, 1e-300 })
            worst = std::max(
                worst, ulpsFrom(elementary::exponential(x), std::exp(static_cast<long double>(x))));
        EXPECT_LE(worst, 2.0);
    }

    // Whole powers are multiplied out; they stay within a few ulps of the exact power, keep the
    // sign rule of a negative base, and a negative exponent neither overflows nor loses a
    // small result the library's pow would keep.
    TEST(Elementary, MultipliedPowersWithinAFewUlps)
    {
        if (std::numeric_limits<long double>::digits < 64)
            GTEST_SKIP() << "needs an extended long double as the reference";
        std::mt19937_64 random(13);
        std::uniform_real_distribution<double> exponent(-30, 30);
        double worst = 0;
        for (int i = 0; i < 100000; ++i) {
            const double x = (i % 2 ? -1 : 1) * std::pow(10.0, exponent(random));
            for (int n = -8; n <= 8; ++n) {
                const auto result = applyOperation(kPower, x, n);
                if (!result)
                    continue;
                const long double exact = std::pow(static_cast<long double>(x), n);
                if (std::fabs(exact) < std::numeric_limits<double>::min())
                    continue; // below the normal range an ulp is no longer relative
                worst = std::max(worst, ulpsFrom(*result, exact));
            }
        }
        EXPECT_LE(worst, 2.0);
        // 1e-310 is below the normal range; the reciprocal squared keeps it to the last unit.
        EXPECT_NEAR(applyOperation(kPower, 1e155, -2).value_or(0), std::pow(1e155, -2.0), 1e-323);
        EXPECT_EQ(applyOperation(kPower, -2, -3), -0.125);
        EXPECT_EQ(applyOperation(kPower, 0, 3), 0.0);
    }

} // namespace
} // namespace ovilan
