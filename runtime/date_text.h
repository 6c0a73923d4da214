// Date texts: reading the forms hosts write and writing the system's three
// fixed patterns, digits only, the same in every locale.
#pragma once

#include "runtime/calendar_date_time.h"
#include "runtime/text.h"

namespace talmiron {

// Reads, with blanks around allowed:
//   date        yyyy-mm-dd, or with "/" for both "-"; years of 3 or 4 digits
//   date time   the date, a blank or "T", then the time
//   time        hh:nn or hh:nn:ss, on the base date 1899-12-30
// Months, days, hours, minutes and seconds may have one digit. The year
// always comes first; no order of the user's locale is read. A field out of
// range (2021-02-30, 24:00, 12:60), a date outside 0100-01-01 to 9999-12-31
// and any other text raise failure 13 (Type mismatch).
DateTime ReadDateText(TextView text);

// "yyyy-mm-dd", "yyyy-mm-dd hh:nn:ss" and "hh:nn:ss": leading zeros, the
// 24-hour clock, four year digits (0100-01-01).
Text WriteDate(const DateTime& moment);
Text WriteDateTime(const DateTime& moment);
Text WriteTime(const DateTime& moment);

} // namespace talmiron
