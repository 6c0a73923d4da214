// The date and time functions end to end: results, the failures of the
// call checks, and the platform failures that end in the catch-all.
#include "tests/e2e/evaluation_table.h"

#include "runtime/clock.h"
#include "runtime/date_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace talmiron::e2e {
namespace {

const Text kStringSign = u"1010 ERROR: Unary operator not permitted in string-returning functions.";

// A row whose call ends in the catch-all with the given failure.
Row Failing(const Text& call, std::int32_t failure) {
    return {call, CallFailure(call, failure), kErr};
}

TEST(EvaluateDateFunctions, DateAdd) {
    ExpectRows({
        {u"DATEADD('m',1,'2021-01-31')", u"2021-02-28", kStr},
        {u"DATEADD( 'm' , 1 , '2021-01-31' )", u"2021-02-28", kStr},
        {u"DATEADD('d',1,'2021-12-31')", u"2022-01-01", kStr},
        {u"DATEADD('ww',2,DATESERIAL(2021,12,31))", u"2022-01-14", kStr},
        // Hours, minutes and seconds are written with the time they moved.
        {u"DATEADD('h',5,'2021-01-01 22:00:00')", u"2021-01-02 03:00:00", kStr},
        {u"DATEADD('N',-30,'00:10')", u"1899-12-29 23:40:00", kStr},
        {u"DATEADD('d',1,'2021-01-01')+'x'", u"2021-01-02x", kStr},
        Failing(u"DATEADD('x',1,'2021-01-01')", 5),
        Failing(u"DATEADD('d',1,'9999-12-31')", 5),
        Failing(u"DATEADD('d',2^31,'2021-01-01')", 6),
        Failing(u"DATEADD('d',1,'2021-02-29')", 13),
        {u"-DATEADD('d',1,'2021-01-01')", kStringSign, kErr},
        {u"DATEADD('m','1','x')", u"1019 ERROR: Type mismatch in function argument: 1", kErr},
        {u"DATEADD('m',1,20210131)", u"1019 ERROR: Type mismatch in function argument: 20210131",
         kErr},
        {u"DATEADD('m',1)",
         u"1018 ERROR: Wrong number of arguments in function 'DATEADD('m',1)', expected 3.", kErr},
    });
}

TEST(EvaluateDateFunctions, DateDiffAndDatePart) {
    ExpectRows({
        {u"DATEDIFF('d','2021-01-01','2021-03-01')", u"59", kNum},
        {u"DATEDIFF('d','2021-03-01','2021-01-01')", u"-59", kNum},
        {u"DATEDIFF('yyyy','2020-12-31','2021-01-01')", u"1", kNum},
        {u"DATEDIFF('h','2021-01-01 10:59:59','2021-01-01 11:00:00')", u"1", kNum},
        {u"-DATEDIFF('m','2021-01-31','2021-02-01')*2", u"-2", kNum},
        {u"DATEDIFF('d',DATESERIAL(2021,1,1),DATEADD('m',2,'2021-01-01'))", u"59", kNum},
        Failing(u"DATEDIFF('days','2021-01-01','2021-03-01')", 5),
        Failing(u"DATEDIFF('d','2021-01-01','03/01/2021')", 13),
        {u"DATEDIFF('d','x')",
         u"1018 ERROR: Wrong number of arguments in function 'DATEDIFF('d','x')', expected 3.",
         kErr},
        {u"DATEDIFF('d',1,'x')", u"1019 ERROR: Type mismatch in function argument: 1", kErr},
        {u"DATEPART('w','2021-01-03')", u"1", kNum},
        {u"DATEPART('ww','2021-01-03')", u"2", kNum},
        {u"DATEPART('q','2021-08-15')", u"3", kNum},
        {u"DATEPART('n',' 10:11:12 ')", u"11", kNum},
        Failing(u"DATEPART('',' 10:11:12 ')", 5),
        Failing(u"DATEPART('d','24:00')", 13),
        {u"DATEPART(1,'x')", u"1019 ERROR: Type mismatch in function argument: 1", kErr},
        {u"DATEPART('d')",
         u"1018 ERROR: Wrong number of arguments in function 'DATEPART('d')', expected 2.", kErr},
    });
}

TEST(EvaluateDateFunctions, DateSerialAndComponents) {
    ExpectRows(
        {
            {u"DATESERIAL(2021,3,4)", u"2021-03-04", kStr},
            {u"DATESERIAL(2024,2,30)", u"2024-03-01", kStr},
            {u"DATESERIAL(21,1,1)", u"2021-01-01", kStr},
            {u"DATESERIAL(2021,1,0)", u"2020-12-31", kStr},
            Failing(u"DATESERIAL(40000,1,1)", 6),
            Failing(u"DATESERIAL(100,1,0)", 5),
            {u"DATESERIAL('2021',3,4)", u"1019 ERROR: Type mismatch in function argument: 2021",
             kErr},
            {u"DATESERIAL(2021,3)",
             u"1018 ERROR: Wrong number of arguments in function 'DATESERIAL(2021,3)', expected 3.",
             kErr},
            {u"YEAR('2021-03-04')", u"2021", kNum},
            {u"YEAR('05:06:07')", u"1899", kNum},
            {u"YEAR(D)+1", u"2022", kNum},
            {u"MONTH('2021/3/4')", u"3", kNum},
            {u"DAY(D)", u"4", kNum},
            {u"-DAY('2021-03-04')", u"-4", kNum},
            {u"HOUR('2021-03-04 05:06:07')", u"5", kNum},
            {u"HOUR('2021-03-04T17:06')", u"17", kNum},
            {u"MINUTE('05:06:07')", u"6", kNum},
            {u"SECOND('05:06:07')", u"7", kNum},
            {u"SECOND(D)", u"7", kNum},
            Failing(u"YEAR('abc')", 13),
            Failing(u"MONTH('2021-13-01')", 13),
            Failing(u"DAY('2021-02-29')", 13),
            Failing(u"HOUR('24:00:00')", 13),
            Failing(u"MINUTE('12:60')", 13),
            Failing(u"SECOND('12:00:60')", 13),
            {u"1+YEAR('x')", CallFailure(u"YEAR('x')", 13), kErr},
            {u"YEAR(2021)", u"1019 ERROR: Type mismatch in function argument: 2021", kErr},
            {u"MINUTE(N)", u"1019 ERROR: Type mismatch in function argument: 5", kErr},
            {u"YEAR(1/0)", u"1005 ERROR: Division by zero.", kErr},
            {u"YEAR()", u"1018 ERROR: Wrong number of arguments in function 'YEAR()', expected 1.",
             kErr},
            {u"SECOND('a','b')",
             u"1018 ERROR: Wrong number of arguments in function 'SECOND('a','b')', expected 1.",
             kErr},
        },
        {{u"D", EvaluationTypes_String, u"2021-03-04 05:06:07"},
         {u"N", EvaluationTypes_Numeric, u"5"}});
}

// The clock readings have their patterns, lie between two readings taken
// around the evaluation, and are accepted again as dates.
TEST(EvaluateDateFunctions, ClockReadings) {
    struct Case {
        TextView expression;
        Text (*write)(const DateTime&);
    };
    Expression expression;
    for (const Case c : {Case{u"NOW()", WriteDateTime}, Case{u"date()", WriteDate},
                         Case{u"Time()", WriteTime}, Case{u"DATEADD('d',0,NOW())", WriteDate},
                         Case{u"DATESERIAL(YEAR(DATE()),MONTH(NOW()),DAY(NOW()))", WriteDate}}) {
        const Text before = c.write(LocalNow());
        EvaluationStates state = kNone;
        const Text result = expression.Evaluate(c.expression, &state);
        const Text after = c.write(LocalNow());
        EXPECT_EQ(state, kStr) << Show(result);
        EXPECT_EQ(result.size(), before.size()) << Show(result);
        if (before <= after) { // a time of day goes back at midnight
            EXPECT_TRUE(before <= result && result <= after) << Show(result);
        }
        EXPECT_EQ(c.write(ReadDateText(result)), result);
    }
    ExpectRows({
        {u"NOW(1)", u"1018 ERROR: Wrong number of arguments in function 'NOW(1)', expected 0.",
         kErr},
        {u"DATE(1)", u"1018 ERROR: Wrong number of arguments in function 'DATE(1)', expected 0.",
         kErr},
        {u"TIME('x')",
         u"1018 ERROR: Wrong number of arguments in function 'TIME('x')', expected 0.", kErr},
        {u"-NOW()", kStringSign, kErr},
        {u"LEN(TIME())", u"8", kNum},
        {u"LEN(NOW())-LEN(DATE())", u"9", kNum},
    });
}

// The date a text names as the test reads it, written as
// "yyyy-mm-dd hh:nn:ss"; none for anything else. The text is cut into runs
// of digits and single other characters, and the runs are matched against
// the accepted forms.
std::optional<std::string> ReferenceReading(std::string text) {
    text.erase(0, text.find_first_not_of(' '));
    text.erase(text.find_last_not_of(' ') + 1);
    std::vector<std::string> runs;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t end = i;
        while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end]))) {
            ++end;
        }
        end = std::max(end, i + 1);
        runs.push_back(text.substr(i, end - i));
        i = end;
    }
    std::size_t next = 0;
    const auto digits = [&](std::size_t least, std::size_t most) -> std::optional<int> {
        if (next >= runs.size() || !std::isdigit(static_cast<unsigned char>(runs[next][0])) ||
            runs[next].size() < least || runs[next].size() > most) {
            return std::nullopt;
        }
        return std::stoi(runs[next++]);
    };
    const auto take = [&](const char* mark) {
        return next < runs.size() && runs[next] == mark && ++next;
    };
    int year = 1899, month = 12, day = 30, hour = 0, minute = 0, second = 0;
    const bool timeAlone = runs.size() > 1 && runs[1] == ":";
    if (!timeAlone) {
        const auto y = digits(3, 4);
        const char* separator = take("-") ? "-" : take("/") ? "/" : nullptr;
        const auto m = digits(1, 2);
        const auto d = separator != nullptr && take(separator) ? digits(1, 2) : std::nullopt;
        if (!y || !m || !d) {
            return std::nullopt;
        }
        year = *y, month = *m, day = *d;
    }
    if (timeAlone || take(" ") || take("T")) {
        const auto h = digits(1, 2);
        const auto n = take(":") ? digits(1, 2) : std::nullopt;
        const auto sec = take(":") ? digits(1, 2) : std::optional<int>(0);
        if (!h || !n || !sec) {
            return std::nullopt;
        }
        hour = *h, minute = *n, second = *sec;
    }
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    const int lengths[] = {31, leap ? 29 : 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (next != runs.size() || year < 100 || month < 1 || month > 12 || day < 1 ||
        day > lengths[month - 1] || hour > 23 || minute > 59 || second > 59) {
        return std::nullopt;
    }
    const auto pad = [](int value, std::size_t width) {
        const std::string written = std::to_string(value);
        return std::string(width - written.size(), '0') + written;
    };
    return pad(year, 4) + "-" + pad(month, 2) + "-" + pad(day, 2) + " " + pad(hour, 2) + ":" +
           pad(minute, 2) + ":" + pad(second, 2);
}

// Mutants of well-formed date texts: each is either the date the reference
// reads or, through the catch-all, a type mismatch; never another date.
TEST(EvaluateDateFunctions, MalformedDateTextsAreTypeMismatches) {
    const std::string seeds[] = {
        "2021-03-04",       "2021-03-04 17:06:07",   "17:06:07",   "2024/2/29 5:6",
        "0100-01-01T00:00", " 9999-12-31 23:59:59 ", "1900-02-28", "23:59"};
    const std::string alphabet = "01234567890123456789-/: T-/: T-/:x.\t+";
    std::mt19937 random(4);
    const auto below = [&](std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(random);
    };
    Expression expression;
    int rejected = 0;
    for (int i = 0; i < 2000; ++i) {
        std::string text = seeds[below(std::size(seeds))];
        for (std::size_t edits = 1 + below(3); edits > 0; --edits) {
            const std::size_t at = below(text.size() + 1);
            const char c = alphabet[below(alphabet.size())];
            switch (below(3)) {
            case 0:
                text.insert(at, 1, c);
                break;
            case 1:
                if (at < text.size()) {
                    text.erase(at, 1);
                }
                break;
            default:
                if (at < text.size()) {
                    text[at] = c;
                }
            }
        }
        const Text call = u"DATEADD('s',0,'" + AsciiToText(text) + u"')";
        const Text result = expression.Evaluate(call, nullptr);
        const std::optional<std::string> reference = ReferenceReading(text);
        if (reference) {
            EXPECT_EQ(TextToUtf8(result), *reference) << Show(call);
        } else {
            EXPECT_EQ(TextToUtf8(result), TextToUtf8(CallFailure(call, 13))) << Show(call);
            ++rejected;
        }
    }
    EXPECT_GT(rejected, 500);
    EXPECT_LT(rejected, 1800);
}

} // namespace
} // namespace talmiron::e2e
