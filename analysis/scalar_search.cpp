#include "analysis/scalar_search.h"

#include <algorithm>
#include <boost/math/tools/minima.hpp>
#include <boost/math/tools/toms748_solve.hpp>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

namespace ovilan {

namespace {

    constexpr std::uintmax_t kMaxRefineIterations = 100;
    constexpr int kReportEvery = 4096;
    // A refined root must be far smaller than the values around it: across a pole (tg at pi/2)
    // the refined point's value is huge, across a jump (sign at 0) it stays as large as them.
    constexpr double kRootShrink = 1e-3;
    // An extremum whose value is within this share of the curve's largest value is taken as
    // touching zero: x^2 at 0 is a double root.
    constexpr double kTouchShare = 1e-12;
    // Near the end of its domain a function like sqrt falls as the square root of the distance:
    // on a grid as fine as 1e-8 the last defined value is still below this share of the sample's.
    constexpr double kEdgeShrink = 1e-4;

    struct Undefined { };

    bool defined(double value) { return std::isfinite(value); }

    // The function as the refiners see it: counted against the budget, throwing where undefined.
    class Refined {
    public:
        Refined(const ScalarFunction& function, SearchBudget& budget)
            : function_(function)
            , budget_(budget)
        {
        }
        // NaN where undefined or when the budget is spent.
        double value(double at) const { return budget_.spend() ? function_(at) : NAN; }
        double operator()(double at) const
        {
            const double result = value(at);
            if (!defined(result))
                throw Undefined {};
            return result;
        }

    private:
        const ScalarFunction& function_;
        SearchBudget& budget_;
    };

    class Search {
    public:
        Search(const ScalarSamples& samples, const Refined& function)
            : samples_(samples)
            , function_(function)
        {
            for (const double value : samples.value) {
                if (defined(value))
                    scale_ = std::max(scale_, std::abs(value));
            }
            spacing_ = (samples.at.back() - samples.at.front())
                / static_cast<double>(samples.at.size() - 1);
        }

        double at(std::size_t i) const { return samples_.at[i]; }
        double value(std::size_t i) const { return samples_.value[i]; }
        double touchTolerance() const { return kTouchShare * scale_; }
        double spacing() const { return spacing_; }
        std::size_t size() const { return samples_.at.size(); }

        // The root between two samples of opposite signs, unless the change is a pole or a jump.
        std::optional<double> rootBetween(std::size_t i) const
        {
            try {
                std::uintmax_t iterations = kMaxRefineIterations;
                const auto [low, high] = boost::math::tools::toms748_solve(function_,
                    at(i),
                    at(i + 1),
                    value(i),
                    value(i + 1),
                    boost::math::tools::eps_tolerance<double>(),
                    iterations);
                const double lowValue = std::abs(function_(low));
                const double highValue = std::abs(function_(high));
                const double root = lowValue <= highValue ? low : high;
                const double bracket = std::max(std::abs(value(i)), std::abs(value(i + 1)));
                if (std::min(lowValue, highValue) > kRootShrink * bracket)
                    return std::nullopt;
                return root;
            } catch (...) {
                // Undefined inside the bracket, or the refinement gave up: no root we can vouch
                // for.
                return std::nullopt;
            }
        }

        // The last defined value of the variable between a defined and an undefined sample.
        double domainEdge(double inside, double outside) const
        {
            for (int i = 0; i < 1200; ++i) {
                const double middle = inside + (outside - inside) / 2;
                if (middle == inside || middle == outside)
                    break;
                (defined(function_.value(middle)) ? inside : outside) = middle;
            }
            return inside;
        }

        // Where the function ends between samples i and i + 1 at zero, as sqrt(x) at 0. The
        // last defined value need not be zero: sqrt(1-x^2) is undefined at 1 itself, where x^2
        // rounds above 1, and 1.5e-8 just below it; what counts is that it falls to a tiny share
        // of the sample's value.
        std::optional<double> rootAtEdge(std::size_t i) const
        {
            const bool leftDefined = defined(value(i));
            const std::size_t inside = leftDefined ? i : i + 1;
            const double edge = domainEdge(at(inside), leftDefined ? at(i + 1) : at(i));
            const double there = std::abs(function_.value(edge));
            if (!defined(there)
                || there > std::max(touchTolerance(), kEdgeShrink * std::abs(value(inside))))
                return std::nullopt;
            return edge;
        }

        // An interval end where the value is zero but for rounding: sin(t) at t = 2 pi.
        bool nearlyZero(std::size_t i) const
        {
            return defined(value(i)) && std::abs(value(i)) <= touchTolerance();
        }

        // The extremum around sample i, refined; nothing at a pole or a jump.
        std::optional<ScalarPoint> extremumAround(std::size_t i, ScalarPointKind kind) const
        {
            const double sign = kind == ScalarPointKind::Minimum ? 1 : -1;
            const auto lowered = [&](double x) {
                const double v = function_.value(x);
                return defined(v) ? sign * v : std::numeric_limits<double>::max();
            };
            std::uintmax_t iterations = kMaxRefineIterations;
            const auto [brent, brentValue] = boost::math::tools::brent_find_minima(
                lowered, at(i - 1), at(i + 1), std::numeric_limits<double>::digits / 2, iterations);
            const double rise
                = std::max(sign * (value(i - 1) - value(i)), sign * (value(i + 1) - value(i)));
            const double where = polishedNear(brent, brentValue * sign, i, sign, rise);
            const double found = function_.value(where);
            if (!defined(found))
                return std::nullopt;
            const double beyond = sign * (value(i) - found);
            // Less extreme than the middle sample: the minimiser was led astray by a jump. Far
            // more extreme: it ran into a pole.
            if (beyond < -1e-9 * rise || beyond > 10 * rise || !continuousAt(where, found, rise))
                return std::nullopt;
            return ScalarPoint { kind, where, found };
        }

    private:
        // The polished extremum, unless it is worse than Brent's: beside a jump the difference
        // formula's stencil straddles it and its "root" lies elsewhere.
        double polishedNear(
            double brent, double brentValue, std::size_t i, double sign, double rise) const
        {
            const double coarse = polished(brent, at(i - 1), at(i + 1), sign, spacing_);
            const double fine = polished(brent, at(i - 1), at(i + 1), sign, spacing_ / 2);
            // The difference formula's error shrinks as the fourth power of its step: Richardson's
            // extrapolation from two steps removes most of it.
            const double better = fine + (fine - coarse) / 15;
            const double value = function_.value(better);
            if (!defined(value) || sign * (value - brentValue) > 1e-9 * rise)
                return brent;
            return better;
        }

        // Brent's minimiser finds an extremum only to the square root of the precision; the
        // derivative's root is found to nearly full precision from a five-point difference.
        double polished(double near, double low, double high, double sign, double h) const
        {
            const auto slope = [&](double x) {
                return sign
                    * (8 * (function_(x + h) - function_(x - h))
                        - (function_(x + 2 * h) - function_(x - 2 * h)));
            };
            const double from = std::max(low, near - spacing_ / 4);
            const double to = std::min(high, near + spacing_ / 4);
            try {
                const double fromSlope = slope(from);
                const double toSlope = slope(to);
                if (fromSlope == 0)
                    return from;
                if (toSlope == 0)
                    return to;
                if (fromSlope > 0 || toSlope < 0)
                    return near;
                std::uintmax_t iterations = kMaxRefineIterations;
                const auto [a, b] = boost::math::tools::toms748_solve(slope,
                    from,
                    to,
                    fromSlope,
                    toSlope,
                    boost::math::tools::eps_tolerance<double>(),
                    iterations);
                return a + (b - a) / 2;
            } catch (...) {
                return near;
            }
        }

        // A jump (the top of a saw tooth) or a pole passes for an extremum of the samples; just
        // beside a true extremum the function hardly changes.
        bool continuousAt(double where, double found, double rise) const
        {
            const double delta = 1e-3 * spacing_;
            for (const double beside : { where - delta, where + delta }) {
                const double v = function_.value(beside);
                if (!defined(v) || std::abs(v - found) > 1e-2 * rise)
                    return false;
            }
            return true;
        }

        const ScalarSamples& samples_;
        const Refined& function_;
        double scale_ = 0;
        double spacing_ = 0;
    };

    std::optional<ScalarPointKind> extremumKind(double before, double here, double after)
    {
        if (!defined(before) || !defined(here) || !defined(after))
            return std::nullopt;
        // The second comparison allows an extremum that falls exactly between two samples; the
        // strict first one counts it once.
        if (here < before && here <= after)
            return ScalarPointKind::Minimum;
        if (here > before && here >= after)
            return ScalarPointKind::Maximum;
        return std::nullopt;
    }

    void addRootsAt(const Search& search, std::size_t i, std::vector<ScalarPoint>& points)
    {
        const double value = search.value(i);
        const bool end = i == 0 || i + 1 == search.size();
        if ((defined(value) && value == 0) || (end && search.nearlyZero(i)))
            points.push_back({ ScalarPointKind::Root, search.at(i), 0 });
        if (i + 1 == search.size())
            return;
        const double next = search.value(i + 1);
        if (defined(value) && defined(next) && value != 0 && next != 0
            && std::signbit(value) != std::signbit(next)) {
            if (const auto root = search.rootBetween(i))
                points.push_back({ ScalarPointKind::Root, *root, 0 });
        }
        if (defined(value) != defined(next)) {
            if (const auto root = search.rootAtEdge(i))
                points.push_back({ ScalarPointKind::Root, *root, 0 });
        }
    }

    void addExtremumAt(
        const Search& search, std::size_t i, ScalarWanted wanted, std::vector<ScalarPoint>& points)
    {
        if (i == 0 || i + 1 == search.size())
            return;
        const auto kind = extremumKind(search.value(i - 1), search.value(i), search.value(i + 1));
        if (!kind)
            return;
        const auto extremum = search.extremumAround(i, *kind);
        if (!extremum)
            return;
        if (wanted == ScalarWanted::RootsAndExtrema)
            points.push_back(*extremum);
        if (std::abs(extremum->value) <= search.touchTolerance())
            points.push_back({ ScalarPointKind::Root, extremum->at, 0 });
    }

    // A root found twice, on a sample and as a touching extremum, is one root.
    void removeRepeatedRoots(std::vector<ScalarPoint>& points, double distance)
    {
        std::stable_sort(points.begin(),
            points.end(),
            [](const ScalarPoint& a, const ScalarPoint& b) { return a.at < b.at; });
        std::vector<ScalarPoint> kept;
        for (const ScalarPoint& point : points) {
            const auto same = [&](const ScalarPoint& other) {
                return other.kind == point.kind && std::abs(other.at - point.at) <= distance;
            };
            const std::size_t look = std::min<std::size_t>(kept.size(), 4);
            if (std::none_of(kept.end() - static_cast<std::ptrdiff_t>(look), kept.end(), same))
                kept.push_back(point);
        }
        points = std::move(kept);
    }

} // namespace

std::vector<ScalarPoint> findScalarPoints(const ScalarSamples& samples,
    const ScalarFunction& function,
    ScalarWanted wanted,
    SearchBudget& budget,
    ProgressSpan progress)
{
    std::vector<ScalarPoint> points;
    if (samples.at.size() < 2)
        return points;
    const Refined refined(function, budget);
    const Search search(samples, refined);
    const std::size_t count = search.size();
    for (std::size_t i = 0; i < count && !budget.stopped(); ++i) {
        if (i % kReportEvery == 0
            && !budget.report(progress.start
                + progress.length * static_cast<double>(i) / static_cast<double>(count)))
            break;
        addRootsAt(search, i, points);
        addExtremumAt(search, i, wanted, points);
    }
    removeRepeatedRoots(points, 1e-6 * search.spacing());
    return points;
}

std::vector<double> evenGrid(double from, double to, int intervals)
{
    std::vector<double> grid(static_cast<std::size_t>(intervals) + 1);
    const double width = to - from;
    for (int i = 0; i <= intervals; ++i)
        grid[static_cast<std::size_t>(i)] = from + width * i / intervals;
    grid.back() = to;
    return grid;
}

} // namespace ovilan
