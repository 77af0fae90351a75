#include "shell/main_frame.h"
#include "shell/picture_dialog.h"
#include "shell/shell_test_support.h"
#include "view/picture_export.h"
#include "view/plot_view.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QImage>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace ovilan {
namespace {

    using testing::temporaryFile;
    using testing::Window;

    TEST(PictureDialog, RefusesSidesOutside100To3000)
    {
        const QString range = QStringLiteral("Please enter an integer between 100 and 3000.");
        EXPECT_EQ(readPictureSide(QStringLiteral("99")).refusal, range);
        EXPECT_EQ(readPictureSide(QStringLiteral("3001")).refusal, range);
        EXPECT_EQ(readPictureSide(QStringLiteral(" 100 ")).value, 100);
        EXPECT_TRUE(readPictureSide(QStringLiteral("3000")).refusal.isEmpty());
        EXPECT_EQ(readPictureSide(QStringLiteral("12a")).refusal,
            QStringLiteral("Please enter an integer."));
        PictureDialog dialog(99, 500);
        EXPECT_EQ(dialog.refusal().refusal, range);
        EXPECT_TRUE(dialog.refusal().warning);
        PictureDialog fine(640, 480);
        EXPECT_TRUE(fine.refusal().refusal.isEmpty());
    }

    TEST(MainFrame, SavedPictureIsTheConvertedPicture)
    {
        const QTemporaryDir dir;
        Window window;
        window.addGraph("x^3/20");
        window.ui.picture = PictureRequest { 320, 200, true };
        window.ui.fileName = temporaryFile(dir, "plot.bmp");
        window.frame.savePicture();
        QFile file(*window.ui.fileName);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray written = file.readAll();
        const auto expected = bmpFile(
            pictureDib(renderPictureImage(window.document, 320, 200), DibCompression::Rle4));
        EXPECT_EQ(written,
            QByteArray(reinterpret_cast<const char*>(expected.data()),
                static_cast<qsizetype>(expected.size())));
        EXPECT_TRUE(window.ui.messages.empty());
        window.ui.fileName = temporaryFile(dir, "no/folder/plot.bmp");
        window.frame.savePicture();
        EXPECT_EQ(window.ui.messages.back(), "An error has occured while saving.");
    }

    // Also run with the screen scaled (QT_SCALE_FACTOR=2), where the plot's device pixels are
    // twice its logical size.
    TEST(MainFrame, PictureSizeProposedIsThePlotAsTheWindowShowsIt)
    {
        Window window;
        window.frame.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window.frame));
        auto* view = window.frame.findChild<COvilanView*>();
        ASSERT_NE(view, nullptr);
        view->repaint();
        const QSize shown = view->snapshot().size();
        ASSERT_FALSE(shown.isEmpty());
        window.frame.savePicture();
        EXPECT_EQ(window.ui.proposedPicture, shown);
        window.frame.copyPicture();
        EXPECT_EQ(window.ui.proposedPicture, shown);

        // A plot wider than the largest picture and lower than the smallest proposes the nearest
        // sizes the dialog accepts.
        window.frame.resize(4000, 100);
        QApplication::processEvents();
        const qreal ratio = view->devicePixelRatioF();
        ASSERT_GT(view->width() * ratio, kMaxPictureSide);
        ASSERT_LT(view->height() * ratio, kMinPictureSide);
        window.frame.savePicture();
        EXPECT_EQ(window.ui.proposedPicture, QSize(kMaxPictureSide, kMinPictureSide));
    }

    TEST(MainFrame, PngPictureHasTheBitmapsPixels)
    {
        EXPECT_EQ(chosenPictureFormat(QStringLiteral("a.PNG"), kBitmapFilter), PictureFormat::Png);
        EXPECT_EQ(chosenPictureFormat(QStringLiteral("a.bmp"), kPngFilter), PictureFormat::Bmp);
        EXPECT_EQ(chosenPictureFormat(QStringLiteral("a.rle"), kPngFilter), PictureFormat::Bmp);
        EXPECT_EQ(chosenPictureFormat(QStringLiteral("plot"), kPngFilter), PictureFormat::Png);
        EXPECT_EQ(
            chosenPictureFormat(QStringLiteral("plot.v2"), kBitmapFilter), PictureFormat::Bmp);
        EXPECT_EQ(chosenPictureFormat(QStringLiteral("plot"), QStringLiteral("All files (*.*)")),
            PictureFormat::Bmp);

        const QTemporaryDir dir;
        Window window;
        window.addGraph("sin(3x)*4");
        window.ui.picture = PictureRequest { 300, 220, true };
        window.ui.fileName = temporaryFile(dir, "plot.bmp");
        window.frame.savePicture();
        window.ui.fileName = temporaryFile(dir, "plot");
        window.ui.pictureFilter = kPngFilter;
        window.frame.savePicture();
        EXPECT_TRUE(window.ui.messages.empty());
        QFile png(temporaryFile(dir, "plot"));
        ASSERT_TRUE(png.open(QIODevice::ReadOnly));
        EXPECT_TRUE(png.read(8).startsWith("\x89PNG"));
        const QImage fromBmp(temporaryFile(dir, "plot.bmp"), "BMP");
        const QImage fromPng(temporaryFile(dir, "plot"), "PNG");
        ASSERT_EQ(fromPng.size(), QSize(300, 220));
        EXPECT_EQ(fromPng.convertToFormat(QImage::Format_RGB32),
            fromBmp.convertToFormat(QImage::Format_RGB32));

        window.ui.fileName = temporaryFile(dir, "no/folder/plot.png");
        window.frame.savePicture();
        EXPECT_EQ(window.ui.messages,
            (std::vector<std::string> { "An error has occured while saving." }));
    }

    TEST(MainFrame, CopyPutsThePictureOnTheClipboardAsImageAndBmp)
    {
        Window window;
        window.addGraph("sin(x)");
        window.ui.picture = PictureRequest { 200, 150, false };
        window.frame.copyPicture();
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        ASSERT_NE(data, nullptr);
        const QImage image = qvariant_cast<QImage>(data->imageData());
        EXPECT_EQ(image.size(), QSize(200, 150));
        const QByteArray bmp = data->data(QStringLiteral("image/bmp"));
        EXPECT_EQ(bmp.size(), 14 + 40 + 64 + 150 * 100);
        EXPECT_EQ(QImage::fromData(bmp, "BMP").convertToFormat(QImage::Format_RGB32),
            image.convertToFormat(QImage::Format_RGB32));
        // Cancelling the size question leaves the clipboard alone.
        window.ui.picture.reset();
        QGuiApplication::clipboard()->clear();
        window.frame.copyPicture();
        const QMimeData* after = QGuiApplication::clipboard()->mimeData();
        EXPECT_TRUE(after == nullptr || !after->hasImage());
    }

} // namespace
} // namespace ovilan
