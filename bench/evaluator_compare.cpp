// Ovilan's evaluator beside two well-known formula evaluators, muparser and fparser, and beside a
// hand-written C++ loop, on the points a trace of 20001 samples over [-10, 10] visits. Each runs on
// one core, in the fastest way its documentation gives: muparser both per point and in its bulk
// mode, fparser optimised. Ovilan's evaluator is built inside the timed loop, as tracing builds it.
// Prints one summary line per formula with the best time per point of each and the ratios.

#include "expr/expression.h"
#include "expr/formula_check.h"

#include <algorithm>
#include <array>
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdio>
#include <fparser.hh>
#include <limits>
#include <map>
#include <memory>
#include <muParser.h>
#include <stdexcept>
#include <string>
#include <vector>
#ifdef OVILAN_COMPARE_OPENMP
#include <omp.h>
#endif

namespace {

constexpr int kSteps = 20000;
constexpr std::size_t kPoints = kSteps + 1;

using HandLoop = void (*)(const double* samples, double* results, std::size_t count);

void handSin(const double* samples, double* results, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i)
        results[i] = std::sin(samples[i]);
}

void handDamped(const double* samples, double* results, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i) {
        const double x = samples[i];
        results[i] = std::sin(x) * std::exp(-x * x / 10) + std::sqrt(std::fabs(x));
    }
}

void handTan(const double* samples, double* results, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i)
        results[i] = std::tan(samples[i]);
}

// The same formula in each evaluator's own spelling; the brackets around powers keep muparser's
// unary minus from taking the base.
struct Formula {
    const char* name;
    const char* ovilan;
    const char* muparser;
    const char* fparser;
    HandLoop hand;
};

const std::array<Formula, 6> kFormulas = { {
    { "F1", "sin(x)", "sin(x)", "sin(x)", &handSin },
    { "F2", "x^2-3*x+2", "x^2-3*x+2", "x^2-3*x+2", nullptr },
    { "F3",
        "sin(x)*exp(-x^2/10)+sqrt(abs(x))",
        "sin(x)*exp(-(x^2)/10)+sqrt(abs(x))",
        "sin(x)*exp(-(x^2)/10)+sqrt(abs(x))",
        &handDamped },
    { "F4", "1/x", "1/x", "1/x", nullptr },
    { "F5", "tg(x)", "tan(x)", "tan(x)", &handTan },
    { "F6",
        "(x^3-2*x)/(x^2+1)*cos(3*x)",
        "(x^3-2*x)/(x^2+1)*cos(3*x)",
        "(x^3-2*x)/(x^2+1)*cos(3*x)",
        nullptr },
} };

// The samples as tracing makes them: the variable advanced by adding the step.
const std::vector<double>& samples()
{
    static const std::vector<double> values = [] {
        std::vector<double> v(kPoints);
        const double step = 20.0 / kSteps;
        double x = -10;
        for (double& sample : v) {
            sample = x;
            x += step;
        }
        return v;
    }();
    return values;
}

std::string normalForm(const char* text)
{
    std::string normal = text;
    if (ovilan::checkFormula(normal, "x") != ovilan::kFormulaOk)
        throw std::runtime_error(std::string("formula refused: ") + text);
    return normal;
}

void runOvilan(benchmark::State& state, const Formula* formula)
{
    const ovilan::Expression expression = ovilan::prepare(normalForm(formula->ovilan), "x");
    std::vector<double> results(kPoints);
    const std::unique_ptr<bool[]> defined(new bool[kPoints]);
    for (auto _ : state) {
        ovilan::ExpressionEvaluator evaluator(expression);
        evaluator.evaluate(samples(), results, std::span(defined.get(), kPoints));
        benchmark::DoNotOptimize(results.data());
        benchmark::DoNotOptimize(defined.get());
    }
}

void runMuparserPerPoint(benchmark::State& state, const Formula* formula)
{
    double x = 0;
    mu::Parser parser;
    parser.DefineVar("x", &x);
    parser.SetExpr(formula->muparser);
    benchmark::DoNotOptimize(parser.Eval()); // the first evaluation builds the byte code
    std::vector<double> results(kPoints);
    for (auto _ : state) {
        for (std::size_t i = 0; i < kPoints; ++i) {
            x = samples()[i];
            results[i] = parser.Eval();
        }
        benchmark::DoNotOptimize(results.data());
    }
}

void runMuparserBulk(benchmark::State& state, const Formula* formula)
{
    // In bulk mode the variable is the first of an array, read at each point's offset.
    std::vector<double> xs = samples();
    mu::Parser parser;
    parser.DefineVar("x", xs.data());
    parser.SetExpr(formula->muparser);
    benchmark::DoNotOptimize(parser.Eval());
    std::vector<double> results(kPoints);
    for (auto _ : state) {
        parser.Eval(results.data(), static_cast<int>(kPoints));
        benchmark::DoNotOptimize(results.data());
    }
}

void runFparser(benchmark::State& state, const Formula* formula)
{
    FunctionParser parser;
    if (parser.Parse(formula->fparser, "x") >= 0)
        throw std::runtime_error(std::string("fparser refused: ") + formula->fparser);
    parser.Optimize();
    std::vector<double> results(kPoints);
    for (auto _ : state) {
        for (std::size_t i = 0; i < kPoints; ++i)
            results[i] = parser.Eval(&samples()[i]);
        benchmark::DoNotOptimize(results.data());
    }
}

void runHand(benchmark::State& state, const Formula* formula)
{
    std::vector<double> results(kPoints);
    for (auto _ : state) {
        formula->hand(samples().data(), results.data(), kPoints);
        benchmark::DoNotOptimize(results.data());
    }
}

double handValue(const Formula& formula, double x)
{
    double result = 0;
    formula.hand(&x, &result, 1);
    return result;
}

// A slip in one of the spellings would compare different work: all must give the same values.
void checkSameValues(const Formula& formula)
{
    ovilan::ExpressionEvaluator evaluator(ovilan::prepare(normalForm(formula.ovilan), "x"));
    double x = 0;
    mu::Parser mu;
    mu.DefineVar("x", &x);
    mu.SetExpr(formula.muparser);
    FunctionParser fp;
    fp.Parse(formula.fparser, "x");
    for (std::size_t i = 0; i < kPoints; i += 97) {
        x = samples()[i];
        const double ours = evaluator.evaluate(x).value_or(std::nan(""));
        const double close = 1e-9 * std::max(1.0, std::fabs(ours));
        if (!(std::fabs(mu.Eval() - ours) <= close) || !(std::fabs(fp.Eval(&x) - ours) <= close)
            || (formula.hand && !(std::fabs(handValue(formula, x) - ours) <= close)))
            throw std::runtime_error(std::string("the evaluators disagree on ") + formula.name);
    }
}

// Keeps the best of the repetitions of each benchmark, as time per run in nanoseconds.
class BestReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration)
                continue;
            const std::string name = run.run_name.function_name;
            const double time = run.GetAdjustedRealTime();
            const auto found = best_.find(name);
            if (found == best_.end() || time < found->second)
                best_[name] = time;
        }
    }

    double perPoint(const std::string& name) const
    {
        const auto found = best_.find(name);
        return found == best_.end() ? 0 : found->second / kPoints;
    }

private:
    std::map<std::string, double> best_;
};

void add(const std::string& name, void (*run)(benchmark::State&, const Formula*), const Formula& f)
{
    benchmark::RegisterBenchmark(name.c_str(), run, &f)
        ->Unit(benchmark::kNanosecond)
        ->MinTime(0.1)
        ->Repetitions(5)
        ->ReportAggregatesOnly(false);
}

} // namespace

int main(int argc, char** argv)
{
#ifdef OVILAN_COMPARE_OPENMP
    // muparser's bulk mode spreads over every core; the others use one.
    omp_set_num_threads(1);
#endif
    for (const Formula& formula : kFormulas) {
        checkSameValues(formula);
        const std::string name = formula.name;
        add("ovilan/" + name, runOvilan, formula);
        add("muparser/" + name, runMuparserPerPoint, formula);
        add("muparser_bulk/" + name, runMuparserBulk, formula);
        add("fparser/" + name, runFparser, formula);
        if (formula.hand)
            add("hand/" + name, runHand, formula);
    }

    benchmark::Initialize(&argc, argv);
    BestReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    std::printf("\n");
    for (const Formula& formula : kFormulas) {
        const std::string name = formula.name;
        const double ours = reporter.perPoint("ovilan/" + name);
        const double mu = std::min(
            reporter.perPoint("muparser/" + name), reporter.perPoint("muparser_bulk/" + name));
        const double fp = reporter.perPoint("fparser/" + name);
        std::printf("compare %s ovilan=%.1f muparser=%.1f fparser=%.1f ratio=%.2f",
            formula.name,
            ours,
            mu,
            fp,
            ours / std::min(mu, fp));
        if (formula.hand) {
            const double hand = reporter.perPoint("hand/" + name);
            std::printf(" hand=%.1f hand_ratio=%.2f", hand, ours / hand);
        }
        std::printf("\n");
    }
    return 0;
}
