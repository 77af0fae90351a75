#pragma once

#include "expr/elementary.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>

namespace ovilan {

// The operation table. A code is an entry's position; the order is at once the operator search
// order and the binding strength, weakest first. Codes 0..4 are binary infix operators, 5..27
// prefix functions of one argument.
// Longer names first where one name contains another: "arcsin" before "sin", "cth" before "th",
// "arcctg" and "arctg" before "ctg" and "tg" — the search is a plain substring search.
inline constexpr int kOperationCount = 28;
inline constexpr int kFirstFunction = 5;
inline constexpr std::array<std::string_view, kOperationCount> kOperationTexts = {
    "+",
    "-",
    "*",
    "/",
    "^",
    "arctg",
    "arcctg",
    "ch",
    "sh",
    "cth",
    "th",
    "arccos",
    "arcsin",
    "sin",
    "cos",
    "ctg",
    "tg",
    "ln",
    "lg",
    "exp",
    "abs",
    "sqrt",
    "ceil",
    "floor",
    "round",
    "sign",
    "degtorad",
    "radtodeg",
};

enum OperationCode : int {
    kPlus = 0,
    kMinus,
    kMultiply,
    kDivide,
    kPower,
    kArctg,
    kArcctg,
    kCh,
    kSh,
    kCth,
    kTh,
    kArccos,
    kArcsin,
    kSin,
    kCos,
    kCtg,
    kTg,
    kLn,
    kLg,
    kExp,
    kAbs,
    kSqrt,
    kCeil,
    kFloor,
    kRound,
    kSign,
    kDegToRad,
    kRadToDeg,
};

constexpr bool isFunction(int code) { return code >= kFirstFunction && code < kOperationCount; }

// Guard limit: the decimal logarithm of the largest finite double, less two decades.
inline constexpr double kGuardLimit = 306.25471555991675;
inline constexpr double kLargestDouble = std::numeric_limits<double>::max();

namespace detail {

    inline constexpr double kLog10E = 0.43429448190325182765;
    inline constexpr double kLog10Two = 0.30102999566398119521;
    inline constexpr double kTrigLimit = 9223372036854775808.0; // 2^63

    // Operands inside these bounds cannot reach the guard limit, so the logarithms are skipped:
    // log10(1e150) + log10(1e150) = 300 < 306.25. The result is the same as with the full test.
    inline constexpr double kSafeHigh = 1e150;
    inline constexpr double kSafeLow = 1e-150;

    inline bool productDefined(double x, double a)
    {
        const double ax = std::fabs(x);
        const double aa = std::fabs(a);
        if (ax <= kSafeHigh && aa <= kSafeHigh)
            return true;
        return std::log10(ax) + std::log10(aa) < kGuardLimit;
    }

    inline bool quotientDefined(double x, double a)
    {
        const double ax = std::fabs(x);
        const double aa = std::fabs(a);
        if (ax <= kSafeHigh && aa >= kSafeLow && aa <= kSafeHigh)
            return true;
        return std::log10(ax) - std::log10(aa) < kGuardLimit;
    }

    inline std::optional<double> divide(double x, double a)
    {
        if (a == 0 || !quotientDefined(x, a))
            return std::nullopt;
        return x / a;
    }

    // Whole exponents in this range are multiplied out: x^3 is x*x*x, within two ulps of the
    // exact power and several times faster than the library's pow. Beyond it the rounding errors
    // of repeated products grow past two ulps, so pow takes over.
    inline constexpr int kLowestMultipliedExponent = -2;
    inline constexpr int kHighestMultipliedExponent = 4;

    // base^N for N >= 1 by repeated squaring: x^4 is (x*x)^2.
    template <int N> double multipliedPower(double base)
    {
        if constexpr (N == 1)
            return base;
        else if constexpr (N % 2 == 0) {
            const double half = multipliedPower<N / 2>(base);
            return half * half;
        } else
            return multipliedPower<N - 1>(base) * base;
    }

    // |x|^n for a whole exponent n within the multiplied range; a negative n multiplies out the
    // reciprocal, which can neither overflow nor lose a result that pow would keep finite.
    template <int N> double wholePower(double magnitude)
    {
        if constexpr (N == 0)
            return 1.0;
        else if constexpr (N < 0)
            return multipliedPower<-N>(1.0 / magnitude);
        else
            return multipliedPower<N>(magnitude);
    }

    inline double wholePower(double magnitude, std::int32_t n)
    {
        switch (n) {
        case -2:
            return wholePower<-2>(magnitude);
        case -1:
            return wholePower<-1>(magnitude);
        case 1:
            return wholePower<1>(magnitude);
        case 2:
            return wholePower<2>(magnitude);
        case 3:
            return wholePower<3>(magnitude);
        case 4:
            return wholePower<4>(magnitude);
        default:
            return std::pow(magnitude, static_cast<double>(n));
        }
    }

    // Bases within these bounds and exponents up to 30 keep log10|x| * a within 300, so the
    // power's guard holds without computing it.
    inline bool powerSurelyGuarded(double magnitude, double exponent)
    {
        return magnitude >= 1e-10 && magnitude <= 1e10 && std::fabs(exponent) <= 30;
    }

    // Base x, exponent a. A whole exponent within 32 bits allows a negative base.
    inline std::optional<double> power(double x, double a)
    {
        const double ax = std::fabs(x);
        // x = 0 takes the full test because its logarithm is infinite (0^0 and 0 to a negative
        // power are undefined).
        if (!powerSurelyGuarded(ax, a) && !(std::log10(ax) * a < kGuardLimit))
            return std::nullopt;
        if (a >= -2147483648.0 && a <= 2147483647.0 && a == std::trunc(a)) {
            const auto n = static_cast<std::int32_t>(a);
            const double result = wholePower(ax, n);
            return (n % 2 != 0 && x < 0) ? -result : result;
        }
        if (!(x > 0))
            return std::nullopt;
        return std::pow(x, a);
    }

    // Below 2^63 the sine, cosine and tangent are defined; the common arguments take our own.
    inline double sine(double a)
    {
        return std::fabs(a) <= elementary::kTrigRange ? elementary::sine(a) : std::sin(a);
    }

    inline double cosine(double a)
    {
        return std::fabs(a) <= elementary::kTrigRange ? elementary::cosine(a) : std::cos(a);
    }

    inline double tangent(double a)
    {
        return std::fabs(a) <= elementary::kTrigRange ? elementary::tangent(a) : std::tan(a);
    }

    inline double exponential(double a)
    {
        return std::fabs(a) <= elementary::kExpRange ? elementary::exponential(a) : std::exp(a);
    }

    inline double pi() { return 4 * std::atan(1.0); }

} // namespace detail

// Applies operation `code` to the left value x and the right value a; functions use only a.
// Returns nothing when the result is undefined at this point.
inline std::optional<double> applyOperation(int code, double x, double a)
{
    using namespace detail;
    switch (code) {
    case kPlus: {
        const double sum = x + a;
        if (!(sum < kLargestDouble))
            return std::nullopt;
        return sum;
    }
    case kMinus: {
        // Not guarded, so a difference may be infinite; but inf - inf must not become NaN.
        const double difference = x - a;
        if (std::isnan(difference))
            return std::nullopt;
        return difference;
    }
    case kMultiply:
        if (!productDefined(x, a))
            return std::nullopt;
        return x * a;
    case kDivide:
        return divide(x, a);
    case kPower:
        return power(x, a);
    case kArctg:
        return std::atan(a);
    case kArcctg:
        return 2 * std::atan(1.0) - std::atan(a);
    case kCh:
    case kSh: {
        if (!(std::fabs(a) * kLog10E - kLog10Two < kGuardLimit))
            return std::nullopt;
        return code == kCh ? std::cosh(a) : std::sinh(a);
    }
    case kCth:
        return divide(1, std::tanh(a));
    case kTh:
        return std::tanh(a);
    case kArccos:
    case kArcsin:
        if (a < -1 || a > 1)
            return std::nullopt;
        return code == kArccos ? std::acos(a) : std::asin(a);
    case kSin:
    case kCos:
    case kTg:
        if (!(std::fabs(a) < kTrigLimit))
            return std::nullopt;
        return code == kSin ? sine(a) : code == kCos ? cosine(a) : tangent(a);
    case kCtg:
        if (!(std::fabs(a) < kTrigLimit))
            return std::nullopt;
        return divide(1, tangent(a));
    case kLn:
    case kLg:
        if (!(a > 0))
            return std::nullopt;
        return code == kLn ? std::log(a) : std::log10(a);
    case kExp:
        if (!(a * kLog10E < kGuardLimit))
            return std::nullopt;
        return exponential(a);
    case kAbs:
        return std::fabs(a);
    case kSqrt:
        // a^0.5: the power's guard refuses only an infinite a. The correctly rounded square
        // root is that power to the last bit.
        if (!(a > 0) || a == std::numeric_limits<double>::infinity())
            return std::nullopt;
        return std::sqrt(a);
    case kCeil:
        return std::ceil(a);
    case kFloor:
        return std::floor(a);
    case kRound: {
        // Halves go toward +infinity: 2.5 gives 3, -2.5 gives -2.
        const double below = std::floor(a);
        const double above = std::ceil(a);
        return (a - below < above - a) ? below : above;
    }
    case kSign:
        return a > 0 ? 1.0 : a < 0 ? -1.0 : 0.0;
    case kDegToRad:
        return std::atan(1.0) * a * 0.022222222222222223;
    case kRadToDeg:
        return a * 180 / (4 * std::atan(1.0));
    default:
        return std::nullopt;
    }
}

} // namespace ovilan
