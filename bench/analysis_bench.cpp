// Curve analysis on graphs of 20000 steps, as the window's Find and Integral run it: every
// root, extremum and axis crossing of one graph, the intersections of two, and an integral to
// 1e-10. Prints one summary line per figure.

#include "analysis/curve_features.h"
#include "analysis/curve_fit.h"
#include "analysis/integral.h"
#include "analysis/intersections.h"
#include "bench/summary_reporter.h"
#include "expr/formula_check.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdio>
#include <memory>
#include <numbers>
#include <stdexcept>
#include <string>
#include <vector>

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

// Measurements of 2000 points: a smooth curve plus a deterministic ripple standing for noise.
constexpr int kFitPoints = 2000;

struct FitData {
    std::vector<double> x;
    std::vector<double> y;
};

template <typename Curve> FitData measured(double from, double to, Curve curve)
{
    FitData data;
    for (int i = 0; i < kFitPoints; ++i) {
        const double x = from + (to - from) * i / (kFitPoints - 1);
        data.x.push_back(x);
        data.y.push_back(curve(x) + 0.01 * std::sin(37.0 * i));
    }
    return data;
}

void fitBenchmark(benchmark::State& state, const FitData& data, const ovilan::FitRequest& request)
{
    for (auto _ : state) {
        const ovilan::FitResult fit = ovilan::fitCurve(data.x, data.y, request);
        if (!fit.ok())
            state.SkipWithError(fit.refusal.c_str());
        benchmark::DoNotOptimize(fit.coefficients.data());
    }
}

void fitPolynomial6(benchmark::State& state)
{
    static const FitData data = measured(-1, 3, [](double x) {
        return 1 - 2 * x + 0.5 * x * x - 0.3 * std::pow(x, 3) + 0.1 * std::pow(x, 6);
    });
    fitBenchmark(state, data, { ovilan::FitModel::Polynomial, 6, {}, {} });
}

void fitNonlinear3(benchmark::State& state)
{
    static const FitData data
        = measured(0, 10, [](double x) { return 2 * std::exp(-0.5 * x) + 1; });
    fitBenchmark(state,
        data,
        { ovilan::FitModel::Formula, 2, "k*exp(m*x)+v", { { 'k', 1 }, { 'm', -1 }, { 'v', 0 } } });
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

    benchmark::RegisterBenchmark("fit/poly6", fitPolynomial6)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("fit/nonlinear3", fitNonlinear3)->Unit(benchmark::kMillisecond);

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
    std::printf("fit poly6 points=%d ms=%.3f (budget 5)\n", kFitPoints, reporter.time("fit/poly6"));
    std::printf("fit nonlinear3 points=%d ms=%.3f (budget 50)\n",
        kFitPoints,
        reporter.time("fit/nonlinear3"));
    return 0;
}
