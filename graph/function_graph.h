#pragma once

#include "graph/graph.h"

#include <span>
#include <string>
#include <string_view>

namespace ovilan {

// A graph defined by a formula (two for a parametric graph) over an interval of its variable.
class CFunctionGraph : public CGraph {
public:
    using CGraph::CGraph;

    // Checks the text with the graph's variable and, when it passes, makes it `formula`
    // (which 0) or `formula2` (which 1, parametric graphs only). Returns the check's code.
    // A text that needs the familiar spellings ("tan(x)", "e^x") is kept as its normal form.
    int setFormula(std::string_view text, int which);
    // The same, with the check drawing on a shared allowance of work (a file being read).
    int setFormula(std::string_view text, int which, long long& checkWork);

    void store(ArchiveWriter& out) const override;
    void load(ArchiveReader& in) override;

    double intervalTo = 0;
    double intervalFrom = 0;
    std::int32_t ownInterval = 0;
    std::string formula;
    std::string formula2;
    std::string normalForm;
    std::string normalForm2;

    // The number of steps, kept within 1..20000.
    int sampleCount() const;
    // The interval and steps the graph is traced with, in its variable's units.
    CurveInterval tracedInterval() const;

protected:
    // Sizes the point arrays for the steps; returns the number of points.
    std::size_t preparePoints();
    void traceAlongAxis(
        std::string_view variable, std::span<double> samples, std::span<double> values);
};

class CYofXGraph : public CFunctionGraph {
public:
    explicit CYofXGraph(const PlotSettings& owner)
        : CFunctionGraph(GraphKind::YofX, owner)
    {
    }
    void computePoints() override;
    void refresh() override;
    std::string describe() const override;
    std::unique_ptr<CurveFunction> curveFunction() const override;
    std::optional<CurvePoint> velocityAt(double value) const override;
    std::string variableName() const override { return "x"; }
};

class CXofYGraph : public CFunctionGraph {
public:
    explicit CXofYGraph(const PlotSettings& owner)
        : CFunctionGraph(GraphKind::XofY, owner)
    {
    }
    void computePoints() override;
    void refresh() override;
    std::string describe() const override;
    std::unique_ptr<CurveFunction> curveFunction() const override;
    std::optional<CurvePoint> velocityAt(double value) const override;
    std::string variableName() const override { return "y"; }
};

class CParametricGraph : public CFunctionGraph {
public:
    explicit CParametricGraph(const PlotSettings& owner)
        : CFunctionGraph(GraphKind::Parametric, owner)
    {
    }
    void computePoints() override;
    std::string describe() const override;
    std::unique_ptr<CurveFunction> curveFunction() const override;
    std::optional<CurvePoint> velocityAt(double value) const override;
    std::string variableName() const override { return "t"; }
};

class CPolarGraph : public CFunctionGraph {
public:
    explicit CPolarGraph(const PlotSettings& owner)
        : CFunctionGraph(GraphKind::Polar, owner)
    {
    }
    void computePoints() override;
    std::string describe() const override;
    std::unique_ptr<CurveFunction> curveFunction() const override;
    std::optional<CurvePoint> velocityAt(double value) const override;
    std::string variableName() const override { return "a"; }
};

} // namespace ovilan
