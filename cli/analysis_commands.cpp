#include "cli/analysis_commands.h"

#include "analysis/curve_features.h"
#include "analysis/integral.h"
#include "analysis/intersections.h"
#include "cli/argument_number.h"
#include "cli/document_tools.h"
#include "cli/engine_commands.h"
#include "expr/dialog_fields.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <memory>
#include <optional>
#include <ostream>
#include <string>

namespace ovilan::cli {

namespace {

    // The options after the document, each at most once; a bound may be a constant formula
    // such as pi/3.
    struct AnalysisArguments {
        std::string_view path;
        std::optional<std::int32_t> graph;
        std::optional<double> from;
        std::optional<double> to;
    };

    std::string exact(double value)
    {
        char buffer[64];
        const auto result
            = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 17);
        return std::string(buffer, result.ptr);
    }

    std::optional<double> readBound(std::string_view text)
    {
        const std::optional<std::string> normal = checkConstantField(text);
        if (!normal)
            return std::nullopt;
        const double value = constantFieldValue(*normal);
        return std::isfinite(value) ? std::optional(value) : std::nullopt;
    }

    // Nothing when the arguments do not read; the reason is on `err` unless it is the usage.
    std::optional<AnalysisArguments> readArguments(
        std::span<const std::string_view> args, std::ostream& err)
    {
        if (args.empty() || args.size() % 2 != 1)
            return std::nullopt;
        AnalysisArguments read { args[0], {}, {}, {} };
        for (std::size_t i = 1; i < args.size(); i += 2) {
            const std::string_view option = args[i];
            const std::string_view value = args[i + 1];
            if (option == "--graph" && !read.graph) {
                read.graph = readArgumentNumber<std::int32_t>(value);
                if (!read.graph)
                    return std::nullopt;
            } else if ((option == "--from" && !read.from) || (option == "--to" && !read.to)) {
                const std::optional<double> bound = readBound(value);
                if (!bound) {
                    err << "ovilan-cli: " << option << " is not a number: " << value << '\n';
                    return std::nullopt;
                }
                (option == "--from" ? read.from : read.to) = bound;
            } else {
                return std::nullopt;
            }
        }
        if (!read.graph || read.from.has_value() != read.to.has_value())
            return std::nullopt;
        return read;
    }

    // The curve of the graph asked for; nothing, with the reason on `err`, when there is none.
    std::unique_ptr<CurveFunction> curveOf(
        COvilanDoc& document, std::int32_t graph, std::ostream& err)
    {
        if (graph < 0 || graph >= document.graphCount()) {
            err << "ovilan-cli: the document has no graph " << graph << '\n';
            return nullptr;
        }
        std::unique_ptr<CurveFunction> curve = document.graph(graph).curveFunction();
        if (!curve)
            err << "ovilan-cli: graph " << graph << " is a table, not a curve\n";
        return curve;
    }

    SearchInterval tracedInterval(const CurveFunction& curve)
    {
        const CurveInterval traced = curve.interval();
        return { std::min(traced.from, traced.to), std::max(traced.from, traced.to) };
    }

    void printFeatures(std::ostream& out, const FeatureSearch& search)
    {
        for (const CurveFeature& feature : search.features) {
            out << featureKindName(feature.kind) << ',' << feature.graph << ',';
            if (feature.other >= 0)
                out << feature.other;
            out << ',' << exact(feature.t) << ',' << exact(feature.x) << ',' << exact(feature.y)
                << '\n';
        }
    }

    // A search that stopped early has still listed what it found; the reader is told.
    void noteIncomplete(std::ostream& err, const FeatureSearch& search, std::string_view what)
    {
        if (search.more)
            err << "ovilan-cli: " << what
                << ": more results than can be listed; the first ones are shown\n";
        if (search.exhausted)
            err << "ovilan-cli: " << what
                << ": the search was stopped after too many evaluations\n";
    }

    // The document's graph the arguments name, as a curve; nothing, with the reason on `err`,
    // when the file cannot be read or the graph has no curve.
    std::unique_ptr<CurveFunction> openCurve(
        COvilanDoc& document, const AnalysisArguments& read, std::ostream& err)
    {
        if (const std::string_view failure = openDocument(document, read.path); !failure.empty()) {
            err << failure << '\n';
            return nullptr;
        }
        return curveOf(document, *read.graph, err);
    }

} // namespace

int runAnalyze(std::span<const std::string_view> args, std::ostream& out, std::ostream& err)
{
    const std::optional<AnalysisArguments> read = readArguments(args, err);
    if (!read)
        return kExitUsage;
    if (read->from && !(*read->from < *read->to)) {
        err << "ovilan-cli: the interval from " << exact(*read->from) << " to " << exact(*read->to)
            << " is empty or reversed\n";
        return kExitUsage;
    }
    const AppPreferences preferences;
    COvilanDoc document(preferences);
    const std::unique_ptr<CurveFunction> curve = openCurve(document, *read, err);
    if (!curve)
        return kExitRefused;
    const SearchInterval interval
        = read->from ? SearchInterval { *read->from, *read->to } : tracedInterval(*curve);
    out << "kind,graph,other,t,x,y\n";
    const FeatureSearch features = findCurveFeatures(*curve, *read->graph, interval, {});
    printFeatures(out, features);
    noteIncomplete(err, features, "graph " + std::to_string(*read->graph));
    for (std::int32_t other = 0; other < document.graphCount(); ++other) {
        if (other == *read->graph)
            continue;
        const std::unique_ptr<CurveFunction> otherCurve = document.graph(other).curveFunction();
        if (!otherCurve)
            continue;
        const FeatureSearch crossings
            = findIntersections(*curve, *read->graph, *otherCurve, other, interval, {});
        printFeatures(out, crossings);
        noteIncomplete(err, crossings, "graph " + std::to_string(other));
    }
    return kExitSuccess;
}

int runIntegrate(std::span<const std::string_view> args, std::ostream& out, std::ostream& err)
{
    const std::optional<AnalysisArguments> read = readArguments(args, err);
    if (!read || !read->from)
        return kExitUsage;
    const AppPreferences preferences;
    COvilanDoc document(preferences);
    const std::unique_ptr<CurveFunction> curve = openCurve(document, *read, err);
    if (!curve)
        return kExitRefused;
    const Integral integral = integrate(*curve, *read->from, *read->to);
    if (integral.status != IntegralStatus::Ok) {
        err << "ovilan-cli: " << integralMessage(integral.status) << '\n';
        return kExitRefused;
    }
    out << exact(integral.value) << '\t' << exact(integral.error) << '\n';
    return kExitSuccess;
}

} // namespace ovilan::cli
