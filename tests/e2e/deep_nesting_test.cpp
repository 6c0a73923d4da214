// Deeply nested groups and calls end in an error text instead of exhausting
// the stack. The rows run on a thread with a small, fixed stack, so that the
// limits are checked against a known size.
#include "tests/e2e/evaluation_table.h"

#include <gtest/gtest.h>

#include <pthread.h>

#include <cstddef>

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

Text Nested(TextView open, std::size_t depth, TextView inner) {
    return Repeat(open, depth) + Text(inner) + Repeat(u")", depth);
}

void* RunRows(void*) {
    const Text outOfStack = u"9000 ERROR: Unexpected error (Simplify): 28 - Out of stack space, "
                            u"the error occured at line: 1";
    // 480 levels of grouping count the whole text and each argument; 160 of calls.
    ExpectRows({
        {Nested(u"(", 479, u"1"), u"1", kNum},
        {Nested(u"(", 480, u"1"), outOfStack, kErr},
        {Nested(u"(", 100000, u"1"), outOfStack, kErr},
        {Nested(u"ABS(", 160, Nested(u"(", 319, u"1")), u"1", kNum},
        {Nested(u"ABS(", 160, Nested(u"(", 320, u"1")), outOfStack, kErr},
        // The text names the call that would have gone one level too deep.
        {Nested(u"ABS(", 161, u"1"), CallFailure(u"ABS(1)", 28), kErr},
        {Nested(u"ABS(", 100000, u"1"), CallFailure(Nested(u"ABS(", 99840, u"1"), 28), kErr},
        {u"1+1", u"2", kNum},
    });
    return nullptr;
}

TEST(DeepNesting, LimitsOnASmallStack) {
    pthread_attr_t attributes;
    ASSERT_EQ(pthread_attr_init(&attributes), 0);
    ASSERT_EQ(pthread_attr_setstacksize(&attributes, kStackSize), 0);
    pthread_t thread;
    ASSERT_EQ(pthread_create(&thread, &attributes, RunRows, nullptr), 0);
    EXPECT_EQ(pthread_join(thread, nullptr), 0);
    pthread_attr_destroy(&attributes);
}

} // namespace
} // namespace talmiron::e2e
