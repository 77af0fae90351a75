#include "document/parameter_graphs.h"
#include "expr/formula_check.h"
#include "shell/animation_frames_dialog.h"
#include "shell/shell_test_support.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace ovilan {
namespace {

    using testing::Window;

    using testing::parameter;

    // The window with "sin(k*x)" and the parameters k = 1 and m = 0.
    void addWave(Window& window)
    {
        window.document.parameterTable.parameters
            = { parameter('k', 1, 0, 5, 0.5), parameter('m', 0, -1, 1, 0.25) };
        auto wave = std::make_unique<CYofXGraph>(window.document);
        long long work = kMaxCheckWork;
        ASSERT_EQ(wave->setParameterFormula(
                      "sin(k*x)", 0, parameterValues(window.document.parameterTable), work),
            kFormulaOk);
        window.document.insertGraph(std::move(wave), 0);
        window.document.refreshGraphs();
    }

    TEST(AnimationFramesDialog, StartsFromTheSliderAndRefusesARangeWithoutFrames)
    {
        const ParameterTable table { { parameter('k', 1, 0, 5, 0.5),
            parameter('m', 0, -1, 1, 0.25) } };
        AnimationFramesDialog dialog(table, QStringLiteral("/tmp/frames"));
        EXPECT_EQ(dialog.fromField()->text(), QStringLiteral("0"));
        EXPECT_EQ(dialog.toField()->text(), QStringLiteral("5"));
        EXPECT_EQ(dialog.stepField()->text(), QStringLiteral("0.5"));
        dialog.parameterField()->setCurrentIndex(1);
        EXPECT_EQ(dialog.fromField()->text(), QStringLiteral("-1"));
        EXPECT_EQ(dialog.stepField()->text(), QStringLiteral("0.25"));
        EXPECT_TRUE(dialog.refusal().isEmpty());
        EXPECT_EQ(dialog.range().name, 'm');
        EXPECT_EQ(frameCount(dialog.range()), 9u);

        dialog.stepField()->setText(QStringLiteral("0"));
        EXPECT_EQ(dialog.refusal(), QStringLiteral("The step must be greater than 0."));
        dialog.stepField()->setText(QStringLiteral("pi/10"));
        EXPECT_TRUE(dialog.refusal().isEmpty());
        dialog.fromField()->setText(QStringLiteral("2"));
        EXPECT_EQ(dialog.refusal(),
            QStringLiteral("The first value must not be greater than the last one."));
        dialog.fromField()->setText(QStringLiteral("one"));
        EXPECT_EQ(dialog.refusal(), QStringLiteral("Please enter a number or a constant formula."));
        dialog.fromField()->setText(QStringLiteral("-1"));
        dialog.folderField()->setText(QStringLiteral("  "));
        EXPECT_EQ(dialog.refusal(), QStringLiteral("Please choose a folder for the frames."));

        AnimationFramesDialog none(ParameterTable {}, QStringLiteral("/tmp"));
        EXPECT_FALSE(none.refusal().isEmpty());
    }

    // One PNG a value, in a folder made for them, the last the plot at the end value as Save As
    // Picture draws it; the parameter is back afterwards and nothing is left to save or undo.
    TEST(MainFrame, AnimationFramesAreSavedAndTheParameterIsPutBack)
    {
        const QTemporaryDir dir;
        Window window;
        addWave(window);
        const QString folder = dir.filePath(QStringLiteral("frames"));
        window.ui.animationFrames = AnimationFramesRequest { { 'k', 1, 2, 0.5 }, folder };
        window.frame.saveAnimationFrames();
        EXPECT_TRUE(window.ui.messages.empty());
        const QStringList written = QDir(folder).entryList(QDir::Files, QDir::Name);
        EXPECT_EQ(written,
            (QStringList { QStringLiteral("frame-0001.png"),
                QStringLiteral("frame-0002.png"),
                QStringLiteral("frame-0003.png") }));
        EXPECT_EQ(window.document.parameterTable.find('k')->value, 1);
        EXPECT_FALSE(window.document.isModified());
        EXPECT_FALSE(window.document.canUndo());

        const auto bytesOf = [&](const QString& name) {
            QFile file(QDir(folder).filePath(name));
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        };
        EXPECT_NE(bytesOf(written.value(0)), bytesOf(written.value(1)));
        // Save As Picture with k at 2 gives the last frame.
        moveParameter(window.document, 'k', 2);
        window.frame.savePicture(); // cancelled; learns the size proposed
        const QSize plot = window.ui.proposedPicture;
        window.ui.picture = PictureRequest { plot.width(), plot.height(), false };
        window.ui.fileName = QDir(folder).filePath(QStringLiteral("k2.png"));
        window.ui.pictureFilter = kPngFilter;
        window.frame.savePicture();
        EXPECT_EQ(bytesOf(QStringLiteral("k2.png")), bytesOf(written.value(2)));
    }

    TEST(MainFrame, AnimationFramesNeedAParameterAndAFolderThatCanBeMade)
    {
        const QTemporaryDir dir;
        Window window;
        window.addGraph("sin(x)");
        window.ui.animationFrames
            = AnimationFramesRequest { { 'k', 1, 2, 0.5 }, dir.filePath(QStringLiteral("f")) };
        window.frame.saveAnimationFrames();
        EXPECT_EQ(window.ui.messages,
            std::vector<std::string> { "The document has no parameters to animate." });
        EXPECT_FALSE(QDir(dir.filePath(QStringLiteral("f"))).exists());

        Window blocked;
        addWave(blocked);
        QFile taken(dir.filePath(QStringLiteral("taken")));
        ASSERT_TRUE(taken.open(QIODevice::WriteOnly));
        blocked.ui.animationFrames
            = AnimationFramesRequest { { 'k', 1, 2, 0.5 }, taken.fileName() };
        blocked.frame.saveAnimationFrames();
        EXPECT_EQ(
            blocked.ui.messages, std::vector<std::string> { "An error has occured while saving." });
        EXPECT_EQ(blocked.document.parameterTable.find('k')->value, 1);
    }

} // namespace
} // namespace ovilan
