#pragma once

#include <cstddef>
#include <optional>

namespace ovilan {

// Where a step reads an operand over a block of points: a run of values, one for each point, or
// one value for every point (a constant, or a parameter's current value).
struct BlockOperand {
    const double* run = nullptr;
    double single = 0;
};

// The most points a block loop is given at once.
inline constexpr std::size_t kMaxBlockSize = 128;

// Applies one operation to a block of at most kMaxBlockSize points: x and a are the left and right
// operands, the results go to `target`, and `defined` is cleared at every point where the operation
// is undefined. A loop may write `target` where it reads x or a.
using BlockLoop
    = void (*)(BlockOperand x, BlockOperand a, std::size_t count, double* target, char* defined);

// The loop for operation `code` with operands of these shapes; `rightConstant` is the right
// operand's value when it is a constant, which lets a whole power be multiplied out. An unknown
// code gets a loop that makes every point undefined.
BlockLoop blockLoopFor(
    int code, bool leftIsRun, bool rightIsRun, std::optional<double> rightConstant);

} // namespace ovilan
