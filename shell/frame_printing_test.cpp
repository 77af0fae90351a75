#include "shell/main_frame.h"
#include "shell/plot_printing.h"
#include "shell/shell_test_support.h"

#include <QApplication>
#include <QImage>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace ovilan {
namespace {

    using testing::temporaryFile;
    using testing::Window;

    // What a poppler tool prints about a file; empty when the tool is not installed.
    QString popplerOutput(const QString& tool, const QStringList& arguments)
    {
        const QString program = QStandardPaths::findExecutable(tool);
        if (program.isEmpty())
            return {};
        QProcess process;
        process.start(program, arguments);
        process.waitForFinished(30000);
        return QString::fromUtf8(process.readAllStandardOutput());
    }

    // The page rendered in grey levels at `dotsPerInch`.
    QImage renderedPage(const QString& pdf, int dotsPerInch)
    {
        const QString base = pdf + QStringLiteral(".page");
        popplerOutput(QStringLiteral("pdftoppm"),
            { QStringLiteral("-r"),
                QString::number(dotsPerInch),
                QStringLiteral("-gray"),
                QStringLiteral("-singlefile"),
                pdf,
                base });
        return QImage(base + QStringLiteral(".pgm"));
    }

    // The smallest rectangle holding every pixel darker than paper.
    QRect inkBounds(const QImage& page)
    {
        QRect bounds;
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x)
                if (qGray(page.pixel(x, y)) < 240)
                    bounds |= QRect(x, y, 1, 1);
        return bounds;
    }

    struct PrintedPlot {
        explicit PrintedPlot(QPageLayout::Orientation orientation)
        {
            window.addGraph("sin(x)*5");
            CPlotLabel label;
            label.x = 2;
            label.y = 5;
            label.caption = "summit";
            window.document.insertLabel(label, 0);
            // A grey background shows where the plot lies on the page.
            window.document.general.backgroundColor = 8;
            window.ui.setUpPrinter = [this, orientation](QPrinter& printer) {
                printer.setOutputFormat(QPrinter::PdfFormat);
                printer.setOutputFileName(path);
                printer.setPageSize(QPageSize(QPageSize::A4));
                printer.setPageOrientation(orientation);
                printable = printer.pageLayout().paintRect(QPageLayout::Millimeter);
                page = printer.pageLayout().fullRect(QPageLayout::Millimeter);
            };
        }

        QTemporaryDir dir;
        QString path = temporaryFile(dir, "plot.pdf");
        Window window;
        QRectF printable;
        QRectF page;
    };

    // A4 both ways: one page of the printer's size, the plot filling exactly its printable area,
    // and the captions written as text in embedded fonts.
    TEST(Printing, PlotFillsThePrintableAreaOfOnePage)
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty())
            GTEST_SKIP() << "poppler-utils is not installed";
        for (const auto orientation : { QPageLayout::Portrait, QPageLayout::Landscape }) {
            PrintedPlot plot(orientation);
            plot.window.frame.action(CommandId::FilePrint)->trigger();
            EXPECT_TRUE(plot.window.ui.messages.empty());

            const QString info = popplerOutput(QStringLiteral("pdfinfo"), { plot.path });
            EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages: +1\n"))))
                << info.toStdString();
            const bool landscape = orientation == QPageLayout::Landscape;
            EXPECT_EQ(plot.page.width() > plot.page.height(), landscape);

            constexpr int dotsPerInch = 72;
            const QImage rendered = renderedPage(plot.path, dotsPerInch);
            ASSERT_FALSE(rendered.isNull());
            EXPECT_EQ(rendered.width() > rendered.height(), landscape);
            const double perMillimetre = dotsPerInch / 25.4;
            const QRect ink = inkBounds(rendered);
            // Within a millimetre and a half of the printable area's edges, inside or out.
            const double reach = 1.5 * perMillimetre;
            const QRectF expected(
                plot.printable.topLeft() * perMillimetre, plot.printable.size() * perMillimetre);
            EXPECT_NEAR(ink.left(), expected.left(), reach);
            EXPECT_NEAR(ink.top(), expected.top(), reach);
            EXPECT_NEAR(ink.right() + 1, expected.right(), reach);
            EXPECT_NEAR(ink.bottom() + 1, expected.bottom(), reach);

            // Every font of the page is embedded: its "emb" column says yes.
            const QString fonts = popplerOutput(QStringLiteral("pdffonts"), { plot.path });
            const QRegularExpression fontLine(
                QStringLiteral(R"(\s(yes|no)\s+(yes|no)\s+(yes|no)\s+\d+\s+\d+\s*$)"));
            int embedded = 0;
            for (const QString& line : fonts.split(QLatin1Char('\n'))) {
                const QRegularExpressionMatch columns = fontLine.match(line);
                if (!columns.hasMatch())
                    continue;
                EXPECT_EQ(columns.captured(1), QStringLiteral("yes")) << line.toStdString();
                ++embedded;
            }
            EXPECT_GE(embedded, 1) << fonts.toStdString();
            const QString text
                = popplerOutput(QStringLiteral("pdftotext"), { plot.path, QStringLiteral("-") });
            EXPECT_TRUE(text.contains(QStringLiteral("summit"))) << text.toStdString();
        }
    }

    TEST(Printing, CancelledPrintsNothingAndAFailureIsSaid)
    {
        PrintedPlot plot(QPageLayout::Portrait);
        const auto setUp = plot.window.ui.setUpPrinter;
        plot.window.ui.setUpPrinter = nullptr;
        plot.window.frame.action(CommandId::FilePrint)->trigger();
        EXPECT_FALSE(QFile::exists(plot.path));
        EXPECT_TRUE(plot.window.ui.messages.empty());

        plot.path = temporaryFile(plot.dir, "no/folder/plot.pdf");
        plot.window.ui.setUpPrinter = setUp;
        plot.window.frame.action(CommandId::FilePrint)->trigger();
        EXPECT_EQ(
            plot.window.ui.messages, (std::vector<std::string> { "Failed to print document." }));
    }

    // The plot's size on the page follows the paper and its margins, at 96 plot pixels an inch.
    TEST(Printing, PlotSizeIsThePrintableAreaAtNinetySixPixelsAnInch)
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setPageMargins(QMarginsF(10, 20, 10, 20), QPageLayout::Millimeter);
        const QSize portrait = printedPlotSize(printer);
        EXPECT_NEAR(portrait.width(), 190 / 25.4 * 96, 2.0);
        EXPECT_NEAR(portrait.height(), 257 / 25.4 * 96, 2.0);
        printer.setPageOrientation(QPageLayout::Landscape);
        const QSize landscape = printedPlotSize(printer);
        EXPECT_GT(landscape.width(), landscape.height());
    }

    TEST(Printing, PreviewDrawsOnePage)
    {
        Window window;
        window.addGraph("x^2/4-3");
        QPrinter printer(QPrinter::HighResolution);
        const std::unique_ptr<QPrintPreviewDialog> preview(
            plotPrintPreview(printer, window.document, nullptr));
        int requests = 0;
        QObject::connect(
            preview.get(), &QPrintPreviewDialog::paintRequested, [&requests] { ++requests; });
        preview->show();
        QApplication::processEvents();
        auto* pages = preview->findChild<QPrintPreviewWidget*>();
        ASSERT_NE(pages, nullptr);
        EXPECT_GE(requests, 1);
        EXPECT_EQ(pages->pageCount(), 1);
        preview->close();
    }

} // namespace
} // namespace ovilan
