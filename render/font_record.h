#pragma once

#include <cstdint>
#include <string>

namespace ovilan {

// A logical font description; the height is a positive size in points. Whoever draws with it
// converts the height to pixels for its device and leaves the record in points.
struct FontRecord {
    static constexpr std::size_t kMaxFaceNameLength = 31;

    std::int32_t lfHeight = 0;
    std::int32_t lfWidth = 0;
    std::int32_t lfEscapement = 0;
    std::int32_t lfOrientation = 0;
    std::int32_t lfWeight = 0;
    std::uint8_t lfItalic = 0;
    std::uint8_t lfUnderline = 0;
    std::uint8_t lfStrikeOut = 0;
    std::uint8_t lfCharSet = 0;
    std::uint8_t lfOutPrecision = 0;
    std::uint8_t lfClipPrecision = 0;
    std::uint8_t lfQuality = 0;
    std::uint8_t lfPitchAndFamily = 0;
    std::string lfFaceName; // at most kMaxFaceNameLength characters

    bool operator==(const FontRecord&) const = default;
};

// A font with the members the settings name; every other member is 0.
inline FontRecord makeFont(const char* face, std::int32_t points, std::int32_t weight)
{
    FontRecord font;
    font.lfFaceName = face;
    font.lfHeight = points;
    font.lfWeight = weight;
    font.lfCharSet = 1;
    return font;
}

} // namespace ovilan
