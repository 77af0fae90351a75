#include "analysis/integral.h"

#include <algorithm>
#include <boost/math/quadrature/gauss_kronrod.hpp>
#include <cmath>

namespace ovilan {

namespace {

    constexpr double kTolerance = 1e-10;
    // An estimate is trusted within ten times the tolerance, relative to the integral of |f|.
    constexpr double kTrustedError = 10 * kTolerance;
    constexpr unsigned kMaxDepth = 15;
    constexpr int kMinSamples = 2000;
    constexpr std::int64_t kReportEvery = 1024;

    struct Stopped {
        IntegralStatus status;
    };

    class Integrand {
    public:
        Integrand(CurveFunction& curve, SearchBudget& budget)
            : curve_(curve)
            , budget_(budget)
        {
        }

        double operator()(double x) const
        {
            if (!budget_.spend())
                throw Stopped { IntegralStatus::NotConverging };
            if (budget_.evaluations() % kReportEvery == 0 && !budget_.report(0.5))
                throw Stopped { IntegralStatus::Cancelled };
            const auto point = curve_.at(x);
            if (!point || !std::isfinite(point->y))
                throw Stopped { IntegralStatus::Undefined };
            return point->y;
        }

    private:
        CurveFunction& curve_;
        SearchBudget& budget_;
    };

    // The quadrature looks only at its own nodes, none of them at the bounds; the samples also
    // catch an undefined bound (ln at 0) and an undefined stretch between the nodes.
    void checkSamples(const Integrand& integrand, double from, double to, int count)
    {
        for (int i = 0; i <= count; ++i)
            integrand(from + (to - from) * i / count);
    }

    Integral integrateRising(CurveFunction& curve, double from, double to, SearchBudget& budget)
    {
        const Integrand integrand(curve, budget);
        try {
            checkSamples(integrand, from, to, std::max(kMinSamples, curve.interval().steps));
            double error = 0;
            double l1 = 0;
            const double value = boost::math::quadrature::gauss_kronrod<double, 61>::integrate(
                integrand, from, to, kMaxDepth, kTolerance, &error, &l1);
            if (!std::isfinite(value) || !std::isfinite(l1) || error > kTrustedError * l1)
                return { IntegralStatus::NotConverging, 0, 0 };
            return { IntegralStatus::Ok, value, error };
        } catch (const Stopped& stopped) {
            return { stopped.status, 0, 0 };
        } catch (...) {
            return { IntegralStatus::NotConverging, 0, 0 };
        }
    }

} // namespace

std::string_view integralMessage(IntegralStatus status)
{
    switch (status) {
    case IntegralStatus::Ok:
        return "";
    case IntegralStatus::NotYOfX:
        return "The integral is calculated for a function graph Y(x) only.";
    case IntegralStatus::BadBounds:
        return "The bounds of the integral must be numbers.";
    case IntegralStatus::Undefined:
        return "The function is not defined everywhere between the bounds.";
    case IntegralStatus::NotConverging:
        return "The integral does not converge to the required accuracy.";
    case IntegralStatus::Cancelled:
        return "The calculation was cancelled.";
    }
    return "";
}

Integral integrate(CurveFunction& curve, double from, double to, const SearchLimits& limits)
{
    if (!curve.followsX())
        return { IntegralStatus::NotYOfX, 0, 0 };
    if (!std::isfinite(from) || !std::isfinite(to) || !std::isfinite(to - from))
        return { IntegralStatus::BadBounds, 0, 0 };
    if (from == to)
        return {};
    SearchBudget budget(limits);
    if (from < to)
        return integrateRising(curve, from, to, budget);
    Integral flipped = integrateRising(curve, to, from, budget);
    flipped.value = -flipped.value;
    return flipped;
}

} // namespace ovilan
