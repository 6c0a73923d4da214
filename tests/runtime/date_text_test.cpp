#include "runtime/date_text.h"

#include "tests/test_support.h"

#include <gtest/gtest.h>

namespace talmiron {
namespace {

using testing::FailureOf;

TEST(DateText, AcceptedFormsReadAsTheMomentTheyName) {
    const std::pair<TextView, TextView> cases[] = {
        {u"2021-03-04", u"2021-03-04 00:00:00"},
        {u"  2021-03-04  ", u"2021-03-04 00:00:00"},
        {u"2021/03/04", u"2021-03-04 00:00:00"},
        {u"2021-3-4", u"2021-03-04 00:00:00"},
        {u"2021-03-04 17:06:07", u"2021-03-04 17:06:07"},
        {u"2021-03-04T17:06:07", u"2021-03-04 17:06:07"},
        {u"2021/3/4 7:6:5", u"2021-03-04 07:06:05"},
        {u"2021-03-04 17:06", u"2021-03-04 17:06:00"},
        {u" 2021-03-04T00:00 ", u"2021-03-04 00:00:00"},
        {u"17:06:07", u"1899-12-30 17:06:07"},
        {u"5:6", u"1899-12-30 05:06:00"},
        {u" 23:59:59 ", u"1899-12-30 23:59:59"},
        {u"00:00", u"1899-12-30 00:00:00"},
        {u"100-01-01", u"0100-01-01 00:00:00"},
        {u"0100-01-01", u"0100-01-01 00:00:00"},
        {u"999-12-31", u"0999-12-31 00:00:00"},
        {u"9999-12-31 23:59:59", u"9999-12-31 23:59:59"},
        {u"2024-02-29", u"2024-02-29 00:00:00"},
        {u"2000-2-29", u"2000-02-29 00:00:00"},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(TextToUtf8(WriteDateTime(ReadDateText(text))), TextToUtf8(expected))
            << TextToUtf8(text);
    }
}

TEST(DateText, WrittenPatternsReadBackUnchanged) {
    for (const TextView text : {u"0100-01-01", u"1899-12-30", u"2021-03-04", u"9999-12-31"}) {
        EXPECT_EQ(WriteDate(ReadDateText(text)), text);
    }
    for (const TextView text : {u"0100-01-01 00:00:00", u"2021-03-04 17:06:07",
                                u"9999-12-31 23:59:59", u"1899-12-30 12:00:00"}) {
        EXPECT_EQ(WriteDateTime(ReadDateText(text)), text);
    }
    for (const TextView text : {u"00:00:00", u"09:05:01", u"23:59:59"}) {
        EXPECT_EQ(WriteTime(ReadDateText(text)), text);
        EXPECT_EQ(ReadDateText(text).DayNumber(), 0);
    }
    EXPECT_EQ(WriteTime(ReadDateText(u"2021-03-04 17:06:07")), u"17:06:07");
    EXPECT_EQ(WriteDate(ReadDateText(u"2021-03-04 17:06:07")), u"2021-03-04");
}

TEST(DateText, EverythingElseIsATypeMismatch) {
    // clang-format off
    const TextView cases[] = {
        u"", u"   ", u"abc", u"2021", u"2021-03", u"10", u"2021-03-04-",
        // fields out of range
        u"2021-02-30", u"2023-02-29", u"1900-02-29", u"2021-13-01", u"2021-00-10", u"2021-01-00",
        u"2021-04-31", u"24:00:00", u"12:60", u"12:00:60", u"99:00", u"0099-12-31", u"099-12-31",
        // too many or too few digits
        u"21-03-04", u"10000-01-01", u"02021-03-04", u"2021-003-04", u"2021-03-004", u"123:00",
        u"12:000", u"1:2:003", u"2021-03-04 5:6:7:8",
        // separators
        u"2021/03-04", u"2021-03/04", u"2021.03.04", u"2021 03 04", u"2021-03-04  17:06",
        u"2021-03-04t17:06", u"2021-03-04T", u"2021-03-04 T", u"2021-03-04 17", u"2021-03-04 17:",
        u"17:06:", u":17:06", u"17::06", u"2021-03-04\t17:06", u"\t2021-03-04", u"2021-03-04\n",
        u"2021-03-04 17:06:07Z", u"2021-03-04 17:06:07.5", u"2021-03-04 -01:00",
        // orders of a locale, signs and look-alike characters
        u"04/03/2021", u"03-04-2021", u"+2021-03-04", u"-2021-03-04", u"2021-+3-04",
        u"\uFF12\uFF10\uFF12\uFF11-03-04", u"2021\u201303\u201304", u"2021-03-04\u00A0",
        u"17\uFF1A06",
    };
    // clang-format on
    for (const TextView text : cases) {
        EXPECT_EQ(FailureOf([&] { ReadDateText(text); }), kTypeMismatch) << TextToUtf8(text);
    }
}

} // namespace
} // namespace talmiron
