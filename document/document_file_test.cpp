#include "document/document_file.h"
#include "document/document_test_support.h"
#include "graph/function_graph.h"
#include "graph/table_graph.h"
#include "render/record_io.h"

#include <cstring>
#include <gtest/gtest.h>

namespace ovilan {
namespace {

    using testing::RecordingView;
    using testing::yOfX;

    std::vector<std::uint8_t> bytesOf(std::initializer_list<int> values)
    {
        std::vector<std::uint8_t> bytes;
        for (int value : values)
            bytes.push_back(static_cast<std::uint8_t>(value));
        return bytes;
    }

    // A document with one graph of every kind and a label, different from the defaults.
    void fill(COvilanDoc& document)
    {
        document.graphs.push_back(yOfX(document, "2x^2"));
        auto xOfY = std::make_unique<CXofYGraph>(document);
        xOfY->setFormula("sin(y)", 0);
        xOfY->legendText = "wave";
        document.graphs.push_back(std::move(xOfY));
        auto parametric = std::make_unique<CParametricGraph>(document);
        parametric->setFormula("cos(t)", 0);
        parametric->setFormula("sin(t)", 1);
        parametric->intervalFrom = -3;
        parametric->intervalTo = 3;
        parametric->ownInterval = 1;
        document.graphs.push_back(std::move(parametric));
        auto polar = std::make_unique<CPolarGraph>(document);
        polar->setFormula("1", 0);
        polar->intervalFrom = -1;
        polar->intervalTo = 1;
        polar->ownParameters = 1;
        polar->steps = 100;
        document.graphs.push_back(std::move(polar));
        auto table = std::make_unique<CTableGraph>(document);
        table->cellX[0] = "1";
        table->cellY[0] = "pi/2";
        table->cellLabel[0] = "first";
        table->cellX[7] = "2";
        table->cellY[7] = "3";
        table->computePoints();
        document.graphs.push_back(std::move(table));
        for (auto& graph : document.graphs)
            graph->computePoints();
        CPlotLabel label;
        label.x = 1.5;
        label.caption = "peak";
        label.pointBorder = 0;
        label.labelBorder = 1;
        label.textColor = 12;
        document.labels.push_back(label);
        document.xAxis.min = -4;
        document.yAxis.caption = "height";
        document.grid.vertical.shown = 1;
        document.legend.shown = 1;
        document.general.steps = 300;
    }

    TEST(DocumentFile, NewDocumentBytesStartWithSignatureAndEmptyLists)
    {
        const AppPreferences preferences;
        COvilanDoc document(preferences);
        const auto bytes = writeDocument(document);
        const auto start = bytesOf({ 0x0E,
            'O',
            'v',
            'i',
            'l',
            'a',
            'n',
            'D',
            'o',
            'c',
            'u',
            'm',
            'e',
            'n',
            't',
            1,
            0,
            0,
            0,
            0,
            0,
            0,
            0,
            0,
            0,
            0,
            0 });
        ASSERT_GE(bytes.size(), start.size());
        EXPECT_TRUE(std::equal(start.begin(), start.end(), bytes.begin()));

        COvilanDoc reread(preferences);
        ASSERT_TRUE(loadDocument(reread, bytes));
        EXPECT_EQ(static_cast<const PlotSettings&>(reread), PlotSettings());
        EXPECT_EQ(reread.currentGraph, -1);
    }

    TEST(DocumentFile, RoundTripKeepsEveryRecordAndWritesTheSameBytes)
    {
        const AppPreferences preferences;
        COvilanDoc document(preferences);
        fill(document);
        const auto bytes = writeDocument(document);

        COvilanDoc reread(preferences);
        ASSERT_TRUE(loadDocument(reread, bytes));
        // Only the typed cell "pi/2" comes back as its normal form; after that it is stable.
        const auto rewritten = writeDocument(reread);
        COvilanDoc again(preferences);
        ASSERT_TRUE(loadDocument(again, rewritten));
        EXPECT_EQ(writeDocument(again), rewritten);
        ASSERT_EQ(reread.graphCount(), 5);
        EXPECT_EQ(reread.currentGraph, 4);
        EXPECT_EQ(reread.graph(1).describe(), "X(y)=sin(y) {wave}");
        EXPECT_EQ(reread.graph(2).describe(), "X(t)=cos(t); Y(t)=sin(t)");
        const auto& table = static_cast<const CTableGraph&>(reread.graph(4));
        EXPECT_EQ(table.cellY[0], "1.570796327"); // stored cells come back as normal forms
        EXPECT_EQ(table.describe(), "Table 2 elements");
        EXPECT_EQ(reread.labels.at(0), document.labels.at(0));
        EXPECT_EQ(
            static_cast<const PlotSettings&>(reread), static_cast<const PlotSettings&>(document));
        EXPECT_FALSE(reread.isModified());
    }

    TEST(DocumentFile, TableRowsAreWrittenAsRunsOfTheSameUsedState)
    {
        const AppPreferences preferences;
        COvilanDoc document(preferences);
        CTableGraph table(document);
        for (int row : { 0, 1, 2, 10 })
            table.cellX[static_cast<std::size_t>(row)] = "1";
        ArchiveWriter out;
        table.store(out);
        ArchiveReader in(out.bytes());
        for (int i = 0; i < 9; ++i) // the common part
            i == 3 ? (void)in.readString() : (void)in.readInt32();
        const auto run = [&in](int count, int flag) {
            EXPECT_EQ(in.readInt16(), count);
            EXPECT_EQ(in.readInt16(), flag);
            for (int r = 0; flag && r < count; ++r) {
                EXPECT_EQ(in.readString(), "1");
                EXPECT_EQ(in.readString(), "");
                EXPECT_EQ(in.readString(), "");
            }
        };
        run(3, 1);
        run(7, 0);
        run(1, 1);
        run(1989, 0);
    }

    TEST(DocumentFile, LabelEndsWithBordersThenTextColour)
    {
        CPlotLabel label;
        label.pointBorder = 7;
        label.labelBorder = 8;
        label.textColor = 9;
        ArchiveWriter out;
        writeLabel(out, label);
        const auto& bytes = out.bytes();
        ASSERT_GE(bytes.size(), 12u);
        std::int32_t last[3];
        std::memcpy(last, bytes.data() + bytes.size() - 12, 12);
        EXPECT_EQ(last[0], 7);
        EXPECT_EQ(last[1], 8);
        EXPECT_EQ(last[2], 9);
    }

    // Overwrites the int32 or double at the offset where a marker value was written.
    template <typename T> void patch(std::vector<std::uint8_t>& bytes, T marker, T replacement)
    {
        for (std::size_t i = 0; i + sizeof(T) <= bytes.size(); ++i) {
            if (std::memcmp(bytes.data() + i, &marker, sizeof(T)) == 0) {
                std::memcpy(bytes.data() + i, &replacement, sizeof(T));
                return;
            }
        }
        FAIL() << "marker not found";
    }

    TEST(DocumentFile, DamagedFilesAreRejectedAndLeaveAFreshDocument)
    {
        const AppPreferences preferences;
        COvilanDoc source(preferences);
        fill(source);
        const auto good = writeDocument(source);

        std::vector<std::vector<std::uint8_t>> damaged;
        auto lowerCase = good;
        lowerCase[1] = 'o';
        damaged.push_back(lowerCase);
        {
            COvilanDoc marked(preferences);
            marked.xAxis.max = marked.xAxis.min = 1234.5; // min equal to max
            damaged.push_back(writeDocument(marked));
        }
        {
            COvilanDoc marked(preferences);
            marked.general.steps = 20001;
            damaged.push_back(writeDocument(marked));
        }
        {
            COvilanDoc marked(preferences);
            marked.legend.textColor = 17;
            damaged.push_back(writeDocument(marked));
        }
        {
            COvilanDoc marked(preferences);
            marked.graphs.push_back(yOfX(marked, "x"));
            auto bytes = writeDocument(marked);
            bytes[23] = 5; // the first graph's kind, after signature, version and count
            damaged.push_back(bytes);
        }
        {
            COvilanDoc marked(preferences);
            marked.grid.horizontal.step = 77.25;
            auto bytes = writeDocument(marked);
            patch<double>(bytes, 77.25, 0.0);
            damaged.push_back(bytes);
        }
        {
            COvilanDoc marked(preferences);
            marked.legend.font.lfFaceName = std::string(31, 'F');
            auto bytes = writeDocument(marked);
            for (std::size_t i = 0; i + 32 <= bytes.size(); ++i) {
                if (bytes[i] == 31 && bytes[i + 1] == 'F') {
                    bytes[i] = 32; // one character longer than the face member
                    bytes.insert(bytes.begin() + static_cast<long>(i) + 1, 'F');
                    break;
                }
            }
            damaged.push_back(bytes);
        }
        auto badCount = good;
        patch<std::int32_t>(badCount, 5, 1'000'000'000); // the graph count
        damaged.push_back(badCount);

        for (std::size_t i = 0; i < damaged.size(); ++i) {
            COvilanDoc document(preferences);
            RecordingView view;
            document.addView(&view);
            document.graphs.push_back(yOfX(document, "x"));
            EXPECT_FALSE(loadDocument(document, damaged[i])) << "case " << i;
            EXPECT_EQ(document.graphCount(), 0) << "case " << i;
            EXPECT_EQ(static_cast<const PlotSettings&>(document), PlotSettings()) << "case " << i;
            EXPECT_EQ(view.hints, std::vector<std::int32_t> { kHintEverything }) << "case " << i;
        }
    }

    TEST(DocumentFile, EveryTruncationIsRejected)
    {
        const AppPreferences preferences;
        COvilanDoc source(preferences);
        fill(source);
        const auto good = writeDocument(source);
        for (std::size_t length = 0; length < good.size(); length += 1 + length / 64) {
            COvilanDoc document(preferences);
            EXPECT_FALSE(loadDocument(document, std::span(good).first(length))) << length;
        }
    }

    TEST(DocumentFile, ReadsSixteenBitStringsAndLongPrefixes)
    {
        ArchiveWriter out;
        out.writeByte(0xFF);
        out.writeInt16(static_cast<std::int16_t>(0xFFFE));
        out.writeByte(3);
        for (int unit : { 0x61, 0xE9, 0x20AC })
            out.writeInt16(static_cast<std::int16_t>(unit));
        const std::string longText(300, 'z');
        out.writeString(longText);
        ArchiveReader in(out.bytes());
        EXPECT_EQ(in.readString(), "a\xC3\xA9\xE2\x82\xAC");
        EXPECT_EQ(in.readString(), longText);
        EXPECT_EQ(out.bytes()[10], 0xFF); // 300 characters take the three-byte prefix
    }

} // namespace
} // namespace ovilan
