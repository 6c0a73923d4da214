// Up to 2^20, x - k pi/2 with the nearest whole k and pi/2 in three parts:
// the products of k (20 bits) by the first two are exact, the rounding of the
// third and what is left of pi/2 cost below 2^-140, against remainders of at
// least about 2^-62.
//
// Beyond, reduction by the bits of 2/pi (Payne and Hanek): x = m * 2^e with a
// 53-bit integer m, and x * 2/pi modulo 4 needs only the bits of 2/pi from
// about e - 2 places after the point onwards, since the earlier bits give
// multiples of 4. The product of m by nine 32-bit limbs of 2/pi is formed
// exactly in integers, leaving at least 250 bits after the point; the
// fraction, read as a double-double, times pi/2 is the remainder. The dropped
// bits of 2/pi cost less than 2^-200.
#include "runtime/trig_reduction.h"

#include "runtime/math_constants.h"

#include <bit>
#include <cmath>
#include <cstdint>

namespace talmiron {

namespace {

constexpr int kWindow = 9;            // limbs of 2/pi in the product
constexpr int kProduct = kWindow + 2; // limbs of the product
constexpr int kFractionChunks = 7;    // 224 bits of the fraction
constexpr double kQuarterPi = 0x1.921fb54442d18p-1;
constexpr double kShortReduction = 0x1p20;
constexpr double kTwoOverPiNearest = 0x1.45f306dc9c883p-1;

using math_constants::kHalfPi;

using Limbs = std::uint32_t[kProduct];

// The 32 bits of the product from bit `position` upwards (zero below bit 0).
std::uint32_t Chunk(const Limbs& product, int position) {
    const int limb = position >= 0 ? position / 32 : -((31 - position) / 32);
    const int shift = position - 32 * limb;
    const auto at = [&](int i) -> std::uint64_t { return i >= 0 && i < kProduct ? product[i] : 0; };
    const std::uint64_t pair = at(limb) | at(limb + 1) << 32;
    return static_cast<std::uint32_t>(pair >> shift);
}

ReducedAngle ShortReduction(double x) {
    const double k = std::floor(x * kTwoOverPiNearest + 0.5);
    dd::DoubleDouble r = dd::Subtract({x, 0}, dd::TwoProduct(k, kHalfPi[0]));
    r = dd::Subtract(r, dd::TwoProduct(k, kHalfPi[1]));
    r = dd::Add(r, -k * kHalfPi[2]);
    return {static_cast<int>(static_cast<std::int64_t>(k) & 3), r};
}

ReducedAngle LongReduction(double magnitude) {
    const auto bits = std::bit_cast<std::uint64_t>(magnitude);
    const int e = static_cast<int>(bits >> 52) - 1075;
    const std::uint64_t m = (bits & ((std::uint64_t{1} << 52) - 1)) | std::uint64_t{1} << 52;

    const int first = e >= 2 ? (e - 2) / 32 : 0;
    const std::uint32_t factor[2] = {static_cast<std::uint32_t>(m),
                                     static_cast<std::uint32_t>(m >> 32)};
    Limbs product = {};
    for (int j = 0; j < 2; ++j) {
        std::uint64_t carry = 0;
        for (int k = 0; k < kWindow; ++k) {
            const std::uint64_t limb = math_constants::kTwoOverPi[first + kWindow - 1 - k];
            const std::uint64_t t = limb * factor[j] + product[k + j] + carry;
            product[k + j] = static_cast<std::uint32_t>(t);
            carry = t >> 32;
        }
        product[kWindow + j] = static_cast<std::uint32_t>(carry);
    }

    // The binary point lies `point` bits above the product's lowest bit.
    const int point = 32 * (first + kWindow) - e;
    int quadrant = static_cast<int>(Chunk(product, point) & 3);
    std::uint32_t chunks[kFractionChunks];
    for (int k = 0; k < kFractionChunks; ++k) {
        chunks[k] = Chunk(product, point - 32 * (k + 1));
    }
    // A fraction of a half or more belongs to the next quadrant: 1 - f, whose
    // bits are those of f inverted (the lost 2^-224 does not matter).
    const bool next = (chunks[0] >> 31) != 0;
    if (next) {
        quadrant = (quadrant + 1) & 3;
        for (auto& chunk : chunks) {
            chunk = ~chunk;
        }
    }
    dd::DoubleDouble fraction;
    for (int k = kFractionChunks - 1; k >= 0; --k) {
        const double scale = dd::PowerOfTwo(-32 * (k + 1));
        fraction = dd::Add(fraction, static_cast<double>(chunks[k]) * scale);
    }
    const dd::DoubleDouble remainder = dd::Multiply(fraction, {kHalfPi[0], kHalfPi[1]});
    return {quadrant, next ? dd::Negate(remainder) : remainder};
}

} // namespace

ReducedAngle ReduceAngle(double x) {
    const bool negative = x < 0;
    const double magnitude = negative ? -x : x;
    if (magnitude <= kQuarterPi) {
        return {0, {x, 0}};
    }
    const ReducedAngle angle =
        magnitude < kShortReduction ? ShortReduction(magnitude) : LongReduction(magnitude);
    if (!negative) {
        return angle;
    }
    return {(4 - angle.quadrant) & 3, dd::Negate(angle.remainder)};
}

} // namespace talmiron
