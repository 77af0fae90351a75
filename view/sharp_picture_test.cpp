#include "document/draw_plot.h"
#include "render/recording_canvas.h"
#include "view/example_document_test_support.h"
#include "view/ink_compare.h"
#include "view/picture_export.h"
#include "view/sharp_picture.h"

#include <QFile>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <cmath>
#include <gtest/gtest.h>
#include <optional>
#include <sstream>

namespace ovilan {
namespace {

    using testing::Example;
    using testing::exampleNames;

    const QSize kPlot(800, 600);

    // Every text the exact picture draws, from the record of the primitives:
    // "text LEFT TOP PIXEL-HEIGHT RRGGBB opaque|transparent BACKGROUND TEXT".
    QStringList drawnTexts(const COvilanDoc& document, QSize size)
    {
        RecordingCanvas canvas(size.width(), size.height());
        renderPicture(canvas, document, size.width(), size.height());
        QStringList texts;
        std::istringstream lines(canvas.record());
        for (std::string line; std::getline(lines, line);) {
            if (!line.starts_with("text "))
                continue;
            std::istringstream fields(line);
            std::string skipped;
            for (int field = 0; field < 7; ++field)
                fields >> skipped;
            fields.get();
            std::string text;
            std::getline(fields, text);
            texts.append(QString::fromStdString(text).trimmed());
        }
        return texts;
    }

    // The content of every <text> element of an SVG; empty when it is not well-formed XML.
    std::optional<QStringList> svgTexts(const QByteArray& svg)
    {
        QStringList texts;
        QXmlStreamReader xml(svg);
        while (!xml.atEnd())
            if (xml.readNext() == QXmlStreamReader::StartElement
                && xml.name() == QStringLiteral("text"))
                texts.append(xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed());
        if (xml.hasError())
            return std::nullopt;
        return texts;
    }

    QImage renderedSvg(const QByteArray& svg, QSize size)
    {
        QSvgRenderer renderer(svg);
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        renderer.render(&painter);
        return image;
    }

    void expectSameInk(const QImage& drawn, const QImage& exact, const std::string& where)
    {
        ASSERT_EQ(drawn.size(), exact.size()) << where;
        EXPECT_GT(inkAgreement(drawn, exact, 2), 0.97) << where;
        EXPECT_GT(inkAgreement(exact, drawn, 2), 0.97) << where;
    }

    // With OVILAN_SHARP_DUMP set to a folder, the pictures are kept there to be looked at.
    void keepIfAsked(const QString& name, const QByteArray& bytes)
    {
        if (!qEnvironmentVariableIsSet("OVILAN_SHARP_DUMP"))
            return;
        QFile file(qEnvironmentVariable("OVILAN_SHARP_DUMP") + QLatin1Char('/') + name);
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
    }

    struct ToolRun {
        bool started = false;
        QString output;
    };

    ToolRun runTool(const QString& program, const QStringList& arguments)
    {
        QProcess process;
        process.start(program, arguments);
        if (!process.waitForFinished(60'000) || process.exitStatus() != QProcess::NormalExit
            || process.exitCode() != 0)
            return {};
        return { true, QString::fromLocal8Bit(process.readAllStandardOutput()) };
    }

    // The "emb" column of pdffonts' table, one entry per font.
    QStringList embeddedColumn(const QString& table)
    {
        const QStringList lines = table.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        if (lines.size() < 2)
            return {};
        const qsizetype column = lines.front().indexOf(QStringLiteral("emb"));
        QStringList entries;
        for (const QString& line : lines.mid(2))
            entries.append(line.mid(column, 3));
        return entries;
    }

    TEST(SharpPicture, SvgKeepsEveryCaptionAsTextAndItsInkWhereTheExactPicturesIs)
    {
        for (const QString& name : exampleNames()) {
            const Example example(name);
            const QByteArray svg
                = svgPictureFile(example.document, scaledPictureSize(kPlot, 1).size);
            keepIfAsked(name + QStringLiteral(".svg"), svg);
            const auto texts = svgTexts(svg);
            ASSERT_TRUE(texts) << name.toStdString();
            const QStringList captions = drawnTexts(example.document, kPlot);
            EXPECT_FALSE(captions.isEmpty());
            for (const QString& caption : captions)
                EXPECT_TRUE(texts->contains(caption))
                    << name.toStdString() << ": " << caption.toStdString();
            expectSameInk(renderedSvg(svg, kPlot),
                renderPictureImage(example.document, kPlot.width(), kPlot.height()),
                name.toStdString());
        }
    }

    TEST(SharpPicture, PdfIsOnePageOfItsSizeWithEveryFontEmbedded)
    {
        const QTemporaryDir dir;
        const Example example(QStringLiteral("gallery.ovd"));
        const QString pdf = dir.filePath(QStringLiteral("plot.pdf"));
        QFile out(pdf);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        const QByteArray bytes = pdfPictureFile(example.document, scaledPictureSize(kPlot, 1).size);
        keepIfAsked(QStringLiteral("gallery.pdf"), bytes);
        out.write(bytes);
        out.close();

        const ToolRun fonts = runTool(QStringLiteral("pdffonts"), { pdf });
        if (!fonts.started)
            GTEST_SKIP() << "pdffonts (poppler-utils) is not installed";
        const QStringList embedded = embeddedColumn(fonts.output);
        EXPECT_FALSE(embedded.isEmpty()) << fonts.output.toStdString();
        for (const QString& entry : embedded)
            EXPECT_EQ(entry, QStringLiteral("yes")) << fonts.output.toStdString();

        const ToolRun info = runTool(QStringLiteral("pdfinfo"), { pdf });
        EXPECT_TRUE(info.output.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))))
            << info.output.toStdString();
        // 800 x 600 plot pixels at 96 per inch are 600 x 450 points.
        EXPECT_TRUE(info.output.contains(QStringLiteral("600 x 450 pts")))
            << info.output.toStdString();

        const QString page = dir.filePath(QStringLiteral("page"));
        ASSERT_TRUE(runTool(QStringLiteral("pdftoppm"),
            { QStringLiteral("-png"),
                QStringLiteral("-r"),
                QStringLiteral("96"),
                QStringLiteral("-singlefile"),
                pdf,
                page })
                        .started);
        expectSameInk(QImage(page + QStringLiteral(".png")),
            renderPictureImage(example.document, kPlot.width(), kPlot.height()),
            "pdftoppm");
    }

    // 150 x 100 mm at 300 dpi: a plot of 567 x 378 plot pixels on 1772 x 1181 picture pixels.
    TEST(SharpPicture, SmoothPngAt300DpiHasThePrintedSizesPixels)
    {
        const Example example(QStringLiteral("gallery.ovd"));
        const SharpPictureSizeReading printed = printedPictureSize(QSizeF(150, 100), 300);
        ASSERT_TRUE(printed.refusal.isEmpty());
        EXPECT_EQ(printed.size.plot, QSize(567, 378));
        const QByteArray png = smoothPngFile(example.document, printed.size);
        keepIfAsked(QStringLiteral("gallery-300dpi.png"), png);
        const QImage picture = QImage::fromData(png, "PNG");
        ASSERT_EQ(picture.size(), QSize(1772, 1181));
        // Printed at its own resolution it is as wide as asked for.
        EXPECT_NEAR(1000.0 * picture.width() / picture.dotsPerMeterX(), 150, 0.05);
        expectSameInk(
            picture.scaled(printed.size.plot, Qt::IgnoreAspectRatio, Qt::SmoothTransformation),
            renderPictureImage(example.document, 567, 378),
            "300 dpi");
    }

    TEST(SharpPictureSize, RefusesWhatBreaksALimitNamingIt)
    {
        const QString scale = QStringLiteral("The scale must be between 1 and 10.");
        const QString resolution
            = QStringLiteral("The resolution must be between 30 and 2400 dots per inch.");
        const QString side
            = QStringLiteral("A side of the picture must be between 26.4 and 794 millimetres.");
        EXPECT_EQ(scaledPictureSize(kPlot, 0.5).refusal, scale);
        EXPECT_EQ(scaledPictureSize(kPlot, 11).refusal, scale);
        EXPECT_EQ(scaledPictureSize(kPlot, std::nan("")).refusal, scale);
        EXPECT_EQ(printedPictureSize(QSizeF(150, 100), 29).refusal, resolution);
        EXPECT_EQ(printedPictureSize(QSizeF(150, 100), 2401).refusal, resolution);
        EXPECT_EQ(printedPictureSize(QSizeF(26, 100), 300).refusal, side);
        EXPECT_EQ(printedPictureSize(QSizeF(150, 795), 300).refusal, side);
        EXPECT_EQ(scaledPictureSize(QSize(3000, 3000), 10).refusal,
            QStringLiteral("The picture would be 30000 x 30000 pixels; it may have at most 20000 "
                           "pixels a side."));
        EXPECT_EQ(scaledPictureSize(QSize(1001, 1001), 10).refusal,
            QStringLiteral("The picture would be 10010 x 10010 pixels; it may have at most 100 "
                           "million pixels."));

        // The plot sizes of the 16-colour pictures all fit, as pixels and as millimetres.
        EXPECT_EQ(scaledPictureSize(QSize(3000, 3000), 1).size.device, QSize(3000, 3000));
        EXPECT_EQ(scaledPictureSize(QSize(100, 100), 10).size.device, QSize(1000, 1000));
        EXPECT_EQ(printedPictureSize(QSizeF(26.5, 793.8), 96).size.plot, QSize(100, 3000));
        EXPECT_TRUE(printedPictureSize(QSizeF(794, 794), 30).refusal.isEmpty());
    }

} // namespace
} // namespace ovilan
