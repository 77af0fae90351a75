#include "analysis/integral.h"
#include "analysis/test_curves.h"

#include <cmath>
#include <numbers>

namespace ovilan {
namespace {

    using testing::yOfX;

    struct Known {
        const char* name;
        const char* formula;
        double from;
        double to;
        double value;
    };

    TEST(Integral, KnownValuesToTenDigitsAndBeyond)
    {
        const double e = std::numbers::e;
        const double pi = std::numbers::pi;
        const Known known[] = {
            { "a polynomial", "3x^2-2x+1", -1, 2, 9 - 3 + 3 },
            { "sin over a half period", "sin(x)", 0, pi, 2 },
            { "exp", "exp(x)", 0, 1, e - 1 },
            { "1/x up to e", "1/x", 1, e, 1 },
            { "reversed bounds flip the sign", "sin(x)", pi, 0, -2 },
            { "equal bounds", "1/x", 2, 2, 0 },
            { "a kink", "abs(x-0.3)", -1, 1, (1.3 * 1.3 + 0.7 * 0.7) / 2 },
            { "a fast oscillation", "sin(50x)^2", 0, pi, pi / 2 },
        };
        for (const Known& row : known) {
            const auto curve = yOfX(row.formula, -10, 10, 100);
            const Integral integral = integrate(*curve, row.from, row.to);
            ASSERT_EQ(integral.status, IntegralStatus::Ok) << row.name;
            EXPECT_NEAR(integral.value, row.value, 1e-10 * std::max(1.0, std::abs(row.value)))
                << row.name;
            EXPECT_LE(integral.error, 1e-9 * std::max(1.0, std::abs(row.value))) << row.name;
        }
    }

    struct Untrusted {
        const char* name;
        const char* formula;
        double from;
        double to;
        IntegralStatus status;
    };

    TEST(Integral, UntrustedResultsAreRefusedWithTheirReason)
    {
        const Untrusted untrusted[] = {
            { "a pole on a sample", "1/x", -1, 1, IntegralStatus::Undefined },
            { "outside the domain", "sqrt(x)", -1, 1, IntegralStatus::Undefined },
            { "undefined at a bound", "ln(x)", 0, 1, IntegralStatus::Undefined },
            { "a pole between the samples",
                "1/(x-0.1234567)",
                -1,
                1,
                IntegralStatus::NotConverging },
            { "a pole of second order", "1/(x-0.1234567)^2", -1, 1, IntegralStatus::NotConverging },
        };
        for (const Untrusted& row : untrusted) {
            const auto curve = yOfX(row.formula, -10, 10, 100);
            const Integral integral = integrate(*curve, row.from, row.to);
            EXPECT_EQ(integral.status, row.status) << row.name << " gave " << integral.value;
            EXPECT_FALSE(integralMessage(row.status).empty());
        }
        const auto sideways = testing::xOfY("y", -1, 1, 10);
        EXPECT_EQ(integrate(*sideways, 0, 1).status, IntegralStatus::NotYOfX);
        const auto line = yOfX("x", -1, 1, 10);
        EXPECT_EQ(integrate(*line, 0, NAN).status, IntegralStatus::BadBounds);
        EXPECT_EQ(integrate(*line, -1e308, 1e308).status, IntegralStatus::BadBounds);
    }

    TEST(Integral, CanBeCancelledAndIsBounded)
    {
        const auto curve = yOfX("1/(x-0.1234567)", -10, 10, 100);
        SearchLimits cancelling;
        cancelling.progress = [](double) { return false; };
        EXPECT_EQ(integrate(*curve, -1, 1, cancelling).status, IntegralStatus::Cancelled);
        SearchLimits cheap;
        cheap.maxEvaluations = 5000;
        EXPECT_EQ(integrate(*curve, -1, 1, cheap).status, IntegralStatus::NotConverging);
    }

} // namespace
} // namespace ovilan
