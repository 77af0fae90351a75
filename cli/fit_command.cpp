#include "cli/fit_command.h"

#include "analysis/curve_fit.h"
#include "cli/argument_number.h"
#include "cli/data_commands.h"
#include "cli/engine_commands.h"
#include "cli/file_access.h"
#include "document/csv_table.h"
#include "expr/text_evaluator.h"

#include <array>
#include <cstdio>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace ovilan::cli {

namespace {

    struct FitArguments {
        std::string_view path;
        FitRequest request;
        std::string_view start;
    };

    // The model's words; anything that is not one of them is the user's formula.
    std::optional<FitRequest> readModel(std::span<const std::string_view> args, std::size_t& at)
    {
        FitRequest request;
        const std::string_view model = args[at++];
        if (model == "linear") {
            request.model = FitModel::Linear;
        } else if (model == "poly") {
            if (at >= args.size())
                return std::nullopt;
            const std::optional<int> degree = readArgumentNumber<int>(args[at++]);
            if (!degree)
                return std::nullopt;
            request.model = FitModel::Polynomial;
            request.degree = *degree;
        } else if (model == "exp") {
            request.model = FitModel::Exponential;
        } else if (model == "log") {
            request.model = FitModel::Logarithmic;
        } else if (model == "power") {
            request.model = FitModel::Power;
        } else {
            request.model = FitModel::Formula;
            request.formula = std::string(model);
        }
        return request;
    }

    std::optional<FitArguments> readArguments(std::span<const std::string_view> args)
    {
        if (args.empty())
            return std::nullopt;
        FitArguments read { args[0], {}, {} };
        bool modelGiven = false;
        std::size_t at = 1;
        while (at < args.size()) {
            const std::string_view option = args[at++];
            if (at >= args.size())
                return std::nullopt;
            if (option == "--model" && !modelGiven) {
                const std::optional<FitRequest> request = readModel(args, at);
                if (!request)
                    return std::nullopt;
                read.request = *request;
                modelGiven = true;
            } else if (option == "--start" && read.start.empty()) {
                read.start = args[at++];
            } else {
                return std::nullopt;
            }
        }
        if (!modelGiven)
            return std::nullopt;
        return read;
    }

    std::optional<std::vector<ParameterValue>> readStart(std::string_view text, std::ostream& err)
    {
        std::string bad;
        auto start = readFitStart(text, bad);
        if (!start) {
            err << "ovilan-cli: --start takes LETTER=VALUE pairs separated by commas, the "
                   "letters among j, k, m, v, w, z: \""
                << bad << "\"\n";
        }
        return start;
    }

    struct Points {
        std::vector<double> x;
        std::vector<double> y;
    };

    std::optional<Points> readPoints(const std::string& path, std::ostream& err)
    {
        const std::optional<CsvTable> table = readDataFile(path, err);
        if (!table)
            return std::nullopt;
        Points points;
        for (const CsvRow& row : table->rows) {
            // The reader writes each cell as an exact number text, which evaluates as it stands.
            points.x.push_back(evaluateText(row.x, " ", 0).value_or(0));
            points.y.push_back(evaluateText(row.y, " ", 0).value_or(0));
        }
        return points;
    }

    std::string exactText(double value)
    {
        std::array<char, 32> text {};
        std::snprintf(text.data(), text.size(), "%.17g", value);
        return text.data();
    }

} // namespace

int runFit(std::span<const std::string_view> args, std::ostream& out, std::ostream& err)
{
    std::optional<FitArguments> read = readArguments(args);
    if (!read)
        return kExitUsage;
    if (!read->start.empty()) {
        auto start = readStart(read->start, err);
        if (!start)
            return kExitUsage;
        read->request.start = std::move(*start);
    }
    const std::optional<Points> points = readPoints(std::string(read->path), err);
    if (!points)
        return kExitRefused;
    const FitResult fit = fitCurve(points->x, points->y, read->request);
    if (!fit.ok()) {
        err << fit.refusal << '\n';
        return kExitRefused;
    }
    for (const FitCoefficient& coefficient : fit.coefficients)
        out << coefficient.name << '\t' << exactText(coefficient.value) << '\n';
    out << "R²\t" << exactText(fit.rSquared) << '\n';
    out << "sd\t" << exactText(fit.residualSd) << '\n';
    out << "formula\t" << fit.normalForm << '\n';
    return kExitSuccess;
}

} // namespace ovilan::cli
