#include "document/csv_table.h"
#include "document/document_file.h"
#include "document/ovilan_doc.h"
#include "expr/dialog_fields.h"
#include "expr/exact_number.h"
#include "expr/formula_check.h"
#include "expr/text_evaluator.h"
#include "graph/table_graph.h"
#include "render/plot_label.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <random>

namespace ovilan {
namespace {

    TEST(CsvNumberText, UsualNotationsBecomeTheProgramsNumbers)
    {
        struct Row {
            const char* cell;
            bool decimalComma;
            const char* text;
        } const table[] = {
            { "1e-5", false, "1*10^(-5)" },
            { "-0.5", false, "-0.5" },
            { "3,14", true, "3.14" },
            { "3.14", true, "3.14" },
            { "+2", false, "2" },
            { ".5", false, "0.5" },
            { "5.", false, "5" },
            { "-,25", true, "-0.25" },
            { " 1.50 ", false, "1.5" },
            { "007", false, "7" },
            { "1E+3", false, "1000" },
            { "0.0001", false, "0.0001" },
            { "0.00001", false, "1*10^(-5)" },
            { "-1.5e-7", false, "-1.5*10^(-7)" },
            { "2.5e12", false, "2.5*10^12" },
            { "1e9", false, "1000000000" },
            { "1e10", false, "1*10^10" },
            { "123456789012345678", false, "123456789012345678" },
            { "1.234567890123", false, "1.234567890123" },
            { "0", false, "0" },
            { "-0.000", false, "0" },
            { "0e999999999999", false, "0" },
        };
        for (const Row& row : table)
            EXPECT_EQ(csvNumberText(row.cell, row.decimalComma), row.text) << row.cell;
    }

    TEST(CsvNumberText, OnlyTheProgramsOwnExactTextIsKeptAsItStands)
    {
        for (const char* text : { "0.5",
                 "-3.14159265358979323",
                 "1*10^(-5)",
                 "-1.5*10^(-7)",
                 "2.5*10^12",
                 "123456789012345678",
                 "0" })
            EXPECT_TRUE(isExactNumberText(text)) << text;
        for (const char* text : { "0.50",
                 "+1",
                 "1e-5",
                 ".5",
                 "1*10^-5",
                 "1*10^(5)",
                 "1.5*10^(-7",
                 "15*10^6",
                 "pi/2",
                 "1.570796327*x",
                 "",
                 "-0",
                 "1*10^(-5)*10^2" })
            EXPECT_FALSE(isExactNumberText(text)) << text;
    }

    TEST(CsvNumberText, RefusesWhatIsNotANumberOrOutOfRange)
    {
        for (const char* cell : { "",
                 " ",
                 "abc",
                 "1.2.3",
                 "1e",
                 "e5",
                 "1e+",
                 "inf",
                 "nan",
                 "0x10",
                 "1 234",
                 "--1",
                 "+-1",
                 "1e-5x",
                 "12abc",
                 ".",
                 "-",
                 "1,5",
                 "1e400",
                 "-2e306",
                 "1e999999999999999",
                 "3,14;" })
            EXPECT_FALSE(csvNumberText(cell, false)) << cell;
        // More digits than a cell may hold, though the value is ordinary.
        EXPECT_FALSE(csvNumberText("0.1" + std::string(kMaxFormulaLength, '1'), false));
        EXPECT_TRUE(csvNumberText("0.1" + std::string(kMaxFormulaLength - 4, '1'), false));
        // A decimal comma, when allowed, is the only mark: a cell has one.
        for (const char* cell : { "1,2,3", "1.234,5", "1,5e" })
            EXPECT_FALSE(csvNumberText(cell, true)) << cell;
    }

    // Every produced text is a constant the cell check accepts as the program's own spelling,
    // so older versions read it, and it evaluates to exactly the double the typed text denotes.
    TEST(CsvNumberText, EveryTextReadsBackAsTheTypedDouble)
    {
        std::mt19937_64 random(18);
        std::uniform_real_distribution<double> mantissa(1, 10);
        std::uniform_int_distribution<int> decade(-320, 305);
        std::uniform_int_distribution<int> precision(1, 20);
        int checked = 0;
        for (int i = 0; i < 20000; ++i) {
            char typed[64];
            const int digits = precision(random);
            const double value = (i % 2 ? -1 : 1) * mantissa(random)
                * std::pow(10.0, i % 4 == 0 ? decade(random) % 12 : decade(random));
            std::snprintf(typed, sizeof typed, i % 3 ? "%.*e" : "%.*g", digits, value);
            double expected = 0;
            const std::string_view cell(typed);
            const auto [end, error]
                = std::from_chars(cell.data(), cell.data() + cell.size(), expected);
            if (error != std::errc() || end != cell.data() + cell.size())
                continue; // underflow: not a number the table is asked to hold
            const std::optional<std::string> text = csvNumberText(cell, false);
            ASSERT_TRUE(text) << typed;
            std::string normal = *text;
            ASSERT_EQ(checkFormula(normal, " "), kFormulaOk) << typed << " as " << *text;
            ASSERT_TRUE(checkConstantField(*text)) << typed << " as " << *text;
            const std::optional<double> read = evaluateText(*text, " ", 0);
            ASSERT_TRUE(read) << typed << " as " << *text;
            ASSERT_EQ(*read, expected) << typed << " as " << *text;
            // So that a document keeps it as it stands, not as its ten-digit normal form.
            ASSERT_TRUE(isExactNumberText(*text)) << typed << " as " << *text;
            ++checked;
        }
        EXPECT_GT(checked, 19000);
    }

    CsvTable readable(std::string_view bytes)
    {
        CsvReading reading = readCsvTable(bytes);
        EXPECT_TRUE(reading.table) << bytes << " refused: " << reading.refusal.message;
        return reading.table.value_or(CsvTable {});
    }

    std::string rowsOf(const CsvTable& table)
    {
        std::string out;
        for (const CsvRow& row : table.rows)
            out += std::to_string(row.line) + ":" + row.x + "|" + row.y + "|" + row.label + " ";
        return out;
    }

    TEST(CsvReading, AwkwardFilesAreReadAsASpreadsheetWroteThem)
    {
        struct Row {
            const char* shows;
            std::string_view bytes;
            CsvSeparator separator;
            bool decimalComma;
            std::size_t headerCells;
            const char* rows;
        } const table[] = {
            { "comma", "1,2\n3,4\n", CsvSeparator::Comma, false, 0, "1:1|2| 2:3|4| " },
            { "semicolon with decimal comma and header",
                "x;y\n1,5;2,25\n-3;4e-6\n",
                CsvSeparator::Semicolon,
                true,
                2,
                "2:1.5|2.25| 3:-3|4*10^(-6)| " },
            { "semicolon with points", "1.5;2\n", CsvSeparator::Semicolon, false, 0, "1:1.5|2| " },
            { "tab with decimal comma", "t\tU\n0\t1,5\n", CsvSeparator::Tab, true, 2, "2:0|1.5| " },
            { "tab beats the comma inside cells",
                "1,5\t2\n3\t4,5\n",
                CsvSeparator::Tab,
                true,
                0,
                "1:1.5|2| 2:3|4.5| " },
            { "a third column is the label",
                "1,2,peak\n3,4\n",
                CsvSeparator::Comma,
                false,
                0,
                "1:1|2|peak 2:3|4| " },
            { "columns after the label are not read",
                "1,2,a,9,9\n3,4,b,9,9\n",
                CsvSeparator::Comma,
                false,
                0,
                "1:1|2|a 2:3|4|b " },
            { "quoted label with separator and quotes",
                "1,2,\"say \"\"hi\"\", then go\"\n",
                CsvSeparator::Comma,
                false,
                0,
                "1:1|2|say \"hi\", then go " },
            { "quoted numbers", "\"1,5\";\"2\"\n", CsvSeparator::Semicolon, true, 0, "1:1.5|2| " },
            { "a line break inside quotes keeps the next line's number",
                "1,2,\"two\nlines\"\n3,4\n",
                CsvSeparator::Comma,
                false,
                0,
                "1:1|2|two lines 3:3|4| " },
            { "byte-order mark and CRLF",
                "\xEF\xBB\xBFx,y\r\n1,2\r\n3,4\r\n",
                CsvSeparator::Comma,
                false,
                2,
                "2:1|2| 3:3|4| " },
            { "old Mac line ends",
                "1;2\r3;4\r",
                CsvSeparator::Semicolon,
                false,
                0,
                "1:1|2| 2:3|4| " },
            { "blank lines and rows of empty cells",
                "\n\nx,y\n\n1,2\n , \n3,4\n\n",
                CsvSeparator::Comma,
                false,
                2,
                "5:1|2| 7:3|4| " },
            { "no line end at the end", "1,2", CsvSeparator::Comma, false, 0, "1:1|2| " },
            { "a semicolon in a label of a comma file",
                "1,2,a; b\n3,4,c; d\n",
                CsvSeparator::Comma,
                false,
                0,
                "1:1|2|a; b 2:3|4|c; d " },
            { "a semicolon in a header of a comma file",
                "t,U,note; more\n1,2,a; b\n3,4,c\n",
                CsvSeparator::Comma,
                false,
                3,
                "2:1|2|a; b 3:3|4|c " },
            { "blanks around cells",
                " 1 , 2 , peak \n",
                CsvSeparator::Comma,
                false,
                0,
                "1:1|2|peak " },
            { "a header with one number is data", "x,2\n", CsvSeparator::Comma, false, 0, "" },
        };
        for (const Row& row : table) {
            if (std::string_view(row.rows).empty())
                continue;
            const CsvTable read = readable(row.bytes);
            EXPECT_EQ(read.separator, row.separator) << row.shows;
            EXPECT_EQ(read.decimalComma, row.decimalComma) << row.shows;
            EXPECT_EQ(read.header.size(), row.headerCells) << row.shows;
            EXPECT_EQ(rowsOf(read), row.rows) << row.shows;
        }
        EXPECT_EQ(readable("1,2,a,9,9\n").columns, 5u);
        // A line of a million separators is counted, not kept cell by cell (which took gigabytes
        // and half a minute for a 64 MB file of commas), and a blank one is still blank.
        const std::string wide = "t,U,note" + std::string(1'000'000, ',') + "\n"
            + std::string(1'000'000, ',') + "\n1,2,a" + std::string(1'000'000, ',') + "\n";
        const CsvTable wideRead = readable(wide);
        EXPECT_EQ(wideRead.columns, 1'000'003u);
        EXPECT_EQ(wideRead.header, (std::vector<std::string> { "t", "U", "note" }));
        EXPECT_EQ(rowsOf(wideRead), "3:1|2|a ");
        EXPECT_EQ(
            readable("t [s];U [V]\n0;1\n").header, (std::vector<std::string> { "t [s]", "U [V]" }));
    }

    TEST(CsvReading, RefusalsNameTheFaultAndItsPlace)
    {
        struct Row {
            const char* shows;
            std::string_view bytes;
            const char* message;
            std::size_t line;
            std::size_t column;
        } const table[] = {
            { "empty", "", "The file is empty.", 0, 0 },
            { "blank lines only", "\r\n \n\t\n", "The file is empty.", 0, 0 },
            { "byte-order mark only", "\xEF\xBB\xBF", "The file is empty.", 0, 0 },
            { "separators only", ";;\n;;\n", "The file is empty.", 0, 0 },
            { "a header only", "x,y\n", "The file has a header but no rows of numbers.", 0, 0 },
            { "binary",
                std::string_view("PK\x03\x04\0\0", 6),
                "The file is not a text file.",
                0,
                0 },
            { "not UTF-8", "x;y\n1;2;\xB5m\n", "The file is not UTF-8 text.", 0, 0 },
            { "UTF-16",
                "\xFF\xFEx\0",
                "The file is UTF-16 text: please save it as UTF-8 or plain CSV.",
                0,
                0 },
            { "a word in a cell",
                "x,y\n1,2\n3,abc\n",
                "Line 3, column 2 is not a number: \"abc\".",
                3,
                2 },
            { "a decimal comma with the comma separator is two cells",
                "1,5,2\n1,x,2\n",
                "Line 2, column 2 is not a number: \"x\".",
                2,
                2 },
            { "an empty cell",
                "1;2\n;4\n",
                "Line 2, column 1 is empty: a point needs a number there.",
                2,
                1 },
            { "a ragged row",
                "1,2\n3,4\n5\n6,7\n",
                "Line 3 has only one cell: a row needs an x and a y.",
                3,
                0 },
            { "one column",
                "1\n2\n3\n",
                "Line 1 has only one cell: a row needs an x and a y.",
                1,
                0 },
            { "a quote left open",
                "1,2\n3,\"4\n5,6\n",
                "Line 2 opens a quote that is not closed.",
                2,
                0 },
            { "a line beyond the sniffed rows keeps its number",
                "1,2\n1,2\n1,2\n1,2\n1,2\n1,2\n1,2\n1,2\n1,2\n1,2\n1,2\n1,2\n1,2\n1,2\n1,2\n1,2\n1,"
                "2\n1,2\n1,2\n1,2\n1,2\n1,2\n1,2\n1,2\n1,2\n7,7x\n",
                "Line 26, column 2 is not a number: \"7x\".",
                26,
                2 },
        };
        for (const Row& row : table) {
            const CsvReading reading = readCsvTable(row.bytes);
            EXPECT_FALSE(reading.table) << row.shows;
            EXPECT_EQ(reading.refusal.message, row.message) << row.shows;
            EXPECT_EQ(reading.refusal.line, row.line) << row.shows;
            EXPECT_EQ(reading.refusal.column, row.column) << row.shows;
        }
        const CsvReading label = readCsvTable("1,2," + std::string(501, 'a') + "\n");
        EXPECT_EQ(label.refusal.message,
            "Line 1, column 3 is longer than a label may be (500 characters).");
        const CsvReading latin1 = readCsvTable(std::string(2000, '\n') + "1;2;25 \xB5m\n");
        EXPECT_EQ(latin1.refusal.message, "Line 2001, column 3 is not UTF-8 text.");
        const std::string huge(kMaxCsvFileBytes + 1, '1');
        EXPECT_EQ(readCsvTable(huge).refusal.message, "The file is larger than 64 MB.");
    }

    std::string numberedRows(int count)
    {
        std::string bytes = "x;y\n";
        for (int i = 0; i < count; ++i)
            bytes += std::to_string(i) + ";" + std::to_string(i) + ",5\n";
        return bytes;
    }

    TEST(CsvReading, RowsBeyondTheTableAreKeptAndTheGraphTakesTheFirst2000)
    {
        const CsvTable read = readable(numberedRows(2500));
        ASSERT_EQ(read.rows.size(), 2500u);
        EXPECT_EQ(csvRowsBeyondTableText(read.rows.size()),
            "The file has 2500 rows; a table graph holds 2000.");
        EXPECT_EQ(read.rows.back().line, 2501u);
        EXPECT_EQ(read.rows.back().y, "2499.5");

        const AppPreferences preferences;
        COvilanDoc document(preferences);
        CTableGraph graph(document);
        graph.cellX[1999] = "99"; // a cell of an earlier table is replaced
        graph.cellLabel[1500] = "old";
        fillTableGraph(graph, read.rows);
        EXPECT_EQ(graph.steps, 1999);
        EXPECT_EQ(graph.ys[1999], 1999.5);
        EXPECT_EQ(graph.cellLabel[1500], "");

        fillTableGraph(graph, std::span(read.rows).first(3));
        EXPECT_EQ(graph.steps, 2);
        EXPECT_EQ(graph.cellX.storedCells(), 3u);
    }

    // The y column's heading names the imported curve in the legend when it fits on one line.
    TEST(CsvReading, TheYHeadingBecomesTheLegendTextWhenItFits)
    {
        const AppPreferences preferences;
        COvilanDoc document(preferences);
        CTableGraph graph(document);
        const std::string wide(kMaxCaptionLength + 1, 'w');
        struct Case {
            std::string file;
            std::string legend;
        };
        for (const Case& c :
            std::vector<Case> { { "t,\"Temperature, C\"\n1,2\n3,4\n", "Temperature, C" },
                { "1,2\n3,4\n", "" },
                { "t,\"two\nlines\"\n1,2\n", "two lines" },
                { "t," + wide + "\n1,2\n", "" },
                { "t," + wide.substr(1) + "\n1,2\n", wide.substr(1) },
                // Past the start that shows the file's encoding, a heading that is not UTF-8.
                { std::string(1100, '\n') + "t,U\xff\n1,2\n", "" } }) {
            graph.legendText = "old";
            fillImportedTableGraph(graph, readable(c.file), 1);
            EXPECT_EQ(graph.legendText, c.legend) << c.file.substr(0, 30);
            EXPECT_EQ(graph.steps, 0); // only the first row was asked for
        }
    }

    // A normal form keeps ten digits; measured data keeps all of them through a save and an open,
    // while any other cell still comes back as its normal form.
    TEST(CsvReading, EveryDigitSurvivesSavingAndOpening)
    {
        const CsvTable read = readable("0.123456789012345;3,14159265358979323\n"
                                       "-1,2345678901234e-20;6.02214076e23\n");
        const AppPreferences preferences;
        COvilanDoc document(preferences);
        auto table = std::make_unique<CTableGraph>(document);
        fillTableGraph(*table, read.rows);
        table->cellX[2] = "pi/2";
        table->cellY[2] = "0.10";
        table->computePoints();
        const std::vector<double> xs = table->xs;
        const std::vector<double> ys = table->ys;
        document.insertGraph(std::move(table), 0);

        COvilanDoc reread(preferences);
        ASSERT_TRUE(loadDocument(reread, writeDocument(document)));
        const auto& loaded = static_cast<const CTableGraph&>(reread.graph(0));
        EXPECT_EQ(loaded.cellX[0], "0.123456789012345");
        EXPECT_EQ(loaded.cellY[0], "3.14159265358979323");
        EXPECT_EQ(loaded.cellX[1], "-1.2345678901234*10^(-20)");
        // 6.02214076 * 10^23 rounds twice and misses the double, so the digits stand plainly.
        EXPECT_EQ(loaded.cellY[1], "602214076000000000000000");
        EXPECT_EQ(loaded.cellX[2], "1.570796327");
        EXPECT_EQ(loaded.cellY[2], "0.1");
        EXPECT_EQ(std::vector(loaded.xs.begin(), loaded.xs.begin() + 2),
            std::vector(xs.begin(), xs.begin() + 2));
        EXPECT_EQ(std::vector(loaded.ys.begin(), loaded.ys.begin() + 2),
            std::vector(ys.begin(), ys.begin() + 2));
    }

    TEST(CsvWriting, ATableGraphReadsBackExactlyWithItsLabels)
    {
        const CsvTable read
            = readable("t;U;note\n0,1;1e-7;\"a, b\"\n-2,5;3,000000000000001;\"say \"\"x\"\"\"\n"
                       "7;1,5e300; padded \n");
        const AppPreferences preferences;
        COvilanDoc document(preferences);
        CTableGraph graph(document);
        fillTableGraph(graph, read.rows);
        graph.cellY[10] = "5"; // a row with one cell is not a point and not written
        const std::string csv = csvOfTableGraph(graph);
        EXPECT_EQ(csv,
            "x,y,label\n"
            "0.1,1e-07,\"a, b\"\n"
            "-2.5,3.000000000000001,\"say \"\"x\"\"\"\n"
            "7,1.5e+300,padded\n");
        const CsvTable again = readable(csv);
        ASSERT_EQ(again.rows.size(), 3u);
        for (std::size_t row = 0; row < 3; ++row) {
            EXPECT_EQ(evaluateText(again.rows[row].x, " ", 0), graph.xs[row]);
            EXPECT_EQ(evaluateText(again.rows[row].y, " ", 0), graph.ys[row]);
            EXPECT_EQ(again.rows[row].label, read.rows[row].label);
        }
    }

} // namespace
} // namespace ovilan
