#include "tests/functions/call.h"

#include <gtest/gtest.h>

namespace talmiron {
namespace {

using testing::CallCase;
using testing::Describe;
using testing::Outcome;

void ExpectOutcomes(const std::vector<CallCase>& cases, bool numeric) {
    for (const CallCase& c : cases) {
        EXPECT_EQ(TextToUtf8(Outcome(c.name, c.arguments, numeric)), TextToUtf8(c.expected))
            << Describe(c);
    }
}

TEST(DateFunctions, DateAddMovesByEveryUnit) {
    ExpectOutcomes(
        {
            {u"DATEADD", {u"yyyy", u"1", u"2024-02-29"}, u"2025-02-28"},
            {u"DATEADD", {u"YYYY", u"-1924", u"2024-02-29 10:00:00"}, u"0100-02-28"},
            {u"DATEADD", {u"q", u"1", u"2021-11-30"}, u"2022-02-28"},
            {u"DATEADD", {u"Q", u"-4", u"2021-05-31"}, u"2020-05-31"},
            {u"DATEADD", {u"m", u"1", u"2021-01-31"}, u"2021-02-28"},
            {u"DATEADD", {u"m", u"-13", u"2021-03-31"}, u"2020-02-29"},
            {u"DATEADD", {u"y", u"1", u"2021-12-31"}, u"2022-01-01"},
            {u"DATEADD", {u"d", u"-1", u"2021-03-01 23:59:59"}, u"2021-02-28"},
            {u"DATEADD", {u"D", u"1", u"17:00:00"}, u"1899-12-31"},
            {u"DATEADD", {u"w", u"3", u"2021-01-01"}, u"2021-01-04"},
            {u"DATEADD", {u"ww", u"-1", u"2021-01-01"}, u"2020-12-25"},
            {u"DATEADD", {u"wW", u"52", u"2021-01-01"}, u"2021-12-31"},
            // Hours, minutes and seconds keep the time they computed.
            {u"DATEADD", {u"h", u"5", u"2021-01-01 22:00:00"}, u"2021-01-02 03:00:00"},
            {u"DATEADD", {u"H", u"24", u"2021-01-01"}, u"2021-01-02 00:00:00"},
            {u"DATEADD", {u"n", u"-1", u"2021-01-01"}, u"2020-12-31 23:59:00"},
            {u"DATEADD", {u"s", u"1", u"05:06:07"}, u"1899-12-30 05:06:08"},
            {u"DATEADD", {u"S", u"-86401", u"1800-01-01 00:00:00"}, u"1799-12-30 23:59:59"},
            // The count is a whole number, halves to even.
            {u"DATEADD", {u"d", u"1.5", u"2021-01-01"}, u"2021-01-03"},
            {u"DATEADD", {u"m", u"-0.5", u"2021-01-31"}, u"2021-01-31"},
            {u"DATEADD", {u"s", u"0.5000001", u"2021-01-01"}, u"2021-01-01 00:00:01"},
            {u"DATEADD", {u"d", u"2958465", u"1899-12-30"}, u"9999-12-31"},
            // Out of range, too large a count, unknown codes, unreadable dates.
            {u"DATEADD", {u"d", u"1", u"9999-12-31"}, u"failure 5"},
            {u"DATEADD", {u"s", u"-1", u"0100-01-01"}, u"failure 5"},
            {u"DATEADD", {u"yyyy", u"2147483647", u"2021-01-01"}, u"failure 5"},
            {u"DATEADD", {u"ww", u"-2147483648", u"2021-01-01"}, u"failure 5"},
            {u"DATEADD", {u"d", u"2147483648", u"2021-01-01"}, u"failure 6"},
            {u"DATEADD", {u"d", u"1E400", u"2021-01-01"}, u"failure 6"},
            {u"DATEADD", {u"x", u"1", u"2021-01-01"}, u"failure 5"},
            {u"DATEADD", {u"", u"1", u"2021-01-01"}, u"failure 5"},
            {u"DATEADD", {u" d", u"1", u"2021-01-01"}, u"failure 5"},
            {u"DATEADD", {u"\u017F", u"1", u"2021-01-01"}, u"failure 5"}, // folds to S in Unicode
            {u"DATEADD", {u"x", u"1", u"abc"}, u"failure 5"},
            {u"DATEADD", {u"d", u"1", u"abc"}, u"failure 13"},
            {u"DATEADD", {u"d", u"1", u"2021-02-29"}, u"failure 13"},
        },
        false);
}

TEST(DateFunctions, DateDiffCountsBoundaries) {
    ExpectOutcomes(
        {
            {u"DATEDIFF", {u"yyyy", u"2020-12-31", u"2021-01-01"}, u"1"},
            {u"DATEDIFF", {u"yyyy", u"2021-01-01", u"2021-12-31 23:59:59"}, u"0"},
            {u"DATEDIFF", {u"q", u"2021-03-31", u"2021-04-01"}, u"1"},
            {u"DATEDIFF", {u"q", u"2021-04-01", u"2020-12-31"}, u"-2"},
            {u"DATEDIFF", {u"m", u"2021-01-31", u"2021-02-01"}, u"1"},
            {u"DATEDIFF", {u"m", u"2021-03-01", u"2019-12-31"}, u"-15"},
            {u"DATEDIFF", {u"d", u"2021-01-01 23:59:59", u"2021-01-02 00:00:00"}, u"1"},
            {u"DATEDIFF", {u"y", u"2021-01-02 00:00:00", u"2021-01-01 23:59:59"}, u"-1"},
            {u"DATEDIFF", {u"d", u"0100-01-01", u"9999-12-31"}, u"3615899"},
            // "w": whole weeks of days, towards zero; "ww": Sundays passed.
            {u"DATEDIFF", {u"w", u"2021-01-01", u"2021-01-07"}, u"0"},
            {u"DATEDIFF", {u"w", u"2021-01-01", u"2021-01-08"}, u"1"},
            {u"DATEDIFF", {u"W", u"2021-01-14", u"2021-01-01"}, u"-1"},
            {u"DATEDIFF", {u"ww", u"2021-01-02", u"2021-01-03"}, u"1"},
            {u"DATEDIFF", {u"ww", u"2021-01-03", u"2021-01-09"}, u"0"},
            {u"DATEDIFF", {u"ww", u"2021-01-03", u"2021-01-10"}, u"1"},
            {u"DATEDIFF", {u"ww", u"2021-01-03", u"2021-01-02"}, u"-1"},
            {u"DATEDIFF", {u"ww", u"2021-01-10", u"2021-01-03"}, u"-1"},
            {u"DATEDIFF", {u"ww", u"1800-01-04", u"1800-01-05"}, u"1"}, // a Saturday and a Sunday
            // Hours, minutes and seconds since a fixed origin.
            {u"DATEDIFF", {u"h", u"2021-01-01 10:59:59", u"2021-01-01 11:00:00"}, u"1"},
            {u"DATEDIFF", {u"h", u"2021-01-01 11:00:00", u"2021-01-01 10:59:59"}, u"-1"},
            {u"DATEDIFF", {u"h", u"2021-01-01 10:00:00", u"2021-01-01 10:59:59"}, u"0"},
            {u"DATEDIFF", {u"h", u"1800-01-01 00:59:59", u"1800-01-01 01:00:00"}, u"1"},
            {u"DATEDIFF", {u"N", u"1800-01-01 00:00:59", u"1799-12-31 23:59:59"}, u"-1"},
            {u"DATEDIFF", {u"n", u"10:00:00", u"2021-01-01"}, u"63643080"},
            {u"DATEDIFF", {u"s", u"0100-01-01", u"9999-12-31 23:59:59"}, u"312413759999"},
            {u"DATEDIFF", {u"x", u"2021-01-01", u"2021-01-01"}, u"failure 5"},
            {u"DATEDIFF", {u"d", u"2021-01-32", u"2021-01-01"}, u"failure 13"},
            {u"DATEDIFF", {u"d", u"2021-01-01", u"tomorrow"}, u"failure 13"},
        },
        true);
}

TEST(DateFunctions, DatePartAndComponents) {
    const Text sunday = u"2021-08-15 13:14:15";
    ExpectOutcomes(
        {
            {u"DATEPART", {u"yyyy", sunday}, u"2021"},
            {u"DATEPART", {u"q", sunday}, u"3"},
            {u"DATEPART", {u"m", sunday}, u"8"},
            {u"DATEPART", {u"y", sunday}, u"227"},
            {u"DATEPART", {u"d", sunday}, u"15"},
            {u"DATEPART", {u"w", sunday}, u"1"},
            {u"DATEPART", {u"ww", sunday}, u"34"},
            {u"DATEPART", {u"h", sunday}, u"13"},
            {u"DATEPART", {u"n", sunday}, u"14"},
            {u"DATEPART", {u"s", sunday}, u"15"},
            {u"DATEPART", {u"W", u"2021-01-09"}, u"7"},
            {u"DATEPART", {u"ww", u"2021-01-02"}, u"1"},
            {u"DATEPART", {u"ww", u"2021-01-03"}, u"2"},
            {u"DATEPART", {u"ww", u"2000-12-31"}, u"54"},
            {u"DATEPART", {u"y", u"2024-12-31"}, u"366"},
            {u"DATEPART", {u"yy", sunday}, u"failure 5"},
            {u"DATEPART", {u"d", u"31:00"}, u"failure 13"},
            {u"YEAR", {u"05:06:07"}, u"1899"},
            {u"MONTH", {u"05:06:07"}, u"12"},
            {u"DAY", {u"05:06:07"}, u"30"},
            {u"HOUR", {u"2021-03-04"}, u"0"},
            {u"MINUTE", {u"2021-03-04 05:06"}, u"6"},
            {u"SECOND", {u"2021-03-04 05:06"}, u"0"},
            {u"YEAR", {u"0100-01-01"}, u"100"},
            {u"MONTH", {u"abc"}, u"failure 13"},
        },
        true);
}

TEST(DateFunctions, DateSerialCarriesAndReadsTwoDigitYears) {
    ExpectOutcomes(
        {
            {u"DATESERIAL", {u"2021", u"13", u"1"}, u"2022-01-01"},
            {u"DATESERIAL", {u"2021", u"0", u"0"}, u"2020-11-30"},
            {u"DATESERIAL", {u"2021", u"-11", u"1"}, u"2020-01-01"},
            {u"DATESERIAL", {u"2021", u"-12", u"1"}, u"2019-12-01"},
            {u"DATESERIAL", {u"2021", u"1", u"-365"}, u"2020-01-01"},
            {u"DATESERIAL", {u"2000", u"32767", u"32767"}, u"4820-03-16"},
            {u"DATESERIAL", {u"10000", u"1", u"0"}, u"9999-12-31"},
            {u"DATESERIAL", {u"100", u"1", u"1"}, u"0100-01-01"},
            {u"DATESERIAL", {u"2021.5", u"2.5", u"3.5"}, u"2022-02-04"},
            {u"DATESERIAL", {u"0", u"1", u"1"}, u"2000-01-01"},
            {u"DATESERIAL", {u"29", u"12", u"31"}, u"2029-12-31"},
            {u"DATESERIAL", {u"30", u"1", u"1"}, u"1930-01-01"},
            {u"DATESERIAL", {u"99", u"13", u"1"}, u"2000-01-01"},
            {u"DATESERIAL", {u"0", u"0", u"1"}, u"1999-12-01"},
            {u"DATESERIAL", {u"-0.4", u"1", u"1"}, u"2000-01-01"},
            // Out of range after carrying, or beyond 16 bits.
            {u"DATESERIAL", {u"100", u"0", u"1"}, u"failure 5"},
            {u"DATESERIAL", {u"100", u"1", u"0"}, u"failure 5"},
            {u"DATESERIAL", {u"-1", u"1", u"1"}, u"failure 5"},
            {u"DATESERIAL", {u"9999", u"12", u"32"}, u"failure 5"},
            {u"DATESERIAL", {u"32767", u"-32768", u"-32768"}, u"failure 5"},
            {u"DATESERIAL", {u"-32768", u"32767", u"32767"}, u"failure 5"},
            {u"DATESERIAL", {u"40000", u"1", u"1"}, u"failure 6"},
            {u"DATESERIAL", {u"2021", u"32767.5", u"1"}, u"failure 6"},
            {u"DATESERIAL", {u"2021", u"1", u"-32769"}, u"failure 6"},
        },
        false);
}

} // namespace
} // namespace talmiron
