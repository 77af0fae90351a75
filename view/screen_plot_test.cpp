#include "view/example_document_test_support.h"
#include "view/screen_plot.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace ovilan {
namespace {

    using testing::Example;
    using testing::exampleNames;

    // A back buffer as the window has one, at `dotsPerInch`.
    QImage screenImage(QSize size, int dotsPerInch)
    {
        QImage image(size, QImage::Format_RGB32);
        image.setDotsPerMeterX(qRound(dotsPerInch / 0.0254));
        image.setDotsPerMeterY(qRound(dotsPerInch / 0.0254));
        image.fill(Qt::magenta);
        return image;
    }

    // The mouse, the labels and the read-out work with the mapping the drawing leaves; smooth
    // lines must leave the very one the exact drawing does, on an unscaled and a scaled screen.
    TEST(ScreenPlot, SmoothLinesLeaveTheExactDrawingsMapping)
    {
        for (const QString& name : exampleNames()) {
            const Example example(name);
            for (const QSize size : { QSize(800, 600), QSize(333, 251) })
                for (const int dotsPerInch : { 96, 144 }) {
                    QImage exactImage = screenImage(size, dotsPerInch);
                    QImage smoothImage = screenImage(size, dotsPerInch);
                    PlotMapping exact;
                    PlotMapping smooth;
                    drawScreenPlot(
                        exactImage, exactImage.rect(), LineDrawing::Exact, exact, example.document);
                    drawScreenPlot(smoothImage,
                        smoothImage.rect(),
                        LineDrawing::Smooth,
                        smooth,
                        example.document);
                    EXPECT_EQ(exact, smooth) << name.toStdString() << " at " << size.width() << ", "
                                             << dotsPerInch << " dpi";
                    EXPECT_NE(exactImage, smoothImage) << name.toStdString();
                }
        }
    }

    bool closeEnough(QRgb drawn, QRgb expected, LineDrawing drawing)
    {
        if (drawing == LineDrawing::Exact)
            return drawn == expected;
        constexpr int kLevels = 6;
        return std::abs(qRed(drawn) - qRed(expected)) <= kLevels
            && std::abs(qGreen(drawn) - qGreen(expected)) <= kLevels
            && std::abs(qBlue(drawn) - qBlue(expected)) <= kLevels;
    }

    // A repaint of part of the window gives there the pixels a whole paint gives, and leaves the
    // rest alone, so smoothed strokes show no seam where one repaint meets another. Qt shades a
    // smoothed line cut by a clip edge a few levels of 255 differently from one that runs on;
    // that much no eye sees.
    TEST(ScreenPlot, PartialRepaintMatchesTheWholePaint)
    {
        const QRect areas[] = { { 0, 0, 800, 600 },
            { 101, 37, 250, 180 },
            { 399, 299, 3, 2 },
            { 613, 401, 187, 199 },
            { 0, 250, 800, 17 } };
        for (const QString& name : exampleNames()) {
            const Example example(name);
            for (const LineDrawing drawing : { LineDrawing::Smooth, LineDrawing::Exact }) {
                QImage whole = screenImage({ 800, 600 }, 96);
                PlotMapping mapping;
                drawScreenPlot(whole, whole.rect(), drawing, mapping, example.document);
                for (const QRect& area : areas) {
                    QImage part = whole.copy();
                    part.fill(Qt::magenta);
                    QImage outside = part.copy();
                    drawScreenPlot(part, area, drawing, mapping, example.document);
                    for (int y = 0; y < part.height(); ++y)
                        for (int x = 0; x < part.width(); ++x) {
                            const QRgb expected
                                = area.contains(x, y) ? whole.pixel(x, y) : outside.pixel(x, y);
                            if (!closeEnough(part.pixel(x, y), expected, drawing)) {
                                ADD_FAILURE() << name.toStdString() << " differs at " << x << ","
                                              << y << " in " << area.x() << "," << area.y() << " "
                                              << area.width() << "x" << area.height()
                                              << (drawing == LineDrawing::Smooth ? " smooth" : "");
                                y = part.height();
                                break;
                            }
                        }
                }
            }
        }
    }

} // namespace
} // namespace ovilan
