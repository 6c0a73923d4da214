#include "runtime/calendar_date_time.h"

#include "runtime/failure.h"

#include <cassert>
#include <limits>

namespace talmiron {

namespace {

constexpr std::int64_t kFirstYear = 100;
constexpr std::int64_t kLastYear = 9999;

// Far enough from the range that any sum of a day number in range and an
// addend that passes this bound still fits 64 bits.
constexpr std::int64_t kSaneBound = std::numeric_limits<std::int64_t>::max() / 4;

void CheckAddend(std::int64_t addend) {
    if (addend > kSaneBound || addend < -kSaneBound) {
        RaiseFailure(kInvalidProcedureCall);
    }
}

} // namespace

DateTime DateTime::FromDayNumber(std::int64_t dayNumber, std::int32_t secondOfDay) {
    assert(secondOfDay >= 0 && secondOfDay < kSecondsPerDay);
    if (dayNumber < kFirstDayNumber || dayNumber > kLastDayNumber) {
        RaiseFailure(kInvalidProcedureCall);
    }
    return DateTime(static_cast<std::int32_t>(dayNumber), secondOfDay);
}

DateTime DateTime::FromCivil(const CivilDate& date, const ClockTime& time) {
    assert(time.hour >= 0 && time.hour < 24 && time.minute >= 0 && time.minute < 60 &&
           time.second >= 0 && time.second < 60);
    if (!IsInRange(date)) {
        RaiseFailure(kInvalidProcedureCall);
    }
    return FromDayNumber(DayNumberOf(date), time.hour * 3600 + time.minute * 60 + time.second);
}

ClockTime DateTime::Time() const noexcept {
    return {second_ / 3600, second_ / 60 % 60, second_ % 60};
}

std::int64_t DateTime::TotalSeconds() const noexcept {
    return std::int64_t{day_} * kSecondsPerDay + second_;
}

bool IsInRange(const CivilDate& date) noexcept {
    return date.year >= kFirstYear && date.year <= kLastYear && date.month >= 1 &&
           date.month <= 12 && date.day >= 1 && date.day <= DaysInMonth(date.year, date.month);
}

DateTime AddDays(const DateTime& moment, std::int64_t days) {
    CheckAddend(days);
    return DateTime::FromDayNumber(moment.DayNumber() + days, moment.SecondOfDay());
}

DateTime AddSeconds(const DateTime& moment, std::int64_t seconds) {
    CheckAddend(seconds);
    const std::int64_t total = moment.TotalSeconds() + seconds;
    return DateTime::FromDayNumber(FloorDivide(total, kSecondsPerDay),
                                   static_cast<std::int32_t>(FloorModulo(total, kSecondsPerDay)));
}

DateTime AddMonths(const DateTime& moment, std::int64_t months) {
    CheckAddend(months);
    const CivilDate date = moment.Date();
    const std::int64_t monthCount = date.year * 12 + (date.month - 1) + months;
    const std::int64_t year = FloorDivide(monthCount, 12);
    if (year < kFirstYear || year > kLastYear) {
        RaiseFailure(kInvalidProcedureCall);
    }
    const auto month = static_cast<std::int32_t>(FloorModulo(monthCount, 12)) + 1;
    const std::int32_t lastDay = DaysInMonth(year, month);
    const CivilDate moved{year, month, date.day < lastDay ? date.day : lastDay};
    return DateTime::FromDayNumber(DayNumberOf(moved), moment.SecondOfDay());
}

} // namespace talmiron
