// Hosts with several apartments evaluate on several threads at once, one
// object per thread. Eight threads, each with its own Expression and
// symbols, evaluate a mix of every function over and over; every result
// must be the one a single thread gets.
#include "component/expression.h"
#include "runtime/text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace talmiron {
namespace {

struct Evaluation {
    Text text;
    EvaluationStates state = EvaluationStates_None;
    bool operator==(const Evaluation&) const = default;
};

// Every function at least once, with symbols of each kind and groups.
const char16_t* const kFixed[] = {
    u"ABS(-Rate)+COS(0)+EXP(1)+INT(-2.5)+LOG(10)+SIN(1)+SQR(2)+TAN(1)",
    u"ARCSIN(0.5)+ARCCOS(0.5)+ATN(1)+SGN(0-3)+PI()+ROUND(2.675,2)",
    u"LEN(Name)+VAL('12abc')+ASC('A')+OCT(64)+INSTR(1,Name,'o')+INSTRREV(Name,'b',-1)",
    u"CHR(65)+HEX(255)+TRIM('  a ')+RIGHT(Name,2)+LEFT(Name,1)+STR(1/3)",
    u"RTRIM('a  ')+LTRIM('  b')+LCASE('ÀB')+UCASE('àb')+REPLACE(Name,'o','0')",
    u"SPACE(3)+STRING(3,'''')+STRREVERSE(Name)+MID(Name,2,1)+(Quotes)",
    u"DATEDIFF('d','2020-01-01','2021-03-01')+DATEPART('ww','2021-06-15')",
    u"DATEADD('h',5,'2021-01-01 22:00:00')+' '+DATESERIAL(2021,14,35)",
    u"YEAR('2021-06-15 12:34:56')+MONTH('2021-06-15')+DAY('2021-06-15')",
    u"HOUR('12:34:56')+MINUTE('12:34:56')+SECOND('12:34:56')",
    u"((Other))",
    u"SPACE(-1)",
    u"LOG(0)",
    u"1/(Rate-0.25)",
};

struct Shaped {
    const char16_t* text;
    EvaluationStates state;
    // "d" stands for a digit, "*" for any further digits and points.
    const char16_t* shape;
};

// The clock and the random numbers: only the form of the result is fixed.
const Shaped kShaped[] = {
    {u"NOW()", EvaluationStates_String, u"dddd-dd-dd dd:dd:dd"},
    {u"DATE()", EvaluationStates_String, u"dddd-dd-dd"},
    {u"TIME()", EvaluationStates_String, u"dd:dd:dd"},
    {u"RND()+1", EvaluationStates_Numeric, u"1*"},
};

bool Fits(TextView text, TextView shape) {
    const auto digit = [](char16_t c) { return c >= u'0' && c <= u'9'; };
    for (std::size_t i = 0; i < shape.size(); ++i) {
        if (shape[i] == u'*') {
            return std::all_of(text.begin() + i, text.end(),
                               [&](char16_t c) { return digit(c) || c == u'.'; });
        }
        if (i >= text.size() || (shape[i] == u'd' ? !digit(text[i]) : text[i] != shape[i])) {
            return false;
        }
    }
    return text.size() == shape.size();
}

void AddSymbols(Expression& expression) {
    expression.Symbols()->Add(u"Rate", EvaluationTypes_Numeric, u"0.25");
    expression.Symbols()->Add(u"Name", EvaluationTypes_String, u"Bob o'b");
    expression.Symbols()->Add(u"Quotes", EvaluationTypes_String, u"''");
    expression.Symbols()->Add(u"Other", 7, u"(");
}

Evaluation Evaluate(Expression& expression, const char16_t* text) {
    Evaluation result;
    result.text = expression.Evaluate(text, &result.state);
    return result;
}

TEST(Threads, EightObjectsOnEightThreadsGiveTheSingleThreadedResults) {
    std::vector<Evaluation> expected;
    {
        Expression expression;
        AddSymbols(expression);
        for (const char16_t* text : kFixed) {
            expected.push_back(Evaluate(expression, text));
        }
    }
    constexpr int kThreads = 8;
    constexpr int kRounds = 300;
    std::atomic<int> mismatches{0};
    std::atomic<int> misshapen{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&] {
            Expression expression;
            AddSymbols(expression);
            for (int round = 0; round < kRounds; ++round) {
                for (std::size_t i = 0; i < std::size(kFixed); ++i) {
                    if (!(Evaluate(expression, kFixed[i]) == expected[i])) {
                        ++mismatches;
                    }
                }
                for (const Shaped& shaped : kShaped) {
                    const Evaluation result = Evaluate(expression, shaped.text);
                    if (result.state != shaped.state || !Fits(result.text, shaped.shape)) {
                        ++misshapen;
                    }
                }
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(mismatches, 0);
    EXPECT_EQ(misshapen, 0);
}

} // namespace
} // namespace talmiron
