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

namespace ovilan {
namespace {

    // Today's pictures of the example documents, pinned: any change to a pixel or to a text of
    // any of them, by any later work on the drawing, fails here. A deliberate change of the
    // picture replaces the values below with the ones the failure prints.
    constexpr std::int32_t kWidth = 800;
    constexpr std::int32_t kHeight = 600;

    struct Golden {
        const char* file;
        std::uint64_t pixelHash;
        const char* texts; // one line per text drawn: left, top, pixel height, colour, text
    };

    void PrintTo(const Golden& golden, std::ostream* out) { *out << golden.file; }

    std::vector<std::uint8_t> readExample(const std::string& name)
    {
        std::ifstream in(std::string(OVILAN_EXAMPLES "/") + name, std::ios::binary);
        return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
    }

    // FNV-1a over the red, green and blue bytes of every pixel, row by row.
    std::uint64_t pixelHash(const MemoryCanvas& canvas)
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

    std::string textList(const MemoryCanvas& canvas)
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

    class ExampleGolden : public ::testing::TestWithParam<Golden> { };

    TEST_P(ExampleGolden, DrawsTheSamePixelsAndTexts)
    {
        const Golden& golden = GetParam();
        AppPreferences preferences;
        COvilanDoc document { preferences };
        ASSERT_TRUE(loadDocument(document, readExample(golden.file)));
        MemoryCanvas canvas(kWidth, kHeight);
        renderPicture(canvas, document, kWidth, kHeight);
        EXPECT_EQ(pixelHash(canvas), golden.pixelHash) << golden.file;
        EXPECT_EQ(textList(canvas), golden.texts) << golden.file;
    }

    TEST_P(ExampleGolden, ResavesByteForByte)
    {
        const Golden& golden = GetParam();
        const std::vector<std::uint8_t> bytes = readExample(golden.file);
        ASSERT_FALSE(bytes.empty()) << golden.file;
        AppPreferences preferences;
        COvilanDoc document { preferences };
        ASSERT_TRUE(loadDocument(document, bytes));
        EXPECT_EQ(writeDocument(document), bytes) << golden.file;
    }

    const Golden kExamples[] = {
        { "gallery.ovd",
            10305264925227028920ULL,
            R"(385 488 12 000000 damped wave
385 505 12 000000 tangent
385 522 12 000000 sideways parabola
385 539 12 000000 heart
385 556 12 000000 rose
385 573 12 000000 measured
778 226 13 000000 x
21 254 11 000000 -10
98 254 11 000000 -8
172 254 11 000000 -6
246 254 11 000000 -4
320 254 11 000000 -2
471 254 11 000000 2
545 254 11 000000 4
619 254 11 000000 6
693 254 11 000000 8
764 254 11 000000 10
410 15 13 000000 y
383 26 11 000000 10
389 70 11 000000 8
389 114 11 000000 6
389 157 11 000000 4
389 201 11 000000 2
383 289 11 000000 -2
383 333 11 000000 -4
383 376 11 000000 -6
383 420 11 000000 -8
377 464 11 000000 -10
391 252 11 000000 0
111 386 11 000000 start
407 310 11 000000 end
465 158 11 000000 peak
)" },
        { "geometry.ovd",
            1776710326917843903ULL,
            R"(364 522 12 000000 circle r = 5
364 539 12 000000 ellipse 8cos(t), 3sin(t)
364 556 12 000000 tangent 3x + 4y = 25
364 573 12 000000 radius OP
723 290 13 000000 x
76 318 11 000000 -10
142 318 11 000000 -8
205 318 11 000000 -6
268 318 11 000000 -4
331 318 11 000000 -2
460 318 11 000000 2
523 318 11 000000 4
586 318 11 000000 6
649 318 11 000000 8
709 318 11 000000 10
410 15 13 000000 y
389 57 11 000000 8
389 120 11 000000 6
389 183 11 000000 4
389 246 11 000000 2
383 372 11 000000 -2
383 435 11 000000 -4
383 498 11 000000 -6
391 316 11 000000 0
500 171 11 000000 P(3, 4)
389 296 11 000000 O
85 229 11 000000 semi-axes a = 8, b = 3
)" },
        { "lissajous.ovd",
            13289116984867843081ULL,
            R"(358 574 12 000000 x = 8sin(3t), y = 8sin(2t)
670 269 13 000000 x
129 297 11 000000 -10
184 297 11 000000 -8
237 297 11 000000 -6
289 297 11 000000 -4
342 297 11 000000 -2
449 297 11 000000 2
502 297 11 000000 4
554 297 11 000000 6
607 297 11 000000 8
656 297 11 000000 10
410 15 13 000000 y
383 26 11 000000 10
389 78 11 000000 8
389 131 11 000000 6
389 183 11 000000 4
389 236 11 000000 2
383 340 11 000000 -2
383 393 11 000000 -4
383 445 11 000000 -6
383 498 11 000000 -8
377 550 11 000000 -10
391 295 11 000000 0
158 46 11 000000 frequencies 3 : 2
617 105 11 000000 t = pi/6
)" },
        { "measurements.ovd",
            15339151647577883321ULL,
            R"(367 556 12 000000 measured, 12 May
367 573 12 000000 fit 15-6cos(pi(x-4)/12)
680 513 13 000000 hour of the day
42 541 11 000000 0
101 541 11 000000 2
160 541 11 000000 4
220 541 11 000000 6
279 541 11 000000 8
335 541 11 000000 10
394 541 11 000000 12
453 541 11 000000 14
513 541 11 000000 16
572 541 11 000000 18
631 541 11 000000 20
690 541 11 000000 22
749 541 11 000000 24
40 15 13 000000 temperature, C
13 26 11 000000 24
13 83 11 000000 22
13 139 11 000000 20
13 195 11 000000 18
13 251 11 000000 16
13 307 11 000000 14
13 364 11 000000 12
13 420 11 000000 10
19 476 11 000000 8
19 532 11 000000 6
34 342 11 000000 12.3
96 418 11 000000 9.6
155 429 11 000000 9.2
212 404 11 000000 10.1
271 359 11 000000 11.7
330 255 11 000000 15.4
389 188 11 000000 17.8
448 112 11 000000 20.5
508 103 11 000000 20.8
573 126 11 000000 20
626 174 11 000000 18.3
685 278 11 000000 14.6
744 345 11 000000 12.2
170 486 11 000000 coldest before dawn
526 65 11 000000 warmest mid-afternoon
)" },
        { "polar_rose.ovd",
            17205392470567524146ULL,
            R"(358 556 12 000000 r = 8sin(4a), eight petals
358 573 12 000000 r = 8
661 260 13 000000 x
138 288 11 000000 -10
192 288 11 000000 -8
242 288 11 000000 -6
293 288 11 000000 -4
343 288 11 000000 -2
448 288 11 000000 2
498 288 11 000000 4
549 288 11 000000 6
599 288 11 000000 8
647 288 11 000000 10
410 15 13 000000 y
383 26 11 000000 10
389 77 11 000000 8
389 127 11 000000 6
389 178 11 000000 4
389 228 11 000000 2
383 330 11 000000 -2
383 380 11 000000 -4
383 431 11 000000 -6
383 481 11 000000 -8
377 532 11 000000 -10
391 286 11 000000 0
594 201 11 000000 petal tip, a = pi/8
)" },
        { "trigonometry.ovd",
            8158257269390143623ULL,
            R"(737 540 12 000000 sin(x)
737 557 12 000000 tg(x)
737 574 12 000000 1/cos(x)
778 252 13 000000 x
56 280 11 000000 -2pi
133 280 11 000000 -1.5pi
222 280 11 000000 -1pi
299 280 11 000000 -0.5pi
468 280 11 000000 0.5pi
557 280 11 000000 1pi
634 280 11 000000 1.5pi
723 280 11 000000 2pi
410 15 13 000000 y
389 26 11 000000 4
389 87 11 000000 3
389 149 11 000000 2
389 210 11 000000 1
383 332 11 000000 -1
383 394 11 000000 -2
383 455 11 000000 -3
383 516 11 000000 -4
391 278 11 000000 0
490 56 11 000000 pole: cos(x) = 0
445 197 11 000000 sin(pi/2) = 1
)" },
    };

    INSTANTIATE_TEST_SUITE_P(Examples,
        ExampleGolden,
        ::testing::ValuesIn(kExamples),
        [](const ::testing::TestParamInfo<Golden>& example) {
            std::string name = example.param.file;
            return name.substr(0, name.find('.'));
        });

} // namespace
} // namespace ovilan
