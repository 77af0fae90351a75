#include "cli/convert_command.h"

#include "cli/animate_command.h"
#include "cli/argument_number.h"
#include "cli/document_tools.h"
#include "cli/engine_commands.h"
#include "cli/file_access.h"
#include "cli/picture_tools.h"
#include "document/document_file.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <future>
#include <limits>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace ovilan::cli {

namespace {

    // The sizes the "Picture properties" dialog accepts.
    constexpr int kMinPictureSide = 100;
    constexpr int kMaxPictureSide = 3000;

    // What each file name ending writes; no picture format is a document.
    struct TargetKind {
        std::string_view extension;
        std::optional<PictureFormat> picture;
    };
    constexpr TargetKind kTargetKinds[] = { { "ovd", std::nullopt },
        { "bmp", PictureFormat::Bmp },
        { "png", PictureFormat::Png },
        { "svg", PictureFormat::Svg },
        { "pdf", PictureFormat::Pdf } };

    // The command line as given, before anything is checked against the format.
    struct ConvertArguments {
        std::vector<std::string_view> files;
        std::optional<std::string_view> to;
        std::optional<std::string_view> outDir;
        std::optional<std::string_view> size;
        std::optional<std::string_view> scale;
        std::optional<std::string_view> dotsPerInch;
        std::optional<std::string_view> millimetres;
        std::optional<std::string_view> animate;
        bool rle = false;
        bool smooth = false;

        bool anyPictureOption() const
        {
            return size || scale || dotsPerInch || millimetres || rle || smooth;
        }
    };

    struct Conversion {
        std::string source;
        std::string target;
    };

    struct ConvertPlan {
        std::vector<Conversion> conversions;
        std::optional<PictureRequest> picture; // none for documents
        bool batch = false;
    };

    // Options that take a value, and where each keeps it.
    std::optional<std::string_view>* valueOption(ConvertArguments& arguments, std::string_view name)
    {
        const std::pair<std::string_view, std::optional<std::string_view>*> options[] = {
            { "--to", &arguments.to },
            { "--out-dir", &arguments.outDir },
            { "--size", &arguments.size },
            { "--scale", &arguments.scale },
            { "--dpi", &arguments.dotsPerInch },
            { "--mm", &arguments.millimetres },
            { "--animate", &arguments.animate },
        };
        for (const auto& [option, value] : options)
            if (option == name)
                return value;
        return nullptr;
    }

    std::optional<ConvertArguments> readArguments(std::span<const std::string_view> args)
    {
        ConvertArguments arguments;
        for (std::size_t i = 0; i < args.size(); ++i) {
            if (auto* value = valueOption(arguments, args[i]); value && i + 1 < args.size())
                *value = args[++i];
            else if (args[i] == "--rle")
                arguments.rle = true;
            else if (args[i] == "--smooth")
                arguments.smooth = true;
            else if (args[i].starts_with("--"))
                return std::nullopt;
            else
                arguments.files.push_back(args[i]);
        }
        return arguments;
    }

    std::string lowered(std::string_view text)
    {
        std::string result(text);
        std::transform(result.begin(), result.end(), result.begin(), [](unsigned char c) {
            return static_cast<char>(std::tolower(c));
        });
        return result;
    }

    const TargetKind* kindOf(std::string_view extension)
    {
        const std::string wanted = lowered(extension);
        for (const TargetKind& kind : kTargetKinds)
            if (kind.extension == wanted)
                return &kind;
        return nullptr;
    }

    const TargetKind* kindOfFile(std::string_view path)
    {
        const std::size_t dot = path.rfind('.');
        if (dot == std::string_view::npos)
            return nullptr;
        return kindOf(path.substr(dot + 1));
    }

    // WIDTHxHEIGHT, as two numbers.
    template <typename Number>
    std::optional<std::pair<Number, Number>> parsePair(std::string_view text)
    {
        const std::size_t cross = text.find('x');
        if (cross == std::string_view::npos)
            return std::nullopt;
        const auto width = readArgumentNumber<Number>(text.substr(0, cross));
        const auto height = readArgumentNumber<Number>(text.substr(cross + 1));
        if (!width || !height)
            return std::nullopt;
        return std::pair { *width, *height };
    }

    bool isPlotSize(std::pair<int, int> size)
    {
        return size.first >= kMinPictureSide && size.first <= kMaxPictureSide
            && size.second >= kMinPictureSide && size.second <= kMaxPictureSide;
    }

    // The options that do not fit the format or each other, named in a message; empty when they
    // fit.
    std::string_view optionMismatch(const ConvertArguments& arguments, PictureFormat format)
    {
        const bool png = format == PictureFormat::Png;
        if (arguments.rle && format != PictureFormat::Bmp)
            return "--rle applies to BMP pictures only";
        if (arguments.smooth && !png)
            return "--smooth applies to PNG pictures only";
        if (arguments.scale && !png)
            return "--scale applies to PNG pictures only";
        if ((arguments.dotsPerInch || arguments.millimetres) && format == PictureFormat::Bmp)
            return "--dpi and --mm apply to PNG, SVG and PDF pictures only";
        if (arguments.scale && (arguments.dotsPerInch || arguments.millimetres))
            return "--scale and --dpi cannot be given together";
        if (arguments.size && arguments.millimetres)
            return "--size and --mm cannot be given together";
        if (arguments.dotsPerInch && !arguments.millimetres)
            return "--dpi needs --mm, the size of the picture in millimetres";
        if (arguments.millimetres && !arguments.dotsPerInch && png)
            return "--mm needs --dpi for a PNG picture";
        return {};
    }

    // The picture the options ask for; a refusal is reported on `err`.
    std::optional<PictureRequest> pictureRequest(
        const ConvertArguments& arguments, PictureFormat format, std::ostream& err)
    {
        if (const std::string_view mismatch = optionMismatch(arguments, format);
            !mismatch.empty()) {
            err << "ovilan-cli: " << mismatch << '\n';
            return std::nullopt;
        }
        PictureRequest request;
        request.format = format;
        request.rle = arguments.rle;
        request.smooth = arguments.smooth;
        if (arguments.size) {
            const auto size = parsePair<int>(*arguments.size);
            if (!size || !isPlotSize(*size)) {
                err << "ovilan-cli: the picture size must be WIDTHxHEIGHT, each between "
                    << kMinPictureSide << " and " << kMaxPictureSide << '\n';
                return std::nullopt;
            }
            std::tie(request.width, request.height) = *size;
        }
        // Text that is no number is out of every range, and refused with the range.
        constexpr double kNotANumber = std::numeric_limits<double>::quiet_NaN();
        if (arguments.scale)
            request.scale = readArgumentNumber<double>(*arguments.scale).value_or(kNotANumber);
        if (arguments.dotsPerInch)
            request.dotsPerInch = readArgumentNumber<int>(*arguments.dotsPerInch).value_or(0);
        if (arguments.millimetres)
            request.millimetres = parsePair<double>(*arguments.millimetres)
                                      .value_or(std::pair { kNotANumber, kNotANumber });
        if (const std::string refusal = pictureRefusal(request); !refusal.empty()) {
            err << refusal << '\n';
            return std::nullopt;
        }
        return request;
    }

    std::optional<ConvertPlan> singlePlan(const ConvertArguments& arguments, std::ostream& err)
    {
        if (arguments.files.size() != 2)
            return std::nullopt;
        ConvertPlan plan;
        plan.conversions.push_back(
            { std::string(arguments.files[0]), std::string(arguments.files[1]) });
        const TargetKind* kind = kindOfFile(arguments.files[1]);
        if (kind == nullptr) {
            err << "ovilan-cli: the output must end in .ovd, .bmp, .png, .svg or .pdf\n";
            return std::nullopt;
        }
        if (!kind->picture) {
            if (arguments.anyPictureOption()) {
                err << "ovilan-cli: --size, --rle, --smooth, --scale, --dpi and --mm apply to "
                       "pictures only\n";
                return std::nullopt;
            }
            return plan;
        }
        plan.picture = pictureRequest(arguments, *kind->picture, err);
        if (!plan.picture)
            return std::nullopt;
        return plan;
    }

    std::optional<ConvertPlan> batchPlan(const ConvertArguments& arguments, std::ostream& err)
    {
        if (!arguments.to || !arguments.outDir) {
            err << "ovilan-cli: --to and --out-dir must be given together\n";
            return std::nullopt;
        }
        if (arguments.files.empty())
            return std::nullopt;
        const TargetKind* kind = kindOf(*arguments.to);
        if (kind == nullptr || !kind->picture) {
            err << "ovilan-cli: --to must be bmp, png, svg or pdf\n";
            return std::nullopt;
        }
        ConvertPlan plan;
        plan.batch = true;
        plan.picture = pictureRequest(arguments, *kind->picture, err);
        if (!plan.picture)
            return std::nullopt;
        // Two documents of one name in different folders would overwrite each other's picture.
        std::map<std::string, std::string_view> sources;
        for (const std::string_view source : arguments.files) {
            std::filesystem::path target(*arguments.outDir);
            target /= std::filesystem::path(source).stem();
            target += '.';
            target += kind->extension;
            const auto [known, added] = sources.emplace(target.string(), source);
            if (!added) {
                err << "ovilan-cli: " << known->second << " and " << source
                    << " would both be written to " << known->first << '\n';
                return std::nullopt;
            }
            plan.conversions.push_back({ std::string(source), target.string() });
        }
        return plan;
    }

    bool isVector(PictureFormat format)
    {
        return format == PictureFormat::Svg || format == PictureFormat::Pdf;
    }

    struct OpenedDocument {
        std::unique_ptr<COvilanDoc> document;
        std::string_view failure; // the program's message when it could not be opened
    };

    // Reads and traces a document on a thread of its own.
    std::future<OpenedDocument> openInBackground(
        const std::string& path, const AppPreferences& preferences)
    {
        return std::async(std::launch::async, [&path, &preferences] {
            leaveEndingSignalsToOtherThreads();
            OpenedDocument opened { std::make_unique<COvilanDoc>(preferences), {} };
            opened.failure = openDocument(*opened.document, path);
            return opened;
        });
    }

    // Why the target could not be written, in the program's words; empty when it has been.
    std::string_view writeTarget(const COvilanDoc& document,
        const std::string& target,
        const ConvertPlan& plan,
        const PictureMaker* maker)
    {
        if (!plan.picture) {
            if (!writeFileSafely(target, writeDocument(document)))
                return "Failed to save document.";
            return {};
        }
        const auto bytes = maker->file(document, *plan.picture);
        if (!bytes)
            return isVector(plan.picture->format) ? "Can't save the picture."
                                                  : "Can't save the bitmap.";
        if (!writeFileSafely(target, *bytes))
            return "An error has occured while saving.";
        return {};
    }

    // One document into a folder of PNG frames.
    int runAnimation(const ConvertArguments& arguments, std::ostream& err)
    {
        if (arguments.to || arguments.outDir) {
            err << "ovilan-cli: --animate cannot be given with --to and --out-dir\n";
            return kExitUsage;
        }
        if (arguments.files.size() != 2)
            return kExitUsage;
        const std::optional<PictureRequest> request
            = pictureRequest(arguments, PictureFormat::Png, err);
        if (!request)
            return kExitUsage;
        return writeAnimationFrames(
            arguments.files[0], arguments.files[1], *arguments.animate, *request, err);
    }

} // namespace

int runConvert(std::span<const std::string_view> args, std::ostream& err)
{
    const std::optional<ConvertArguments> arguments = readArguments(args);
    if (!arguments)
        return kExitUsage;
    if (arguments->animate)
        return runAnimation(*arguments, err);
    const bool batch = arguments->to || arguments->outDir;
    const std::optional<ConvertPlan> plan
        = batch ? batchPlan(*arguments, err) : singlePlan(*arguments, err);
    if (!plan)
        return kExitUsage;
    if (plan->batch && !std::filesystem::is_directory(std::string(*arguments->outDir))) {
        err << "ovilan-cli: the folder " << *arguments->outDir << " does not exist\n";
        return kExitRefused;
    }
    // Documents are read and traced on a second thread, one ahead of the pictures: the first
    // while the application and its fonts start, each next one while the last is drawn.
    const AppPreferences preferences;
    const std::vector<Conversion>& conversions = plan->conversions;
    std::future<OpenedDocument> next = openInBackground(conversions.front().source, preferences);
    std::optional<PictureMaker> maker;
    if (plan->picture)
        maker.emplace();
    int status = kExitSuccess;
    for (std::size_t i = 0; i < conversions.size(); ++i) {
        const OpenedDocument opened = next.get();
        if (i + 1 < conversions.size())
            next = openInBackground(conversions[i + 1].source, preferences);
        const std::string_view failure = !opened.failure.empty()
            ? opened.failure
            : writeTarget(
                *opened.document, conversions[i].target, *plan, maker ? &*maker : nullptr);
        if (failure.empty())
            continue;
        if (plan->batch)
            err << conversions[i].source << ": ";
        err << failure << '\n';
        status = kExitRefused;
    }
    return status;
}

} // namespace ovilan::cli
