#include "engine/rounded_digits.h"

#include <bit>

namespace talmiron {

namespace {

constexpr std::uint64_t kLeast = 100'000'000'000'000; // 10^14
constexpr std::uint64_t kBound = 10 * kLeast;         // 10^15

// 5^0 .. 5^27, the powers that fit 64 bits: scales up to 10^27 stay exact.
constexpr int kMaxScale = 27;
constexpr auto kPowersOfFive = [] {
    struct {
        std::uint64_t at[kMaxScale + 1];
    } table{};
    table.at[0] = 1;
    for (int i = 1; i <= kMaxScale; ++i) {
        table.at[i] = table.at[i - 1] * 5;
    }
    return table;
}();

struct Wide {
    std::uint64_t high;
    std::uint64_t low;
};

// The full 128-bit product, in halves so that 32-bit builds have it too.
Wide Multiply(std::uint64_t a, std::uint64_t b) {
    const std::uint64_t mask = 0xFFFFFFFF;
    const std::uint64_t p00 = (a & mask) * (b & mask);
    const std::uint64_t p01 = (a & mask) * (b >> 32);
    const std::uint64_t p10 = (a >> 32) * (b & mask);
    const std::uint64_t p11 = (a >> 32) * (b >> 32);
    const std::uint64_t middle = (p00 >> 32) + (p01 & mask) + (p10 & mask);
    return {p11 + (p01 >> 32) + (p10 >> 32) + (middle >> 32), (middle << 32) | (p00 & mask)};
}

// What was cut off below the last digit kept, against half a unit of it.
enum class Rest { Zero, Below, Half, Above };

Rest RestOf(bool halfBit, bool anyBelow) {
    if (halfBit) {
        return anyBelow ? Rest::Above : Rest::Half;
    }
    return anyBelow ? Rest::Below : Rest::Zero;
}

bool Bit(const Wide& p, int i) {
    return ((i >= 64 ? p.high >> (i - 64) : p.low >> i) & 1) != 0;
}

// Whether any of the bits below position i is set.
bool AnyBelow(const Wide& p, int i) {
    if (i <= 0) {
        return false;
    }
    if (i < 64) {
        return (p.low & ((std::uint64_t{1} << i) - 1)) != 0;
    }
    return p.low != 0 || (i > 64 && (p.high & ((std::uint64_t{1} << (i - 64)) - 1)) != 0);
}

// p / 2^shift for 0 < shift < 128, and how the remainder compares with half.
std::uint64_t ShiftRight(const Wide& p, int shift, Rest& rest) {
    rest = RestOf(Bit(p, shift - 1), AnyBelow(p, shift - 1));
    if (shift >= 64) {
        return p.high >> (shift - 64);
    }
    return (p.high << (64 - shift)) | (p.low >> shift);
}

// n / d, and how the remainder compares with half of d (d below 2^62).
std::uint64_t Divide(std::uint64_t n, std::uint64_t d, Rest& rest) {
    const std::uint64_t r = n % d;
    rest = r == 0 ? Rest::Zero : 2 * r < d ? Rest::Below : 2 * r == d ? Rest::Half : Rest::Above;
    return n / d;
}

} // namespace

std::optional<RoundedDigits> RoundTo15Digits(double value) {
    const std::uint64_t bits = std::bit_cast<std::uint64_t>(value);
    const int biased = static_cast<int>((bits >> 52) & 0x7FF);
    if (biased == 0 || biased == 0x7FF) { // zero, subnormal, infinite or NaN
        return std::nullopt;
    }
    // |value| = m × 2^b with 2^52 <= m < 2^53.
    const std::uint64_t m = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
    const int b = biased - 1075;
    // floor(log10 2^(b + 52)): the decimal exponent of |value|, or one less.
    int exponent = ((b + 52) * 78913) >> 18;
    const int scale = 14 - exponent;
    if (scale > kMaxScale || b > 11) {
        return std::nullopt;
    }

    // |value| × 10^scale, which lies in [10^14, 10^16), cut to an integer.
    std::uint64_t cut = 0;
    Rest rest = Rest::Zero;
    if (scale >= 0) {
        // m × 5^scale × 2^(b + scale): exact in 128 bits, then shifted down.
        const int shift = -(b + scale);
        if (shift <= 0 || shift >= 128) {
            return std::nullopt;
        }
        cut = ShiftRight(Multiply(m, kPowersOfFive.at[scale]), shift, rest);
    } else {
        // Below 2^64: m × 2^b / 10^-scale as one integer division.
        std::uint64_t n = m;
        std::uint64_t d = 1;
        for (int i = scale; i < 0; ++i) {
            d *= 10;
        }
        if (b >= 0) {
            n <<= b;
        } else if (b > -8) {
            d <<= -b;
        } else {
            return std::nullopt;
        }
        cut = Divide(n, d, rest);
    }
    if (cut < kLeast || cut >= 10 * kBound) {
        return std::nullopt;
    }
    // Sixteen digits: the estimate was one short, so drop the last digit.
    if (cut >= kBound) {
        const int last = static_cast<int>(cut % 10);
        cut /= 10;
        ++exponent;
        rest = last < 5             ? Rest::Below
               : last > 5           ? Rest::Above
               : rest == Rest::Zero ? Rest::Half
                                    : Rest::Above;
    }
    if (rest == Rest::Above || (rest == Rest::Half && cut % 2 != 0)) {
        if (++cut == kBound) {
            cut = kLeast;
            ++exponent;
        }
    }
    return RoundedDigits{cut, exponent};
}

} // namespace talmiron
