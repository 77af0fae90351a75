#include "document/curve_findings.h"
#include "document/document_test_support.h"
#include "graph/table_graph.h"

#include <gtest/gtest.h>

namespace ovilan {
namespace {

    // y = x, a table, y = 1 and y = 2: the line meets the last two at x = 1 and x = 2.
    struct CurveFindingsTest : ::testing::Test {
        CurveFindingsTest()
            : document(AppPreferences {})
        {
            document.insertGraph(testing::yOfX(document, "x"), 0);
            document.insertGraph(std::make_unique<CTableGraph>(document), 1);
            document.insertGraph(testing::yOfX(document, "1"), 2);
            document.insertGraph(testing::yOfX(document, "2"), 3);
            document.refreshGraphs();
        }

        COvilanDoc document;
    };

    TEST_F(CurveFindingsTest, IntersectionsNameTheOtherGraphByItsNumberInTheGraphList)
    {
        // The table between them has no curve, yet it keeps its place in the numbering.
        PointQuery query;
        query.roots = true;
        query.others = intersectableGraphs(document, 0);
        ASSERT_EQ(query.others, (std::vector<std::int32_t> { 2, 3 }));
        const FeatureSearch found = findPoints(document, 0, query, { -0.5, 3 }, {});
        ASSERT_EQ(found.features.size(), 3U);

        EXPECT_EQ(featureKindText(found.features[0]), "root");
        EXPECT_EQ(featureKindText(found.features[1]), "intersection with 3");
        EXPECT_EQ(featureKindText(found.features[2]), "intersection with 4");
        EXPECT_EQ(featureTableText("x", found.features),
            "kind\tx\ty\nroot\t0\t0\nintersection with 3\t1\t1\nintersection with 4\t2\t2\n");
        const std::vector<CaptionedPoint> labels = featureLabels("x", found.features);
        ASSERT_EQ(labels.size(), 3U);
        EXPECT_EQ(labels[0].caption, "root x=0; y=0");
        EXPECT_EQ(labels[2].caption, "intersection with 4 x=2; y=2");
    }

} // namespace
} // namespace ovilan
