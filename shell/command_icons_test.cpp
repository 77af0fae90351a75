#include "shell/command_icons.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPixmap>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <vector>

namespace ovilan {
namespace {

    const std::vector<CommandId> buttonCommands = {
        CommandId::FileNew,
        CommandId::FileOpen,
        CommandId::FileSave,
        CommandId::EditCopy,
        CommandId::EditUndo,
        CommandId::EditRedo,
        CommandId::GraphList,
        CommandId::StandardCursor,
        CommandId::AddLabel,
        CommandId::SelectInterval,
        CommandId::ZoomIn,
        CommandId::ZoomOut,
        CommandId::ScrollLeft,
        CommandId::ScrollRight,
        CommandId::ScrollUp,
        CommandId::ScrollDown,
        CommandId::DocumentProperties,
        CommandId::AddGraph,
        CommandId::AddTableGraph,
        CommandId::RemoveGraph,
        CommandId::EditGraph,
    };

    const std::vector<CommandId> commandsWithoutButton = {
        CommandId::AppEnvironmentSettings,
        CommandId::SavePicture,
        CommandId::SaveAnimationFrames,
        CommandId::GraphsBar,
        CommandId::EditLabel,
        CommandId::RemoveLabel,
        CommandId::FileSaveAs,
        CommandId::FilePrint,
        CommandId::FileRecent,
        CommandId::AppExit,
        CommandId::AppAbout,
        CommandId::HelpTopics,
        CommandId::HelpContext,
        CommandId::Help,
        CommandId::NextPane,
        CommandId::PreviousPane,
        CommandId::StandardBar,
        CommandId::StatusBar,
    };

    QImage imageAt(const QIcon& icon, int side)
    {
        return icon.pixmap(side, side).toImage().convertToFormat(QImage::Format_ARGB32);
    }

    struct InkCount {
        int opaque = 0;
        int transparent = 0;
    };

    InkCount countInk(const QImage& image)
    {
        InkCount count;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const int alpha = qAlpha(image.pixel(x, y));
                count.opaque += alpha == 255;
                count.transparent += alpha == 0;
            }
        }
        return count;
    }

    // Icon themes are searched where the test says, so that the machine's own themes do not leak
    // into the results; every test starts with no theme at all.
    class CommandIcons : public ::testing::Test {
    protected:
        void SetUp() override
        {
            QIcon::setThemeSearchPaths({ emptyDir.path() });
            QIcon::setFallbackSearchPaths({});
            QIcon::setThemeName(QStringLiteral("ovilan-no-theme"));
            QIcon::setFallbackThemeName(QStringLiteral("ovilan-no-theme"));
        }

        QTemporaryDir emptyDir;
    };

    TEST_F(CommandIcons, EveryButtonHasADrawingAtBothSizesWithInk)
    {
        for (const CommandId id : buttonCommands) {
            SCOPED_TRACE(static_cast<int>(id));
            const QIcon drawn = drawnCommandIcon(id);
            ASSERT_FALSE(drawn.isNull());
            const QList<QSize> sizes = drawn.availableSizes();
            EXPECT_TRUE(sizes.contains(QSize(16, 16)));
            EXPECT_TRUE(sizes.contains(QSize(32, 32)));
            for (const int side : { 16, 32 }) {
                const QImage image = imageAt(drawn, side);
                EXPECT_EQ(image.size(), QSize(side, side));
                const InkCount ink = countInk(image);
                EXPECT_GT(ink.opaque, side * side / 20);
                // The picture leaves the button's face showing round it.
                EXPECT_GT(ink.transparent, 0);
            }
        }
    }

    TEST_F(CommandIcons, WithoutAThemeEveryButtonShowsOurDrawing)
    {
        for (const CommandId id : buttonCommands) {
            SCOPED_TRACE(static_cast<int>(id));
            const QIcon icon = commandIcon(id);
            ASSERT_FALSE(icon.isNull());
            EXPECT_EQ(imageAt(icon, 16), imageAt(drawnCommandIcon(id), 16));
            EXPECT_EQ(imageAt(icon, 32), imageAt(drawnCommandIcon(id), 32));
        }
    }

    TEST_F(CommandIcons, CommandsWithoutAButtonHaveNoImage)
    {
        for (const CommandId id : commandsWithoutButton) {
            SCOPED_TRACE(static_cast<int>(id));
            EXPECT_TRUE(commandIcon(id).isNull());
            EXPECT_TRUE(drawnCommandIcon(id).isNull());
        }
    }

    TEST_F(CommandIcons, NoTwoCommandsLookAlike)
    {
        for (const int side : { 16, 32 }) {
            for (std::size_t first = 0; first < buttonCommands.size(); ++first) {
                const QImage one = imageAt(drawnCommandIcon(buttonCommands[first]), side);
                for (std::size_t second = first + 1; second < buttonCommands.size(); ++second) {
                    SCOPED_TRACE(testing::Message()
                        << side << " px: " << static_cast<int>(buttonCommands[first]) << " and "
                        << static_cast<int>(buttonCommands[second]));
                    EXPECT_NE(one, imageAt(drawnCommandIcon(buttonCommands[second]), side));
                }
            }
        }
    }

    // A theme with a plain magenta document-new, and nothing else.
    void writeTheme(const QString& root)
    {
        const QString theme = root + QStringLiteral("/ovilan-test");
        ASSERT_TRUE(QDir().mkpath(theme + QStringLiteral("/16x16/actions")));
        QFile index(theme + QStringLiteral("/index.theme"));
        ASSERT_TRUE(index.open(QIODevice::WriteOnly));
        index.write("[Icon Theme]\nName=ovilan-test\nDirectories=16x16/actions\n\n"
                    "[16x16/actions]\nSize=16\nContext=Actions\nType=Fixed\n");
        index.close();
        QImage magenta(16, 16, QImage::Format_ARGB32);
        magenta.fill(QColor(255, 0, 255));
        ASSERT_TRUE(magenta.save(theme + QStringLiteral("/16x16/actions/document-new.png")));
    }

    TEST_F(CommandIcons, TheDesktopThemeIsPreferredWhereItHasTheImage)
    {
        QTemporaryDir themes;
        writeTheme(themes.path());
        QIcon::setThemeSearchPaths({ themes.path() });
        QIcon::setThemeName(QStringLiteral("ovilan-test"));

        const QImage themed = imageAt(commandIcon(CommandId::FileNew), 16);
        EXPECT_EQ(themed.pixel(8, 8), qRgb(255, 0, 255));
        // A theme without the name leaves our drawing in place.
        EXPECT_EQ(imageAt(commandIcon(CommandId::FileOpen), 16),
            imageAt(drawnCommandIcon(CommandId::FileOpen), 16));
        EXPECT_EQ(imageAt(commandIcon(CommandId::AddLabel), 16),
            imageAt(drawnCommandIcon(CommandId::AddLabel), 16));
    }

    TEST(ApplicationIcon, OffersEverySizeFrom16To256)
    {
        const QIcon icon = applicationIcon();
        const QList<QSize> expected
            = { { 16, 16 }, { 32, 32 }, { 48, 48 }, { 64, 64 }, { 128, 128 }, { 256, 256 } };
        EXPECT_EQ(icon.availableSizes(), expected);
        for (const QSize& size : expected) {
            SCOPED_TRACE(size.width());
            const QImage image = imageAt(icon, size.width());
            EXPECT_EQ(image.size(), size);
            EXPECT_GT(countInk(image).opaque, size.width() * size.height() / 2);
        }
    }

    void expectUsableCursor(const QCursor& cursor)
    {
        EXPECT_EQ(cursor.shape(), Qt::BitmapCursor);
        const QImage image = cursor.pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(image.size(), QSize(32, 32));
        const QPoint hot = cursor.hotSpot();
        ASSERT_TRUE(image.rect().contains(hot));
        // The point that a click takes is itself drawn in black, so the user sees where it is.
        EXPECT_EQ(image.pixel(hot), qRgb(0, 0, 0));
        int black = 0;
        int white = 0;
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                black += image.pixel(x, y) == qRgb(0, 0, 0);
                white += image.pixel(x, y) == qRgb(255, 255, 255);
            }
        }
        EXPECT_GT(black, 20);
        EXPECT_GT(white, black);
        const InkCount ink = countInk(image);
        EXPECT_EQ(ink.opaque + ink.transparent, 32 * 32);
        EXPECT_GT(ink.transparent, 32 * 32 / 2);
    }

    TEST(PlotCursors, AreOutlinedCrossHairsWithTheirHotSpotOnTheCentre)
    {
        expectUsableCursor(addLabelCursor());
        expectUsableCursor(selectCursor());
        EXPECT_NE(addLabelCursor().pixmap().toImage(), selectCursor().pixmap().toImage());
    }

} // namespace
} // namespace ovilan

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
