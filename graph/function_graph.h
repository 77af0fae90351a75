#pragma once

#include "expr/parameters.h"
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

    // Sets a formula that may use named parameters. A text without any is set as setFormula sets
    // it. One with parameters is checked as it stands, for whatever values they take, and kept
    // as typed; the classic formula becomes it with `values` put in (see applyParameterValues).
    // A letter without a value is refused with kUndefinedParameter before anything changes.
    int setParameterFormula(std::string_view text,
        int which,
        std::span<const ParameterValue> values,
        long long& checkWork);
    // Puts `values` into the formulas with parameters again, giving the classic formulas; where
    // the check refuses the result ("x/k" with k = 0) the classic formula is left empty and the
    // graph draws nothing until the values change. Marks the graph for tracing when a classic
    // formula changed, and returns whether one did.
    bool applyParameterValues(std::span<const ParameterValue> values, long long& checkWork);
    // The formula as the user typed it: with its parameters where it has them.
    const std::string& typedFormula(int which) const;

    void store(ArchiveWriter& out) const override;
    void load(ArchiveReader& in) override;
    // The record followed by the two formulas as typed with parameters. A classic formula field
    // may be empty here when the formula with parameters stands in for it.
    void storeExtended(ArchiveWriter& out) const override;
    void loadExtended(ArchiveReader& in) override;
    bool olderVersionsCanRead() const override;

    // The two formulas as typed with parameters, one after the other.
    void writeParameterFormulas(ArchiveWriter& out) const;
    // Reads them; refuses texts longer than a stored formula may be and a second formula for a
    // kind that has none. The texts are kept as typed, not checked as formulas here.
    void readParameterFormulas(ArchiveReader& in);
    bool usesParameters() const { return !parameterFormula.empty() || !parameterFormula2.empty(); }

    double intervalTo = 0;
    double intervalFrom = 0;
    std::int32_t ownInterval = 0;
    std::string formula;
    std::string formula2;
    std::string normalForm;
    std::string normalForm2;
    // The formulas as typed when they use named parameters ("sin(k*x)"); empty for a formula
    // without any. `formula` and `formula2` then hold the same formulas with each parameter
    // replaced by its current value ("sin(2*x)"), which is what older versions read and draw.
    // Where that replacement gives a formula the check refuses ("x/k" with k = 0), the classic
    // formula is empty and the graph is kept only in the extension block.
    std::string parameterFormula;
    std::string parameterFormula2;

    // The number of steps, kept within 1..20000.
    int sampleCount() const;
    // The interval and steps the graph is traced with, in its variable's units.
    CurveInterval tracedInterval() const;

protected:
    // The record's own fields after the common part; `allowEmpty` lets a classic formula field be
    // empty, for a record whose formulas with parameters stand in for it.
    void loadFields(ArchiveReader& in, bool allowEmpty);
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
