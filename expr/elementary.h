#pragma once

#include <bit>
#include <cstdint>

namespace ovilan::elementary {

// Sine, cosine, tangent and the exponential for the arguments a plot meets most, in plain
// arithmetic without branches or library calls, so that a loop over a block of points runs them
// several points to an instruction. Each agrees with the exactly rounded value to within about
// one unit in the last place. They are the same functions whether a formula is evaluated once or
// traced, so both evaluators still give the same bits; beyond the ranges below the operations
// call the C library instead.

// Up to here the argument is reduced to a quarter turn with no loss: q * kHalfPi1..3 are exact
// for q below 2^25, and the four parts hold pi/2 to 2^-140.
inline constexpr double kTrigRange = 1e5;
// Up to here e^a is a normal double scaled from [0.7, 1.42] by a power of two.
inline constexpr double kExpRange = 700;

namespace detail {

    // Adding 1.5 * 2^52 rounds a double below 2^51 to a whole number, which then stands in the
    // low bits of the sum: the quadrant, or the power of two.
    inline constexpr double kRoundingShift = 6755399441055744.0;

    inline constexpr double kTwoOverPi = 0.6366197723675814;
    inline constexpr double kHalfPi1 = 0x1.921fb54000000p+0;
    inline constexpr double kHalfPi2 = 0x1.10b4612000000p-30;
    inline constexpr double kHalfPi3 = -0x1.676733a000000p-60;
    inline constexpr double kHalfPi4 = -0x1.d1fc8f8cbb5bfp-89;

    // Branch-free choices on the quadrant's bits, so that a loop over points stays vectorised.
    inline double choose(std::uint64_t bit, double ifSet, double ifClear)
    {
        const std::uint64_t mask = 0 - (bit & 1);
        return std::bit_cast<double>((std::bit_cast<std::uint64_t>(ifSet) & mask)
            | (std::bit_cast<std::uint64_t>(ifClear) & ~mask));
    }

    inline double negatedIf(std::uint64_t bit, double value)
    {
        return std::bit_cast<double>(std::bit_cast<std::uint64_t>(value) ^ ((bit & 1) << 63));
    }

    struct QuarterTurns {
        double remainder; // in about [-pi/4, pi/4]
        std::uint64_t quadrant; // the quarter turns taken off, in the low bits
    };

    // a - b, with its rounding error added to `error` (Knuth's two-sum).
    inline double difference(double a, double b, double& error)
    {
        const double d = a - b;
        const double back = d - a;
        error += (a - (d - back)) - (b + back);
        return d;
    }

    inline QuarterTurns reduce(double x)
    {
        const double shifted = x * kTwoOverPi + kRoundingShift;
        const double q = shifted - kRoundingShift;
        // The parts are taken off one at a time: near a multiple of pi/2 each difference is exact,
        // so a tiny remainder keeps its digits. Where the remainder is large each difference is
        // rounded instead; their rounding errors are carried along and added back at the end.
        double error = 0;
        double r = x - q * kHalfPi1;
        r = difference(r, q * kHalfPi2, error);
        r = difference(r, q * kHalfPi3, error);
        r = difference(r, q * kHalfPi4, error);
        return { r + error, std::bit_cast<std::uint64_t>(shifted) };
    }

    // Minimax polynomials on [-pi/4, pi/4] (the Cephes library's coefficients).
    inline double sinePolynomial(double r)
    {
        const double z = r * r;
        const double p = ((((1.58962301576546568060e-10 * z - 2.50507477628578072866e-8) * z
                               + 2.75573136213857245213e-6)
                                  * z
                              - 1.98412698295895385996e-4)
                                 * z
                             + 8.33333333332211858878e-3)
                * z
            - 1.66666666666666307295e-1;
        return r + r * z * p;
    }

    inline double cosinePolynomial(double r)
    {
        const double z = r * r;
        const double p = ((((-1.13585365213876817300e-11 * z + 2.08757008419747316778e-9) * z
                               - 2.75573141792967388112e-7)
                                  * z
                              + 2.48015872888517045348e-5)
                                 * z
                             - 1.38888888888730564116e-3)
                * z
            + 4.16666666666665929218e-2;
        // 1 - z/2 with the rounding error of that difference carried on (as fdlibm does), so
        // near r = pi/4 the result keeps its last bit.
        const double half = 0.5 * z;
        const double w = 1.0 - half;
        return w + (((1.0 - w) - half) + z * z * p);
    }

    // tan r = r + r z P(z) / Q(z) with z = r^2 (the Cephes library's coefficients); in an odd
    // quadrant the result is -cot r.
    inline double tangentOfRemainder(double r, std::uint64_t quadrant)
    {
        const double z = r * r;
        const double p = ((-1.30936939181383777646e4 * z + 1.15351664838587416140e6) * z
                             - 1.79565251976484877988e7)
            * z;
        const double q = (((z + 1.36812963470692954678e4) * z - 1.32089234440210967447e6) * z
                             + 2.50083801823357915839e7)
                * z
            - 5.38695755929454629881e7;
        const double tan = r + r * (p / q);
        return choose(quadrant, -1.0 / tan, tan);
    }

    inline constexpr double kLog2E = 1.4426950408889634;
    inline constexpr double kLn2High = 6.93145751953125e-1; // few bits: n * kLn2High is exact
    inline constexpr double kLn2Low = 1.42860682030941723212e-6;

} // namespace detail

// Sine for |x| <= kTrigRange.
inline double sine(double x)
{
    const auto [r, quadrant] = detail::reduce(x);
    const double value
        = detail::choose(quadrant, detail::cosinePolynomial(r), detail::sinePolynomial(r));
    return detail::negatedIf(quadrant >> 1, value);
}

// Cosine for |x| <= kTrigRange: the sine a quarter turn further on.
inline double cosine(double x)
{
    const auto [r, quadrant] = detail::reduce(x);
    const double value
        = detail::choose(quadrant, detail::sinePolynomial(r), detail::cosinePolynomial(r));
    return detail::negatedIf((quadrant + 1) >> 1, value);
}

// Tangent for |x| <= kTrigRange. No double lies on an odd multiple of pi/2, so in an odd quadrant
// r is never 0 and the result stays finite.
inline double tangent(double x)
{
    const auto [r, quadrant] = detail::reduce(x);
    return detail::tangentOfRemainder(r, quadrant);
}

// e^x for |x| <= kExpRange: e^r for |r| <= ln(2)/2 (the Cephes rational form), times 2^n.
inline double exponential(double x)
{
    using namespace detail;
    const double shifted = x * kLog2E + kRoundingShift;
    const double n = shifted - kRoundingShift;
    double r = x - n * kLn2High;
    r = r - n * kLn2Low;
    const double z = r * r;
    const double p = r * ((1.26177193074810590878e-4 * z + 3.02994407707441961300e-2) * z + 1.0);
    const double q = ((3.00198505138664455042e-6 * z + 2.52448340349684104192e-3) * z
                         + 2.27265548208155028766e-1)
            * z
        + 2.0;
    const double fraction = 1.0 + 2.0 * (p / (q - p));
    const std::uint64_t whole
        = std::bit_cast<std::uint64_t>(shifted) - std::bit_cast<std::uint64_t>(kRoundingShift);
    return fraction * std::bit_cast<double>((whole + 1023) << 52);
}

} // namespace ovilan::elementary
