// A date and time of day to the whole second, as integer days and seconds so
// that no arithmetic drifts. Every value lies from 0100-01-01 00:00:00 to
// 9999-12-31 23:59:59; an operation whose result would leave that range
// raises failure 5 (Invalid procedure call or argument).
#pragma once

#include "runtime/calendar.h"

#include <cstdint>

namespace talmiron {

inline constexpr std::int32_t kSecondsPerDay = 86400;
inline constexpr std::int64_t kFirstDayNumber = -657434; // 0100-01-01
inline constexpr std::int64_t kLastDayNumber = 2958465;  // 9999-12-31

struct ClockTime {
    std::int32_t hour;   // 0 to 23
    std::int32_t minute; // 0 to 59
    std::int32_t second; // 0 to 59
};

class DateTime {
  public:
    // Midnight of the base date 1899-12-30, where a time of day alone lies.
    constexpr DateTime() noexcept = default;

    // Failure 5 unless the day is in range; the seconds of the day must be
    // 0 to 86399.
    static DateTime FromDayNumber(std::int64_t dayNumber, std::int32_t secondOfDay = 0);
    // Failure 5 unless the date is valid and in range; the time must be valid.
    static DateTime FromCivil(const CivilDate& date, const ClockTime& time = {0, 0, 0});

    std::int64_t DayNumber() const noexcept { return day_; }
    std::int32_t SecondOfDay() const noexcept { return second_; }
    CivilDate Date() const noexcept { return CivilDateOf(day_); }
    ClockTime Time() const noexcept;
    // Seconds since midnight of the base date; negative before it.
    std::int64_t TotalSeconds() const noexcept;

    friend bool operator==(const DateTime&, const DateTime&) = default;

  private:
    constexpr DateTime(std::int32_t day, std::int32_t second) noexcept
        : day_(day), second_(second) {}

    std::int32_t day_ = 0;
    std::int32_t second_ = 0;
};

bool IsInRange(const CivilDate& date) noexcept;

// The same time of day, days later (earlier when negative).
DateTime AddDays(const DateTime& moment, std::int64_t days);
DateTime AddSeconds(const DateTime& moment, std::int64_t seconds);
// The same time of day and day of the month, months later; a day the month
// lacks becomes the month's last day (2021-01-31 and 1 month: 2021-02-28).
DateTime AddMonths(const DateTime& moment, std::int64_t months);

} // namespace talmiron
