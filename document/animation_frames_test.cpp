#include "document/animation_frames.h"
#include "document/document_test_support.h"
#include "document/parameter_graphs.h"
#include "expr/formula_check.h"
#include "graph/function_graph.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <vector>

namespace ovilan {
namespace {

    ParameterTable tableOfK()
    {
        FormulaParameter k;
        k.value = 1;
        return ParameterTable { { k } };
    }

    std::vector<double> valuesOf(const FrameRange& range)
    {
        std::vector<double> values;
        for (std::size_t i = 0; i < frameCount(range); ++i)
            values.push_back(frameValue(range, i));
        return values;
    }

    // Each value is counted from the start, so a hundred steps of 0.1 end on 10 and not on the
    // sum's 9.99999999999998; an end a rounding short of a whole step still gets its frame.
    TEST(AnimationFrames, ValuesRunFromStartToEndWithoutBuildingUpRounding)
    {
        const FrameRange tenths { 'k', 0, 10, 0.1 };
        ASSERT_EQ(frameCount(tenths), 101u);
        EXPECT_EQ(frameValue(tenths, 37), 37 * 0.1);
        EXPECT_EQ(frameValue(tenths, 100), 10.0);
        EXPECT_EQ(valuesOf({ 'k', 0, 0.3, 0.1 }), (std::vector<double> { 0, 0.1, 0.2, 0.3 }));
        EXPECT_EQ(valuesOf({ 'k', 1, 2.9, 1 }), (std::vector<double> { 1, 2 }));
        EXPECT_EQ(valuesOf({ 'k', -2, -2, 0.5 }), std::vector<double> { -2 });
    }

    TEST(AnimationFrames, RangesAreReadWithConstantFormulasAndRefusedWithAReason)
    {
        const ParameterTable table = tableOfK();
        const FrameRangeReading read = readFrameRange(table, "k=-pi:pi:pi/4");
        ASSERT_TRUE(read.range) << read.refusal;
        EXPECT_EQ(read.range->name, 'k');
        EXPECT_NEAR(read.range->from, -3.14159265358979, 1e-9);
        EXPECT_EQ(frameCount(*read.range), 9u);
        // Values beyond the slider's minimum and maximum are the user's to choose.
        EXPECT_TRUE(readFrameRange(table, "k=-100:100:50").range);

        const std::pair<const char*, const char*> refused[] = {
            { "m=0:1:0.1", "The document has no parameter m." },
            { "x=0:1:0.1", "The document has no parameter x." },
            { "k=0:1:0", "The step must be greater than 0." },
            { "k=0:1:-0.1", "The step must be greater than 0." },
            { "k=2:1:0.1", "The first value must not be greater than the last one." },
            { "k=0:1:1e-5", "An animation may have at most 10000 frames; choose a larger step." },
            { "k=0:1:abc", "\"abc\" is not a number." },
            { "k=0:1/0:1", "\"1/0\" is not a number." },
            { "k=0:1", "An animation is written as k=FROM:TO:STEP." },
            { "k0:1:2", "An animation is written as k=FROM:TO:STEP." },
            { "kk=0:1:2", "An animation is written as k=FROM:TO:STEP." },
        };
        for (const auto& [text, message] : refused) {
            const FrameRangeReading reading = readFrameRange(table, text);
            EXPECT_FALSE(reading.range) << text;
            EXPECT_EQ(reading.refusal, message) << text;
        }
        // Exactly the limit is allowed.
        EXPECT_TRUE(readFrameRange(table, "k=1:10000:1").range);
        const double huge = std::numeric_limits<double>::max();
        EXPECT_FALSE(frameRangeRefusal(table, { 'k', -huge, huge, 1 }).empty());
        EXPECT_FALSE(frameRangeRefusal(table, { 'k', 0, 1, std::nan("") }).empty());
    }

    TEST(AnimationFrames, FileNamesAreNumberedFromOneAndSortInOrder)
    {
        EXPECT_EQ(frameFileName(0, 3), "frame-0001.png");
        EXPECT_EQ(frameFileName(9999, 10000), "frame-10000.png");
        EXPECT_EQ(frameFileName(41, 10000), "frame-00042.png");
    }

    // Each frame sees its value in the graphs; afterwards the value is back and nothing asks to
    // be saved or undone.
    TEST(AnimationFrames, DrawingMovesTheParameterAndPutsItBack)
    {
        const AppPreferences preferences;
        COvilanDoc document(preferences);
        document.parameterTable = tableOfK();
        auto wave = std::make_unique<CYofXGraph>(document);
        long long work = kMaxCheckWork;
        ASSERT_EQ(wave->setParameterFormula(
                      "sin(k*x)", 0, parameterValues(document.parameterTable), work),
            kFormulaOk);
        auto& graph = *wave;
        document.graphs.push_back(std::move(wave));

        std::vector<std::string> formulas;
        const std::size_t drawn = drawFrames(document, { 'k', 2, 4, 1 }, [&](std::size_t) {
            formulas.push_back(graph.formula);
            return true;
        });
        EXPECT_EQ(drawn, 3u);
        EXPECT_EQ(formulas, (std::vector<std::string> { "sin(2*x)", "sin(3*x)", "sin(4*x)" }));
        EXPECT_EQ(document.parameterTable.find('k')->value, 1);
        EXPECT_EQ(graph.formula, "sin(1*x)");
        EXPECT_FALSE(document.isModified());
        EXPECT_FALSE(document.canUndo());

        // A stop after the second frame still puts the value back.
        const std::size_t stopped
            = drawFrames(document, { 'k', 2, 4, 1 }, [](std::size_t index) { return index < 1; });
        EXPECT_EQ(stopped, 1u);
        EXPECT_EQ(document.parameterTable.find('k')->value, 1);
    }

} // namespace
} // namespace ovilan
