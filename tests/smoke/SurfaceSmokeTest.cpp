#include "support/RecordingSurface.h"

#include <gtest/gtest.h>

using namespace plots;

TEST(Surface, UserScaleWithNegativeHeightGrowsUpward)
{
    RecordingSurface s(200, 100);
    s.SetUserScale(0, 10, 10, -10);
    s.Line(0, 0, 10, 10, Red);
    ASSERT_EQ(s.Lines().size(), 1u);
    EXPECT_DOUBLE_EQ(s.Lines()[0].P1.y(), 100.0);
    EXPECT_DOUBLE_EQ(s.Lines()[0].P2.y(), 0.0);
    EXPECT_DOUBLE_EQ(s.Lines()[0].P2.x(), 200.0);
}
