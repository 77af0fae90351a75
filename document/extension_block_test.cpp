#include "document/document_file.h"
#include "document/document_test_support.h"
#include "document/extension_block.h"
#include "document/parameter_graphs.h"
#include "expr/formula_check.h"
#include "graph/function_graph.h"
#include "graph/table_graph.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace ovilan {
namespace {

    using Bytes = std::vector<std::uint8_t>;
    using testing::yOfX;

    FormulaParameter parameter(char name, double value)
    {
        FormulaParameter p;
        p.name = name;
        p.value = value;
        return p;
    }

    // "sin(k*x)" with k = 2 as older versions read it, "x/k" with k = 0 kept only in the block,
    // and a parametric graph whose y(t) alone uses a parameter.
    void fillWithParameters(COvilanDoc& document)
    {
        document.parameterTable.parameters
            = { parameter('k', 2), parameter('z', 0), parameter('j', -1) };
        document.parameterTable.parameters[2].animation = ParameterAnimation::BackAndForth;
        document.parameterTable.parameters[2].speed = 2.5;

        const std::vector<ParameterValue> values = parameterValues(document.parameterTable);
        long long work = kMaxCheckWork;
        const auto typed =
            [&](std::unique_ptr<CFunctionGraph> graph, const char* first, const char* second) {
                EXPECT_EQ(graph->setParameterFormula(first, 0, values, work), kFormulaOk) << first;
                if (second != nullptr) {
                    EXPECT_EQ(graph->setParameterFormula(second, 1, values, work), kFormulaOk);
                }
                document.graphs.push_back(std::move(graph));
            };
        typed(std::make_unique<CYofXGraph>(document), "sin(k*x)", nullptr);
        auto pole = std::make_unique<CYofXGraph>(document);
        pole->legendText = "pole";
        typed(std::move(pole), "x/z", nullptr);
        document.graphs.push_back(yOfX(document, "x^2"));
        typed(std::make_unique<CParametricGraph>(document), "cos(t)", "j*sin(t)");
        typed(std::make_unique<CParametricGraph>(document), "t", "1/(z*t)");
        for (auto& graph : document.graphs)
            graph->computePoints();
    }

    const CFunctionGraph& functionAt(COvilanDoc& document, std::int32_t index)
    {
        return dynamic_cast<const CFunctionGraph&>(document.graph(index));
    }

    // The block's start in a written document: where its signature begins.
    std::size_t blockStart(const Bytes& bytes)
    {
        const auto found = std::search(
            bytes.begin(), bytes.end(), kExtensionSignature.begin(), kExtensionSignature.end());
        return static_cast<std::size_t>(found - bytes.begin());
    }

    Bytes classicPart(const Bytes& bytes)
    {
        return Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(blockStart(bytes)));
    }

    TEST(ExtensionBlock, ParametersAndBlockGraphsComeBackInPlaceAndWriteTheSameBytes)
    {
        const AppPreferences preferences;
        COvilanDoc document(preferences);
        fillWithParameters(document);
        const Bytes bytes = writeDocument(document);

        COvilanDoc reread(preferences);
        ASSERT_TRUE(loadDocument(reread, bytes));
        EXPECT_EQ(writeDocument(reread), bytes);
        EXPECT_EQ(reread.parameterTable, document.parameterTable);
        ASSERT_EQ(reread.graphCount(), 5);
        EXPECT_EQ(reread.currentGraph, 4);
        for (std::int32_t i = 0; i < 5; ++i) {
            const CFunctionGraph& expected = functionAt(document, i);
            const CFunctionGraph& actual = functionAt(reread, i);
            EXPECT_EQ(actual.kind, expected.kind) << i;
            EXPECT_EQ(actual.formula, expected.formula) << i;
            EXPECT_EQ(actual.formula2, expected.formula2) << i;
            EXPECT_EQ(actual.parameterFormula, expected.parameterFormula) << i;
            EXPECT_EQ(actual.parameterFormula2, expected.parameterFormula2) << i;
            EXPECT_EQ(actual.legendText, expected.legendText) << i;
        }
        EXPECT_FALSE(reread.graph(1).olderVersionsCanRead());
        EXPECT_FALSE(reread.isModified());
    }

    TEST(ExtensionBlock, WithoutTheBlockTheFileIsTheClassicDocumentOfCurrentValues)
    {
        const AppPreferences preferences;
        COvilanDoc document(preferences);
        fillWithParameters(document);
        const Bytes classic = classicPart(writeDocument(document));

        // What an older version reads: the graphs it can hold, with the parameters' values.
        COvilanDoc older(preferences);
        ASSERT_TRUE(loadDocument(older, classic));
        EXPECT_TRUE(older.parameterTable.empty());
        ASSERT_EQ(older.graphCount(), 3);
        EXPECT_EQ(functionAt(older, 0).formula, "sin(2*x)");
        EXPECT_EQ(functionAt(older, 1).formula, "x^2");
        EXPECT_EQ(functionAt(older, 2).formula2, "(-1)*sin(t)");
        EXPECT_TRUE(functionAt(older, 0).parameterFormula.empty());
        EXPECT_EQ(writeDocument(older), classic);
    }

    TEST(ExtensionBlock, DocumentsWithoutParametersHaveNoBlock)
    {
        const AppPreferences preferences;
        COvilanDoc document(preferences);
        document.graphs.push_back(yOfX(document, "x"));
        document.graphs.push_back(std::make_unique<CTableGraph>(document));
        EXPECT_FALSE(needsExtensionBlock(document));
        const Bytes bytes = writeDocument(document);
        EXPECT_EQ(blockStart(bytes), bytes.size());
    }

    std::vector<std::filesystem::path> storedDocuments()
    {
        std::vector<std::filesystem::path> files;
        for (const char* folder : { OVILAN_EXAMPLES, OVILAN_DOCUMENT_CORPUS })
            for (const auto& entry : std::filesystem::directory_iterator(folder))
                if (entry.path().extension() == ".ovd")
                    files.push_back(entry.path());
        return files;
    }

    TEST(ExtensionBlock, EveryStoredDocumentResavesByteForByte)
    {
        const auto files = storedDocuments();
        ASSERT_FALSE(files.empty());
        for (const auto& file : files) {
            std::ifstream in(file, std::ios::binary);
            const Bytes bytes { std::istreambuf_iterator<char>(in), {} };
            const AppPreferences preferences;
            COvilanDoc document(preferences);
            ASSERT_TRUE(loadDocument(document, bytes)) << file;
            EXPECT_EQ(writeDocument(document), bytes) << file;
        }
    }

    // Blocks built by hand after the classic part of a document of a Y(x) graph and a table.

    Bytes classicOfGraphAndTable()
    {
        const AppPreferences preferences;
        COvilanDoc document(preferences);
        document.graphs.push_back(yOfX(document, "x"));
        auto table = std::make_unique<CTableGraph>(document);
        table->cellX[0] = "1";
        table->cellY[0] = "2";
        table->cellX[1] = "3";
        table->cellY[1] = "4";
        table->computePoints();
        document.graphs.push_back(std::move(table));
        return writeDocument(document);
    }

    struct Chunk {
        const char* tag;
        Bytes payload;
        std::optional<std::int32_t> length = std::nullopt; // the payload's size unless set
    };

    Bytes block(const std::vector<Chunk>& chunks, std::int32_t version = kExtensionVersion)
    {
        ArchiveWriter out;
        out.writeBytes(kExtensionSignature);
        out.writeInt32(version);
        for (const Chunk& chunk : chunks) {
            for (int i = 0; i < 4; ++i)
                out.writeByte(static_cast<std::uint8_t>(chunk.tag[i]));
            out.writeInt32(chunk.length.value_or(static_cast<std::int32_t>(chunk.payload.size())));
            out.writeBytes(chunk.payload);
        }
        return out.takeBytes();
    }

    Bytes withBlock(const Bytes& block)
    {
        Bytes bytes = classicOfGraphAndTable();
        bytes.insert(bytes.end(), block.begin(), block.end());
        return bytes;
    }

    Bytes tablePayload(const std::vector<FormulaParameter>& parameters)
    {
        ArchiveWriter out;
        writeParameterTable(out, ParameterTable { parameters });
        return out.takeBytes();
    }

    Bytes formulasPayload(std::int32_t index, const char* first, const char* second)
    {
        ArchiveWriter out;
        out.writeInt32(1);
        out.writeInt32(index);
        out.writeString(first);
        out.writeString(second);
        return out.takeBytes();
    }

    // One Y(x) graph kept in the block at `index`, its classic formula empty.
    Bytes graphPayload(std::int32_t index, std::int32_t kind, const char* parameterFormula)
    {
        const PlotSettings settings;
        CYofXGraph graph(settings);
        graph.parameterFormula = parameterFormula;
        ArchiveWriter entry;
        entry.writeInt32(kind);
        graph.storeExtended(entry);
        ArchiveWriter out;
        out.writeInt32(1);
        out.writeInt32(index);
        out.writeInt32(static_cast<std::int32_t>(entry.bytes().size()));
        out.writeBytes(entry.bytes());
        return out.takeBytes();
    }

    const Chunk kEnd { "END ", {} };

    TEST(ExtensionBlock, UnknownChunksAndGraphKindsOfLaterVersionsAreSkipped)
    {
        const AppPreferences preferences;
        COvilanDoc document(preferences);
        const Bytes later = withBlock(block({ { "IREL", { 1, 2, 3, 4, 5 } },
            { "PARM", tablePayload({ parameter('m', 3) }) },
            { "IREL", {} },
            { "GRPH", graphPayload(1, 9, "") },
            kEnd }));
        ASSERT_TRUE(loadDocument(document, later));
        ASSERT_NE(document.parameterTable.find('m'), nullptr);
        EXPECT_EQ(document.parameterTable.find('m')->value, 3);
        EXPECT_EQ(document.graphCount(), 2);

        // A graph after a skipped one moves up into its place.
        ArchiveWriter graphs;
        const Bytes unknown = graphPayload(0, 9, "");
        const Bytes known = graphPayload(2, 0, "x/k");
        graphs.writeInt32(2);
        graphs.writeBytes(std::span(unknown).subspan(4));
        graphs.writeBytes(std::span(known).subspan(4));
        ASSERT_TRUE(
            loadDocument(document, withBlock(block({ { "GRPH", graphs.takeBytes() }, kEnd }))));
        ASSERT_EQ(document.graphCount(), 3);
        EXPECT_EQ(functionAt(document, 1).parameterFormula, "x/k");
        EXPECT_EQ(document.currentGraph, 2);
    }

    TEST(ExtensionBlock, BytesAfterTheGeneralRecordThatAreNotTheSignatureAreIgnored)
    {
        const Bytes classic = classicOfGraphAndTable();
        const AppPreferences preferences;
        for (const Bytes& tail :
            { Bytes { 0x89, 'O', 'V' }, Bytes { 0x89, 'O', 'V', 'Y', 13, 10, 26, 10, 1 } }) {
            Bytes bytes = classic;
            bytes.insert(bytes.end(), tail.begin(), tail.end());
            COvilanDoc document(preferences);
            ASSERT_TRUE(loadDocument(document, bytes));
            EXPECT_EQ(writeDocument(document), classic);
        }
    }

    struct DamagedBlock {
        const char* name;
        Bytes block;
    };

    FormulaParameter with(FormulaParameter p, double FormulaParameter::*field, double value)
    {
        p.*field = value;
        return p;
    }

    std::vector<DamagedBlock> damagedBlocks()
    {
        const FormulaParameter k = parameter('k', 1);
        const Bytes table = tablePayload({ k });
        const Bytes full = block({ { "PARM", table }, kEnd });
        Bytes trailing = full;
        trailing.push_back(0);
        ArchiveWriter hugeCount;
        hugeCount.writeInt32(std::numeric_limits<std::int32_t>::max());
        const Bytes huge = hugeCount.takeBytes();
        const double nan = std::numeric_limits<double>::quiet_NaN();
        Bytes longerThanRecords = table;
        longerThanRecords.push_back(0);
        Bytes graphEntryTooLong = graphPayload(0, 0, "x/k");
        graphEntryTooLong[8] += 1;
        return {
            { "signature alone", Bytes(kExtensionSignature.begin(), kExtensionSignature.end()) },
            { "unknown version", block({ kEnd }, 2) },
            { "no end chunk", block({ { "PARM", table } }) },
            { "cut inside a chunk", Bytes(full.begin(), full.end() - 12) },
            { "cut inside a tag", Bytes(full.begin(), full.end() - 6) },
            { "garbage after the end chunk", trailing },
            { "length beyond the end", block({ { "PARM", table, 1'000'000 } }) },
            { "negative length", block({ { "ZZZZ", {}, -1 }, kEnd }) },
            { "end chunk with a payload", block({ { "END ", { 0 } } }) },
            { "repeated chunk", block({ { "PARM", table }, { "PARM", table }, kEnd }) },
            { "payload longer than its records", block({ { "PARM", longerThanRecords }, kEnd }) },
            { "huge parameter count", block({ { "PARM", huge }, kEnd }) },
            { "seven parameters",
                block({ { "PARM", tablePayload({ k, k, k, k, k, k, k }) }, kEnd }) },
            { "huge formula count", block({ { "PFRM", huge }, kEnd }) },
            { "huge graph count", block({ { "GRPH", huge }, kEnd }) },
            { "graph entry longer than its chunk", block({ { "GRPH", graphEntryTooLong }, kEnd }) },
            { "NaN value",
                block({ { "PARM", tablePayload({ with(k, &FormulaParameter::value, nan) }) },
                    kEnd }) },
            { "minimum above maximum",
                block({ { "PARM", tablePayload({ with(k, &FormulaParameter::minimum, 11) }) },
                    kEnd }) },
            { "step 0",
                block(
                    { { "PARM", tablePayload({ with(k, &FormulaParameter::step, 0) }) }, kEnd }) },
            { "value outside the range",
                block({ { "PARM", tablePayload({ with(k, &FormulaParameter::value, 10.5) }) },
                    kEnd }) },
            { "unknown letter", block({ { "PARM", tablePayload({ parameter('x', 1) }) }, kEnd }) },
            { "letter twice", block({ { "PARM", tablePayload({ k, k }) }, kEnd }) },
            { "formulas of a graph beyond the list",
                block({ { "PFRM", formulasPayload(2, "k*x", "") }, kEnd }) },
            { "formulas of a table", block({ { "PFRM", formulasPayload(1, "k", "") }, kEnd }) },
            { "no formulas at all", block({ { "PFRM", formulasPayload(0, "", "") }, kEnd }) },
            { "second formula of a Y(x) graph",
                block({ { "PFRM", formulasPayload(0, "", "k") }, kEnd }) },
            { "block graph without any formula",
                block({ { "GRPH", graphPayload(0, 0, "") }, kEnd }) },
            { "formula refused for any values",
                block({ { "PFRM", formulasPayload(0, "k*(x", "") }, kEnd }) },
            { "block graph refused for any values",
                block({ { "GRPH", graphPayload(0, 0, "x/+k") }, kEnd }) },
            { "block graph beyond the list",
                block({ { "GRPH", graphPayload(3, 0, "x/k") }, kEnd }) },
        };
    }

    // The formulas are made again from the table: the classic formula a file carries is the
    // values' own, and a letter the table lacks leaves its graph empty, the rest of the file read.
    TEST(ExtensionBlock, ClassicFormulasFollowTheTableTheyAreReadWith)
    {
        const AppPreferences preferences;
        COvilanDoc withValue(preferences);
        ASSERT_TRUE(loadDocument(withValue,
            withBlock(block({ { "PARM", tablePayload({ parameter('k', 4) }) },
                { "GRPH", graphPayload(1, 0, "x/k") },
                kEnd }))));
        ASSERT_EQ(withValue.graphCount(), 3);
        EXPECT_EQ(functionAt(withValue, 1).formula, "x/4");
        EXPECT_TRUE(withValue.graph(1).olderVersionsCanRead());

        COvilanDoc without(preferences);
        ASSERT_TRUE(loadDocument(without,
            withBlock(block({ { "PARM", tablePayload({ parameter('k', 4) }) },
                { "GRPH", graphPayload(1, 0, "x/m") },
                kEnd }))));
        ASSERT_EQ(without.graphCount(), 3);
        EXPECT_EQ(functionAt(without, 1).formula, "");
        EXPECT_EQ(functionAt(without, 1).parameterFormula, "x/m");
    }

    TEST(ExtensionBlock, DamagedBlocksAreRefusedAsAnyDamagedFile)
    {
        const AppPreferences preferences;
        // The sound blocks the damaged ones are made from.
        const FormulaParameter k = parameter('k', 1);
        for (const Bytes& sound : { block({ { "PARM", tablePayload({ k }) }, kEnd }),
                 block({ { "PFRM", formulasPayload(0, "k*x", "") }, kEnd }),
                 block({ { "GRPH", graphPayload(2, 0, "x/k") }, kEnd }) }) {
            COvilanDoc document(preferences);
            EXPECT_TRUE(loadDocument(document, withBlock(sound)));
        }
        for (const DamagedBlock& damaged : damagedBlocks()) {
            COvilanDoc document(preferences);
            EXPECT_FALSE(loadDocument(document, withBlock(damaged.block))) << damaged.name;
            EXPECT_EQ(document.graphCount(), 0) << damaged.name;
            EXPECT_TRUE(document.parameterTable.empty()) << damaged.name;
        }
    }

    TEST(Parameters, EachFaultHasItsRefusal)
    {
        const FormulaParameter k = parameter('k', 1);
        auto speed = [&](double value) { return with(k, &FormulaParameter::speed, value); };
        FormulaParameter unknownAnimation = k;
        unknownAnimation.animation = static_cast<ParameterAnimation>(2);
        const struct {
            const char* name;
            FormulaParameter parameter;
            ParameterError expected;
        } cases[] = {
            { "defaults", FormulaParameter(), ParameterError::None },
            { "a single position",
                with(with(k, &FormulaParameter::minimum, 1), &FormulaParameter::maximum, 1),
                ParameterError::None },
            { "a variable's letter", parameter('x', 1), ParameterError::UnknownName },
            { "a capital", parameter('K', 1), ParameterError::UnknownName },
            { "no letter", parameter('\0', 1), ParameterError::UnknownName },
            { "infinite maximum",
                with(k, &FormulaParameter::maximum, INFINITY),
                ParameterError::NotFinite },
            { "minimum above maximum",
                with(k, &FormulaParameter::minimum, 20),
                ParameterError::MinimumAboveMaximum },
            { "negative step",
                with(k, &FormulaParameter::step, -0.5),
                ParameterError::StepNotPositive },
            { "value below the range",
                with(k, &FormulaParameter::value, -11),
                ParameterError::ValueOutsideRange },
            { "speed 0", speed(0), ParameterError::SpeedOutOfRange },
            { "speed beyond the limit",
                speed(kMaxAnimationSpeed * 2),
                ParameterError::SpeedOutOfRange },
            { "unknown animation", unknownAnimation, ParameterError::UnknownAnimation },
        };
        for (const auto& row : cases) {
            EXPECT_EQ(checkParameter(row.parameter), row.expected) << row.name;
            EXPECT_EQ(
                parameterErrorText(row.expected).empty(), row.expected == ParameterError::None)
                << row.name;
        }
        const ParameterTable table { { k } };
        EXPECT_EQ(checkNewParameterName(table, 'k'), ParameterError::DuplicateName);
        EXPECT_EQ(checkNewParameterName(table, 'z'), ParameterError::None);
        EXPECT_EQ(checkParameterTable(ParameterTable { { k, parameter('z', 0), k } }),
            ParameterError::DuplicateName);
    }

} // namespace
} // namespace ovilan
