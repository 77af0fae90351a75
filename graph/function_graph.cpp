#include "graph/function_graph.h"

#include "expr/formula_check.h"
#include "expr/operations.h"
#include "expr/typed_formula.h"
#include "graph/trace.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <span>
#include <vector>

namespace ovilan {

namespace {

    // Follows an axis plotting range unless the graph has its own interval.
    void followRange(CFunctionGraph& graph, const AxisSettings& axis)
    {
        if (graph.ownInterval)
            return;
        if (axis.min != graph.intervalFrom || axis.max != graph.intervalTo) {
            graph.intervalFrom = axis.min;
            graph.intervalTo = axis.max;
            graph.dirty = true;
        }
    }

    // Scratch arrays are allocated once per computation, never per point.
    using Marks = std::vector<std::uint8_t>;
    using Samples = std::vector<double>;

} // namespace

int CFunctionGraph::setFormula(std::string_view text, int which)
{
    long long checkWork = kMaxCheckWork;
    return setFormula(text, which, checkWork);
}

int CFunctionGraph::setFormula(std::string_view text, int which, long long& checkWork)
{
    if (which == 1 && kind != GraphKind::Parametric)
        return kFormulaOk;
    std::string& target = which == 0 ? formula : formula2;
    std::string& targetNormal = which == 0 ? normalForm : normalForm2;
    if (!text.empty() && text == target)
        return kFormulaOk;
    TypedFormula checked = checkTypedFormula(text, variableName(), checkWork);
    if (checked.code != kFormulaOk)
        return checked.code;
    // The file keeps this text and older versions check it again on loading; they know only the
    // program's own spelling, so "tan(x)" is kept as its normal form "tg(x)".
    target = checked.ownSpelling ? std::string(text) : checked.normalForm;
    targetNormal = std::move(checked.normalForm);
    dirty = true;
    return kFormulaOk;
}

int CFunctionGraph::setParameterFormula(
    std::string_view text, int which, std::span<const ParameterValue> values, long long& checkWork)
{
    if (which == 1 && kind != GraphKind::Parametric)
        return kFormulaOk;
    std::string& typed = which == 0 ? parameterFormula : parameterFormula2;
    if (parametersUsed(text).empty()) {
        const int code = setFormula(text, which, checkWork);
        if (code == kFormulaOk)
            typed.clear();
        return code;
    }
    std::string defined;
    for (const ParameterValue& value : values)
        defined += value.name;
    if (firstUndefinedParameter(text, defined))
        return kUndefinedParameter;
    const int code = checkParameterFormula(text, variableName(), checkWork).code;
    if (code != kFormulaOk)
        return code;
    typed = std::string(text);
    applyParameterValues(values, checkWork);
    dirty = true;
    return kFormulaOk;
}

bool CFunctionGraph::applyParameterValues(
    std::span<const ParameterValue> values, long long& checkWork)
{
    bool changed = false;
    for (int which = 0; which < 2; ++which) {
        const std::string& typed = which == 0 ? parameterFormula : parameterFormula2;
        if (typed.empty())
            continue;
        std::string& target = which == 0 ? formula : formula2;
        std::string& targetNormal = which == 0 ? normalForm : normalForm2;
        const std::optional<std::string> substituted = substituteParameters(typed, values);
        TypedFormula checked;
        if (substituted)
            checked = checkTypedFormula(*substituted, variableName(), checkWork);
        if (!substituted || checked.code != kFormulaOk) {
            changed = changed || !target.empty() || !targetNormal.empty();
            target.clear();
            targetNormal.clear();
            continue;
        }
        // The normal form, not the text with bracketed values, is what older versions show.
        if (checked.normalForm == target && checked.normalForm == targetNormal)
            continue;
        target = checked.normalForm;
        targetNormal = std::move(checked.normalForm);
        changed = true;
    }
    if (changed)
        dirty = true;
    return changed;
}

const std::string& CFunctionGraph::typedFormula(int which) const
{
    if (which == 0)
        return parameterFormula.empty() ? formula : parameterFormula;
    return parameterFormula2.empty() ? formula2 : parameterFormula2;
}

void CFunctionGraph::store(ArchiveWriter& out) const
{
    CGraph::store(out);
    out.writeDouble(intervalTo);
    out.writeDouble(intervalFrom);
    out.writeInt32(ownInterval);
    out.writeString(formula);
    out.writeString(formula2);
}

void CFunctionGraph::load(ArchiveReader& in) { loadFields(in, false); }

void CFunctionGraph::loadFields(ArchiveReader& in, bool allowEmpty)
{
    CGraph::load(in);
    intervalTo = in.readDouble();
    intervalFrom = in.readDouble();
    ownInterval = in.readInt32();
    const std::string first = in.readString();
    const std::string second = in.readString();
    require(first.size() <= kMaxFormulaLength && second.size() <= kMaxFormulaLength);
    require((allowEmpty && first.empty()) || setFormula(first, 0, in.checkWork()) == kFormulaOk);
    require((allowEmpty && second.empty()) || setFormula(second, 1, in.checkWork()) == kFormulaOk);
}

void CFunctionGraph::storeExtended(ArchiveWriter& out) const
{
    store(out);
    writeParameterFormulas(out);
}

void CFunctionGraph::loadExtended(ArchiveReader& in)
{
    loadFields(in, true);
    readParameterFormulas(in);
    const bool firstHeld = !formula.empty() || !parameterFormula.empty();
    const bool secondHeld
        = kind != GraphKind::Parametric || !formula2.empty() || !parameterFormula2.empty();
    require(firstHeld && secondHeld);
}

void CFunctionGraph::writeParameterFormulas(ArchiveWriter& out) const
{
    out.writeString(parameterFormula);
    out.writeString(parameterFormula2);
}

void CFunctionGraph::readParameterFormulas(ArchiveReader& in)
{
    std::string first = in.readString();
    std::string second = in.readString();
    require(first.size() <= kMaxFormulaLength && second.size() <= kMaxFormulaLength);
    require(kind == GraphKind::Parametric || second.empty());
    parameterFormula = std::move(first);
    parameterFormula2 = std::move(second);
}

// A graph without parameters is read the classic way, as it always was.
bool CFunctionGraph::olderVersionsCanRead() const
{
    if (!usesParameters())
        return true;
    const bool secondHeld = kind != GraphKind::Parametric || !formula2.empty();
    return !formula.empty() && secondHeld;
}

int CFunctionGraph::sampleCount() const { return std::clamp(steps, 1, kMaxGraphSteps); }

CurveInterval CFunctionGraph::tracedInterval() const
{
    return { intervalFrom, intervalTo, sampleCount() };
}

std::size_t CFunctionGraph::preparePoints()
{
    const std::size_t count = static_cast<std::size_t>(sampleCount()) + 1;
    resizePoints(count);
    return count;
}

// A graph of one axis variable: the samples are one coordinate, the formula's values the other.
void CFunctionGraph::traceAlongAxis(
    std::string_view variable, std::span<double> samples, std::span<double> values)
{
    const int n = sampleCount();
    const std::size_t count = static_cast<std::size_t>(n) + 1;
    Marks marks(count);
    fillSamples(intervalFrom, intervalTo, n, samples);
    traceFormula(normalForm, variable, samples.first(count), values.first(count), marks);
    applyPenUpRule(marks, std::span(penUp).first(count));
    dirty = false;
}

// The arrays are sized before they are handed on as samples and values.
void CYofXGraph::computePoints()
{
    preparePoints();
    traceAlongAxis("x", xs, ys);
}

void CYofXGraph::refresh()
{
    followRange(*this, document->xAxis);
    CGraph::refresh();
}

std::unique_ptr<CurveFunction> CYofXGraph::curveFunction() const
{
    return yOfXCurve(normalForm, tracedInterval());
}

std::string CYofXGraph::describe() const { return "Y(x)=" + typedFormula(0) + legendSuffix(); }

void CXofYGraph::computePoints()
{
    preparePoints();
    traceAlongAxis("y", ys, xs);
}

void CXofYGraph::refresh()
{
    followRange(*this, document->yAxis);
    CGraph::refresh();
}

std::unique_ptr<CurveFunction> CXofYGraph::curveFunction() const
{
    return xOfYCurve(normalForm, tracedInterval());
}

std::string CXofYGraph::describe() const { return "X(y)=" + typedFormula(0) + legendSuffix(); }

void CParametricGraph::computePoints()
{
    const int n = sampleCount();
    const std::size_t count = preparePoints();
    Samples samples(count);
    Marks marksX(count);
    Marks marksY(count);
    fillSamples(intervalFrom, intervalTo, n, samples);
    const auto used = std::span(samples).first(count);
    traceFormula(normalForm, "t", used, std::span(xs).first(count), std::span(marksX).first(count));
    traceFormula(
        normalForm2, "t", used, std::span(ys).first(count), std::span(marksY).first(count));
    for (std::size_t i = 0; i < count; ++i)
        marksX[i] = marksX[i] | marksY[i];
    applyPenUpRule(std::span(marksX).first(count), std::span(penUp).first(count));
    dirty = false;
}

std::unique_ptr<CurveFunction> CParametricGraph::curveFunction() const
{
    return parametricCurve(normalForm, normalForm2, tracedInterval());
}

std::string CParametricGraph::describe() const
{
    return "X(t)=" + typedFormula(0) + "; Y(t)=" + typedFormula(1) + legendSuffix();
}

void CPolarGraph::computePoints()
{
    // The interval is held in units of pi; it is scaled for this computation only.
    const double pi = 4 * std::atan(1.0);
    const int n = sampleCount();
    const std::size_t count = preparePoints();
    Samples angles(count);
    Marks marks(count);
    fillSamples(intervalFrom * pi, intervalTo * pi, n, angles);
    traceFormula(normalForm,
        "a",
        std::span(angles).first(count),
        std::span(ys).first(count),
        std::span(marks).first(count));
    for (std::size_t i = 0; i < count; ++i) {
        if (marks[i])
            continue;
        const double radius = ys[i];
        xs[i] = std::cos(angles[i]) * radius;
        ys[i] = std::sin(angles[i]) * radius;
    }
    applyPenUpRule(std::span(marks).first(count), std::span(penUp).first(count));
    dirty = false;
}

std::unique_ptr<CurveFunction> CPolarGraph::curveFunction() const
{
    // The interval is held in units of pi, as the trace scales it.
    const double pi = 4 * std::atan(1.0);
    CurveInterval interval = tracedInterval();
    interval.from *= pi;
    interval.to *= pi;
    return polarCurve(normalForm, interval);
}

std::string CPolarGraph::describe() const { return "R(a)=" + typedFormula(0) + legendSuffix(); }

} // namespace ovilan
