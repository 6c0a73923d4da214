#include "runtime/calendar.h"

#include <cassert>

namespace talmiron {

namespace {

// The civil conversions count in eras of 400 years (146097 days) from
// 0000-03-01, so that the leap day falls at the end of each year of the era.
constexpr std::int64_t kDaysPerEra = 146097;
// Days from 0000-03-01 to the base date 1899-12-30.
constexpr std::int64_t kBaseFromEpoch = 693899;
// 1899-12-31, the first Sunday after the base date.
constexpr std::int64_t kFirstSunday = 1;

} // namespace

bool IsLeapYear(std::int64_t year) noexcept {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

std::int32_t DaysInMonth(std::int64_t year, std::int32_t month) noexcept {
    assert(month >= 1 && month <= 12);
    constexpr std::int32_t kLengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kLengths[month - 1];
}

// Within an era every quantity is small, so only the era itself needs 64
// bits; this keeps 64-bit division out of the hot path of 32-bit builds.
std::int64_t DayNumberOf(const CivilDate& date) noexcept {
    const std::int64_t year = date.month <= 2 ? date.year - 1 : date.year;
    const std::int64_t era = FloorDivide(year, 400);
    const auto yearOfEra = static_cast<std::int32_t>(year - era * 400);         // 0 to 399
    const std::int32_t shiftedMonth = (date.month + 9) % 12;                    // March is 0
    const std::int32_t dayOfYear = (153 * shiftedMonth + 2) / 5 + date.day - 1; // 0 to 365
    const std::int32_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * kDaysPerEra + dayOfEra - kBaseFromEpoch;
}

CivilDate CivilDateOf(std::int64_t dayNumber) noexcept {
    const std::int64_t days = dayNumber + kBaseFromEpoch;
    const std::int64_t era = FloorDivide(days, kDaysPerEra);
    const auto dayOfEra = static_cast<std::int32_t>(days - era * kDaysPerEra); // 0 to 146096
    const std::int32_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int32_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int32_t shiftedMonth = (5 * dayOfYear + 2) / 153;
    const std::int32_t day = dayOfYear - (153 * shiftedMonth + 2) / 5 + 1;
    const std::int32_t month = shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9;
    const std::int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
    return {year, month, day};
}

std::int32_t Weekday(std::int64_t dayNumber) noexcept {
    return static_cast<std::int32_t>(FloorModulo(dayNumber - kFirstSunday, 7)) + 1;
}

std::int32_t DayOfYear(std::int64_t dayNumber) noexcept {
    const std::int64_t newYear = DayNumberOf({CivilDateOf(dayNumber).year, 1, 1});
    return static_cast<std::int32_t>(dayNumber - newYear) + 1;
}

std::int32_t WeekOfYear(std::int64_t dayNumber) noexcept {
    const std::int64_t newYear = DayNumberOf({CivilDateOf(dayNumber).year, 1, 1});
    return static_cast<std::int32_t>(WeekStartsUpTo(dayNumber) - WeekStartsUpTo(newYear)) + 1;
}

std::int64_t WeekStartsUpTo(std::int64_t dayNumber) noexcept {
    return FloorDivide(dayNumber - kFirstSunday, 7);
}

} // namespace talmiron
