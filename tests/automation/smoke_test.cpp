#include <gtest/gtest.h>

#include "automation/vb.h"

namespace k72645 {
TEST(VbConversion, IntegerRoundsHalfToEven) {
    EXPECT_EQ(vb::cInt(Variant(0.5)), 0);
    EXPECT_EQ(vb::cInt(Variant(1.5)), 2);
}
}  // namespace k72645
