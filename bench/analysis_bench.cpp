// Curve analysis on graphs of 20000 steps, as the window's Find and Integral run it: every
// root, extremum and axis crossing of one graph, the intersections of two, and an integral to
// 1e-10. Prints one summary line per figure.

#include "analysis/curve_features.h"
#include "analysis/integral.h"
#include "analysis/intersections.h"
#include "bench/summary_reporter.h"
#include "expr/formula_check.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>
#include <numbers>
#include <stdexcept>
#include <string>

namespace {

constexpr int kSteps = 20000;
constexpr const char* kTypical = "(x^3-2*x)/(x^2+1)*cos(3*x)";
constexpr const char* kDamped = "sin(x)*exp(-x^2/20)*5";

std::string normalForm(const char* text, const char* variable)
{
    std::string normal = text;
    if (ovilan::checkFormula(normal, variable) != ovilan::kFormulaOk)
        throw std::runtime_error(std::string("benchmark formula refused: ") + text);
    return normal;
}

std::unique_ptr<ovilan::CurveFunction> yOfX(const char* text)
{
    return ovilan::yOfXCurve(normalForm(text, "x"), { -10, 10, kSteps });
}

std::size_t lastCount = 0;

void features(benchmark::State& state)
{
    const auto curve = yOfX(kTypical);
    for (auto _ : state) {
        const auto found = ovilan::findCurveFeatures(*curve, 0, { -10, 10 }, {});
        lastCount = found.features.size();
        benchmark::DoNotOptimize(found.features.data());
    }
    state.counters["results"] = static_cast<double>(lastCount);
}

void intersections(benchmark::State& state)
{
    const auto curve = yOfX(kTypical);
    const auto other = yOfX(kDamped);
    for (auto _ : state) {
        const auto found = ovilan::findIntersections(*curve, 0, *other, 1, { -10, 10 }, {});
        benchmark::DoNotOptimize(found.features.data());
        state.counters["results"] = static_cast<double>(found.features.size());
    }
}

// Two parametric curves: crossings of their sampled lines, refined.
void lineCrossings(benchmark::State& state)
{
    const double pi = std::numbers::pi;
    const auto heart = ovilan::parametricCurve(normalForm("16sin(t)^3/2", "t"),
        normalForm("(13cos(t)-5cos(2t)-2cos(3t)-cos(4t))/2", "t"),
        { 0, 2 * pi, kSteps });
    const auto rose = ovilan::parametricCurve(normalForm("6cos(3t)*cos(t)", "t"),
        normalForm("6cos(3t)*sin(t)", "t"),
        { 0, 2 * pi, kSteps });
    for (auto _ : state) {
        const auto found = ovilan::findIntersections(*heart, 0, *rose, 1, { 0, 2 * pi }, {});
        benchmark::DoNotOptimize(found.features.data());
        state.counters["results"] = static_cast<double>(found.features.size());
    }
}

void integral(benchmark::State& state)
{
    const auto curve = yOfX(kTypical);
    for (auto _ : state) {
        const auto value = ovilan::integrate(*curve, -10, 10);
        if (value.status != ovilan::IntegralStatus::Ok)
            state.SkipWithError("the integral was refused");
        benchmark::DoNotOptimize(value.value);
    }
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::RegisterBenchmark("analysis/features", features)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("analysis/intersections", intersections)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("analysis/line_crossings", lineCrossings)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("analysis/integral", integral)->Unit(benchmark::kMillisecond);

    benchmark::Initialize(&argc, argv);
    ovilan::bench::SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    std::printf("\n");
    std::printf("analysis features steps=%d results=%zu ms=%.2f (budget 20)\n",
        kSteps,
        lastCount,
        reporter.time("analysis/features"));
    std::printf("analysis intersections steps=%d ms=%.2f (budget 20)\n",
        kSteps,
        reporter.time("analysis/intersections"));
    std::printf("analysis line_crossings steps=%d ms=%.2f\n",
        kSteps,
        reporter.time("analysis/line_crossings"));
    std::printf("analysis integral tolerance=1e-10 ms=%.3f (budget 5)\n",
        reporter.time("analysis/integral"));
    return 0;
}
