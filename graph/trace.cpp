#include "graph/trace.h"

#include "expr/expression.h"
#include "graph/vector_state.h"

#include <algorithm>
#include <array>

namespace ovilan {

void fillSamples(double from, double to, int n, std::span<double> samples)
{
    const double step = (to - from) / n;
    double v = from;
    const std::size_t count = std::min(samples.size(), static_cast<std::size_t>(n) + 1);
    for (std::size_t i = 0; i < count; ++i) {
        samples[i] = v;
        v += step;
    }
}

void traceFormula(std::string_view normalForm,
    std::string_view variable,
    std::span<const double> samples,
    std::span<double> values,
    std::span<std::uint8_t> undefined)
{
    // Vector code run before (the window's drawing) may slow every pow of the trace down.
    clearUpperVectorState();
    const Expression expression = prepare(normalForm, variable);
    ExpressionEvaluator evaluator(expression);
    // One block of defined flags at a time keeps the work free of per-point allocation.
    constexpr std::size_t kChunk = ExpressionEvaluator::kBlockSize;
    std::array<bool, kChunk> defined {};
    const std::size_t count = std::min({ samples.size(), values.size(), undefined.size() });
    for (std::size_t start = 0; start < count; start += kChunk) {
        const std::size_t length = std::min(kChunk, count - start);
        evaluator.evaluate(samples.subspan(start, length),
            values.subspan(start, length),
            std::span(defined).first(length));
        for (std::size_t i = 0; i < length; ++i)
            undefined[start + i] = defined[i] ? 0 : 1;
    }
}

void applyPenUpRule(std::span<const std::uint8_t> marks, std::span<std::uint8_t> penUp)
{
    const std::size_t count = std::min(marks.size(), penUp.size());
    if (count == 0)
        return;
    for (std::size_t i = count - 1; i >= 1; --i)
        penUp[i] = (marks[i] || marks[i - 1]) ? 1 : 0;
    penUp[0] = 1;
}

} // namespace ovilan
