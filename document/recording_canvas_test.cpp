#include "document/example_golden_support.h"
#include "render/recording_canvas.h"

#include <cstdint>
#include <cstdlib>
#include <gtest/gtest.h>
#include <sstream>
#include <string>

namespace ovilan {
namespace {

    constexpr std::int32_t kWidth = 800;
    constexpr std::int32_t kHeight = 600;

    struct RecordedLine {
        std::int64_t x1 = 0;
        std::int64_t y1 = 0;
        std::int64_t x2 = 0;
        std::int64_t y2 = 0;
    };

    // Whether the record holds a straight line at least `span` pixels long, flat or upright.
    bool hasLongLine(const std::string& record, bool flat, std::int64_t span)
    {
        std::istringstream lines(record);
        std::string kind;
        for (std::string line; std::getline(lines, line);) {
            std::istringstream fields(line);
            RecordedLine at;
            if (!(fields >> kind >> at.x1 >> at.y1 >> at.x2 >> at.y2) || kind != "line")
                continue;
            const bool isFlat = at.y1 == at.y2 && std::llabs(at.x2 - at.x1) >= span;
            const bool isUpright = at.x1 == at.x2 && std::llabs(at.y2 - at.y1) >= span;
            if (flat ? isFlat : isUpright)
                return true;
        }
        return false;
    }

    class RecordedExample : public ::testing::TestWithParam<const char*> { };

    // The primitives drawn through their pixel defaults give exactly the picture drawn on a plain
    // in-memory canvas, so a surface that records or draws them loses nothing of the exact one.
    TEST_P(RecordedExample, GivesThePlainCanvasPixelsAndTexts)
    {
        MemoryCanvas plain(kWidth, kHeight);
        golden::drawExample(plain, GetParam());
        RecordingCanvas recording(kWidth, kHeight);
        golden::drawExample(recording, GetParam());
        EXPECT_EQ(golden::pixelHash(recording.pixels()), golden::pixelHash(plain));
        EXPECT_EQ(recording.pixels().texts(), plain.texts());
    }

    // The axes reach the canvas as lines, the traces as curves and the captions and labels as
    // texts, not as pixels.
    TEST_P(RecordedExample, RecordsTheAxesAsLinesAndTheirTextsAsTexts)
    {
        RecordingCanvas recording(kWidth, kHeight);
        golden::drawExample(recording, GetParam());
        const std::string& record = recording.record();
        EXPECT_TRUE(hasLongLine(record, true, kWidth / 2)) << record;
        EXPECT_TRUE(hasLongLine(record, false, kHeight / 2)) << record;
        EXPECT_NE(record.find("\ncurve "), std::string::npos) << record;
        for (const MemoryCanvas::DrawnText& text : recording.pixels().texts()) {
            const std::string expected = "text " + std::to_string(text.left) + " "
                + std::to_string(text.top) + " " + std::to_string(text.pixelHeight) + " ";
            const std::size_t at = record.find(expected);
            ASSERT_NE(at, std::string::npos) << text.text;
            const std::size_t end = record.find('\n', at);
            EXPECT_TRUE(record.compare(end - text.text.size(), text.text.size(), text.text) == 0)
                << record.substr(at, end - at);
        }
    }

    INSTANTIATE_TEST_SUITE_P(Examples,
        RecordedExample,
        ::testing::Values("gallery.ovd",
            "geometry.ovd",
            "lissajous.ovd",
            "measurements.ovd",
            "polar_rose.ovd",
            "trigonometry.ovd"),
        [](const ::testing::TestParamInfo<const char*>& example) {
            const std::string name = example.param;
            return name.substr(0, name.find('.'));
        });

} // namespace
} // namespace ovilan
