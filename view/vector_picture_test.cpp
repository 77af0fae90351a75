#include "render/recording_canvas.h"
#include "view/example_document_test_support.h"
#include "view/ink_compare.h"
#include "view/picture_export.h"
#include "view/vector_picture.h"

#include <gtest/gtest.h>

namespace ovilan {
namespace {

    using testing::Example;
    using testing::exampleNames;

    // The plot drawn through the vector end `scale` times larger, brought back to its plot size.
    QImage vectorPicture(const COvilanDoc& document, QSize size, int scale, VectorStyle style)
    {
        QImage image(size * scale, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.scale(scale, scale);
        drawVectorPicture(painter, document, size, kPlotPixelsPerInch, style);
        painter.end();
        if (scale == 1)
            return image;
        return image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }

    // Every stroke of the vector picture lies where the exact picture has one, within two pixels,
    // and the other way round: at the plot's size, three times larger, smoothed or not.
    TEST(VectorPicture, InkLiesWhereTheExactPicturesInkLies)
    {
        for (const QString& name : exampleNames()) {
            const Example example(name);
            for (const QSize size : { QSize(800, 600), QSize(333, 251) }) {
                const QImage exact
                    = renderPictureImage(example.document, size.width(), size.height());
                for (const int scale : { 1, 3 })
                    for (const bool smooth : { false, true }) {
                        const QImage vector = vectorPicture(
                            example.document, size, scale, { smooth, smooth ? 0.25 : 0.0 });
                        if (qEnvironmentVariableIsSet("OVILAN_VECTOR_DUMP"))
                            vector.save(QStringLiteral("%1/%2-%3x%4-%5-%6.png")
                                            .arg(qEnvironmentVariable("OVILAN_VECTOR_DUMP"), name)
                                            .arg(size.width())
                                            .arg(size.height())
                                            .arg(scale)
                                            .arg(smooth));
                        const std::string where = name.toStdString() + " at "
                            + std::to_string(size.width()) + " x" + std::to_string(scale)
                            + (smooth ? " smooth" : "");
                        EXPECT_GT(inkAgreement(vector, exact, 2), 0.97) << where;
                        EXPECT_GT(inkAgreement(exact, vector, 2), 0.97) << where;
                    }
            }
        }
    }

} // namespace
} // namespace ovilan
