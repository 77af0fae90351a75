#include "dialogs/graph_dialog.h"
#include "document/document_file.h"
#include "document/draw_plot.h"
#include "graph/function_graph.h"
#include "graph/table_graph.h"
#include "render/cursor_readout.h"
#include "shell/command_table.h"
#include "shell/graph_list_view.h"
#include "shell/left_view.h"
#include "shell/main_frame.h"
#include "shell/qt_settings_store.h"
#include "shell/shell_test_support.h"
#include "view/picture_export.h"
#include "view/plot_state.h"
#include "view/plot_view.h"
#include "view/qimage_canvas.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QPaintEvent>
#include <QSettings>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace ovilan {
namespace {

    using testing::ScriptedShell;
    using testing::temporaryFile;
    using testing::Window;

    TEST(MainFrame, DamagedFileGivesTheMessageAndAnEmptyDocument)
    {
        const QTemporaryDir dir;
        Window window;
        window.addGraph("x^2");
        const QString path = temporaryFile(dir, "damaged.ovd");
        const auto bytes = writeDocument(window.document);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(reinterpret_cast<const char*>(bytes.data()), 40);
        file.close();
        EXPECT_FALSE(window.frame.openDocument(path));
        EXPECT_EQ(window.ui.messages, std::vector<std::string> { "Unexpected file format." });
        EXPECT_EQ(window.document.graphCount(), 0);
        EXPECT_TRUE(window.frame.windowTitle().startsWith(QStringLiteral("Untitled")));
        EXPECT_FALSE(window.frame.openDocument(temporaryFile(dir, "missing.ovd")));
        EXPECT_EQ(window.ui.messages.back(), "Failed to open document.");
    }

    TEST(MainFrame, OpenRefusesAFolderPipeOrDeviceWithoutWaitingAndKeepsTheDocument)
    {
        const QTemporaryDir dir;
        Window window;
        window.addGraph("x^2");
        const QString fifo = temporaryFile(dir, "pipe.ovd");
        ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        // /proc/self/mem is a regular file whose first read fails with EIO.
        for (const QString& path :
            { dir.path(), fifo, QStringLiteral("/dev/zero"), QStringLiteral("/proc/self/mem") }) {
            window.ui.messages.clear();
            EXPECT_FALSE(window.frame.openDocument(path)) << path.toStdString();
            EXPECT_EQ(window.ui.messages, std::vector<std::string> { "Failed to open document." });
            EXPECT_EQ(window.document.graphCount(), 1);
        }
    }

    TEST(MainFrame, SaveAndOpenRoundTrip)
    {
        const QTemporaryDir dir;
        Window window;
        window.addGraph("sin(x)");
        window.document.setModified(true);
        window.ui.fileName = temporaryFile(dir, "plot.ovd");
        window.frame.action(CommandId::FileSaveAs)->trigger();
        EXPECT_FALSE(window.document.isModified());
        EXPECT_TRUE(window.frame.windowTitle().startsWith(QStringLiteral("plot.ovd")));
        const auto saved = writeDocument(window.document);
        window.frame.action(CommandId::FileNew)->trigger();
        EXPECT_EQ(window.document.graphCount(), 0);
        window.frame.action(CommandId::FileOpen)->trigger();
        EXPECT_EQ(writeDocument(window.document), saved);
        EXPECT_EQ(window.frame.recentFiles().front(), *window.ui.fileName);
        // An unwritable target leaves the document modified and says so.
        window.document.setModified(true);
        EXPECT_FALSE(window.frame.saveDocumentAs(temporaryFile(dir, "no/such/folder.ovd")));
        EXPECT_EQ(window.ui.messages.back(), "Failed to save document.");
        EXPECT_TRUE(window.document.isModified());
        // A disk that fills up leaves the earlier file as it was, however small the document.
        QFile earlier(*window.ui.fileName);
        ASSERT_TRUE(earlier.open(QIODevice::ReadOnly));
        const QByteArray earlierBytes = earlier.readAll();
        earlier.close();
        window.ui.messages.clear();
        {
            const testing::FileSizeLimit full(16);
            EXPECT_FALSE(window.frame.saveDocumentAs(*window.ui.fileName));
        }
        EXPECT_EQ(window.ui.messages, std::vector<std::string> { "Failed to save document." });
        ASSERT_TRUE(earlier.open(QIODevice::ReadOnly));
        EXPECT_EQ(earlier.readAll(), earlierBytes);
        EXPECT_TRUE(window.document.isModified());
        // Cancelling the question to save keeps the document.
        window.ui.saveChanges = SaveChangesAnswer::Cancel;
        window.frame.action(CommandId::FileNew)->trigger();
        EXPECT_EQ(window.document.graphCount(), 1);
    }

    // The plot a document gives at the view's size, drawn afresh on a canvas of its own.
    QImage freshPicture(const COvilanDoc& document, const QImage& like)
    {
        QImage picture(like.size(), QImage::Format_RGB32);
        picture.setDotsPerMeterX(like.dotsPerMeterX());
        picture.setDotsPerMeterY(like.dotsPerMeterY());
        QImageCanvas canvas(picture);
        renderPicture(canvas, document, picture.width(), picture.height());
        return picture;
    }

    TEST(MainFrame, NewShowsTheEmptyDocumentInEveryViewAtOnce)
    {
        for (const auto answer : { SaveChangesAnswer::Discard, SaveChangesAnswer::Save }) {
            const QTemporaryDir dir;
            Window window;
            if (window.frame.paneLayout() != 3)
                window.frame.action(CommandId::GraphList)->trigger();
            window.addGraph("x^2");
            window.addGraph("sin(x)");
            CPlotLabel label;
            label.caption = "old";
            window.document.insertLabel(label, 0);
            window.document.grid.horizontal.shown = 1;
            window.document.legend.shown = 1;
            window.document.xAxis.min = 0;
            window.document.xAxis.max = 1000;
            window.document.setModified(true);
            window.document.updateAllViews(kHintEverything);
            window.frame.show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(&window.frame));
            COvilanView* view = window.frame.plotView();
            view->repaint();

            window.ui.saveChanges = answer;
            window.ui.fileName = temporaryFile(dir, "old.ovd");
            window.frame.action(CommandId::FileNew)->trigger();
            ASSERT_EQ(window.document.graphCount(), 0);

            // Before any paint the mapping has the new scale, so the read-out has too.
            const AppPreferences preferences;
            const COvilanDoc empty(preferences);
            QImage measuring = freshPicture(empty, view->snapshot());
            const QImageCanvas canvas(measuring);
            PlotMapping expected;
            expected.plotRect = { 0, 0, measuring.width(), measuring.height() };
            layoutDocument(expected, canvas, empty);
            EXPECT_EQ(currentPlotMapping(), expected);
            QTest::mouseMove(view, QPoint(1, 1));
            QTest::mouseMove(view, view->rect().center());
            const QPoint at = view->rect().center() * view->devicePixelRatioF();
            const PlotPoint point = deviceToPlot(expected, at.x(), at.y());
            EXPECT_EQ(window.frame.xPaneText(),
                QStringLiteral("X=")
                    + QString::fromStdString(cursorCoordinate(point.x, empty.xAxis)));

            auto* list = qobject_cast<CGraphListView*>(window.frame.centralWidget());
            ASSERT_NE(list, nullptr);
            EXPECT_EQ(list->leftView()->tree()->topLevelItemCount(), 0);
            view->repaint();
            EXPECT_EQ(view->snapshot(), freshPicture(empty, view->snapshot()));
            EXPECT_EQ(window.frame.windowTitle(), QStringLiteral("Untitled[*] - Ovilan"));
            EXPECT_FALSE(window.frame.isWindowModified());
            EXPECT_FALSE(window.frame.action(CommandId::EditUndo)->isEnabled());
            EXPECT_FALSE(window.frame.action(CommandId::EditGraph)->isEnabled());
            window.frame.close();
        }
    }

    TEST(MainFrame, RefusedZoomShowsItsRecordedStepInUndoRedoAndTitle)
    {
        struct Case {
            CommandId zoom;
            double min;
            double max;
            const char* message;
        };
        for (const Case& test : { Case { CommandId::ZoomIn, 0, 1.5e-21, "Too small interval." },
                 Case { CommandId::ZoomOut, -1e200, 1e200, "Too large interval." } }) {
            Window window;
            window.ui.nextGraph = std::make_unique<CYofXGraph>(window.document);
            window.frame.action(CommandId::AddGraph)->trigger();
            window.frame.action(CommandId::EditUndo)->trigger();
            // As after a save: the document unchanged since, the title without its mark.
            window.document.setModified(false);
            window.document.updateAllViews(kHintRepaint);
            ASSERT_FALSE(window.frame.isWindowModified());
            ASSERT_FALSE(window.frame.action(CommandId::EditUndo)->isEnabled());
            ASSERT_TRUE(window.frame.action(CommandId::EditRedo)->isEnabled());
            window.document.xAxis.min = test.min;
            window.document.xAxis.max = test.max;

            window.frame.action(test.zoom)->trigger();
            EXPECT_EQ(window.ui.messages, std::vector<std::string> { test.message });
            EXPECT_EQ(window.document.undoStack.size(), 1u);
            EXPECT_TRUE(window.frame.action(CommandId::EditUndo)->isEnabled()) << test.message;
            EXPECT_FALSE(window.frame.action(CommandId::EditRedo)->isEnabled()) << test.message;
            EXPECT_TRUE(window.frame.isWindowModified()) << test.message;
        }
    }

} // namespace
} // namespace ovilan
