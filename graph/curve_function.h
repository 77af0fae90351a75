#pragma once

#include "expr/expression.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace ovilan {

struct CurvePoint {
    double x = 0;
    double y = 0;

    bool operator==(const CurvePoint&) const = default;
};

// The interval a graph's variable runs over as it is traced, in the variable's own units (a polar
// graph's angle in radians), and its number of steps.
struct CurveInterval {
    double from = 0;
    double to = 0;
    int steps = 1;
};

// A graph's curve as a function of its variable: the point at any value, from formulas compiled
// once and evaluated without allocation, undefined exactly where tracing finds the formula
// undefined. What analysis and the curve cursor read a graph through, whatever its kind.
class CurveFunction {
public:
    CurveFunction(std::string variable, CurveInterval interval)
        : variable_(std::move(variable))
        , interval_(interval)
    {
    }
    virtual ~CurveFunction() = default;
    CurveFunction(const CurveFunction&) = delete;
    CurveFunction& operator=(const CurveFunction&) = delete;

    // The point at `value` of the variable; nothing where a formula is undefined there.
    virtual std::optional<CurvePoint> at(double value) = 0;
    // Whether the curve is a function of x (a Y(x) graph: its point's x is the variable) or of y
    // (an X(y) graph), so values, roots and slopes can be read along that axis.
    virtual bool followsX() const { return false; }
    virtual bool followsY() const { return false; }

    // "x", "y", "t" or "a".
    const std::string& variable() const { return variable_; }
    const CurveInterval& interval() const { return interval_; }

private:
    std::string variable_;
    CurveInterval interval_;
};

// A compiled formula of one variable, evaluated at single values.
class CompiledFormula {
public:
    CompiledFormula(std::string_view normalForm, std::string_view variable)
        : expression_(prepare(normalForm, variable))
        , evaluator_(expression_)
    {
    }
    std::optional<double> operator()(double value) { return evaluator_.evaluate(value); }

private:
    Expression expression_;
    ExpressionEvaluator evaluator_;
};

// The curve functions of the graph kinds.
std::unique_ptr<CurveFunction> yOfXCurve(std::string_view normalForm, CurveInterval interval);
std::unique_ptr<CurveFunction> xOfYCurve(std::string_view normalForm, CurveInterval interval);
std::unique_ptr<CurveFunction> parametricCurve(
    std::string_view normalFormX, std::string_view normalFormY, CurveInterval interval);
std::unique_ptr<CurveFunction> polarCurve(std::string_view normalForm, CurveInterval interval);

} // namespace ovilan
