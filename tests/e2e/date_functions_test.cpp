// Date and time functions end to end: what the calendar's walk over every date does not reach.
#include "tests/e2e/evaluation_table.h"

#include "runtime/clock.h"
#include "runtime/date_text.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <random>
#include <string>

namespace talmiron::e2e {
namespace {

TEST(EvaluateDateFunctions, IntervalsCarriesAndLimits) {
    ExpectRows({
        {u"DATEADD('YYYY',-1924,'2024-02-29 10:00:00')", u"0100-02-28", kStr},
        {u"DATEADD('q',1,'2021-11-30')", u"2022-02-28", kStr},
        {u"DATEADD('w',3,'2021-01-01')", u"2021-01-04", kStr},
        {u"DATEADD('wW',-1,'2021-01-01')", u"2020-12-25", kStr},
        {u"DATEADD('H',24,'2021-01-01')", u"2021-01-02 00:00:00", kStr},
        {u"DATEADD('N',-30,'00:10')", u"1899-12-29 23:40:00", kStr},
        // The count is a whole number, halves to even.
        {u"DATEADD('d',1.5,'2021-01-01')", u"2021-01-03", kStr},
        {u"DATEADD('s',0.5000001,'2021-01-01')", u"2021-01-01 00:00:01", kStr},
        {u"DATEADD('d',2958465,'1899-12-30')", u"9999-12-31", kStr},
        {u"DATEDIFF('q','2021-04-01','2020-12-31')", u"-2", kNum},
        {u"DATEDIFF('m','2021-03-01','2019-12-31')", u"-15", kNum},
        {u"DATEDIFF('y','2021-01-02 00:00:00','2021-01-01 23:59:59')", u"-1", kNum},
        // "w": whole weeks of days, towards zero; "ww": Sundays passed.
        {u"DATEDIFF('W','2021-01-14','2021-01-01')", u"-1", kNum},
        {u"DATEDIFF('ww','2021-01-03','2021-01-02')", u"-1", kNum},
        {u"DATEDIFF('ww','1800-01-04','1800-01-05')", u"1", kNum}, // a Saturday and a Sunday
        {u"DATEDIFF('h','1800-01-01 00:59:59','1800-01-01 01:00:00')", u"1", kNum},
        {u"DATEDIFF('N','1800-01-01 00:00:59','1799-12-31 23:59:59')", u"-1", kNum},
        {u"DATEDIFF('s','0100-01-01','9999-12-31 23:59:59')", u"312413759999", kNum},
        {u"DATESERIAL(2021,-12,1)", u"2019-12-01", kStr},
        {u"DATESERIAL(2000,32767,32767)", u"4820-03-16", kStr},
        {u"DATESERIAL(2021.5,2.5,3.5)", u"2022-02-04", kStr},
        {u"DATESERIAL(10000,1,0)", u"9999-12-31", kStr},
        {u"DATESERIAL(29,12,31)", u"2029-12-31", kStr},
        {u"DATESERIAL(30,1,1)", u"1930-01-01", kStr},
        {u"DATESERIAL(99,13,1)", u"2000-01-01", kStr},
        {u"DATESERIAL(-0.4,1,1)", u"2000-01-01", kStr},
    });
    // Too large counts, unknown codes ("\u017F" folds to S), out of range after carrying, 16 bits.
    ExpectFailures(5, {u"DATEADD('yyyy',2147483647,'2021-01-01')",
                       u"DATEADD('ww',-2147483648,'2021-01-01')", u"DATEADD('',1,'2021-01-01')",
                       u"DATEADD('\u017F',1,'2021-01-01')", u"DATEADD('x',1,'abc')",
                       u"DATEPART('yy','2021-08-15')", u"DATEDIFF('x','2021-01-01','2021-01-01')",
                       u"DATESERIAL(100,1,0)", u"DATESERIAL(-1,1,1)",
                       u"DATESERIAL(32767,-32768,-32768)", u"DATESERIAL(-32768,32767,32767)"});
    ExpectFailures(6, {u"DATEADD('d',2147483648,'2021-01-01')", u"DATESERIAL(40000,1,1)",
                       u"DATESERIAL(2021,32767.5,1)", u"DATESERIAL(2021,1,-32769)"});
}

// The clock lies between two readings around the evaluation.
TEST(EvaluateDateFunctions, ClockReadings) {
    Expression expression;
    const Text before = WriteDateTime(LocalNow());
    const Text now = expression.Evaluate(u"NOW()");
    const Text date = expression.Evaluate(u"date()") + u" " + expression.Evaluate(u"Time()");
    const Text after = WriteDateTime(LocalNow());
    for (const Text& reading : {now, date}) {
        EXPECT_TRUE((before <= reading && reading <= after) || after < before) << Show(reading);
    }
}

// Reads a run of min to max ASCII digits at `at` that no further digit follows.
bool ReadDigits(const std::string& text, std::size_t& at, std::size_t min, std::size_t max,
                int& value) {
    const auto digitAt = [&](std::size_t i) {
        return i < text.size() && text[i] >= '0' && text[i] <= '9';
    };
    std::size_t count = 0;
    for (value = 0; count < max && digitAt(at); ++count, ++at) {
        value = value * 10 + (text[at] - '0');
    }
    return count >= min && !digitAt(at);
}

// Reads "h:m" or "h:m:s" at `at`.
bool ReadTime(const std::string& text, std::size_t& at, int (&hms)[3]) {
    if (!ReadDigits(text, at, 1, 2, hms[0]) || text[at] != ':' ||
        !ReadDigits(text, ++at, 1, 2, hms[1])) {
        return false;
    }
    return text[at] != ':' || ReadDigits(text, ++at, 1, 2, hms[2]);
}

// The date a text names as the test reads it, as "yyyy-mm-dd hh:nn:ss"; "" for anything else.
// It reads "y-m-d", "y/m/d", either with " h:m[:s]" or "Th:m[:s]", and "h:m[:s]" alone (of
// 1899-12-30), between spaces.
std::string ReferenceReading(const std::string& text) {
    int year = 1899, month = 12, day = 30, hms[3] = {0, 0, 0};
    const std::size_t start = text.find_first_not_of(' ');
    std::size_t at = start, end = start;
    if (start == std::string::npos) {
        return "";
    }
    if (ReadDigits(text, at, 3, 4, year) && (text[at] == '-' || text[at] == '/')) {
        const char separator = text[at];
        if (!ReadDigits(text, ++at, 1, 2, month) || text[at] != separator ||
            !ReadDigits(text, ++at, 1, 2, day)) {
            return "";
        }
        end = at;
        if ((text[at] == ' ' || text[at] == 'T') && ReadTime(text, ++at, hms)) {
            end = at;
        } else {
            hms[0] = hms[1] = hms[2] = 0; // not a time: the spaces and the end must follow
        }
    } else {
        at = start;
        year = 1899;
        if (!ReadTime(text, at, hms)) {
            return "";
        }
        end = at;
    }
    if (text.find_first_not_of(' ', end) != std::string::npos) {
        return "";
    }
    const int hour = hms[0], minute = hms[1], second = hms[2];
    if (year < 100 ||
        !std::chrono::year_month_day(std::chrono::year(year), std::chrono::month(unsigned(month)),
                                     std::chrono::day(unsigned(day)))
             .ok() ||
        hour > 23 || minute > 59 || second > 59) {
        return "";
    }
    char written[64];
    std::snprintf(written, sizeof written, "%04d-%02d-%02d %02d:%02d:%02d", year, month, day, hour,
                  minute, second);
    return written;
}

// Edited date texts give the date the reference reads or, through the catch-all, failure 13.
TEST(EvaluateDateFunctions, MalformedDateTextsAreTypeMismatches) {
    const std::string seeds[] = {"2021-03-04 17:06:07",   "17:06:07",
                                 "2024/2/29 5:6",         "0100-01-01T00:00",
                                 " 9999-12-31 23:59:59 ", "1900-02-28"};
    const std::string alphabet = "01234567890123456789-/: T-/: T-/:x.\t+";
    std::mt19937 random(4);
    const auto below = [&](std::size_t n) { return random() % n; };
    Expression expression;
    int rejected = 0;
    for (int i = 0; i < 2000; ++i) {
        std::string text = seeds[below(std::size(seeds))];
        for (std::size_t edits = 1 + below(3); edits > 0; --edits) {
            const std::size_t at = below(text.size() + 1), kind = below(3);
            const char c = alphabet[below(alphabet.size())];
            kind == 0   ? text.insert(at, 1, c)
            : kind == 1 ? text.erase(at, 1)
                        : text.replace(at, 1, 1, c);
        }
        const Text call = u"DATEADD('s',0,'" + AsciiToText(text) + u"')";
        const std::string reference = ReferenceReading(text);
        rejected += reference.empty();
        EXPECT_EQ(expression.Evaluate(call),
                  reference.empty() ? CallFailure(call, 13) : AsciiToText(reference))
            << Show(call);
    }
    EXPECT_TRUE(rejected > 500 && rejected < 1800) << rejected;
}

} // namespace
} // namespace talmiron::e2e
