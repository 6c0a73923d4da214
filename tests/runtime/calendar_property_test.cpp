// The calendar and the date functions, day by day, against a walk that knows only month lengths.
#include "functions/computation.h"
#include "runtime/calendar_date_time.h"
#include "runtime/date_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace talmiron {
namespace {

int Length(int year, int month) {
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 ? 28 + leap : 30 + (month + month / 8) % 2;
}

Text NumberText(std::int64_t value) {
    return AsciiToText(std::to_string(value));
}

// A function's computation called the way the evaluator calls it.
Text Call(TextView name, const std::vector<Text>& arguments) {
    const std::vector<Value> values(arguments.begin(), arguments.end());
    Computed computed = FindComputation(name)(values);
    EXPECT_EQ(computed.error, 0);
    return computed.value.TakeText();
}

// The functions see every 29th day, which still meets every weekday and day of the year.
TEST(CalendarProperties, EveryDayOfTheRange) {
    std::int64_t n = kFirstDayNumber, failures = 0;
    std::int32_t weekday = 6; // 0100-01-01 was a Friday
    for (std::int32_t y = 100; y <= 9999; ++y) {
        for (std::int32_t m = 1, dayOfYear = 1; m <= 12; ++m) {
            for (std::int32_t d = 1; d <= Length(y, m); ++d, ++n, ++dayOfYear) {
                char written[16];
                std::snprintf(written, sizeof written, "%04d-%02d-%02d", y, m, d);
                const Text date = AsciiToText(written);
                const CivilDate civil{y, m, d};
                bool same =
                    CivilDateOf(n) == civil && DayNumberOf(civil) == n && Weekday(n) == weekday &&
                    DayOfYear(n) == dayOfYear && WriteDate(DateTime::FromDayNumber(n)) == date &&
                    ReadDateText(date).DayNumber() == n && (n != 0 || date == u"1899-12-30");
                if ((n - kFirstDayNumber) % 29 == 0) {
                    const Text year = NumberText(y), month = NumberText(m), day = NumberText(d);
                    same = same && Call(u"DATESERIAL", {year, month, day}) == date &&
                           Call(u"YEAR", {date}) == year && Call(u"MONTH", {date}) == month &&
                           Call(u"DAY", {date}) == day &&
                           Call(u"DATEPART", {u"y", date}) == NumberText(dayOfYear) &&
                           Call(u"DATEPART", {u"w", date}) == NumberText(weekday) &&
                           Call(u"DATEDIFF", {u"d", u"1899-12-30", date}) == NumberText(n);
                    // Up to a hundred years on or back, keeping the day where the month has it.
                    const int count = static_cast<int>((n - kFirstDayNumber) % 2401) - 1200,
                              to = y * 12 + m - 1 + count;
                    if (char added[16]; to >= 100 * 12 && to < 10000 * 12) {
                        std::snprintf(added, sizeof added, "%04d-%02d-%02d", to / 12, to % 12 + 1,
                                      std::min(d, Length(to / 12, to % 12 + 1)));
                        same = same && Call(u"DATEADD", {u"m", NumberText(count), date}) ==
                                           AsciiToText(added);
                    }
                }
                if (!same && ++failures <= 5) {
                    ADD_FAILURE() << "day " << n << ": " << written;
                }
                weekday = weekday % 7 + 1;
            }
        }
    }
    EXPECT_EQ(n, kLastDayNumber + 1);
    EXPECT_EQ(failures, 0);
}

} // namespace
} // namespace talmiron
