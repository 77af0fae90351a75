#include "dialogs/dialog_test_support.h"
#include "dialogs/edit_grid.h"
#include "dialogs/table_graph_dialog.h"
#include "document/csv_table.h"
#include "document/document_test_support.h"
#include "graph/table_graph.h"
#include "shell/csv_dialogs.h"
#include "shell/main_frame.h"
#include "shell/shell_test_support.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <string>

namespace ovilan {
namespace {

    using testing::temporaryFile;
    using testing::Window;

    QString writeFile(const QTemporaryDir& dir, const char* name, const std::string& bytes)
    {
        const QString path = temporaryFile(dir, name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
        return path;
    }

    std::string readFile(const QString& path)
    {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll().toStdString();
    }

    std::string rowsOf(int count)
    {
        std::string text = "x,y\n";
        for (int row = 0; row < count; ++row)
            text += std::to_string(row) + "," + std::to_string(row * row) + "\n";
        return text;
    }

    // The real Table Graph dialog, as the user sees it opened, then OK or Cancel.
    struct TableDialogAtHand {
        explicit TableDialogAtHand(bool pressOk)
            : ok(pressOk)
        {
        }

        bool operator()(COvilanDoc& document, CTableGraph& graph)
        {
            CTableGraphDlg dialog(document, graph, scripted.services());
            const CEditGrid& grid = dialog.grid();
            for (int row = 0; row < 3; ++row)
                shown.push_back({ grid.cellText(row, CEditGrid::kXColumn).toStdString(),
                    grid.cellText(row, CEditGrid::kYColumn).toStdString(),
                    grid.cellText(row, CEditGrid::kLabelColumn).toStdString() });
            if (!ok) {
                dialog.reject();
                return false;
            }
            dialog.accept();
            return dialog.result() == QDialog::Accepted;
        }

        bool ok;
        testing::ScriptedServices scripted;
        std::vector<std::vector<std::string>> shown;
    };

    TEST(ImportCsv, ASemicolonFileWithDecimalCommasOpensInTheTableDialogAndOkIsOneUndoStep)
    {
        const QTemporaryDir dir;
        Window window;
        window.ui.fileName = writeFile(dir,
            "logger.csv",
            "\xEF\xBB\xBFtime;volts;note\r\n0;1,5;start\r\n0,25;-2,75;\"peak; high\"\r\n");
        auto dialog = std::make_shared<TableDialogAtHand>(true);
        window.ui.tableGraphDialog = [dialog](COvilanDoc& document, CTableGraph& graph) {
            return (*dialog)(document, graph);
        };
        window.frame.importCsv();

        EXPECT_TRUE(window.ui.messages.empty());
        EXPECT_EQ(window.ui.previewedRows, 2u);
        ASSERT_EQ(dialog->shown.size(), 3u);
        EXPECT_EQ(dialog->shown[0], (std::vector<std::string> { "0", "1.5", "start" }));
        EXPECT_EQ(dialog->shown[1], (std::vector<std::string> { "0.25", "-2.75", "peak; high" }));
        EXPECT_EQ(dialog->shown[2], (std::vector<std::string> { "", "", "" }));
        ASSERT_EQ(window.document.graphCount(), 1);
        const auto& table = static_cast<const CTableGraph&>(window.document.graph(0));
        ASSERT_EQ(table.kind, GraphKind::Table);
        EXPECT_EQ(table.cellY[1], "-2.75");
        EXPECT_TRUE(window.document.isModified());
        window.document.undo();
        EXPECT_EQ(window.document.graphCount(), 0);
        EXPECT_FALSE(window.document.canUndo());
    }

    // A day of temperatures lies outside the plot: into a plot with a graph only the axis that
    // misses points moves; into an empty plot both axes take the data's range. Either way one
    // Undo takes graph and axes back.
    TEST(ImportCsv, ImportedPointsBringTheAxesToThemInTheSameUndoStep)
    {
        const QTemporaryDir dir;
        for (const bool plotHasAGraph : { true, false }) {
            Window window;
            if (plotHasAGraph)
                window.document.insertGraph(testing::yOfX(window.document, "x/2"), 0);
            const std::int32_t graphsBefore = window.document.graphCount();
            window.ui.fileName = writeFile(dir, "day.csv", "hour,degrees\n0,-2\n12,8\n24,-1\n");
            window.ui.tableGraphDialog = [](COvilanDoc& document, CTableGraph& graph) {
                return TableDialogAtHand(true)(document, graph);
            };
            window.frame.importCsv();

            ASSERT_EQ(window.document.graphCount(), graphsBefore + 1);
            EXPECT_EQ(window.document.xAxis.min, -1.2);
            EXPECT_EQ(window.document.xAxis.max, 25.2);
            EXPECT_EQ(window.document.xAxis.labelStep, 2); // 2.64 rounded
            // -2 .. 8 is in view already, and stays as it is beside another graph.
            EXPECT_EQ(window.document.yAxis.min, plotHasAGraph ? -10 : -2.5);
            EXPECT_EQ(window.document.yAxis.max, plotHasAGraph ? 10 : 8.5);
            window.document.undo();
            EXPECT_EQ(window.document.graphCount(), graphsBefore);
            EXPECT_EQ(window.document.xAxis.min, -10);
            EXPECT_EQ(window.document.yAxis.max, 10);
            EXPECT_FALSE(window.document.canUndo());
        }
    }

    TEST(ImportCsv, CancelInThePreviewOrTheDialogChangesNothing)
    {
        const QTemporaryDir dir;
        Window window;
        window.ui.fileName = writeFile(dir, "points.csv", "1,2\n3,4\n");
        auto dialog = std::make_shared<TableDialogAtHand>(false);
        window.ui.tableGraphDialog = [dialog](COvilanDoc& document, CTableGraph& graph) {
            return (*dialog)(document, graph);
        };
        window.frame.importCsv();
        ASSERT_EQ(dialog->shown.size(), 3u);
        EXPECT_EQ(dialog->shown[1], (std::vector<std::string> { "3", "4", "" }));

        window.ui.importCsv = false;
        dialog->shown.clear();
        window.frame.importCsv();
        EXPECT_TRUE(dialog->shown.empty());
        EXPECT_EQ(window.document.graphCount(), 0);
        EXPECT_FALSE(window.document.canUndo());
        EXPECT_FALSE(window.document.isModified());
    }

    TEST(ImportCsv, AFileThatCannotBeReadOrIsNoTableIsRefusedWithNothingChanged)
    {
        const QTemporaryDir dir;
        Window window;
        window.addGraph("x");
        const std::string notANumber = "x,y\n1,2\n3,abc\n";
        const std::string binary("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);
        struct Case {
            const char* name;
            QString path;
            std::string message;
        };
        const Case cases[] = {
            { "vanished",
                temporaryFile(dir, "gone.csv"),
                "Can't read the file "
                    + QDir::toNativeSeparators(temporaryFile(dir, "gone.csv")).toStdString()
                    + "." },
            { "a folder",
                dir.path(),
                "Can't read the file " + QDir::toNativeSeparators(dir.path()).toStdString() + "." },
            { "not a number",
                writeFile(dir, "bad.csv", notANumber),
                readCsvTable(notANumber).refusal.message },
            { "empty", writeFile(dir, "empty.csv", ""), readCsvTable("").refusal.message },
            { "binary",
                writeFile(dir, "picture.csv", binary),
                readCsvTable(binary).refusal.message },
        };
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name);
            ASSERT_FALSE(c.message.empty());
            window.ui.messages.clear();
            window.ui.previewedRows.reset();
            window.ui.fileName = c.path;
            window.frame.importCsv();
            ASSERT_EQ(window.ui.messages.size(), 1u);
            EXPECT_EQ(window.ui.messages.front(), c.message);
            EXPECT_FALSE(window.ui.previewedRows);
            EXPECT_EQ(window.document.graphCount(), 1);
        }
        EXPECT_NE(readCsvTable(notANumber).refusal.message.find("3"), std::string::npos);
    }

    TEST(ImportCsv, AFileLongerThanATableOffersItsFirst2000Rows)
    {
        const QTemporaryDir dir;
        const std::string text = rowsOf(2500);
        const CsvReading reading = readCsvTable(text);
        ASSERT_TRUE(reading.table);
        CCsvPreviewDlg preview(QStringLiteral("long.csv"), *reading.table);
        auto* tooLong = preview.findChild<QLabel*>(QStringLiteral("tooLong"));
        ASSERT_NE(tooLong, nullptr);
        EXPECT_TRUE(tooLong->text().contains(QStringLiteral("2500 rows")));
        EXPECT_EQ(preview.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->text(),
            QStringLiteral("&Import the First 2000"));
        EXPECT_EQ(preview.preview().rowCount(), CCsvPreviewDlg::kShownRows);
        EXPECT_EQ(preview.preview().horizontalHeaderItem(0)->text(), QStringLiteral("x"));
        // Row labels are the file's lines: the header is line 1.
        EXPECT_EQ(preview.preview().verticalHeaderItem(0)->text(), QStringLiteral("2"));
        EXPECT_EQ(
            preview.findChild<QLabel*>(QStringLiteral("rowCount"))->text(), QStringLiteral("2500"));

        Window window;
        window.ui.fileName = writeFile(dir, "long.csv", text);
        window.ui.tableGraphDialog = [](COvilanDoc&, CTableGraph&) { return true; };
        window.frame.importCsv();
        EXPECT_EQ(window.ui.previewedRows, 2500u);
        ASSERT_EQ(window.document.graphCount(), 1);
        const auto& table = static_cast<const CTableGraph&>(window.document.graph(0));
        EXPECT_EQ(table.cellX[1999], "1999");
        EXPECT_EQ(table.cellY[1999], "3996001");

        CCsvPreviewDlg shortFile(QStringLiteral("short.csv"), *readCsvTable(rowsOf(3)).table);
        EXPECT_EQ(shortFile.findChild<QLabel*>(QStringLiteral("tooLong")), nullptr);
        EXPECT_EQ(shortFile.preview().rowCount(), 3);
    }

    TEST(ExportCsv, WritesTheSelectedGraphsPointsOrEveryGraphsTracedPoints)
    {
        const QTemporaryDir dir;
        Window window;
        window.ui.fileName = temporaryFile(dir, "out.csv");
        window.frame.exportCsv();
        EXPECT_EQ(
            window.ui.messages, std::vector<std::string> { "There are no graphs to export." });
        EXPECT_FALSE(QFile::exists(*window.ui.fileName));

        window.ui.messages.clear();
        auto table = std::make_unique<CTableGraph>(window.document);
        table->cellX[0] = "1";
        table->cellY[0] = "0.1";
        table->cellLabel[0] = "a, b";
        table->computePoints();
        window.document.insertGraph(std::move(table), 0);
        window.addGraph("x^2");
        window.document.currentGraph = 0;
        window.ui.csvExport = CsvExportScope::SelectedGraph;
        window.frame.exportCsv();
        EXPECT_EQ(window.ui.exportAskedWithSelection, true);
        EXPECT_EQ(window.ui.csvSuggestion, QStringLiteral("Untitled.csv"));
        const auto& written = static_cast<const CTableGraph&>(window.document.graph(0));
        EXPECT_EQ(readFile(*window.ui.fileName), csvOfTableGraph(written));
        EXPECT_NE(readFile(*window.ui.fileName).find("\"a, b\""), std::string::npos);

        window.document.currentGraph = 1;
        window.frame.exportCsv();
        EXPECT_EQ(readFile(*window.ui.fileName), csvOfTracedPoints(window.document, 1));
        window.ui.csvExport = CsvExportScope::AllGraphs;
        window.frame.exportCsv();
        EXPECT_EQ(readFile(*window.ui.fileName), csvOfTracedPoints(window.document));
        EXPECT_TRUE(window.ui.messages.empty());

        // Cancel writes nothing; a folder that is not there leaves a message.
        window.ui.csvExport.reset();
        window.ui.fileName = temporaryFile(dir, "cancelled.csv");
        window.frame.exportCsv();
        EXPECT_FALSE(QFile::exists(*window.ui.fileName));
        window.ui.csvExport = CsvExportScope::AllGraphs;
        window.ui.fileName = temporaryFile(dir, "no/folder/out.csv");
        window.frame.exportCsv();
        EXPECT_EQ(
            window.ui.messages, std::vector<std::string> { "An error has occured while saving." });
    }

} // namespace
} // namespace ovilan
