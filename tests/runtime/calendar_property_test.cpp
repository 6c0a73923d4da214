// The calendar over the whole range of dates, day by day, against a plain
// walk through the calendar that knows only the lengths of the months, and
// the date functions on random dates.
#include "functions/computation.h"
#include "runtime/calendar_date_time.h"
#include "runtime/date_text.h"
#include "runtime/val.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace talmiron {
namespace {

bool Leap(std::int32_t year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

std::int32_t Length(std::int32_t year, std::int32_t month) {
    if (month == 2) {
        return Leap(year) ? 29 : 28;
    }
    return month == 4 || month == 6 || month == 9 || month == 11 ? 30 : 31;
}

// 2021-01-03 was a Sunday; the days from 0100-01-01 to it, year by year.
std::int32_t WeekdayOfFirstDay() {
    std::int64_t days = 2;
    for (std::int32_t year = 100; year < 2021; ++year) {
        days += Leap(year) ? 366 : 365;
    }
    return static_cast<std::int32_t>(((-days % 7) + 7) % 7) + 1;
}

// Writes the digits of value over text[at, at + width).
void PutDigits(Text& text, std::size_t at, std::int32_t value, std::size_t width) {
    for (std::size_t i = at + width; i-- > at; value /= 10) {
        text[i] = static_cast<char16_t>(u'0' + value % 10);
    }
}

Text NumberText(std::int64_t value) {
    return AsciiToText(std::to_string(value));
}

// A computation called the way the evaluator calls it, its result read the
// way the evaluator reads a number.
struct Function {
    explicit Function(TextView name) : compute(FindComputation(name)) {}

    Text operator()(const std::vector<Text>& arguments) const {
        const std::vector<Value> values(arguments.begin(), arguments.end());
        Computed computed = compute(values);
        EXPECT_EQ(computed.error, 0);
        return computed.value.TakeText();
    }
    double Number(const std::vector<Text>& arguments) const { return Val((*this)(arguments)); }

    Computation compute;
};

// Every day goes through the calendar and the date texts; the functions
// built on them see every 29th day, which still meets every weekday, day of
// the month and day of the year many times over.
TEST(CalendarProperties, EveryDayOfTheRange) {
    constexpr std::int64_t kFunctionStride = 29;
    const Function dateSerial(u"DATESERIAL"), year(u"YEAR"), month(u"MONTH"), day(u"DAY"),
        datePart(u"DATEPART");
    std::int32_t y = 100, m = 1, d = 1, dayOfYear = 1, weekday = WeekdayOfFirstDay();
    std::vector<Text> serial(3), date(1), partY{u"y", {}}, partW{u"w", {}};
    std::int64_t n = kFirstDayNumber;
    std::int64_t failures = 0;
    Text expected = u"yyyy-mm-dd";
    for (;; ++n) {
        const CivilDate civil{y, m, d};
        PutDigits(expected, 0, y, 4);
        PutDigits(expected, 5, m, 2);
        PutDigits(expected, 8, d, 2);
        bool same = CivilDateOf(n) == civil && DayNumberOf(civil) == n && Weekday(n) == weekday &&
                    DayOfYear(n) == dayOfYear &&
                    WriteDate(DateTime::FromDayNumber(n)) == expected &&
                    ReadDateText(expected).DayNumber() == n;
        if ((n - kFirstDayNumber) % kFunctionStride == 0) {
            serial[0] = NumberText(y);
            serial[1] = NumberText(m);
            serial[2] = NumberText(d);
            date[0] = dateSerial(serial);
            partY[1] = date[0];
            partW[1] = date[0];
            same = same && date[0] == expected && year.Number(date) == y &&
                   month.Number(date) == m && day.Number(date) == d &&
                   datePart.Number(partY) == dayOfYear && datePart.Number(partW) == weekday;
        }
        if (!same && ++failures <= 5) {
            ADD_FAILURE() << "day " << n << ": " << TextToUtf8(expected);
        }
        if (n == 0) {
            EXPECT_EQ(expected, u"1899-12-30") << "the base date is day 0";
        }
        if (y == 9999 && m == 12 && d == 31) {
            break;
        }
        weekday = weekday % 7 + 1;
        ++dayOfYear;
        if (++d > Length(y, m)) {
            d = 1;
            if (++m > 12) {
                m = 1;
                ++y;
                dayOfYear = 1;
            }
        }
    }
    EXPECT_EQ(n, kLastDayNumber);
    EXPECT_EQ(failures, 0);
}

Text RandomDateText(std::mt19937_64& random) {
    std::uniform_int_distribution<std::int64_t> days(kFirstDayNumber, kLastDayNumber);
    return WriteDate(DateTime::FromDayNumber(days(random)));
}

TEST(CalendarProperties, DayDifferenceOfRandomDates) {
    std::mt19937_64 random(20210103);
    const Function dateDiff(u"DATEDIFF");
    std::vector<Text> arguments{u"d", {}, {}};
    for (int i = 0; i < 20000; ++i) {
        arguments[1] = RandomDateText(random);
        arguments[2] = RandomDateText(random);
        const std::int64_t expected =
            ReadDateText(arguments[2]).DayNumber() - ReadDateText(arguments[1]).DayNumber();
        ASSERT_EQ(dateDiff.Number(arguments), static_cast<double>(expected))
            << TextToUtf8(arguments[1]) << " to " << TextToUtf8(arguments[2]);
    }
}

// Whenever the day of the month survives the way there, the way back
// returns to the same date.
TEST(CalendarProperties, MonthsThereAndBack) {
    std::mt19937_64 random(19991231);
    std::uniform_int_distribution<std::int32_t> months(-120000, 120000);
    const Function dateAdd(u"DATEADD");
    std::vector<Text> there{u"m", {}, {}}, back{u"M", {}, {}};
    int roundTrips = 0;
    for (int i = 0; i < 20000; ++i) {
        const std::int32_t count = months(random);
        there[1] = NumberText(count);
        there[2] = RandomDateText(random);
        const CivilDate start = ReadDateText(there[2]).Date();
        const std::int64_t target = start.year * 12 + start.month - 1 + count;
        if (target < 100 * 12 || target >= 10000 * 12 ||
            start.day > Length(static_cast<std::int32_t>(target / 12),
                               static_cast<std::int32_t>(target % 12) + 1)) {
            continue;
        }
        back[1] = NumberText(-count);
        back[2] = dateAdd(there);
        ASSERT_EQ(TextToUtf8(dateAdd(back)), TextToUtf8(there[2])) << count << " months";
        ++roundTrips;
    }
    EXPECT_GT(roundTrips, 8000);
}

} // namespace
} // namespace talmiron
