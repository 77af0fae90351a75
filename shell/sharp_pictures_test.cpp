#include "shell/main_frame.h"
#include "shell/picture_dialog.h"
#include "shell/sharp_picture_dialog.h"
#include "shell/shell_test_support.h"
#include "view/vector_picture.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLineEdit>
#include <QMimeData>
#include <QRadioButton>
#include <QSvgRenderer>
#include <QTemporaryDir>

#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace ovilan {
namespace {

    using testing::FileSizeLimit;
    using testing::temporaryFile;
    using testing::Window;

    const std::string kSavingError = "An error has occured while saving.";

    QByteArray contents(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    void writeContents(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    struct Target {
        const char* name;
        QString filter;
    };

    const Target kEveryFormat[] = {
        { "plot.bmp", kBitmapFilter },
        { "plot.png", kPngFilter },
        { "plot.svg", kBitmapFilter },
        { "plot.pdf", kBitmapFilter },
        { "smooth.png", kSmoothPngFilter },
    };

    struct PictureWindow : Window {
        PictureWindow()
        {
            addGraph("sin(x)*3");
            ui.picture = PictureRequest { 400, 300, false };
        }
        void save(const QString& path, const QString& filter)
        {
            ui.fileName = path;
            ui.pictureFilter = filter;
            frame.savePicture();
        }
    };

    TEST(MainFrame, SavesSvgPdfAndSmoothPngPictures)
    {
        const QTemporaryDir dir;
        PictureWindow window;

        // An SVG needs nothing but the plot's size.
        window.save(temporaryFile(dir, "plot.svg"), kBitmapFilter);
        EXPECT_FALSE(window.ui.sharpPictureAsked);
        const QSvgRenderer svg(contents(temporaryFile(dir, "plot.svg")));
        EXPECT_TRUE(svg.isValid());
        EXPECT_EQ(svg.viewBox(), QRect(0, 0, 400, 300));

        // A PDF asks for its page, starting from the plot's size.
        window.ui.sharpPicture = printedPictureSize(QSizeF(100, 75), kPlotPixelsPerInch).size;
        window.save(temporaryFile(dir, "plot"), kPdfFilter);
        ASSERT_TRUE(window.ui.sharpPictureAsked);
        EXPECT_EQ(window.ui.sharpPictureAsked->first, PictureFormat::Pdf);
        EXPECT_EQ(window.ui.sharpPictureAsked->second, QSize(400, 300));
        EXPECT_TRUE(contents(temporaryFile(dir, "plot")).startsWith("%PDF-"));

        // A smooth PNG in full colour, twice the size.
        window.ui.sharpPicture = scaledPictureSize(QSize(400, 300), 2).size;
        window.save(temporaryFile(dir, "smooth.png"), kSmoothPngFilter);
        EXPECT_EQ(window.ui.sharpPictureAsked->first, PictureFormat::SmoothPng);
        const QImage smooth(temporaryFile(dir, "smooth.png"), "PNG");
        EXPECT_EQ(smooth.size(), QSize(800, 600));
        EXPECT_NE(smooth.format(), QImage::Format_Indexed8);
        EXPECT_TRUE(window.ui.messages.empty());

        // Cancelling the question writes nothing and says nothing.
        window.ui.sharpPicture.reset();
        window.save(temporaryFile(dir, "cancelled.pdf"), kPdfFilter);
        EXPECT_FALSE(QFile::exists(temporaryFile(dir, "cancelled.pdf")));
        EXPECT_TRUE(window.ui.messages.empty());
    }

    // Into a missing folder, or when the disk fills up half way: the message, no half-written
    // picture, and an earlier file of that name as it was.
    TEST(MainFrame, AFailedSaveLeavesNoHalfWrittenPicture)
    {
        const QTemporaryDir dir;
        PictureWindow window;
        window.ui.sharpPicture = scaledPictureSize(QSize(400, 300), 2).size;
        const QByteArray earlier = "an earlier picture";
        for (const Target& target : kEveryFormat) {
            window.ui.messages.clear();
            const QString missing
                = temporaryFile(dir, "no/folder/") + QString::fromLatin1(target.name);
            window.save(missing, target.filter);
            EXPECT_EQ(window.ui.messages, std::vector { kSavingError }) << target.name;
            EXPECT_FALSE(QFile::exists(missing));

            window.ui.messages.clear();
            const QString path = temporaryFile(dir, target.name);
            writeContents(path, earlier);
            {
                const FileSizeLimit full(256);
                window.save(path, target.filter);
            }
            EXPECT_EQ(window.ui.messages, std::vector { kSavingError }) << target.name;
            EXPECT_EQ(contents(path), earlier) << target.name;
        }
        // Nothing but the earlier files is left behind.
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), std::size(kEveryFormat));

        // And with room enough, each replaces its earlier file.
        for (const Target& target : kEveryFormat) {
            window.save(temporaryFile(dir, target.name), target.filter);
            EXPECT_GT(contents(temporaryFile(dir, target.name)).size(), 256) << target.name;
        }
    }

    TEST(MainFrame, CopyAddsTheSvgAndASmoothPngAtTwiceTheSize)
    {
        Window window;
        window.addGraph("sin(x)");
        window.ui.picture = PictureRequest { 200, 150, false };
        window.frame.copyPicture();
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        ASSERT_NE(data, nullptr);
        EXPECT_EQ(qvariant_cast<QImage>(data->imageData()).size(), QSize(200, 150));
        EXPECT_TRUE(data->hasFormat(QStringLiteral("image/bmp")));
        const QSvgRenderer svg(data->data(QStringLiteral("image/svg+xml")));
        EXPECT_TRUE(svg.isValid());
        EXPECT_EQ(svg.viewBox(), QRect(0, 0, 200, 150));
        const QImage png = QImage::fromData(data->data(QStringLiteral("image/png")), "PNG");
        EXPECT_EQ(png.size(), QSize(400, 300));
        EXPECT_NE(png.format(), QImage::Format_Indexed8);
    }

    QLineEdit* field(const SharpPictureDialog& dialog, const char* name)
    {
        return dialog.findChild<QLineEdit*>(QString::fromLatin1(name));
    }

    TEST(SharpPictureDialog, PdfPageStartsAsThePlotAt96PerInch)
    {
        const SharpPictureDialog dialog(PictureFormat::Pdf, QSize(800, 600));
        EXPECT_EQ(field(dialog, "width")->text(), QStringLiteral("211.7"));
        EXPECT_EQ(field(dialog, "height")->text(), QStringLiteral("158.8"));
        EXPECT_EQ(field(dialog, "scale"), nullptr);
        EXPECT_EQ(field(dialog, "dpi"), nullptr);
        EXPECT_EQ(dialog.pictureSize().plot, QSize(800, 600));
        // The smallest and largest plots are accepted as proposed.
        for (const QSize plot : { QSize(100, 100), QSize(3000, 3000) }) {
            SharpPictureDialog extreme(PictureFormat::Pdf, plot);
            EXPECT_TRUE(extreme.refusal().refusal.isEmpty());
            EXPECT_EQ(extreme.pictureSize().plot, plot);
        }
    }

    TEST(SharpPictureDialog, SmoothPngTakesAScaleOrMillimetresAndDotsPerInch)
    {
        const SharpPictureDialog dialog(PictureFormat::SmoothPng, QSize(800, 600));
        EXPECT_EQ(dialog.pictureSize().device, QSize(1600, 1200));
        EXPECT_FALSE(dialog.pictureSize().millimetres);
        EXPECT_FALSE(field(dialog, "width")->isEnabled());

        dialog.findChild<QRadioButton*>(QStringLiteral("byMillimetres"))->setChecked(true);
        EXPECT_FALSE(field(dialog, "scale")->isEnabled());
        EXPECT_TRUE(field(dialog, "dpi")->isEnabled());
        field(dialog, "width")->setText(QStringLiteral("150"));
        field(dialog, "height")->setText(QStringLiteral(" 100.0 "));
        EXPECT_EQ(field(dialog, "dpi")->text(), QStringLiteral("300"));
        EXPECT_EQ(dialog.pictureSize().device, QSize(1772, 1181));
        EXPECT_EQ(dialog.pictureSize().plot, QSize(567, 378));
    }

    TEST(SharpPictureDialog, RefusesInTheOrderOfItsFields)
    {
        const QString number = QStringLiteral("Please enter a number.");
        const QString side
            = QStringLiteral("A side of the picture must be between 26.4 and 794 millimetres.");
        struct Row {
            const char* what;
            const char* scale; // nullptr: by millimetres
            const char* width;
            const char* height;
            const char* dpi;
            const char* refused;
            QString message;
            bool warning;
        };
        const Row rows[] = {
            { "scale not a number", "2x", "20", "20", "1", "scale", number, false },
            { "scale too small",
                "0.5",
                "",
                "",
                "",
                "scale",
                QStringLiteral("The scale must be between 1 and 10."),
                true },
            { "scale too large for the plot",
                "9",
                "",
                "",
                "",
                "scale",
                QStringLiteral("The picture would be 22500 x 13500 pixels; it may have at most "
                               "20000 pixels a side."),
                true },
            { "width first", nullptr, "20", "abc", "1", "width", side, true },
            { "width not a number", nullptr, "wide", "100", "300", "width", number, false },
            { "height", nullptr, "150", "795", "1", "height", side, true },
            { "resolution",
                nullptr,
                "150",
                "100",
                "29",
                "dpi",
                QStringLiteral("The resolution must be between 30 and 2400 dots per inch."),
                true },
            { "resolution not an integer",
                nullptr,
                "150",
                "100",
                "300.5",
                "dpi",
                QStringLiteral("Please enter an integer."),
                false },
            { "too many pixels",
                nullptr,
                "790",
                "790",
                "2400",
                "dpi",
                QStringLiteral("The picture would be 74646 x 74646 pixels; it may have at most "
                               "20000 pixels a side."),
                true },
        };
        for (const Row& row : rows) {
            SharpPictureDialog dialog(PictureFormat::SmoothPng, QSize(2500, 1500));
            if (row.scale) {
                field(dialog, "scale")->setText(QString::fromLatin1(row.scale));
            } else {
                dialog.findChild<QRadioButton*>(QStringLiteral("byMillimetres"))->setChecked(true);
                field(dialog, "width")->setText(QString::fromLatin1(row.width));
                field(dialog, "height")->setText(QString::fromLatin1(row.height));
                field(dialog, "dpi")->setText(QString::fromLatin1(row.dpi));
            }
            const SharpPictureFields refused = dialog.refusal();
            EXPECT_EQ(refused.refusal, row.message) << row.what;
            EXPECT_EQ(refused.warning, row.warning) << row.what;
            ASSERT_NE(refused.refusedField, nullptr) << row.what;
            EXPECT_EQ(refused.refusedField->objectName(), QString::fromLatin1(row.refused))
                << row.what;
            EXPECT_EQ(refused.refusedField->selectedText(), refused.refusedField->text())
                << row.what;
        }
    }

} // namespace
} // namespace ovilan
