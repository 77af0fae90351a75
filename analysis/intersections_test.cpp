#include "analysis/intersections.h"
#include "analysis/test_curves.h"

#include <cmath>
#include <numbers>

namespace ovilan {
namespace {

    using testing::expectNear;
    using testing::parametric;
    using testing::yOfX;
    constexpr double pi = std::numbers::pi;

    FeatureSearch meet(CurveFunction& curve, CurveFunction& other)
    {
        const CurveInterval traced = curve.interval();
        return findIntersections(curve, 1, other, 2, { traced.from, traced.to }, {});
    }

    void expectPoints(const FeatureSearch& found,
        const std::vector<CurvePoint>& expected,
        double relative = 1e-12)
    {
        ASSERT_EQ(found.features.size(), expected.size());
        for (std::size_t i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(found.features[i].kind, FeatureKind::Intersection);
            EXPECT_EQ(found.features[i].graph, 1);
            EXPECT_EQ(found.features[i].other, 2);
            expectNear(expected[i].x, found.features[i].x, relative);
            expectNear(expected[i].y, found.features[i].y, relative);
        }
    }

    TEST(Intersections, GraphsAlongTheSameAxis)
    {
        expectPoints(
            meet(*yOfX("x^2", -5, 5, 100), *yOfX("x+2", -3, 3, 100)), { { -1, 1 }, { 2, 4 } });
        // Touching without crossing.
        expectPoints(meet(*yOfX("x^2", -5, 5, 100), *yOfX("0", -3, 3, 100)), { { 0, 0 } });
        // Only where both are traced: x+2 from 0 on.
        expectPoints(meet(*yOfX("x^2", -5, 5, 100), *yOfX("x+2", 0, 3, 100)), { { 2, 4 } });
        // A pole of one of them is no intersection.
        expectPoints(
            meet(*yOfX("tg(x)", -1.5, 4.6, 100), *yOfX("0", -5, 5, 10)), { { 0, 0 }, { pi, 0 } });
        const auto sideways = testing::xOfY("y^2", -2, 2, 40);
        const auto line = testing::xOfY("1", -2, 2, 40);
        expectPoints(meet(*sideways, *line), { { 1, -1 }, { 1, 1 } });
    }

    TEST(Intersections, AGraphAlongAnAxisAndAnyCurve)
    {
        const double h = std::sqrt(0.5);
        const auto circle = parametric("cos(t)", "sin(t)", 0, 2 * pi, 200);
        const auto diagonal = yOfX("x", -2, 2, 10);
        // t is the variable of the first graph: the circle's angle, or the line's x.
        const FeatureSearch onCircle = meet(*circle, *diagonal);
        expectPoints(onCircle, { { h, h }, { -h, -h } });
        expectNear(pi / 4, onCircle.features[0].t);
        const FeatureSearch onLine = meet(*diagonal, *circle);
        expectPoints(onLine, { { -h, -h }, { h, h } });
        expectNear(-h, onLine.features[0].t);
        // Y(x) and X(y): y = x^2 and x = y^2 meet at (0, 0) and (1, 1).
        expectPoints(meet(*yOfX("x^2", -2, 2, 40), *testing::xOfY("y^2", -2, 2, 40)),
            { { 0, 0 }, { 1, 1 } },
            1e-9);
    }

    TEST(Intersections, TwoCurvesCrossingAsLines)
    {
        const double s = std::sqrt(3.0) / 2;
        const auto left = parametric("cos(t)", "sin(t)", 0, 2 * pi, 200);
        const auto right = parametric("1+cos(t)", "sin(t)", 0, 2 * pi, 200);
        const FeatureSearch found = meet(*left, *right);
        expectPoints(found, { { 0.5, s }, { 0.5, -s } });
        expectNear(pi / 3, found.features[0].t);
        expectNear(5 * pi / 3, found.features[1].t);
        // Apart: nothing.
        const auto far = parametric("5+cos(t)", "sin(t)", 0, 2 * pi, 200);
        EXPECT_TRUE(meet(*left, *far).features.empty());
    }

} // namespace
} // namespace ovilan
