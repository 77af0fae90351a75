#include "document/document_file.h"
#include "document/document_test_support.h"
#include "document/draw_plot.h"
#include "render/memory_canvas.h"

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace ovilan {
namespace {

    // The window repaints only the area a change touched, such as the boxes a moved label left
    // and took. Whatever that area, its pixels and texts must be exactly those of a paint of the
    // whole window: nothing half-erased, no tick or grid line added or lost.
    constexpr std::int32_t kWidth = 420;
    constexpr std::int32_t kHeight = 320;

    // Drawn as the window draws a repaint: the area filled in the background colour, the layout
    // computed for the whole window, and the plot drawn with the canvas clipped to the area.
    MemoryCanvas paint(const COvilanDoc& document, const DeviceRect* area)
    {
        const Rgb background = colorOf(document.general.backgroundColor);
        MemoryCanvas canvas(kWidth, kHeight, background);
        if (area != nullptr)
            canvas.setClipBox(*area);
        canvas.textState().backgroundColor = background;
        PlotMapping mapping;
        mapping.plotRect = { 0, 0, kWidth, kHeight };
        layoutDocument(mapping, canvas, document);
        drawPlot(canvas, mapping, document);
        return canvas;
    }

    // The box of a drawn text, edges included, by the memory canvas's metrics.
    DeviceRect textBox(const MemoryCanvas::DrawnText& text)
    {
        const auto width
            = static_cast<std::int32_t>(text.text.size()) * ((text.pixelHeight + 1) / 2);
        return { text.left, text.top, text.left + width - 1, text.top + text.pixelHeight - 1 };
    }

    bool overlaps(const DeviceRect& a, const DeviceRect& b)
    {
        return a.left <= b.right && b.left <= a.right && a.top <= b.bottom && b.top <= a.bottom;
    }

    std::vector<MemoryCanvas::DrawnText> textsWithin(
        const MemoryCanvas& canvas, const DeviceRect& area)
    {
        std::vector<MemoryCanvas::DrawnText> within;
        for (const MemoryCanvas::DrawnText& text : canvas.texts())
            if (overlaps(textBox(text), area))
                within.push_back(text);
        return within;
    }

    ::testing::AssertionResult repaintMatches(
        const COvilanDoc& document, const MemoryCanvas& full, const DeviceRect& area)
    {
        const MemoryCanvas part = paint(document, &area);
        for (std::int32_t y = std::max(area.top, 0); y <= std::min(area.bottom, kHeight - 1); ++y)
            for (std::int32_t x = std::max(area.left, 0); x <= std::min(area.right, kWidth - 1);
                 ++x)
                if (part.pixel(x, y) != full.pixel(x, y))
                    return ::testing::AssertionFailure() << "pixel " << x << "," << y;
        if (textsWithin(part, area) != textsWithin(full, area))
            return ::testing::AssertionFailure() << "texts differ";
        return ::testing::AssertionSuccess();
    }

    // Areas where faults show: random ones of every size, the boxes of every text drawn, grown
    // as a label's repaint area is and cut in half, and thin strips across the axes.
    std::vector<DeviceRect> areasToRepaint(const MemoryCanvas& full, unsigned seed)
    {
        std::vector<DeviceRect> areas;
        std::mt19937 random(seed);
        std::uniform_int_distribution<std::int32_t> x(-5, kWidth + 5);
        std::uniform_int_distribution<std::int32_t> y(-5, kHeight + 5);
        std::uniform_int_distribution<std::int32_t> size(0, 60);
        for (int i = 0; i < 80; ++i) {
            const std::int32_t left = x(random);
            const std::int32_t top = y(random);
            areas.push_back({ left, top, left + size(random), top + size(random) });
        }
        // Of thousands of dense labels a spread of some forty is enough.
        const std::size_t every = full.texts().size() / 40 + 1;
        for (std::size_t i = 0; i < full.texts().size(); i += every) {
            const DeviceRect box = textBox(full.texts()[i]);
            areas.push_back({ box.left - 2, box.top - 2, box.right + 2, box.bottom + 2 });
            areas.push_back({ (box.left + box.right) / 2, box.top, box.right + 3, box.bottom });
        }
        for (std::int32_t at = 0; at < kWidth; at += 7)
            areas.push_back({ at, 0, at + 2, kHeight - 1 });
        for (std::int32_t at = 0; at < kHeight; at += 5)
            areas.push_back({ 0, at, kWidth - 1, at + 1 });
        return areas;
    }

    void expectRepaintsMatch(const COvilanDoc& document, unsigned seed)
    {
        const MemoryCanvas full = paint(document, nullptr);
        for (const DeviceRect& area : areasToRepaint(full, seed))
            ASSERT_TRUE(repaintMatches(document, full, area))
                << "area " << area.left << "," << area.top << " - " << area.right << ","
                << area.bottom;
    }

    struct Scene {
        AppPreferences preferences;
        COvilanDoc document { preferences };
    };

    // Fine steps, wide lines, a legend with samples and labels lying over the axis labels.
    void makeBusy(COvilanDoc& document)
    {
        document.xAxis.caption = "x";
        document.yAxis.caption = "y";
        document.xAxis.lineWidth = 3;
        document.yAxis.lineWidth = 2;
        document.xAxis.lineStyle = 2;
        document.xAxis.tickStep = 0.25;
        document.yAxis.tickStep = 0.5;
        document.xAxis.tickLength = 12;
        document.xAxis.labelStep = 1;
        document.yAxis.labelStep = 0.5;
        document.xAxis.labelSuffix = " cm";
        document.grid.horizontal = { 0.5, 3, 8, 1, 1 };
        document.grid.vertical = { 0.75, 2, 4, 3, 1 };
        document.legend.shown = 1;
        document.legend.horizontalPosition = 2;
        auto sine = testing::yOfX(document, "sin(x)");
        sine->lineWidth = 4;
        sine->setLegendText("sine");
        document.insertGraph(std::move(sine), 0);
        auto line = testing::yOfX(document, "x/2");
        line->penStyle = 2;
        line->setLegendText("half");
        document.insertGraph(std::move(line), 1);
        for (double x : { -3.0, 2.0, 5.0 }) {
            CPlotLabel label;
            label.x = x;
            label.y = -0.4;
            label.caption = "over";
            label.labelBorder = 1;
            document.insertLabel(label, document.labelCount());
        }
        document.refreshGraphs();
    }

    TEST(PartialRepaint, GivesThePixelsOfAFullPaint)
    {
        Scene busy;
        makeBusy(busy.document);
        expectRepaintsMatch(busy.document, 1);
        busy.document.general.rectangularAxes = 1;
        busy.document.legend.verticalPosition = 0;
        expectRepaintsMatch(busy.document, 2);
    }

    TEST(PartialRepaint, DenseTicksAndGridLinesStayLines)
    {
        // Steps far finer than a pixel: ticks and grid lines fill the plot whatever is repainted.
        Scene dense;
        makeBusy(dense.document);
        dense.document.xAxis.tickStep = 0.001;
        dense.document.yAxis.tickStep = 0.004;
        dense.document.grid.horizontal.step = 0.002;
        dense.document.grid.vertical.step = 0.0007;
        dense.document.xAxis.labelStep = 0.02;
        dense.document.yAxis.labelStep = 0.05;
        expectRepaintsMatch(dense.document, 3);
    }

    TEST(PartialRepaint, ExamplesGiveThePixelsOfAFullPaint)
    {
        unsigned seed = 10;
        for (const char* name : { "gallery.ovd",
                 "geometry.ovd",
                 "lissajous.ovd",
                 "measurements.ovd",
                 "polar_rose.ovd",
                 "trigonometry.ovd" }) {
            std::ifstream in(std::string(OVILAN_EXAMPLES "/") + name, std::ios::binary);
            const std::vector<std::uint8_t> bytes { std::istreambuf_iterator<char>(in),
                std::istreambuf_iterator<char>() };
            Scene example;
            ASSERT_TRUE(loadDocument(example.document, bytes)) << name;
            SCOPED_TRACE(name);
            expectRepaintsMatch(example.document, ++seed);
        }
    }

} // namespace
} // namespace ovilan
