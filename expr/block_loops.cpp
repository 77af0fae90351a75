#include "expr/block_loops.h"

#include "expr/elementary.h"
#include "expr/operations.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <utility>

namespace ovilan {

namespace {

    template <bool IsRun> double at(const BlockOperand& operand, std::size_t i)
    {
        if constexpr (IsRun)
            return operand.run[i];
        else
            return operand.single;
    }

    // Every point through the shared operation routine, so the result is the text evaluator's
    // to the last bit. The operation and the operands' shapes are constants here, so each
    // instance is the operation's own code with nothing left to dispatch.
    template <int Code, bool LeftIsRun, bool RightIsRun>
    void exactLoop(BlockOperand x, BlockOperand a, std::size_t count, double* target, char* defined)
    {
        for (std::size_t i = 0; i < count; ++i) {
            const auto result = applyOperation(Code, at<LeftIsRun>(x, i), at<RightIsRun>(a, i));
            target[i] = result.value_or(0);
            defined[i] &= static_cast<char>(result.has_value());
        }
    }

    // A kernel knows, for an operation, where it is surely defined and then computes the
    // routine's value with the same arithmetic, without branches, so the compiler runs several
    // points at once. A block with any other point goes through the routine instead: undefined
    // points are rare, and the answer is the same either way.
    template <class Kernel, bool LeftIsRun, bool RightIsRun>
    void kernelLoop(
        BlockOperand x, BlockOperand a, std::size_t count, double* target, char* defined)
    {
        // Look first and write after: the results may go where the operands are. The look is
        // a store of one mark a point and then their bits ORed, as the compiler vectorises both;
        // it does not vectorise an OR of the comparisons themselves.
        std::array<double, kMaxBlockSize> marks;
        for (std::size_t i = 0; i < count; ++i)
            marks[i] = Kernel::sure(at<LeftIsRun>(x, i), at<RightIsRun>(a, i)) ? 0.0 : 1.0;
        std::uint64_t unsure = 0;
        for (std::size_t i = 0; i < count; ++i)
            unsure |= std::bit_cast<std::uint64_t>(marks[i]);
        if (unsure != 0) {
            exactLoop<Kernel::kCode, LeftIsRun, RightIsRun>(x, a, count, target, defined);
            return;
        }
        for (std::size_t i = 0; i < count; ++i)
            target[i] = Kernel::value(at<LeftIsRun>(x, i), at<RightIsRun>(a, i));
    }

    using detail::kSafeHigh;
    using detail::kSafeLow;

    struct Plus {
        static constexpr int kCode = kPlus;
        static bool sure(double x, double a) { return x + a < kLargestDouble; }
        static double value(double x, double a) { return x + a; }
    };

    struct Minus {
        static constexpr int kCode = kMinus;
        static bool sure(double x, double a) { return !std::isnan(x - a); }
        static double value(double x, double a) { return x - a; }
    };

    struct Multiply {
        static constexpr int kCode = kMultiply;
        static bool sure(double x, double a)
        {
            return (std::fabs(x) <= kSafeHigh) & (std::fabs(a) <= kSafeHigh);
        }
        static double value(double x, double a) { return x * a; }
    };

    struct Divide {
        static constexpr int kCode = kDivide;
        static bool sure(double x, double a)
        {
            const double aa = std::fabs(a);
            return (std::fabs(x) <= kSafeHigh) & (aa >= kSafeLow) & (aa <= kSafeHigh);
        }
        static double value(double x, double a) { return x / a; }
    };

    // x^N for a constant whole N: multiplied out as the routine does it.
    template <int N> struct WholePower {
        static constexpr int kCode = kPower;
        static bool sure(double x, double) { return detail::powerSurelyGuarded(std::fabs(x), N); }
        static double value(double x, double)
        {
            const double magnitude = detail::wholePower<N>(std::fabs(x));
            return (N % 2 != 0 && x < 0) ? -magnitude : magnitude;
        }
    };

    struct Sine {
        static constexpr int kCode = kSin;
        static bool sure(double, double a) { return std::fabs(a) <= elementary::kTrigRange; }
        static double value(double, double a) { return elementary::sine(a); }
    };

    struct Cosine {
        static constexpr int kCode = kCos;
        static bool sure(double, double a) { return std::fabs(a) <= elementary::kTrigRange; }
        static double value(double, double a) { return elementary::cosine(a); }
    };

    struct Tangent {
        static constexpr int kCode = kTg;
        static bool sure(double, double a) { return std::fabs(a) <= elementary::kTrigRange; }
        static double value(double, double a) { return elementary::tangent(a); }
    };

    struct Exponential {
        static constexpr int kCode = kExp;
        static bool sure(double, double a) { return std::fabs(a) <= elementary::kExpRange; }
        static double value(double, double a) { return elementary::exponential(a); }
    };

    struct Absolute {
        static constexpr int kCode = kAbs;
        static bool sure(double, double) { return true; }
        static double value(double, double a) { return std::fabs(a); }
    };

    struct SquareRoot {
        static constexpr int kCode = kSqrt;
        static bool sure(double, double a) { return (a > 0) & (a <= kLargestDouble); }
        static double value(double, double a) { return std::sqrt(a); }
    };

    using ShapeLoops = std::array<BlockLoop, 4>; // indexed by 2 * left is a run + right is a run

    template <class Kernel> constexpr ShapeLoops kernelLoops()
    {
        return { &kernelLoop<Kernel, false, false>,
            &kernelLoop<Kernel, false, true>,
            &kernelLoop<Kernel, true, false>,
            &kernelLoop<Kernel, true, true> };
    }

    template <std::size_t Code> constexpr ShapeLoops exactLoops()
    {
        constexpr int code = static_cast<int>(Code);
        return { &exactLoop<code, false, false>,
            &exactLoop<code, false, true>,
            &exactLoop<code, true, false>,
            &exactLoop<code, true, true> };
    }

    template <std::size_t... Codes>
    constexpr std::array<ShapeLoops, sizeof...(Codes)> exactLoopTable(std::index_sequence<Codes...>)
    {
        return { exactLoops<Codes>()... };
    }

    constexpr auto kExactLoops = exactLoopTable(std::make_index_sequence<kOperationCount>());

    template <int... N>
    constexpr std::array<ShapeLoops, sizeof...(N)> wholePowerLoopTable(
        std::integer_sequence<int, N...>)
    {
        return { kernelLoops<WholePower<N + detail::kLowestMultipliedExponent>>()... };
    }

    // Indexed by the exponent less the lowest multiplied exponent.
    constexpr auto kWholePowerLoops = wholePowerLoopTable(std::make_integer_sequence<int,
        detail::kHighestMultipliedExponent - detail::kLowestMultipliedExponent + 1>());

    void undefinedLoop(BlockOperand, BlockOperand, std::size_t count, double* target, char* defined)
    {
        std::fill(target, target + count, 0.0);
        std::fill(defined, defined + count, 0);
    }

    // A power whose exponent is a constant whole number that the routine multiplies out.
    std::optional<int> multipliedExponent(int code, std::optional<double> rightConstant)
    {
        if (code != kPower || !rightConstant)
            return std::nullopt;
        const double exponent = *rightConstant;
        if (!(exponent >= detail::kLowestMultipliedExponent
                && exponent <= detail::kHighestMultipliedExponent)
            || exponent != std::trunc(exponent) || exponent == 0)
            return std::nullopt;
        return static_cast<int>(exponent);
    }

    ShapeLoops loopsFor(int code, std::optional<double> rightConstant)
    {
        if (const auto exponent = multipliedExponent(code, rightConstant))
            return kWholePowerLoops[static_cast<std::size_t>(
                *exponent - detail::kLowestMultipliedExponent)];
        switch (code) {
        case kPlus:
            return kernelLoops<Plus>();
        case kMinus:
            return kernelLoops<Minus>();
        case kMultiply:
            return kernelLoops<Multiply>();
        case kDivide:
            return kernelLoops<Divide>();
        case kSin:
            return kernelLoops<Sine>();
        case kCos:
            return kernelLoops<Cosine>();
        case kTg:
            return kernelLoops<Tangent>();
        case kExp:
            return kernelLoops<Exponential>();
        case kAbs:
            return kernelLoops<Absolute>();
        case kSqrt:
            return kernelLoops<SquareRoot>();
        default:
            return kExactLoops[static_cast<std::size_t>(code)];
        }
    }

} // namespace

BlockLoop blockLoopFor(
    int code, bool leftIsRun, bool rightIsRun, std::optional<double> rightConstant)
{
    if (code < 0 || code >= kOperationCount)
        return &undefinedLoop;
    const std::size_t shape = (leftIsRun ? 2 : 0) + (rightIsRun ? 1 : 0);
    return loopsFor(code, rightConstant)[shape];
}

} // namespace ovilan
