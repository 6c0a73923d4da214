// Hosts with several apartments evaluate on several threads at once, one object
// per thread. Eight threads, each with its own Expression and symbols, evaluate
// every function over and over; every result must be the one a single thread gets.
#include "component/expression.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

namespace talmiron {
namespace {

// Every function, symbols of each kind, groups, failures; the clock where it cannot show.
const char16_t* const kFixed[] = {
    u"ABS(-Rate)+COS(0)+EXP(1)+INT(-2.5)+LOG(10)+SIN(1)+SQR(2)+TAN(1)+INSTRREV(Name,'b',-1)",
    u"ATN(1)+SGN(0-3)+PI()+ROUND(2.675,2)+LEN(Name)+VAL('12abc')+ASC('A')+OCT(64)+ARCCOS(0.5)+"
    u"LEN(NOW()+DATE()+TIME())+INT(RND())+ARCSIN(0.5)+INSTR(1,Name,'o')+HOUR('1:2')+MINUTE('1:2')",
    u"DATEDIFF('d','2020-1-1','2021-3-1')+DATEPART('ww','2021-6-15')+YEAR('2021-6-15 1:2:3')+"
    u"MONTH('2021-6-1')+DAY('1999-2-3')+SECOND('1:2:3')",
    u"CHR(65)+HEX(255)+TRIM('  a ')+RIGHT(Name,2)+LEFT(Name,1)+STR(1/3)+RTRIM('a  ')+LTRIM('  b')",
    u"LCASE('ÀB')+UCASE('àb')+REPLACE(Name,'o','0')+SPACE(3)+STRING(3,'''')+STRREVERSE(Name)",
    u"MID(Name,2,1)+(Name)+DATEADD('h',5,'2021-01-01 22:00:00')+DATESERIAL(2021,14,35)",
    u"((Other))",
    u"SPACE(-1)",
    u"1/(Rate-.25)"};

std::unique_ptr<Expression> WithSymbols() {
    auto expression = std::make_unique<Expression>();
    expression->Symbols()->Add(u"Rate", EvaluationTypes_Numeric, u"0.25");
    expression->Symbols()->Add(u"Name", EvaluationTypes_String, u"Bob o'b");
    expression->Symbols()->Add(u"Other", 7, u"(");
    return expression;
}

std::vector<Text> Results(Expression& expression) {
    std::vector<Text> results;
    for (const char16_t* text : kFixed) {
        EvaluationStates state = EvaluationStates_None;
        results.push_back(expression.Evaluate(text, &state) + char16_t(u'0' + state));
    }
    return results;
}

TEST(Threads, EightObjectsOnEightThreadsGiveTheSingleThreadedResults) {
    const std::vector<Text> expected = Results(*WithSymbols());
    std::atomic<int> mismatches{0};
    std::vector<std::jthread> threads;
    for (int t = 0; t < 8; ++t) {
        threads.emplace_back([&] {
            const auto expression = WithSymbols();
            for (int round = 0; round < 300; ++round) {
                mismatches += Results(*expression) != expected;
            }
        });
    }
    threads.clear(); // joins them
    EXPECT_EQ(mismatches, 0);
}

} // namespace
} // namespace talmiron
