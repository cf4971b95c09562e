#include "sim/story/date_picture.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

namespace k72645::sim {

namespace {

constexpr std::array<std::u16string_view, 12> kMonths = {
    u"janvier", u"f\u00E9vrier", u"mars",      u"avril",   u"mai",      u"juin",
    u"juillet", u"ao\u00FBt",    u"septembre", u"octobre", u"novembre", u"d\u00E9cembre"};
constexpr std::array<std::u16string_view, 12> kShortMonths = {
    u"janv.", u"f\u00E9vr.", u"mars",  u"avr.", u"mai",  u"juin",
    u"juil.", u"ao\u00FBt",  u"sept.", u"oct.", u"nov.", u"d\u00E9c."};
// From Sunday.
constexpr std::array<std::u16string_view, 7> kDays = {
    u"dimanche", u"lundi", u"mardi", u"mercredi", u"jeudi", u"vendredi", u"samedi"};
constexpr std::array<std::u16string_view, 7> kShortDays = {u"dim.", u"lun.", u"mar.", u"mer.",
                                                           u"jeu.", u"ven.", u"sam."};

struct DateTime {
    std::int64_t year;
    int month;    // 1..12
    int day;      // 1..31
    int weekday;  // 0 Sunday .. 6 Saturday
    int hour;
    int minute;
    int second;
};

// Days since 1970-01-01 to a civil date (proleptic Gregorian calendar).
void civilFromDays(std::int64_t z, DateTime& d) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    d.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    d.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    d.year = yoe + era * 400 + (d.month <= 2 ? 1 : 0);
}

DateTime fromOleDate(double ole) {
    // OLE dates run from 100-01-01 (-657434) to 9999-12-31 (2958465).
    if (!std::isfinite(ole) || ole < -657434.0 || ole >= 2958466.0)
        ole = 0;
    // Before 1899-12-30 the fraction still counts forwards from midnight: -1.25 is 1899-12-29
    // at 06:00.
    const double whole = std::trunc(ole);
    std::int64_t seconds = std::llround(std::fabs(ole - whole) * 86400.0);
    if (seconds >= 86400)
        seconds = 86399;
    DateTime d{};
    const std::int64_t days = static_cast<std::int64_t>(whole) - 25569;  // from 1970-01-01
    civilFromDays(days, d);
    d.weekday = static_cast<int>(((days % 7) + 7 + 4) % 7);  // 1970-01-01 was a Thursday
    d.hour = static_cast<int>(seconds / 3600);
    d.minute = static_cast<int>(seconds / 60 % 60);
    d.second = static_cast<int>(seconds % 60);
    return d;
}

void appendNumber(std::u16string& out, std::int64_t value, std::size_t minDigits) {
    std::u16string digits;
    do {
        digits.insert(digits.begin(), static_cast<char16_t>(u'0' + value % 10));
        value /= 10;
    } while (value > 0);
    while (digits.size() < minDigits)
        digits.insert(digits.begin(), u'0');
    out += digits;
}

// Day and year letters are read in either case; M (month) and m (minute), H (24 h) and h
// (12 h) differ by case.
char16_t pictureLetter(char16_t c) {
    if (c == u'D')
        return u'd';
    if (c == u'Y')
        return u'y';
    if (c == u'S')
        return u's';
    return c;
}

bool startsWithAmPm(std::u16string_view picture, std::size_t at) {
    static constexpr std::u16string_view kAmPm = u"am/pm";
    if (picture.size() - at < kAmPm.size())
        return false;
    for (std::size_t k = 0; k < kAmPm.size(); ++k) {
        char16_t c = picture[at + k];
        if (c >= u'A' && c <= u'Z')
            c = static_cast<char16_t>(c + 32);
        if (c != kAmPm[k])
            return false;
    }
    return true;
}

}  // namespace

std::u16string formatDatePicture(double oleDate, std::u16string_view picture) {
    const DateTime d = fromOleDate(oleDate);
    std::u16string out;
    std::size_t i = 0;
    while (i < picture.size()) {
        const char16_t c = picture[i];
        if (c == u'\'') {
            const std::size_t close = picture.find(u'\'', i + 1);
            const std::size_t stop = close == std::u16string_view::npos ? picture.size() : close;
            out += picture.substr(i + 1, stop - i - 1);
            i = stop + 1;
            continue;
        }
        if ((c == u'A' || c == u'a') && startsWithAmPm(picture, i)) {
            const bool pm = d.hour >= 12;
            out += c == u'A' ? (pm ? u"PM" : u"AM") : (pm ? u"pm" : u"am");
            i += 5;
            continue;
        }
        const char16_t letter = pictureLetter(c);
        std::size_t run = 1;
        while (i + run < picture.size() && pictureLetter(picture[i + run]) == letter)
            ++run;
        switch (letter) {
            case u'd':
                if (run >= 4)
                    out += kDays[d.weekday];
                else if (run == 3)
                    out += kShortDays[d.weekday];
                else
                    appendNumber(out, d.day, run);
                break;
            case u'M':
                if (run >= 4)
                    out += kMonths[d.month - 1];
                else if (run == 3)
                    out += kShortMonths[d.month - 1];
                else
                    appendNumber(out, d.month, run);
                break;
            case u'y':
                if (run >= 3)
                    appendNumber(out, d.year, 4);
                else
                    appendNumber(out, d.year % 100, 2);
                break;
            case u'H':
                appendNumber(out, d.hour, std::min<std::size_t>(run, 2));
                break;
            case u'h':
                appendNumber(out, (d.hour + 11) % 12 + 1, std::min<std::size_t>(run, 2));
                break;
            case u'm':
                appendNumber(out, d.minute, std::min<std::size_t>(run, 2));
                break;
            case u's':
                appendNumber(out, d.second, std::min<std::size_t>(run, 2));
                break;
            default:
                out.append(run, c);
                break;
        }
        i += run;
    }
    return out;
}

}  // namespace k72645::sim
