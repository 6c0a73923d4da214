#include "runtime/whole_number.h"

#include "runtime/failure.h"

#include <cmath>
#include <limits>

namespace talmiron {

namespace {

// Nearest whole number, halves to the even neighbour, whatever the floating
// point rounding mode is set to.
double RoundHalfEven(double value) {
    const double floor = std::floor(value);
    const double fraction = value - floor;
    if (fraction > 0.5) {
        return floor + 1;
    }
    if (fraction < 0.5) {
        return floor;
    }
    return std::fmod(floor, 2.0) == 0 ? floor : floor + 1;
}

template <typename Integer> Integer ToInteger(double value) {
    if (!std::isfinite(value)) {
        RaiseFailure(kOverflow);
    }
    const double rounded = RoundHalfEven(value);
    if (rounded < static_cast<double>(std::numeric_limits<Integer>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<Integer>::max())) {
        RaiseFailure(kOverflow);
    }
    return static_cast<Integer>(rounded);
}

} // namespace

std::int32_t ToInt32(double value) {
    return ToInteger<std::int32_t>(value);
}
std::int16_t ToInt16(double value) {
    return ToInteger<std::int16_t>(value);
}

} // namespace talmiron
