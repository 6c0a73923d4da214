#include "runtime/decimal_to_double.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <limits>
#include <string>
#include <vector>

namespace talmiron {

namespace {

// A double's halfway points have at most 767 significant digits, so digits
// beyond these can only tip a tie: they are kept as one more digit, 1.
constexpr std::size_t kMaxDigits = 800;

// An unsigned whole number of any size, 32 bits per limb, least significant
// first, without leading zero limbs.
class BigNumber {
  public:
    explicit BigNumber(std::string_view digits) {
        for (std::size_t i = 0; i < digits.size(); i += 9) {
            const std::size_t count = std::min<std::size_t>(9, digits.size() - i);
            std::uint32_t chunk = 0;
            for (std::size_t k = 0; k < count; ++k) {
                chunk = chunk * 10 + static_cast<std::uint32_t>(digits[i + k] - '0');
            }
            MultiplyAdd(Power10(count), chunk);
        }
    }

    void MultiplyByPowerOf10(std::int64_t n) {
        for (; n >= 9; n -= 9) {
            MultiplyAdd(Power10(9), 0);
        }
        MultiplyAdd(Power10(static_cast<std::size_t>(n)), 0);
    }

    void ShiftLeft(std::int64_t bits) {
        const auto limbs = static_cast<std::size_t>(bits / 32);
        const auto rest = static_cast<int>(bits % 32);
        if (rest != 0) {
            std::uint32_t carry = 0;
            for (std::uint32_t& limb : limbs_) {
                const std::uint32_t next = limb >> (32 - rest);
                limb = (limb << rest) | carry;
                carry = next;
            }
            if (carry != 0) {
                limbs_.push_back(carry);
            }
        }
        limbs_.insert(limbs_.begin(), limbs, 0);
    }

    void ShiftRightOne() {
        for (std::size_t i = 0; i < limbs_.size(); ++i) {
            const std::uint32_t high = i + 1 < limbs_.size() ? limbs_[i + 1] << 31 : 0;
            limbs_[i] = (limbs_[i] >> 1) | high;
        }
        Trim();
    }

    std::int64_t BitLength() const {
        if (limbs_.empty()) {
            return 0;
        }
        return static_cast<std::int64_t>(32 * (limbs_.size() - 1)) + std::bit_width(limbs_.back());
    }

    bool IsZero() const { return limbs_.empty(); }

    bool Bit(std::int64_t i) const {
        const auto limb = static_cast<std::size_t>(i / 32);
        return limb < limbs_.size() && ((limbs_[limb] >> (i % 32)) & 1) != 0;
    }

    // Whether any bit below bit `end` is set.
    bool AnyBitBelow(std::int64_t end) const {
        const auto whole = static_cast<std::size_t>(end / 32);
        for (std::size_t i = 0; i < whole && i < limbs_.size(); ++i) {
            if (limbs_[i] != 0) {
                return true;
            }
        }
        const auto rest = static_cast<int>(end % 32);
        return rest != 0 && whole < limbs_.size() &&
               (limbs_[whole] & ((std::uint32_t{1} << rest) - 1)) != 0;
    }

    bool NotLess(const BigNumber& other) const {
        if (limbs_.size() != other.limbs_.size()) {
            return limbs_.size() > other.limbs_.size();
        }
        for (std::size_t i = limbs_.size(); i-- > 0;) {
            if (limbs_[i] != other.limbs_[i]) {
                return limbs_[i] > other.limbs_[i];
            }
        }
        return true;
    }

    // Requires *this >= other.
    void Subtract(const BigNumber& other) {
        std::int64_t borrow = 0;
        for (std::size_t i = 0; i < limbs_.size(); ++i) {
            std::int64_t d = std::int64_t{limbs_[i]} - borrow -
                             (i < other.limbs_.size() ? std::int64_t{other.limbs_[i]} : 0);
            borrow = d < 0 ? 1 : 0;
            limbs_[i] = static_cast<std::uint32_t>(d + (borrow << 32));
        }
        Trim();
    }

  private:
    static std::uint32_t Power10(std::size_t n) {
        static constexpr std::uint32_t kPowers[] = {
            1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000, 1000000000};
        return kPowers[n];
    }

    void MultiplyAdd(std::uint32_t factor, std::uint32_t addend) {
        std::uint64_t carry = addend;
        for (std::uint32_t& limb : limbs_) {
            const std::uint64_t product = std::uint64_t{limb} * factor + carry;
            limb = static_cast<std::uint32_t>(product);
            carry = product >> 32;
        }
        if (carry != 0) {
            limbs_.push_back(static_cast<std::uint32_t>(carry));
        }
    }

    void Trim() {
        while (!limbs_.empty() && limbs_.back() == 0) {
            limbs_.pop_back();
        }
    }

    std::vector<std::uint32_t> limbs_;
};

// The double nearest to (m + f) × 2^exponent, halves to even, where 0 <= f < 1
// and f > 0 exactly when `inexact`; m is not 0. When `inexact`, m has at
// least 55 bits, so f only ever tips a tie.
double Compose(std::uint64_t m, std::int64_t exponent, bool inexact) {
    const int length = std::bit_width(m);
    std::int64_t lead = length - 1 + exponent; // the binary exponent of the leading bit
    if (lead > 1023) {
        return std::numeric_limits<double>::infinity();
    }
    // Significant bits the result can hold: 53, fewer among the subnormals.
    const std::int64_t bits = lead >= -1022 ? 53 : lead + 1075;
    const std::int64_t drop = length - bits;
    std::uint64_t kept = 0;
    if (drop <= 0) {
        kept = m << -drop;
    } else if (drop <= 64) {
        const std::uint64_t rest = drop == 64 ? m : m & ((std::uint64_t{1} << drop) - 1);
        const std::uint64_t half = std::uint64_t{1} << (drop - 1);
        kept = drop == 64 ? 0 : m >> drop;
        if (rest > half || (rest == half && (inexact || (kept & 1) != 0))) {
            ++kept;
        }
    } // else below half the smallest subnormal: zero
    if (bits == 53 && kept == std::uint64_t{1} << 53) {
        kept >>= 1;
        if (++lead > 1023) {
            return std::numeric_limits<double>::infinity();
        }
    }
    // A subnormal that rounds up to 2^52 units is the smallest normal, and its
    // bits are those of the sum below all the same.
    const std::uint64_t pattern =
        lead >= -1022 ? (static_cast<std::uint64_t>(lead + 1022) << 52) + kept : kept;
    return std::bit_cast<double>(pattern);
}

} // namespace

double DecimalToDouble(std::string_view digits, std::int64_t scale) {
    // Below 10^-324 rounds to zero, from 10^310 up beyond the largest double.
    if (digits.empty() || scale < -323) {
        return 0;
    }
    if (scale > 310) {
        return std::numeric_limits<double>::infinity();
    }
    std::string kept;
    if (digits.size() > kMaxDigits) {
        kept.assign(digits.substr(0, kMaxDigits));
        const bool rest =
            digits.substr(kMaxDigits).find_first_not_of('0') != std::string_view::npos;
        kept += rest ? '1' : '0';
        digits = kept;
    }
    // The value is n × 10^power with n the digits as a whole number.
    const std::int64_t power = scale - static_cast<std::int64_t>(digits.size());
    BigNumber n(digits);
    if (power >= 0) {
        n.MultiplyByPowerOf10(power);
        const std::int64_t length = n.BitLength();
        const std::int64_t low = std::max<std::int64_t>(length - 64, 0);
        std::uint64_t top = 0;
        for (std::int64_t i = length; i-- > low;) {
            top = (top << 1) | (n.Bit(i) ? 1 : 0);
        }
        return Compose(top, low, n.AnyBitBelow(low));
    }
    // n / 10^-power: 64 quotient bits by long division, then the remainder.
    BigNumber divisor("1");
    divisor.MultiplyByPowerOf10(-power);
    // n × 2^shift / divisor lies in [2^62, 2^64).
    const std::int64_t shift = divisor.BitLength() - n.BitLength() + 63;
    if (shift >= 0) {
        n.ShiftLeft(shift);
    } else {
        divisor.ShiftLeft(-shift);
    }
    divisor.ShiftLeft(63);
    std::uint64_t quotient = 0;
    for (int bit = 63; bit >= 0; --bit) {
        if (n.NotLess(divisor)) {
            n.Subtract(divisor);
            quotient |= std::uint64_t{1} << bit;
        }
        divisor.ShiftRightOne();
    }
    return Compose(quotient, -shift, !n.IsZero());
}

} // namespace talmiron
