#include "sim/story/date_picture.h"

#include <gtest/gtest.h>

namespace k72645::sim {
namespace {

// 2024-02-05 (a Monday) at 14:07:09.
constexpr double kMonday = 45327.0 + (14 * 3600 + 7 * 60 + 9) / 86400.0;

TEST(DatePicture, DatesOutsideOleRangeAreTakenAsZero) {
    EXPECT_EQ(formatDatePicture(0, u"dd/MM/yyyy HH:mm"), u"30/12/1899 00:00");
    EXPECT_EQ(formatDatePicture(1e300, u"dd/MM/yyyy"), u"30/12/1899");
    EXPECT_EQ(formatDatePicture(std::numeric_limits<double>::quiet_NaN(), u"yyyy"), u"1899");
    // Before 1899-12-30 the fraction still counts from midnight.
    EXPECT_EQ(formatDatePicture(-1.25, u"dd/MM/yyyy HH:mm"), u"29/12/1899 06:00");
    EXPECT_EQ(formatDatePicture(2958465.99999999, u"dd/MM/yyyy HH:mm:ss"), u"31/12/9999 23:59:59");
    EXPECT_EQ(formatDatePicture(-657434.0, u"d/M/yyyy"), u"1/1/0100");
}

}  // namespace
}  // namespace k72645::sim
