// Deeply nested groups and calls end in an error text instead of exhausting
// the stack. Each evaluation runs on a thread of its own with a small,
// fixed stack, so that the limit is checked against a known size.
#include "tests/e2e/evaluation_table.h"

#include "component/expression.h"

#include <gtest/gtest.h>

#include <pthread.h>

#include <algorithm>
#include <cstddef>
#include <string>

#if defined(__SANITIZE_ADDRESS__)
#define TALMIRON_TEST_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TALMIRON_TEST_ASAN 1
#endif
#endif

namespace talmiron::e2e {
namespace {

#ifdef TALMIRON_TEST_ASAN
// AddressSanitizer puts red zones around the locals of every frame, which
// makes the frames several times larger; the depth that fits in 1 MiB
// natively needs a larger stack there.
constexpr std::size_t kStackSize = std::size_t{16} << 20;
#else
constexpr std::size_t kStackSize = std::size_t{1} << 20;
#endif

struct Outcome {
    Text result;
    EvaluationStates state = EvaluationStates_None;
    // The same object evaluates normally afterwards.
    Text after;
    EvaluationStates afterState = EvaluationStates_None;
};

struct Job {
    const Text* expression;
    Outcome outcome;
};

void* RunJob(void* argument) {
    Job& job = *static_cast<Job*>(argument);
    Expression expression;
    job.outcome.result = expression.Evaluate(*job.expression, &job.outcome.state);
    job.outcome.after = expression.Evaluate(u"1+1", &job.outcome.afterState);
    return nullptr;
}

// Evaluates on a thread with a stack of kStackSize; the checks stay on the
// calling thread.
Outcome EvaluateOnSmallStack(const Text& text) {
    Job job{&text, {}};
    pthread_attr_t attributes;
    EXPECT_EQ(pthread_attr_init(&attributes), 0);
    EXPECT_EQ(pthread_attr_setstacksize(&attributes, kStackSize), 0);
    pthread_t thread;
    const int created = pthread_create(&thread, &attributes, RunJob, &job);
    EXPECT_EQ(created, 0);
    if (created == 0) {
        EXPECT_EQ(pthread_join(thread, nullptr), 0);
    }
    pthread_attr_destroy(&attributes);
    return job.outcome;
}

Text NestedGroups(std::size_t depth) {
    return Repeat(u"(", depth) + u"1" + Repeat(u")", depth);
}

Text NestedCalls(std::size_t depth) {
    return Repeat(u"ABS(", depth) + u"1" + Repeat(u")", depth);
}

void ExpectUsableAfterwards(const Outcome& outcome) {
    EXPECT_EQ(TextToUtf8(outcome.after), "2");
    EXPECT_EQ(outcome.afterState, kNum);
}

TEST(DeepNesting, ManyGroupsEvaluate) {
    const Outcome outcome = EvaluateOnSmallStack(NestedGroups(200));
    EXPECT_EQ(TextToUtf8(outcome.result), "1");
    EXPECT_EQ(outcome.state, kNum);
}

TEST(DeepNesting, ManyCallsEvaluate) {
    const Outcome outcome = EvaluateOnSmallStack(NestedCalls(100));
    EXPECT_EQ(TextToUtf8(outcome.result), "1");
    EXPECT_EQ(outcome.state, kNum);
}

TEST(DeepNesting, TooManyGroupsAreOutOfStackSpace) {
    const Outcome outcome = EvaluateOnSmallStack(NestedGroups(100000));
    EXPECT_EQ(TextToUtf8(outcome.result),
              "9000 ERROR: Unexpected error (Simplify): 28 - Out of stack space, the error "
              "occured at line: 1");
    EXPECT_EQ(outcome.state, kErr);
    ExpectUsableAfterwards(outcome);
}

TEST(DeepNesting, TooManyCallsAreOutOfStackSpace) {
    const Outcome outcome = EvaluateOnSmallStack(NestedCalls(100000));
    EXPECT_EQ(outcome.state, kErr);
    ExpectUsableAfterwards(outcome);

    // The text names the call that was being evaluated when the limit was
    // reached: some innermost part of the expression, ABS(...ABS(1)...).
    const std::string result = TextToUtf8(outcome.result);
    const std::string prefix = "ERROR: Unexpected error during function evaluation [";
    const std::string suffix = "]; 28 - Out of stack space";
    ASSERT_TRUE(result.starts_with(prefix) && result.ends_with(suffix))
        << result.substr(0, 200) << " ... "
        << result.substr(result.size() - std::min<std::size_t>(result.size(), 200));
    const std::string call =
        result.substr(prefix.size(), result.size() - prefix.size() - suffix.size());
    const std::size_t depth = (call.size() - 1) / 5;
    ASSERT_EQ(call.size(), depth * 5 + 1) << call.substr(0, 200);
    ASSERT_GE(depth, 1u);
    EXPECT_LE(depth, 100000u - 100u) << "at least 100 calls fit before the limit";
    EXPECT_TRUE(call == TextToUtf8(NestedCalls(depth))) << call.substr(0, 200);
}

} // namespace
} // namespace talmiron::e2e
