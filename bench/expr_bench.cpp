// The formula engine as tracing runs it: check and prepare once, then evaluate at 20001 points
// with the variable advanced by adding the step. Prints one summary line per figure.

#include "bench/summary_reporter.h"
#include "expr/expression.h"
#include "expr/formula_check.h"

#include <array>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr int kSteps = 20000;
constexpr double kFrom = -10;
constexpr double kTo = 10;

struct Formula {
    const char* name;
    const char* text;
};

constexpr std::array<Formula, 6> kFormulas = { {
    { "F1", "sin(x)" },
    { "F2", "x^2-3*x+2" },
    { "F3", "sin(x)*exp(-x^2/10)+sqrt(abs(x))" },
    { "F4", "1/x" },
    { "F5", "tg(x)" },
    { "F6", "(x^3-2*x)/(x^2+1)*cos(3*x)" },
} };

// A long formula of the kind a user builds up over time, about 200 characters.
constexpr const char* kLongFormula
    = "2x^3-3x^2+sin(2x)cos(x/3)+sqrt(abs(x)+1)*exp(-x^2/20)-ln(x^2+1)/(1+abs(x))"
      "+tg(x/7)*arctg(x)-round(x/2)+floor(x)*0.25+ch(x/10)-sh(x/10)+th(x)*2pi+degtorad(45)*x"
      "+lg(abs(x)+10)";

std::string normalForm(const char* text)
{
    std::string normal = text;
    if (ovilan::checkFormula(normal, "x") != ovilan::kFormulaOk)
        throw std::runtime_error(std::string("benchmark formula refused: ") + text);
    return normal;
}

void traceFormula(benchmark::State& state, const char* text)
{
    const ovilan::Expression expression = ovilan::prepare(normalForm(text), "x");
    static std::array<double, kSteps + 1> samples;
    static std::array<double, kSteps + 1> values;
    static std::array<bool, kSteps + 1> defined;
    const double step = (kTo - kFrom) / kSteps;
    for (auto _ : state) {
        ovilan::ExpressionEvaluator evaluator(expression);
        double v = kFrom;
        for (double& sample : samples) {
            sample = v;
            v += step;
        }
        evaluator.evaluate(samples, values, defined);
        benchmark::DoNotOptimize(values.data());
        benchmark::DoNotOptimize(defined.data());
    }
    state.SetItemsProcessed(state.iterations() * (kSteps + 1));
}

void checkLongFormula(benchmark::State& state)
{
    for (auto _ : state) {
        std::string text = kLongFormula;
        benchmark::DoNotOptimize(ovilan::checkFormula(text, "x"));
        benchmark::DoNotOptimize(text.data());
    }
}

} // namespace

int main(int argc, char** argv)
{
    for (const Formula& formula : kFormulas) {
        benchmark::RegisterBenchmark(
            (std::string("trace/") + formula.name).c_str(), traceFormula, formula.text)
            ->Unit(benchmark::kNanosecond);
    }
    benchmark::RegisterBenchmark("check/long", checkLongFormula)->Unit(benchmark::kNanosecond);

    benchmark::Initialize(&argc, argv);
    ovilan::bench::SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    std::printf("\n");
    for (const Formula& formula : kFormulas) {
        const double perRun = reporter.time(std::string("trace/") + formula.name);
        std::printf("trace %s ns_per_point=%.1f\n", formula.name, perRun / (kSteps + 1));
    }
    std::printf("check long_formula chars=%zu us_per_check=%.1f\n",
        std::string(kLongFormula).size(),
        reporter.time("check/long") / 1000);
    return 0;
}
