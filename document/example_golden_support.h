#pragma once

#include "document/document_file.h"
#include "document/draw_plot.h"
#include "document/preferences.h"
#include "render/memory_canvas.h"

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

namespace ovilan::golden {

// The pinned picture of one example document at one size.
struct Golden {
    const char* file;
    std::uint64_t pixelHash;
    const char* texts; // one line per text drawn: left, top, pixel height, colour, text
};

inline void PrintTo(const Golden& golden, std::ostream* out) { *out << golden.file; }

// The name a parameterised test gives the example: its file name without the extension.
inline std::string exampleName(const ::testing::TestParamInfo<Golden>& example)
{
    const std::string name = example.param.file;
    return name.substr(0, name.find('.'));
}

// The bytes of one of the example documents shipped with the program.
inline std::vector<std::uint8_t> readExample(const std::string& name)
{
    std::ifstream in(std::string(OVILAN_EXAMPLES "/") + name, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
}

// FNV-1a over the red, green and blue bytes of every pixel, row by row.
inline std::uint64_t pixelHash(const MemoryCanvas& canvas)
{
    std::uint64_t hash = 14695981039346656037ULL;
    const auto add = [&hash](std::uint8_t byte) {
        hash ^= byte;
        hash *= 1099511628211ULL;
    };
    for (std::int32_t y = 0; y < canvas.height(); ++y)
        for (std::int32_t x = 0; x < canvas.width(); ++x) {
            const Rgb color = canvas.pixel(x, y);
            add(color.red);
            add(color.green);
            add(color.blue);
        }
    return hash;
}

// One line per text drawn: left, top, pixel height, colour, text.
inline std::string textList(const MemoryCanvas& canvas)
{
    std::string list;
    for (const MemoryCanvas::DrawnText& text : canvas.texts()) {
        char line[96];
        std::snprintf(line,
            sizeof line,
            "%d %d %d %02x%02x%02x ",
            text.left,
            text.top,
            text.pixelHeight,
            text.state.textColor.red,
            text.state.textColor.green,
            text.state.textColor.blue);
        list += line + text.text + "\n";
    }
    return list;
}

// Draws the example over the whole canvas, as a picture is exported.
inline void drawExample(Canvas& canvas, const char* file)
{
    AppPreferences preferences;
    COvilanDoc document { preferences };
    ASSERT_TRUE(loadDocument(document, readExample(file))) << file;
    const DeviceRect surface = canvas.surfaceBox();
    renderPicture(canvas, document, surface.right + 1, surface.bottom + 1);
}

// Fails unless the example drawn at the given size gives the pinned pixels and texts.
inline void expectSamePicture(const Golden& golden, std::int32_t width, std::int32_t height)
{
    MemoryCanvas canvas(width, height);
    drawExample(canvas, golden.file);
    EXPECT_EQ(pixelHash(canvas), golden.pixelHash) << golden.file;
    EXPECT_EQ(textList(canvas), golden.texts) << golden.file;
}

} // namespace ovilan::golden
