#include "runtime/calendar_date_time.h"

#include "tests/test_support.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>

namespace talmiron {
namespace {

using testing::FailureOf;

TEST(Calendar, KnownDays) {
    struct Case {
        CivilDate date;
        std::int64_t dayNumber;
        std::int32_t weekday, dayOfYear, week;
    };
    const Case cases[] = {
        {{1899, 12, 30}, 0, 7, 364, 52},
        {{1899, 12, 31}, 1, 1, 365, 53}, // 1899 began on a Sunday
        {{1900, 1, 1}, 2, 2, 1, 1},
        {{1900, 3, 1}, 61, 5, 60, 9}, // 1900 has no 29 February
        {{1970, 1, 1}, 25569, 5, 1, 1},
        {{2000, 2, 29}, 36585, 3, 60, 10},
        {{2000, 12, 31}, 36891, 1, 366, 54},
        {{2021, 1, 2}, 44198, 7, 2, 1},
        {{2021, 1, 3}, 44199, 1, 3, 2},
        {{2021, 8, 15}, 44423, 1, 227, 34},
        {{100, 1, 1}, kFirstDayNumber, 6, 1, 1},
        {{1582, 10, 4}, -115869, 2, 277, 41}, // no calendar reform: the days run on
        {{9999, 12, 31}, kLastDayNumber, 6, 365, 53},
    };
    for (const Case& c : cases) {
        const auto year = c.date.year;
        EXPECT_EQ(DayNumberOf(c.date), c.dayNumber) << year;
        EXPECT_EQ(CivilDateOf(c.dayNumber), c.date) << year;
        EXPECT_EQ(Weekday(c.dayNumber), c.weekday) << year;
        EXPECT_EQ(DayOfYear(c.dayNumber), c.dayOfYear) << year;
        EXPECT_EQ(WeekOfYear(c.dayNumber), c.week) << year;
    }
    // Far outside the range of dates the conversions still agree.
    for (const CivilDate date : {CivilDate{-40000, 3, 1}, CivilDate{-1, 12, 31},
                                 CivilDate{0, 2, 29}, CivilDate{40000, 2, 29}}) {
        EXPECT_EQ(CivilDateOf(DayNumberOf(date)), date) << date.year;
    }
}

DateTime At(CivilDate date, ClockTime time = {0, 0, 0}) {
    return DateTime::FromCivil(date, time);
}

TEST(Calendar, AddingKeepsTheOtherFieldsAndClampsTheDay) {
    struct Case {
        DateTime result, expected;
    };
    const Case cases[] = {
        {AddMonths(At({2021, 1, 31}, {5, 6, 7}), 1), At({2021, 2, 28}, {5, 6, 7})},
        {AddMonths(At({2024, 1, 31}), 1), At({2024, 2, 29})},
        {AddMonths(At({2021, 3, 31}), -1), At({2021, 2, 28})},
        {AddMonths(At({2021, 3, 15}), -15), At({2019, 12, 15})},
        {AddMonths(At({2024, 2, 29}), 12), At({2025, 2, 28})},
        {AddMonths(At({9999, 12, 31}), -118799), At({100, 1, 31})},
        {AddDays(At({2021, 12, 31}, {23, 0, 0}), 1), At({2022, 1, 1}, {23, 0, 0})},
        {AddDays(At({1800, 3, 1}), -1), At({1800, 2, 28})},
        // Before the base date the day numbers are negative.
        {AddSeconds(At({1800, 1, 1}), -1), At({1799, 12, 31}, {23, 59, 59})},
        {AddSeconds(At({1800, 1, 1}, {23, 59, 59}), 1), At({1800, 1, 2})},
        {AddSeconds(DateTime(), -86400 * 2), At({1899, 12, 28})},
        {AddSeconds(At({100, 1, 1}), 312413759999), At({9999, 12, 31}, {23, 59, 59})},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.result.DayNumber(), c.expected.DayNumber());
        EXPECT_EQ(c.result.SecondOfDay(), c.expected.SecondOfDay());
    }
    const ClockTime time = At({2021, 3, 4}, {17, 6, 7}).Time();
    EXPECT_EQ(time.hour * 10000 + time.minute * 100 + time.second, 170607);
}

TEST(Calendar, NothingLeavesTheRange) {
    constexpr std::int64_t kHuge = std::numeric_limits<std::int64_t>::max();
    const DateTime first = At({100, 1, 1});
    const DateTime last = At({9999, 12, 31}, {23, 59, 59});
    const std::function<void()> actions[] = {
        [&] { DateTime::FromDayNumber(kFirstDayNumber - 1); },
        [&] { DateTime::FromDayNumber(kLastDayNumber + 1); },
        [&] { AddSeconds(first, -1); },
        [&] { AddSeconds(last, 1); },
        [&] { AddDays(last, 1); },
        [&] { AddMonths(first, -1); },
        [&] { AddMonths(last, 1); },
        [&] { AddDays(first, kHuge); },
        [&] { AddSeconds(last, -kHuge); },
        [&] { AddMonths(first, kHuge); },
    };
    for (std::size_t i = 0; i < std::size(actions); ++i) {
        EXPECT_EQ(FailureOf(actions[i]), kInvalidProcedureCall) << "action " << i;
    }
    for (const CivilDate date :
         {CivilDate{99, 12, 31}, CivilDate{10000, 1, 1}, CivilDate{2021, 2, 29}}) {
        EXPECT_EQ(FailureOf([&] { DateTime::FromCivil(date); }), kInvalidProcedureCall)
            << date.year;
    }
}

} // namespace
} // namespace talmiron
