// How each kind of function graph heads along its curve, for tangents and normals.

#include "expr/derivative.h"
#include "expr/text_evaluator.h"
#include "graph/function_graph.h"

#include <cmath>

namespace ovilan {

namespace {

    // The value of a formula's derivative at one point; nothing where the derivative cannot be
    // written or is undefined there.
    std::optional<double> derivativeAt(
        std::string_view normalForm, std::string_view variable, double value)
    {
        const Derivative derived = derivative(normalForm, variable);
        if (derived.code != 0)
            return std::nullopt;
        return evaluateText(derived.normalForm, variable, value);
    }

} // namespace

std::optional<CurvePoint> CYofXGraph::velocityAt(double x) const
{
    const auto slope = derivativeAt(normalForm, "x", x);
    if (!slope)
        return std::nullopt;
    return CurvePoint { 1, *slope };
}

std::optional<CurvePoint> CXofYGraph::velocityAt(double y) const
{
    const auto slope = derivativeAt(normalForm, "y", y);
    if (!slope)
        return std::nullopt;
    return CurvePoint { *slope, 1 };
}

std::optional<CurvePoint> CParametricGraph::velocityAt(double t) const
{
    const auto dx = derivativeAt(normalForm, "t", t);
    const auto dy = derivativeAt(normalForm2, "t", t);
    if (!dx || !dy)
        return std::nullopt;
    return CurvePoint { *dx, *dy };
}

// x = r*cos(a), y = r*sin(a): x' = r'*cos(a) - r*sin(a), y' = r'*sin(a) + r*cos(a).
std::optional<CurvePoint> CPolarGraph::velocityAt(double a) const
{
    const auto r = evaluateText(normalForm, "a", a);
    const auto dr = derivativeAt(normalForm, "a", a);
    if (!r || !dr)
        return std::nullopt;
    return CurvePoint { *dr * std::cos(a) - *r * std::sin(a),
        *dr * std::sin(a) + *r * std::cos(a) };
}

} // namespace ovilan
