#include "automation/vb.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "automation/com_error.h"
#include "automation/dispatch.h"
#include "automation/text.h"

namespace k72645::vb {

namespace {

constexpr std::int32_t kInvalidUseOfNull = 94;

ComError invalidUseOfNull() {
    return ComError(kInvalidUseOfNull, u"K72645", u"Invalid use of Null");
}

// Parses numeric text as VB does for conversions: blanks around, an optional sign, digits
// with an optional decimal point and exponent. Returns false when the text is no number.
bool parseNumber(std::u16string_view text, double& out) {
    std::string ascii;
    for (char16_t c : trim(text)) {
        if (c > 0x7F)
            return false;
        ascii += static_cast<char>(c);
    }
    if (ascii.empty())
        return false;
    std::size_t i = 0;
    if (ascii[i] == '+' || ascii[i] == '-')
        ++i;
    bool digits = false;
    while (i < ascii.size() && std::isdigit(static_cast<unsigned char>(ascii[i]))) {
        ++i;
        digits = true;
    }
    if (i < ascii.size() && ascii[i] == '.') {
        ++i;
        while (i < ascii.size() && std::isdigit(static_cast<unsigned char>(ascii[i]))) {
            ++i;
            digits = true;
        }
    }
    if (!digits)
        return false;
    if (i < ascii.size() && (ascii[i] == 'e' || ascii[i] == 'E')) {
        ++i;
        if (i < ascii.size() && (ascii[i] == '+' || ascii[i] == '-'))
            ++i;
        bool exp = false;
        while (i < ascii.size() && std::isdigit(static_cast<unsigned char>(ascii[i]))) {
            ++i;
            exp = true;
        }
        if (!exp)
            return false;
    }
    if (i != ascii.size())
        return false;
    out = std::strtod(ascii.c_str(), nullptr);
    return true;
}

double roundHalfEven(double value) {
    double r = std::nearbyint(value);  // the default rounding mode is to nearest, ties to even
    return r;
}

std::u16string ascii(const std::string& s) {
    return std::u16string(s.begin(), s.end());
}

std::u16string formatDouble(double value) {
    if (value == 0)
        return u"0";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15G", value);
    return ascii(buffer);
}

std::u16string formatDate(Date d) {
    // The whole part counts days from 1899-12-30 (towards the past when negative); the
    // fraction's absolute value is the time of day, even for negative serials.
    double dayPart = std::trunc(d.serial);
    long seconds = std::lround(std::fabs(d.serial - dayPart) * 86400.0);
    long dayNumber = static_cast<long>(dayPart);
    if (seconds >= 86400) {  // a time that rounds up to midnight belongs to the next day
        seconds -= 86400;
        ++dayNumber;
    }
    // Civil date from a day count: shift the origin to 0000-03-01 (1899-12-30 is day 693899).
    long days = dayNumber + 693899;
    long era = (days >= 0 ? days : days - 146096) / 146097;
    long doe = days - era * 146097;
    long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    long y = yoe + era * 400;
    long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    long mp = (5 * doy + 2) / 153;
    long day = doy - (153 * mp + 2) / 5 + 1;
    long month = mp < 10 ? mp + 3 : mp - 9;
    if (month <= 2)
        ++y;
    char buffer[160];
    if (seconds == 0) {
        std::snprintf(buffer, sizeof buffer, "%02ld/%02ld/%04ld", day, month, y);
    } else {
        std::snprintf(buffer, sizeof buffer, "%02ld/%02ld/%04ld %02ld:%02ld:%02ld", day, month, y,
                      seconds / 3600, (seconds / 60) % 60, seconds % 60);
    }
    return ascii(buffer);
}

}  // namespace

Variant valueOf(const Variant& value) {
    if (!value.isObject())
        return value;
    if (!value.object())
        throw errors::objectNotSet();
    Variant inner = get(value.object(), u"");
    return valueOf(inner);
}

double cDbl(const Variant& raw) {
    Variant value = valueOf(raw);
    switch (value.type()) {
        case Variant::Type::Empty:
            return 0;
        case Variant::Type::Null:
            throw invalidUseOfNull();
        case Variant::Type::Boolean:
            return value.boolean() ? -1 : 0;
        case Variant::Type::Integer:
            return value.integer();
        case Variant::Type::Long:
            return value.long32();
        case Variant::Type::Double:
            return value.dbl();
        case Variant::Type::Date:
            return value.date().serial;
        case Variant::Type::String: {
            const auto& s = value.string();
            if (equalsIgnoreCase(trim(s), u"True"))
                return -1;
            if (equalsIgnoreCase(trim(s), u"False"))
                return 0;
            double d = 0;
            if (!parseNumber(s, d))
                throw errors::typeMismatch();
            return d;
        }
        default:
            throw errors::typeMismatch();
    }
}

std::int16_t cInt(const Variant& value) {
    double d = roundHalfEven(cDbl(value));
    if (!(d >= -32768.0 && d <= 32767.0))
        throw errors::overflow();
    return static_cast<std::int16_t>(d);
}

std::int32_t cLng(const Variant& value) {
    double d = roundHalfEven(cDbl(value));
    if (!(d >= -2147483648.0 && d <= 2147483647.0))
        throw errors::overflow();
    return static_cast<std::int32_t>(d);
}

bool cBool(const Variant& raw) {
    Variant value = valueOf(raw);
    if (value.type() == Variant::Type::Boolean)
        return value.boolean();
    if (value.type() == Variant::Type::String) {
        const auto t = trim(value.string());
        if (equalsIgnoreCase(t, u"True"))
            return true;
        if (equalsIgnoreCase(t, u"False"))
            return false;
    }
    return cDbl(value) != 0;
}

std::u16string cStr(const Variant& raw) {
    Variant value = valueOf(raw);
    switch (value.type()) {
        case Variant::Type::Empty:
            return u"";
        case Variant::Type::Null:
            throw invalidUseOfNull();
        case Variant::Type::Boolean:
            return value.boolean() ? u"True" : u"False";
        case Variant::Type::Integer:
            return ascii(std::to_string(value.integer()));
        case Variant::Type::Long:
            return ascii(std::to_string(value.long32()));
        case Variant::Type::Double:
            return formatDouble(value.dbl());
        case Variant::Type::Date:
            return formatDate(value.date());
        case Variant::Type::String:
            return value.string();
        default:
            throw errors::typeMismatch();
    }
}

std::u16string str(const Variant& raw) {
    Variant value = valueOf(raw);
    if (value.type() == Variant::Type::String || value.type() == Variant::Type::Empty) {
        value = Variant(cDbl(value));
    }
    std::u16string text = cStr(value);
    if (value.isNumeric() && value.type() != Variant::Type::Date && !text.empty() &&
        text[0] != u'-') {
        if (value.type() == Variant::Type::Boolean)
            return text;
        return u" " + text;
    }
    return text;
}

std::int16_t addInteger(std::int16_t a, std::int16_t b) {
    int r = static_cast<int>(a) + static_cast<int>(b);
    if (r < std::numeric_limits<std::int16_t>::min() ||
        r > std::numeric_limits<std::int16_t>::max()) {
        throw errors::overflow();
    }
    return static_cast<std::int16_t>(r);
}

std::int32_t addLong(std::int32_t a, std::int32_t b) {
    std::int64_t r = static_cast<std::int64_t>(a) + b;
    if (r < std::numeric_limits<std::int32_t>::min() ||
        r > std::numeric_limits<std::int32_t>::max()) {
        throw errors::overflow();
    }
    return static_cast<std::int32_t>(r);
}

bool equals(const Variant& rawA, const Variant& rawB) {
    Variant a = valueOf(rawA);
    Variant b = valueOf(rawB);
    if (a.isNull() || b.isNull())
        return false;
    bool aText = a.isString();
    bool bText = b.isString();
    if (aText && bText)
        return a.string() == b.string();
    if (a.isEmpty() && b.isEmpty())
        return true;
    if (aText && b.isEmpty())
        return a.string().empty();
    if (bText && a.isEmpty())
        return b.string().empty();
    if (aText || bText) {
        // A number and text: the text must read as a number.
        const Variant& text = aText ? a : b;
        double d = 0;
        if (!parseNumber(text.string(), d))
            throw errors::typeMismatch();
        return d == cDbl(aText ? b : a);
    }
    if (a.isMissing() || b.isMissing())
        throw errors::typeMismatch();
    return cDbl(a) == cDbl(b);
}

std::u16string describe(const Variant& value) {
    switch (value.type()) {
        case Variant::Type::String:
            return u"\"" + value.string() + u"\"";
        case Variant::Type::Object:
        case Variant::Type::Missing:
        case Variant::Type::Null:
        case Variant::Type::Empty:
            return value.typeName();
        default:
            return cStr(value);
    }
}

}  // namespace k72645::vb
