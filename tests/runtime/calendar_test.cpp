// What the walk over every day and the edits of valid date texts do not show.
#include "runtime/calendar_date_time.h"
#include "runtime/date_text.h"

#include "tests/test_support.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>

namespace talmiron {
namespace {

TEST(Calendar, WeeksBeginOnSunday) {
    const std::pair<CivilDate, std::int32_t> weeks[] = {{{1899, 12, 30}, 52}, {{1899, 12, 31}, 53},
                                                        {{2000, 12, 31}, 54}, {{2021, 1, 2}, 1},
                                                        {{2021, 1, 3}, 2},    {{9999, 12, 31}, 53}};
    for (const auto& [date, week] : weeks) {
        EXPECT_EQ(WeekOfYear(DayNumberOf(date)), week) << date.year;
    }
}

DateTime At(CivilDate date, ClockTime time = {0, 0, 0}) {
    return DateTime::FromCivil(date, time);
}

TEST(Calendar, AddingKeepsTheTimeClampsTheDayAndStopsAtTheEnds) {
    EXPECT_EQ(AddMonths(At({2021, 1, 31}, {5, 6, 7}), 1), At({2021, 2, 28}, {5, 6, 7}));
    EXPECT_EQ(AddMonths(At({9999, 12, 31}), -118799), At({100, 1, 31}));
    // Before the base date the day numbers are negative.
    EXPECT_EQ(AddSeconds(At({1800, 1, 1}), -1), At({1799, 12, 31}, {23, 59, 59}));
    EXPECT_EQ(AddSeconds(At({100, 1, 1}), 312413759999), At({9999, 12, 31}, {23, 59, 59}));
    const DateTime first = At({100, 1, 1}), last = At({9999, 12, 31}, {23, 59, 59});
    const std::function<void()> actions[] = {
        [&] { DateTime::FromDayNumber(kFirstDayNumber - 1); },
        [&] { DateTime::FromDayNumber(kLastDayNumber + 1); },
        [&] { AddSeconds(first, -1); },
        [&] { AddSeconds(last, 1); },
        [&] { AddDays(last, 1); },
        [&] { AddMonths(first, -1); },
        [&] { AddMonths(last, 1); },
    };
    for (std::size_t i = 0; i < std::size(actions); ++i) {
        EXPECT_EQ(testing::FailureOf(actions[i]), kInvalidProcedureCall) << "action " << i;
    }
}

TEST(DateText, LookAlikeCharactersAreATypeMismatch) {
    for (const TextView text :
         {u"2021-03-04t17:06", u"2021-03-04 17:06:07Z", u"2021-03-04\n", u"2021-03-04\u00A0",
          u"\uFF12\uFF10\uFF12\uFF11-03-04", u"2021\u201303\u201304", u"17\uFF1A06"}) {
        EXPECT_EQ(testing::FailureOf([&] { ReadDateText(text); }), kTypeMismatch)
            << TextToUtf8(text);
    }
}

} // namespace
} // namespace talmiron
