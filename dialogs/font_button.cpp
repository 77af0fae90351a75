#include "dialogs/font_button.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <limits>

namespace ovilan {

namespace {

    inline constexpr ColorIndex kPaletteSize = 16;
    inline constexpr std::int32_t kPointsPerInch = 72;
    inline constexpr std::int32_t kUsualPixelsPerInch = 96;

    // A negative height asks the font dialog for that character height in pixels.
    std::int32_t pointsToPixelHeight(std::int32_t points, std::int32_t pixelsPerInch)
    {
        return -mulDiv(points, pixelsPerInch, kPointsPerInch);
    }

    std::int32_t pixelHeightToPoints(std::int32_t height, std::int32_t pixelsPerInch)
    {
        return -mulDiv(height, kPointsPerInch, pixelsPerInch);
    }

    void takeChosenFont(FontRecord& font, const FontRecord& chosen)
    {
        font.lfFaceName = limitedFaceName(chosen.lfFaceName);
        font.lfHeight = chosen.lfHeight;
        font.lfWeight = chosen.lfWeight;
        font.lfItalic = chosen.lfItalic;
        font.lfUnderline = chosen.lfUnderline;
        font.lfStrikeOut = chosen.lfStrikeOut;
    }

    bool isUtf8Continuation(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) == 0x80; }

} // namespace

std::int32_t mulDiv(std::int32_t number, std::int32_t numerator, std::int32_t denominator)
{
    if (denominator == 0)
        return 0;
    std::int64_t product = static_cast<std::int64_t>(number) * numerator;
    std::int64_t divisor = denominator;
    if (divisor < 0) {
        product = -product;
        divisor = -divisor;
    }
    const std::int64_t half = divisor / 2;
    const std::int64_t quotient
        = product >= 0 ? (product + half) / divisor : (product - half) / divisor;
    // Symmetric, so that every result can be negated, as the height conversions do.
    constexpr std::int64_t highest = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(std::clamp(quotient, -highest, highest));
}

ColorIndex paletteIndexOf(Rgb color)
{
    for (ColorIndex index = 0; index < kPaletteSize; ++index) {
        if (colorOf(index) == color)
            return index;
    }
    return 0;
}

std::string limitedFaceName(std::string_view face)
{
    std::size_t length = std::min(face.size(), FontRecord::kMaxFaceNameLength);
    if (length < face.size()) {
        while (length > 0 && isUtf8Continuation(face[length]))
            --length;
    }
    return std::string(face.substr(0, length));
}

std::int32_t screenPixelsPerInch(const QWidget* dialog)
{
    const QScreen* screen = dialog ? dialog->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return kUsualPixelsPerInch;
    const auto pixelsPerInch
        = static_cast<std::int32_t>(std::lround(screen->logicalDotsPerInchY()));
    return pixelsPerInch > 0 ? pixelsPerInch : kUsualPixelsPerInch;
}

void runFontButton(FontRecord& font, ColorIndex& colorIndex, QWidget* dialog, FontChooser& chooser)
{
    runFontButton(font, colorIndex, dialog, chooser, screenPixelsPerInch(dialog));
}

void runFontButton(FontRecord& font,
    ColorIndex& colorIndex,
    QWidget* dialog,
    FontChooser& chooser,
    std::int32_t pixelsPerInch)
{
    if (pixelsPerInch <= 0)
        pixelsPerInch = kUsualPixelsPerInch;
    font.lfHeight = pointsToPixelHeight(font.lfHeight, pixelsPerInch);
    const std::optional<FontChoice> choice
        = chooser.choose(dialog, font, colorOf(colorIndex), pixelsPerInch);
    if (choice)
        takeChosenFont(font, choice->font);
    font.lfHeight = pixelHeightToPoints(font.lfHeight, pixelsPerInch);
    if (choice)
        colorIndex = paletteIndexOf(choice->color);
}

} // namespace ovilan
