#include "cli/animate_command.h"

#include "cli/document_tools.h"
#include "cli/engine_commands.h"
#include "cli/file_access.h"
#include "document/animation_frames.h"

#include <filesystem>
#include <ostream>
#include <string>
#include <system_error>

namespace ovilan::cli {

int writeAnimationFrames(std::string_view source,
    std::string_view folder,
    std::string_view range,
    const PictureRequest& request,
    std::ostream& err)
{
    const AppPreferences preferences;
    COvilanDoc document(preferences);
    if (const std::string_view failure = openDocument(document, source); !failure.empty()) {
        err << failure << '\n';
        return kExitRefused;
    }
    const FrameRangeReading reading = readFrameRange(document.parameterTable, range);
    if (!reading.range) {
        err << "ovilan-cli: " << reading.refusal << '\n';
        return kExitUsage;
    }
    const std::filesystem::path directory { std::string(folder) };
    std::error_code made;
    std::filesystem::create_directories(directory, made);
    if (made || !std::filesystem::is_directory(directory)) {
        err << "ovilan-cli: the folder " << folder << " could not be made\n";
        return kExitRefused;
    }
    const PictureMaker maker;
    const std::size_t count = frameCount(*reading.range);
    std::string_view failure;
    drawFrames(document, *reading.range, [&](std::size_t index) {
        const auto bytes = maker.file(document, request);
        if (!bytes)
            failure = "Can't save the bitmap.";
        else if (!writeFileSafely((directory / frameFileName(index, count)).string(), *bytes))
            failure = "An error has occured while saving.";
        return failure.empty();
    });
    if (failure.empty())
        return kExitSuccess;
    err << failure << '\n';
    return kExitRefused;
}

} // namespace ovilan::cli
