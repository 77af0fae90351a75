#include "analysis/curve_features.h"
#include "analysis/test_curves.h"

#include <cmath>
#include <numbers>
#include <vector>

namespace ovilan {
namespace {

    using testing::expectNear;
    using testing::yOfX;
    constexpr double pi = std::numbers::pi;

    FeatureSearch search(CurveFunction& curve, const SearchLimits& limits = {})
    {
        const CurveInterval traced = curve.interval();
        return findCurveFeatures(curve, 3, { traced.from, traced.to }, limits);
    }

    std::vector<CurveFeature> ofKind(const FeatureSearch& found, FeatureKind kind)
    {
        std::vector<CurveFeature> kept;
        for (const CurveFeature& feature : found.features) {
            if (feature.kind == kind)
                kept.push_back(feature);
        }
        return kept;
    }

    void expectAt(const std::vector<CurveFeature>& found,
        const std::vector<double>& expected,
        double relative = 1e-12)
    {
        ASSERT_EQ(found.size(), expected.size());
        for (std::size_t i = 0; i < expected.size(); ++i)
            expectNear(expected[i], found[i].t, relative);
    }

    TEST(CurveFeatures, CubicHasItsRootsExtremaAndIntercept)
    {
        const auto curve = yOfX("x^3-6x^2+11x-6", -10, 10, 400);
        const FeatureSearch found = search(*curve);
        expectAt(ofKind(found, FeatureKind::Root), { 1, 2, 3 });
        expectAt(ofKind(found, FeatureKind::Maximum), { 2 - 1 / std::sqrt(3.0) }, 1e-12);
        expectAt(ofKind(found, FeatureKind::Minimum), { 2 + 1 / std::sqrt(3.0) }, 1e-12);
        const auto crossings = ofKind(found, FeatureKind::Crossing);
        ASSERT_EQ(crossings.size(), 1u);
        EXPECT_EQ(crossings[0].x, 0);
        EXPECT_EQ(crossings[0].y, -6);
        EXPECT_EQ(crossings[0].graph, 3);
        EXPECT_EQ(crossings[0].other, -1);
        EXPECT_FALSE(found.more || found.exhausted || found.cancelled);
    }

    TEST(CurveFeatures, PolesAndJumpsAreNoRoots)
    {
        // tg changes sign at every pole; only its zeros are roots.
        expectAt(ofKind(search(*yOfX("tg(x)", -5, 5, 1000)), FeatureKind::Root), { -pi, 0, pi });
        // 1/x with 0 a sample (undefined there) and with 0 between two samples.
        EXPECT_TRUE(ofKind(search(*yOfX("1/x", -1, 1, 200)), FeatureKind::Root).empty());
        EXPECT_TRUE(ofKind(search(*yOfX("1/x", -1, 1, 201)), FeatureKind::Root).empty());
        EXPECT_TRUE(ofKind(search(*yOfX("sign(x-0.3)", -1, 1, 100)), FeatureKind::Root).empty());
        EXPECT_TRUE(
            ofKind(search(*yOfX("floor(x)-0.5", -0.7, 1.3, 100)), FeatureKind::Root).empty());
        // A saw tooth's teeth are no maxima: just below them the curve only approaches its top.
        EXPECT_TRUE(
            ofKind(search(*yOfX("x-floor(x)", -2.3, 2.3, 100)), FeatureKind::Maximum).empty());
        // Beside a pole the samples rise and fall like a maximum's.
        EXPECT_TRUE(
            ofKind(search(*yOfX("1/(x-0.123)^2", -1, 1, 100)), FeatureKind::Maximum).empty());
    }

    TEST(CurveFeatures, DoubleRootsAndTouchingExtremaAreRootsOnce)
    {
        for (const int steps : { 40, 41 }) {
            const FeatureSearch found = search(*yOfX("x^2", -2, 2, steps));
            expectAt(ofKind(found, FeatureKind::Root), { 0 });
            expectAt(ofKind(found, FeatureKind::Minimum), { 0 });
            EXPECT_NEAR(ofKind(found, FeatureKind::Root)[0].t, 0, 1e-12);
        }
        // 1/3 as a constant would be written with ten digits in the formula's normal form.
        const FeatureSearch cornered = search(*yOfX("abs(3x-1)", -2, 2, 40));
        expectAt(ofKind(cornered, FeatureKind::Root), { 1.0 / 3 });
        expectAt(ofKind(cornered, FeatureKind::Minimum), { 1.0 / 3 });
        expectAt(ofKind(search(*yOfX("(x-1.7)^2*(x+0.4)", -2, 2, 40)), FeatureKind::Root),
            { -0.4, 1.7 },
            1e-9);
        // Close to zero but not touching it.
        EXPECT_TRUE(ofKind(search(*yOfX("x^2+10^(-6)", -2, 2, 40)), FeatureKind::Root).empty());
    }

    TEST(CurveFeatures, DomainEdgesAndIntervalEnds)
    {
        expectAt(ofKind(search(*yOfX("sqrt(x)", -1, 1, 21)), FeatureKind::Root), { 0 });
        const FeatureSearch circle = search(*yOfX("sqrt(1-x^2)", -2, 2, 30));
        expectAt(ofKind(circle, FeatureKind::Root), { -1, 1 });
        expectAt(ofKind(circle, FeatureKind::Maximum), { 0 });
        EXPECT_TRUE(ofKind(circle, FeatureKind::Minimum).empty());
        // Roots on both ends of the interval count once each; the ends are no extrema.
        const FeatureSearch ends = search(*yOfX("x^2-1", -1, 1, 20));
        expectAt(ofKind(ends, FeatureKind::Root), { -1, 1 });
        EXPECT_TRUE(ofKind(ends, FeatureKind::Maximum).empty());
        EXPECT_TRUE(ofKind(search(*yOfX("ln(x)", -1, 3, 40)), FeatureKind::Minimum).empty());
    }

    TEST(CurveFeatures, ManyRootsTwoSamplesApartAreAllFound)
    {
        // sin(50x) crosses zero every pi/50 = 0.0628, about six steps of 0.01 apart.
        const FeatureSearch found = search(*yOfX("sin(50x)", -10, 10, 2000));
        std::vector<double> roots;
        std::vector<double> extrema;
        for (int k = -159; k <= 159; ++k)
            roots.push_back(k * pi / 50);
        for (int k = -159; k < 159; ++k)
            extrema.push_back((k + 0.5) * pi / 50);
        expectAt(ofKind(found, FeatureKind::Root), roots, 1e-12);
        // sin at the double nearest k pi is about 1e-16, but a root lies on the axis.
        for (const auto& root : ofKind(found, FeatureKind::Root))
            EXPECT_EQ(root.y, 0);
        const auto maxima = ofKind(found, FeatureKind::Maximum);
        const auto minima = ofKind(found, FeatureKind::Minimum);
        EXPECT_EQ(maxima.size() + minima.size(), extrema.size());
        for (const auto& extremum : maxima)
            EXPECT_NEAR(extremum.y, 1, 1e-15);
        for (const auto& extremum : minima)
            EXPECT_NEAR(extremum.y, -1, 1e-15);
        // Roots as close as two steps of the trace: sin(pi x / 0.02) over a trace of step 0.01.
        SearchLimits plenty;
        plenty.maxResults = 5000;
        const FeatureSearch close = search(*yOfX("sin(pi*x/0.02+0.1)", -10, 10, 2000), plenty);
        EXPECT_EQ(ofKind(close, FeatureKind::Root).size(), 1000u);
        EXPECT_EQ(
            ofKind(close, FeatureKind::Maximum).size() + ofKind(close, FeatureKind::Minimum).size(),
            1000u);
    }

    TEST(CurveFeatures, EveryKindReadsItsOwnAxes)
    {
        // For X(y) the value is x: roots where x = 0, the crossing where y = 0.
        const FeatureSearch sideways = search(*testing::xOfY("y^2-1", -3, 3, 60));
        expectAt(ofKind(sideways, FeatureKind::Root), { -1, 1 });
        expectAt(ofKind(sideways, FeatureKind::Minimum), { 0 });
        const auto crossing = ofKind(sideways, FeatureKind::Crossing);
        ASSERT_EQ(crossing.size(), 1u);
        EXPECT_EQ(crossing[0].x, -1);
        EXPECT_EQ(crossing[0].y, 0);
        for (const auto& root : ofKind(sideways, FeatureKind::Root))
            EXPECT_EQ(root.x, 0);
        // A circle: y = 0 at t = 0, pi, 2 pi; x = 0 at pi/2, 3 pi/2; highest and lowest points.
        const FeatureSearch circle
            = search(*testing::parametric("cos(t)", "sin(t)", 0, 2 * pi, 100));
        expectAt(ofKind(circle, FeatureKind::Root), { 0, pi, 2 * pi }, 1e-12);
        expectAt(ofKind(circle, FeatureKind::Crossing), { pi / 2, 3 * pi / 2 });
        expectAt(ofKind(circle, FeatureKind::Maximum), { pi / 2 }, 1e-12);
        expectAt(ofKind(circle, FeatureKind::Minimum), { 3 * pi / 2 }, 1e-12);
    }

    TEST(CurveFeatures, SearchesStopAtTheirLimits)
    {
        const auto curve = yOfX("sin(50x)", -10, 10, 2000);
        SearchLimits few;
        few.maxResults = 10;
        const FeatureSearch capped = search(*curve, few);
        EXPECT_EQ(capped.features.size(), 10u);
        EXPECT_TRUE(capped.more);

        SearchLimits cheap;
        cheap.maxEvaluations = 1000;
        EXPECT_TRUE(search(*curve, cheap).exhausted);

        int calls = 0;
        double last = -1;
        bool rising = true;
        SearchLimits cancelling;
        cancelling.progress = [&](double done) {
            rising = rising && done >= last;
            last = done;
            return ++calls < 3;
        };
        const FeatureSearch cancelled = search(*curve, cancelling);
        EXPECT_TRUE(cancelled.cancelled);
        EXPECT_EQ(calls, 3);
        EXPECT_TRUE(rising);
    }

} // namespace
} // namespace ovilan
