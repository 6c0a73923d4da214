// The proleptic Gregorian calendar on day numbers: day 0 is the base date
// 1899-12-30, earlier days are negative. The conversions hold for any year a
// 64-bit day number can reach; the range of dates the system accepts is the
// business of calendar_date_time.h.
#pragma once

#include <cstdint>

namespace talmiron {

struct CivilDate {
    std::int64_t year;
    std::int32_t month; // 1 to 12
    std::int32_t day;   // 1 to the length of the month

    friend bool operator==(const CivilDate&, const CivilDate&) = default;
};

bool IsLeapYear(std::int64_t year) noexcept;
// 28 to 31; month must be 1 to 12.
std::int32_t DaysInMonth(std::int64_t year, std::int32_t month) noexcept;

// The day number of a valid date, and back.
std::int64_t DayNumberOf(const CivilDate& date) noexcept;
CivilDate CivilDateOf(std::int64_t dayNumber) noexcept;

// 1 (Sunday) to 7 (Saturday).
std::int32_t Weekday(std::int64_t dayNumber) noexcept;
// 1 to 366.
std::int32_t DayOfYear(std::int64_t dayNumber) noexcept;
// Weeks begin on Sunday and week 1 holds 1 January: 1 to 54.
std::int32_t WeekOfYear(std::int64_t dayNumber) noexcept;
// Sundays from an arbitrary fixed Sunday up to and including the day, so
// the difference for two days is the number of week starts passed.
std::int64_t WeekStartsUpTo(std::int64_t dayNumber) noexcept;

// Floor division and its remainder, for counts that may be negative.
constexpr std::int64_t FloorDivide(std::int64_t a, std::int64_t b) noexcept {
    const std::int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}
constexpr std::int64_t FloorModulo(std::int64_t a, std::int64_t b) noexcept {
    return a - FloorDivide(a, b) * b;
}

} // namespace talmiron
