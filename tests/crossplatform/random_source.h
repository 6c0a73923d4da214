// A fixed-seed source of random bits and of doubles built from them without
// any rounding, so that every build, whatever its floating-point unit, draws
// exactly the same inputs.
#pragma once

#include <bit>
#include <cstdint>

namespace talmiron::crossplatform {

// SplitMix64: small, fast and the same everywhere.
class RandomSource {
  public:
    explicit RandomSource(std::uint64_t seed) : state_(seed) {}

    std::uint64_t Next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EB;
        return z ^ (z >> 31);
    }
    // Uniform enough in 0 to count - 1 for a corpus.
    std::uint64_t Below(std::uint64_t count) { return Next() % count; }
    std::int64_t Between(std::int64_t low, std::int64_t high) {
        return low + static_cast<std::int64_t>(Below(static_cast<std::uint64_t>(high - low) + 1));
    }
    bool Coin() { return (Next() >> 63) != 0; }

    // Sign and fraction at random, the binary exponent in low to high - 1
    // (from -1074 upwards, subnormals included).
    double Magnitude(int low, int high) {
        const std::int64_t exponent = Between(low, high - 1);
        const std::uint64_t bits = Next();
        const std::uint64_t sign = bits & 0x8000'0000'0000'0000;
        std::uint64_t fraction = bits & 0x000F'FFFF'FFFF'FFFF;
        if (exponent < -1022) {
            // A subnormal of the exponent's size: its leading bit set.
            const int shift = static_cast<int>(-1022 - exponent);
            fraction = (fraction | 0x0010'0000'0000'0000) >> shift;
            return std::bit_cast<double>(sign | fraction);
        }
        const auto biased = static_cast<std::uint64_t>(exponent + 1023);
        return std::bit_cast<double>(sign | biased << 52 | fraction);
    }
    // A multiple of 2^-40 in -limit to limit: exact in every build.
    double Uniform(std::int64_t limit) {
        constexpr std::int64_t kSteps = std::int64_t{1} << 40;
        return static_cast<double>(Between(-limit * kSteps, limit * kSteps)) * 0x1p-40;
    }
    // The n-th neighbour of x on either side, counted in units of its last place.
    static double Neighbour(double x, std::int64_t n) {
        return std::bit_cast<double>(std::bit_cast<std::uint64_t>(x) +
                                     static_cast<std::uint64_t>(n));
    }

  private:
    std::uint64_t state_;
};

} // namespace talmiron::crossplatform
