#include "analysis/test_curves.h"
#include "analysis/value_table.h"

#include <cmath>

namespace ovilan {
namespace {

    TEST(ValueTable, RowsRunFromTheFirstValueToTheLast)
    {
        const auto curve = testing::yOfX("1/x", -1, 1, 10);
        const ValueTable up = makeValueTable(*curve, -1, 1, 0.1);
        ASSERT_EQ(up.status, ValueTableStatus::Ok);
        ASSERT_EQ(up.rows.size(), 21u);
        EXPECT_EQ(up.rows.back().t, 1);
        EXPECT_EQ(up.rows[10].t, 0);
        EXPECT_FALSE(up.rows[10].point.has_value());
        EXPECT_EQ(up.rows[20].point->y, 1);
        const ValueTable down = makeValueTable(*curve, 1, 0, -0.3);
        ASSERT_EQ(down.rows.size(), 4u);
        EXPECT_NEAR(down.rows.back().t, 0.1, 1e-15);
        EXPECT_EQ(makeValueTable(*curve, 2, 2, 0).rows.size(), 1u);
        EXPECT_EQ(makeValueTable(*curve, 0, 1999, 1).rows.size(), 2000u);
    }

    TEST(ValueTable, RefusesWhatCannotBeATable)
    {
        const auto curve = testing::yOfX("x", -1, 1, 10);
        EXPECT_EQ(makeValueTable(*curve, 0, 1, 0).status, ValueTableStatus::BadStep);
        EXPECT_EQ(makeValueTable(*curve, 0, 1, -0.1).status, ValueTableStatus::BadStep);
        EXPECT_EQ(makeValueTable(*curve, 0, 1, NAN).status, ValueTableStatus::BadStep);
        EXPECT_EQ(makeValueTable(*curve, 0, INFINITY, 1).status, ValueTableStatus::BadBounds);
        EXPECT_EQ(makeValueTable(*curve, 0, 2000, 1).status, ValueTableStatus::TooManyRows);
        EXPECT_EQ(makeValueTable(*curve, 0, 1, 1e-300).status, ValueTableStatus::TooManyRows);
        EXPECT_FALSE(valueTableMessage(ValueTableStatus::TooManyRows).empty());
    }

} // namespace
} // namespace ovilan
