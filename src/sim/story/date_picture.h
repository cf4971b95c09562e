// Word's date-time pictures (the \@ switch of DATE and TIME), with French names.
#pragma once

#include <string>
#include <string_view>

namespace k72645::sim {

// Formats an OLE date (days since 1899-12-30, the fraction being the time of day) with a
// picture: d dd ddd dddd (day, "lun." "lundi"), M MM MMM MMMM (month, "janv." "janvier"),
// yy yyyy, H HH (24 h), h hh (12 h), m mm, s ss, AM/PM (am/pm), text in single quotes as it
// stands; any other character stands for itself. A date out of OLE's range (years 100 to
// 9999) or not a number is taken as 0.
std::u16string formatDatePicture(double oleDate, std::u16string_view picture);

}  // namespace k72645::sim
