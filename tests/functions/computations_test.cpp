#include "functions/computation.h"
#include "tests/test_support.h"

#include <gtest/gtest.h>

#include <vector>

namespace talmiron {
namespace {

const TextView kComputedNames[] = {
    u"ABS",        u"COS",    u"EXP",        u"INT",    u"LOG",      u"RND",     u"SIN",
    u"SQR",        u"TAN",    u"ARCSIN",     u"ARCCOS", u"LEN",      u"VAL",     u"ASC",
    u"CHR",        u"HEX",    u"OCT",        u"ROUND",  u"INSTR",    u"TRIM",    u"RIGHT",
    u"LEFT",       u"STR",    u"RTRIM",      u"LTRIM",  u"LCASE",    u"UCASE",   u"REPLACE",
    u"SPACE",      u"STRING", u"STRREVERSE", u"MID",    u"INSTRREV", u"ATN",     u"SGN",
    u"PI",         u"NOW",    u"DATE",       u"TIME",   u"DATEDIFF", u"DATEADD", u"DATEPART",
    u"DATESERIAL", u"YEAR",   u"MONTH",      u"DAY",    u"HOUR",     u"MINUTE",  u"SECOND",
};

TEST(Computations, EveryFunctionNameHasItsOwnComputation) {
    std::vector<Computation> found;
    for (const TextView name : kComputedNames) {
        const Computation computation = FindComputation(name);
        ASSERT_NE(computation, nullptr) << TextToUtf8(name);
        for (const Computation other : found) {
            EXPECT_NE(computation, other) << TextToUtf8(name);
        }
        found.push_back(computation);
    }
}

// Names come in upper case and match as a whole.
TEST(Computations, OtherNamesHaveNone) {
    for (const TextView name : {u"", u"abs", u"Abs", u"ASIN", u"SQRT", u"ATAN", u"INST",
                                u"INSTRREVX", u"LEN ", u"DATETIME"}) {
        EXPECT_EQ(FindComputation(name), nullptr) << TextToUtf8(name);
    }
}

} // namespace
} // namespace talmiron
