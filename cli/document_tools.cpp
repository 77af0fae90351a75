#include "cli/document_tools.h"

#include "cli/engine_commands.h"
#include "cli/file_access.h"
#include "cli/picture_tools.h"
#include "document/document_file.h"
#include "document/document_size_limit.h"
#include "expr/number_format.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <optional>
#include <ostream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace ovilan::cli {

namespace {

    // The sizes the "Picture properties" dialog accepts.
    constexpr int kMinPictureSide = 100;
    constexpr int kMaxPictureSide = 3000;

    constexpr std::string_view kKindNames[] = { "Y(x)", "X(y)", "X(t),Y(t)", "R(a)", "Table" };

    // Opens a document as the program does; reports a failure as the program words it.
    bool open(COvilanDoc& document, std::string_view path, std::ostream& err)
    {
        const auto bytes = readRegularFile(std::string(path), kMaxDocumentFileBytes);
        if (!bytes) {
            err << "Failed to open document.\n";
            return false;
        }
        if (!loadDocument(document, *bytes)) {
            err << kUnexpectedFileFormat << '\n';
            return false;
        }
        return true;
    }

    std::string exact(double value)
    {
        char buffer[64];
        const auto result
            = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 17);
        return std::string(buffer, result.ptr);
    }

    void printRange(std::ostream& out, std::string_view name, const AxisSettings& axis)
    {
        out << name << " range: " << formatNumber(axis.min) << " .. " << formatNumber(axis.max)
            << '\n';
    }

    bool endsWith(std::string_view text, std::string_view suffix)
    {
        if (text.size() < suffix.size())
            return false;
        const std::string_view tail = text.substr(text.size() - suffix.size());
        return std::equal(tail.begin(), tail.end(), suffix.begin(), [](char a, char b) {
            return std::tolower(static_cast<unsigned char>(a)) == b;
        });
    }

    // WIDTHxHEIGHT with both within the sizes the picture dialog allows.
    std::optional<std::pair<int, int>> parseSize(std::string_view text)
    {
        const std::size_t cross = text.find('x');
        if (cross == std::string_view::npos)
            return std::nullopt;
        int width = 0;
        int height = 0;
        const char* widthEnd = text.data() + cross;
        const char* heightEnd = text.data() + text.size();
        const auto [wEnd, wError] = std::from_chars(text.data(), widthEnd, width);
        const auto [hEnd, hError] = std::from_chars(widthEnd + 1, heightEnd, height);
        if (wError != std::errc() || wEnd != widthEnd || hError != std::errc() || hEnd != heightEnd)
            return std::nullopt;
        if (width < kMinPictureSide || width > kMaxPictureSide || height < kMinPictureSide
            || height > kMaxPictureSide)
            return std::nullopt;
        return std::pair { width, height };
    }

    struct ConvertRequest {
        std::string_view source;
        std::string_view target;
        std::optional<PictureRequest> picture; // none for a document
    };

    // IN.ovd OUT.ovd, or IN.ovd OUT.bmp|OUT.png [--size WxH] [--rle].
    std::optional<ConvertRequest> parseConvert(
        std::span<const std::string_view> args, std::ostream& err)
    {
        std::vector<std::string_view> files;
        std::optional<std::string_view> size;
        bool rle = false;
        for (std::size_t i = 0; i < args.size(); ++i) {
            if (args[i] == "--size" && i + 1 < args.size())
                size = args[++i];
            else if (args[i] == "--rle")
                rle = true;
            else if (args[i].starts_with("--"))
                return std::nullopt;
            else
                files.push_back(args[i]);
        }
        if (files.size() != 2)
            return std::nullopt;
        ConvertRequest request { files[0], files[1], std::nullopt };
        if (endsWith(request.target, ".ovd")) {
            if (size || rle) {
                err << "ovilan-cli: --size and --rle apply to pictures only\n";
                return std::nullopt;
            }
            return request;
        }
        PictureRequest picture;
        if (endsWith(request.target, ".png"))
            picture.format = PictureFormat::Png;
        else if (!endsWith(request.target, ".bmp")) {
            err << "ovilan-cli: the output must end in .ovd, .bmp or .png\n";
            return std::nullopt;
        }
        if (rle && picture.format != PictureFormat::Bmp) {
            err << "ovilan-cli: --rle applies to BMP pictures only\n";
            return std::nullopt;
        }
        if (size) {
            const auto parsed = parseSize(*size);
            if (!parsed) {
                err << "ovilan-cli: the picture size must be WIDTHxHEIGHT, each between "
                    << kMinPictureSide << " and " << kMaxPictureSide << '\n';
                return std::nullopt;
            }
            std::tie(picture.width, picture.height) = *parsed;
        }
        picture.rle = rle;
        request.picture = picture;
        return request;
    }

} // namespace

int runInfo(std::span<const std::string_view> args, std::ostream& out, std::ostream& err)
{
    if (args.size() != 1)
        return kExitUsage;
    const AppPreferences preferences;
    COvilanDoc document(preferences);
    if (!open(document, args[0], err))
        return kExitRefused;
    out << "graphs: " << document.graphCount() << '\n';
    for (std::int32_t i = 0; i < document.graphCount(); ++i) {
        const CGraph& graph = document.graph(i);
        out << "  " << i << '\t' << kKindNames[static_cast<int>(graph.kind)] << '\t'
            << graph.describe() << (graph.showGraph ? "" : "\t(hidden)") << '\n';
    }
    out << "labels: " << document.labelCount() << '\n';
    for (std::int32_t i = 0; i < document.labelCount(); ++i) {
        const CPlotLabel& label = document.labels[static_cast<std::size_t>(i)];
        out << "  " << i << "\t(" << formatNumber(label.x) << ", " << formatNumber(label.y)
            << ")\t\"" << label.caption << "\"\n";
    }
    printRange(out, "x", document.xAxis);
    printRange(out, "y", document.yAxis);
    return kExitSuccess;
}

int runTrace(std::span<const std::string_view> args, std::ostream& out, std::ostream& err)
{
    std::optional<std::int32_t> only;
    if (args.size() == 3 && args[1] == "--graph") {
        std::int32_t index = 0;
        const auto [end, error]
            = std::from_chars(args[2].data(), args[2].data() + args[2].size(), index);
        if (error != std::errc() || end != args[2].data() + args[2].size())
            return kExitUsage;
        only = index;
    } else if (args.size() != 1) {
        return kExitUsage;
    }
    const AppPreferences preferences;
    COvilanDoc document(preferences);
    if (!open(document, args[0], err))
        return kExitRefused;
    if (only && (*only < 0 || *only >= document.graphCount())) {
        err << "ovilan-cli: the document has no graph " << *only << '\n';
        return kExitRefused;
    }
    out << "graph,index,x,y,penUp\n";
    for (std::int32_t g = 0; g < document.graphCount(); ++g) {
        if (only && g != *only)
            continue;
        const CGraph& graph = document.graph(g);
        for (std::int32_t i = 0; i <= graph.steps && out; ++i) {
            const auto at = static_cast<std::size_t>(i);
            out << g << ',' << i << ',' << exact(graph.xs[at]) << ',' << exact(graph.ys[at]) << ','
                << static_cast<int>(graph.penUp[at]) << '\n';
        }
    }
    return kExitSuccess;
}

int runConvert(std::span<const std::string_view> args, std::ostream& err)
{
    const std::optional<ConvertRequest> request = parseConvert(args, err);
    if (!request)
        return kExitUsage;
    const AppPreferences preferences;
    COvilanDoc document(preferences);
    if (!open(document, request->source, err))
        return kExitRefused;
    if (!request->picture) {
        if (!writeFileSafely(std::string(request->target), writeDocument(document))) {
            err << "Failed to save document.\n";
            return kExitRefused;
        }
        return kExitSuccess;
    }
    const auto bytes = pictureFile(document, *request->picture);
    if (!bytes) {
        err << "Can't save the bitmap.\n";
        return kExitRefused;
    }
    if (!writeFileSafely(std::string(request->target), *bytes)) {
        err << "An error has occured while saving.\n";
        return kExitRefused;
    }
    return kExitSuccess;
}

} // namespace ovilan::cli
