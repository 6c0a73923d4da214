// Fixed-seed random bits, and doubles built from them without rounding, so
// that every build, whatever its floating-point unit, draws the same inputs.
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
    // (from -1074 upwards, subnormals with their leading bit set).
    double Magnitude(int low, int high) {
        const std::int64_t exponent = Between(low, high - 1);
        const std::uint64_t bits = Next();
        const std::uint64_t fraction = bits & 0x000F'FFFF'FFFF'FFFF;
        const std::uint64_t body =
            exponent < -1022 ? (fraction | std::uint64_t{1} << 52) >> (-1022 - exponent)
                             : fraction | static_cast<std::uint64_t>(exponent + 1023) << 52;
        return std::bit_cast<double>((bits & 0x8000'0000'0000'0000) | body);
    }
    // A multiple of 2^-40 in -limit to limit: exact in every build.
    double Uniform(std::int64_t limit) {
        constexpr std::int64_t kSteps = std::int64_t{1} << 40;
        return static_cast<double>(Between(-limit * kSteps, limit * kSteps)) * 0x1p-40;
    }

  private:
    std::uint64_t state_;
};

// The n-th neighbour of x on either side, counted in units of its last place.
inline double Neighbour(double x, std::int64_t n) {
    return std::bit_cast<double>(std::bit_cast<std::uint64_t>(x) + static_cast<std::uint64_t>(n));
}

} // namespace talmiron::crossplatform
