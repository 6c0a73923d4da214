#include "runtime/random.h"

#include <charconv>
#include <chrono>

namespace talmiron {

namespace {

thread_local std::uint64_t state = 0x9E3779B97F4A7C15u;

// The finalizer of splitmix64: every input bit affects every output bit.
std::uint64_t Mix(std::uint64_t z) {
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
    return z ^ (z >> 31);
}

constexpr int kFractionBits = 24; // all that a single holds exactly

} // namespace

float NextRandom() {
    const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    return NextRandom(static_cast<std::uint64_t>(ticks));
}

float NextRandom(std::uint64_t clockTicks) {
    // The added constant moves the state on even when the clock has not.
    state = Mix((state ^ clockTicks) + 0x9E3779B97F4A7C15u);
    const auto fraction = static_cast<std::uint32_t>(state >> (64 - kFractionBits));
    return static_cast<float>(fraction) / static_cast<float>(1u << kFractionBits);
}

Text RandomText(float value) {
    char buffer[32];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 7);
    const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    if (value < 1 && text == "1") {
        return u"0.9999999";
    }
    return AsciiToText(text);
}

} // namespace talmiron
