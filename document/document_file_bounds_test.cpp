#include "document/document_file.h"
#include "document/document_file_hostile.h"
#include "expr/formula_check.h"
#include "graph/function_graph.h"
#include "graph/table_graph.h"

#include <gtest/gtest.h>

namespace ovilan {
namespace {

    bool loads(const std::vector<std::uint8_t>& bytes)
    {
        const AppPreferences preferences;
        COvilanDoc document(preferences);
        return loadDocument(document, bytes);
    }

    TEST(DocumentFileBounds, FilesAskingForTooMuchAreRefused)
    {
        using namespace hostile;
        FunctionEntry longFormula;
        longFormula.formula = "x";
        while (longFormula.formula.size() <= kMaxFormulaLength)
            longFormula.formula += "+x";
        const std::pair<const char*, std::vector<std::uint8_t>> cases[] = {
            { "17000 graphs of 20000 steps", manyGraphs() },
            { "1800 graphs of 256-deep power chains", powerChains() },
            { "a formula longer than any typed one", repeatedFunctions(longFormula, 30000) },
            { "a marker caption drawn at 2000 points", tableWithLongMarkerCaption(50000) },
            { "an axis label suffix of 1 MB", longLabelSuffix(kMegabyte) },
            { "a label caption of 1 MB", longLabelCaption(kMegabyte) },
            { "a legend text of 1000 characters", longLegendTexts(1000, 10000) },
        };
        for (const auto& [name, bytes] : cases)
            EXPECT_FALSE(loads(bytes)) << name;
    }

    TEST(DocumentFileBounds, FormulaChecksOfAFileShareOneAllowance)
    {
        // Each formula alone checks quickly; 400 of them nest 250 deep and together need more
        // check work than any file of typed formulas.
        hostile::FunctionEntry chain;
        chain.steps = 1;
        chain.formula = "x";
        for (int i = 0; i < 250; ++i)
            chain.formula += "+(x";
        chain.formula += std::string(250, ')');
        std::string text = chain.formula;
        EXPECT_EQ(checkFormula(text, "x"), kFormulaOk);
        EXPECT_FALSE(loads(hostile::repeatedFunctions(chain, 1000 + 400 * 1070)));
    }

    TEST(DocumentFileBounds, DocumentsPeopleMakeLoad)
    {
        EXPECT_TRUE(loads(hostile::typicalGraphs(600)));
        EXPECT_TRUE(loads(hostile::fullTables(20)));
        EXPECT_TRUE(loads(hostile::tableWithLongMarkerCaption(kMaxCaptionLength)));
        EXPECT_TRUE(loads(hostile::longLegendTexts(kMaxCaptionLength, 100000)));
    }

    TEST(DocumentFileBounds, MemoryFollowsWhatAGraphHolds)
    {
        const AppPreferences preferences;
        COvilanDoc document(preferences);
        ASSERT_TRUE(loadDocument(document, hostile::manyEmptyTables()));
        ASSERT_GT(document.graphCount(), 6000);
        const auto& table = static_cast<const CTableGraph&>(document.graph(0));
        EXPECT_EQ(table.cellX.storedCells() + table.cellY.storedCells(), 0u);
        EXPECT_EQ(table.xs.capacity(), 0u);

        hostile::FunctionEntry fewSteps;
        fewSteps.steps = 100;
        ASSERT_TRUE(loadDocument(document, hostile::repeatedFunctions(fewSteps, 2000)));
        EXPECT_EQ(document.graph(0).xs.size(), 101u);
        EXPECT_EQ(document.graph(0).penUp.size(), 101u);
    }

    TEST(DocumentFileBounds, BytesAfterTheGeneralRecordAreIgnored)
    {
        // Later versions store their additions after the general record; this one still opens
        // such a file and writes back what it knows.
        const AppPreferences preferences;
        COvilanDoc document(preferences);
        ASSERT_TRUE(loadDocument(document, hostile::fullTables(1)));
        const std::vector<std::uint8_t> known = writeDocument(document);
        std::vector<std::uint8_t> extended = known;
        for (int i = 0; i < 300; ++i)
            extended.push_back(static_cast<std::uint8_t>(i * 7));
        ASSERT_TRUE(loadDocument(document, extended));
        EXPECT_EQ(writeDocument(document), known);
    }

} // namespace
} // namespace ovilan
