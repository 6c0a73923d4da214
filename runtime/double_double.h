// Double-double arithmetic: a value is the unevaluated sum hi + lo of two
// doubles with |lo| <= ulp(hi) / 2, about 106 significant bits. The error-free
// steps use only additions and products of doubles rounded to nearest, so they
// give the same bits on every machine; they need a*b+c never to be contracted
// into a fused multiply-add, which the build forbids.
#pragma once

#include <bit>
#include <cstdint>
#include <optional>

namespace talmiron::dd {

struct DoubleDouble {
    double hi = 0;
    double lo = 0;
};

// a + b exactly, for any a and b.
constexpr DoubleDouble TwoSum(double a, double b) {
    const double s = a + b;
    const double bb = s - a;
    return {s, (a - (s - bb)) + (b - bb)};
}

// a + b exactly, when |a| >= |b| or a is 0.
constexpr DoubleDouble FastTwoSum(double a, double b) {
    const double s = a + b;
    return {s, b - (s - a)};
}

// a = hi + lo with at most 26 significant bits each; |a| < 2^996.
constexpr DoubleDouble Split(double a) {
    const double c = 134217729.0 * a; // 2^27 + 1
    const double hi = c - (c - a);
    return {hi, a - hi};
}

// a * b exactly, unless the product or its error term leaves the double range.
constexpr DoubleDouble TwoProduct(double a, double b) {
    const double p = a * b;
    const DoubleDouble x = Split(a);
    const DoubleDouble y = Split(b);
    const double error = ((x.hi * y.hi - p) + x.hi * y.lo + x.lo * y.hi) + x.lo * y.lo;
    return {p, error};
}

constexpr DoubleDouble Add(DoubleDouble a, DoubleDouble b) {
    const DoubleDouble s = TwoSum(a.hi, b.hi);
    const DoubleDouble t = TwoSum(a.lo, b.lo);
    const DoubleDouble u = FastTwoSum(s.hi, s.lo + t.hi);
    return FastTwoSum(u.hi, u.lo + t.lo);
}

// a + b with an error below 2^-104 (|a| + |b|): for sums that cannot cancel.
constexpr DoubleDouble QuickAdd(DoubleDouble a, DoubleDouble b) {
    const DoubleDouble s = TwoSum(a.hi, b.hi);
    return FastTwoSum(s.hi, s.lo + (a.lo + b.lo));
}

constexpr DoubleDouble Add(DoubleDouble a, double b) {
    const DoubleDouble s = TwoSum(a.hi, b);
    return FastTwoSum(s.hi, s.lo + a.lo);
}

constexpr DoubleDouble Negate(DoubleDouble a) {
    return {-a.hi, -a.lo};
}

constexpr DoubleDouble Subtract(DoubleDouble a, DoubleDouble b) {
    return Add(a, Negate(b));
}

constexpr DoubleDouble Multiply(DoubleDouble a, DoubleDouble b) {
    const DoubleDouble p = TwoProduct(a.hi, b.hi);
    return FastTwoSum(p.hi, p.lo + (a.hi * b.lo + a.lo * b.hi));
}

constexpr DoubleDouble Multiply(DoubleDouble a, double b) {
    const DoubleDouble p = TwoProduct(a.hi, b);
    return FastTwoSum(p.hi, p.lo + a.lo * b);
}

// Two rounds of long division: the second quotient digit corrects the first
// to a relative error below 2^-102.
constexpr DoubleDouble Divide(DoubleDouble a, DoubleDouble b) {
    const double q1 = a.hi / b.hi;
    const DoubleDouble r = Subtract(a, Multiply(b, q1));
    return FastTwoSum(q1, r.hi / b.hi);
}

// c(0) + c(1) z + ... + c(count - 1) z^(count - 1) by Horner's rule, the
// terms from z^exact on small enough to be summed in plain doubles; each
// term must outweigh the sum of the later ones.
template <typename Coefficient>
constexpr DoubleDouble Polynomial(DoubleDouble z, int exact, int count, Coefficient c) {
    double tail = 0;
    for (int i = count - 1; i >= exact; --i) {
        tail = tail * z.hi + c(i).hi;
    }
    DoubleDouble sum = {tail, 0};
    for (int i = exact - 1; i >= 0; --i) {
        sum = QuickAdd(Multiply(sum, z), c(i));
    }
    return sum;
}

// The double nearest to hi + lo: the sum of a normalised pair rounds once.
constexpr double Round(DoubleDouble a) {
    return a.hi + a.lo;
}

// The double nearest to every value within +-error of a.hi + a.lo, a normal
// and normalised pair; nothing where that interval reaches a point halfway
// between two doubles, so that only a closer estimate can tell the rounding.
// The margin on the error covers the rounding of the two comparisons.
constexpr std::optional<double> RoundWithin(DoubleDouble a, double error) {
    constexpr std::uint64_t kExponent = std::uint64_t{0x7ff} << 52;
    const auto bits = std::bit_cast<std::uint64_t>(a.hi);
    const double half = std::bit_cast<double>(bits & kExponent) * 0x1p-53;
    // Below a power of two the doubles lie twice as close.
    const bool powerOfTwo = (bits & ((std::uint64_t{1} << 52) - 1)) == 0;
    const double outwards = a.hi < 0 ? -a.lo : a.lo;
    const double margin = error * (1 + 0x1p-50);
    if (margin < half - outwards && margin < (powerOfTwo ? half / 2 : half) + outwards) {
        return a.hi;
    }
    return std::nullopt;
}

// 2^n for -1022 <= n <= 1023, built from its bits.
constexpr double PowerOfTwo(int n) {
    return std::bit_cast<double>(static_cast<std::uint64_t>(n + 1023) << 52);
}

} // namespace talmiron::dd
