#include "sim/story/date_picture.h"

#include <gtest/gtest.h>

namespace k72645::sim {
namespace {

// 2024-02-05 (a Monday) at 14:07:09.
constexpr double kMonday = 45327.0 + (14 * 3600 + 7 * 60 + 9) / 86400.0;

TEST(DatePicture, DayMonthYearFormsWithFrenchNames) {
    EXPECT_EQ(formatDatePicture(kMonday, u"dd/MM/yyyy"), u"05/02/2024");
    EXPECT_EQ(formatDatePicture(kMonday, u"d M yy"), u"5 2 24");
    EXPECT_EQ(formatDatePicture(kMonday, u"dddd d MMMM yyyy"), u"lundi 5 f\u00E9vrier 2024");
    EXPECT_EQ(formatDatePicture(kMonday, u"ddd d MMM"), u"lun. 5 f\u00E9vr.");
    EXPECT_EQ(formatDatePicture(kMonday, u"DD/MM/YYYY"), u"05/02/2024");
    EXPECT_EQ(formatDatePicture(45291.0, u"dddd d MMMM yyyy"), u"dimanche 31 d\u00E9cembre 2023");
    EXPECT_EQ(formatDatePicture(60.0, u"d MMMM yyyy"), u"28 f\u00E9vrier 1900");
    EXPECT_EQ(formatDatePicture(61.0, u"d MMMM yyyy"), u"1 mars 1900");
}

TEST(DatePicture, TimeFormsAndLiterals) {
    EXPECT_EQ(formatDatePicture(kMonday, u"HH:mm:ss"), u"14:07:09");
    EXPECT_EQ(formatDatePicture(kMonday, u"h:mm AM/PM"), u"2:07 PM");
    EXPECT_EQ(formatDatePicture(kMonday, u"hh'h'mm am/pm"), u"02h07 pm");
    EXPECT_EQ(formatDatePicture(45327.0, u"H:m h AM/PM"), u"0:0 12 AM");
    EXPECT_EQ(formatDatePicture(kMonday, u"'le' d 'du mois'"), u"le 5 du mois");
    EXPECT_EQ(formatDatePicture(kMonday, u"'sans fin"), u"sans fin");
    EXPECT_EQ(formatDatePicture(kMonday, u""), u"");
}

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
