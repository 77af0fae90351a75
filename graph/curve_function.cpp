#include "graph/curve_function.h"

#include "graph/vector_state.h"

#include <cmath>

namespace ovilan {

namespace {

    class AxisCurve final : public CurveFunction {
    public:
        AxisCurve(std::string_view normalForm, const char* variable, CurveInterval interval)
            : CurveFunction(variable, interval)
            , formula_(normalForm, variable)
            , alongX_(variable[0] == 'x')
        {
        }

        std::optional<CurvePoint> at(double value) override
        {
            const std::optional<double> other = formula_(value);
            if (!other)
                return std::nullopt;
            return alongX_ ? CurvePoint { value, *other } : CurvePoint { *other, value };
        }
        bool followsX() const override { return alongX_; }
        bool followsY() const override { return !alongX_; }

    private:
        CompiledFormula formula_;
        bool alongX_;
    };

    class ParametricCurve final : public CurveFunction {
    public:
        ParametricCurve(
            std::string_view normalFormX, std::string_view normalFormY, CurveInterval interval)
            : CurveFunction("t", interval)
            , x_(normalFormX, "t")
            , y_(normalFormY, "t")
        {
        }

        std::optional<CurvePoint> at(double value) override
        {
            const std::optional<double> x = x_(value);
            const std::optional<double> y = y_(value);
            if (!x || !y)
                return std::nullopt;
            return CurvePoint { *x, *y };
        }

    private:
        CompiledFormula x_;
        CompiledFormula y_;
    };

    class PolarCurve final : public CurveFunction {
    public:
        PolarCurve(std::string_view normalForm, CurveInterval interval)
            : CurveFunction("a", interval)
            , radius_(normalForm, "a")
        {
        }

        // As the trace computes it: the radius at the angle turned into plot coordinates.
        std::optional<CurvePoint> at(double angle) override
        {
            const std::optional<double> radius = radius_(angle);
            if (!radius)
                return std::nullopt;
            return CurvePoint { std::cos(angle) * *radius, std::sin(angle) * *radius };
        }

    private:
        CompiledFormula radius_;
    };

} // namespace

std::unique_ptr<CurveFunction> yOfXCurve(std::string_view normalForm, CurveInterval interval)
{
    clearUpperVectorState();
    return std::make_unique<AxisCurve>(normalForm, "x", interval);
}

std::unique_ptr<CurveFunction> xOfYCurve(std::string_view normalForm, CurveInterval interval)
{
    clearUpperVectorState();
    return std::make_unique<AxisCurve>(normalForm, "y", interval);
}

std::unique_ptr<CurveFunction> parametricCurve(
    std::string_view normalFormX, std::string_view normalFormY, CurveInterval interval)
{
    clearUpperVectorState();
    return std::make_unique<ParametricCurve>(normalFormX, normalFormY, interval);
}

std::unique_ptr<CurveFunction> polarCurve(std::string_view normalForm, CurveInterval interval)
{
    clearUpperVectorState();
    return std::make_unique<PolarCurve>(normalForm, interval);
}

} // namespace ovilan
