// Functions whose result is a number: mathematics, rounding, the random
// number, and the measuring and searching of text.
#include "functions/arguments.h"
#include "functions/named_computation.h"
#include "runtime/arctangent.h"
#include "runtime/code_page.h"
#include "runtime/exponential.h"
#include "runtime/failure.h"
#include "runtime/logarithm.h"
#include "runtime/random.h"
#include "runtime/text_search.h"
#include "runtime/trigonometric.h"

#include <array>
#include <cassert>
#include <charconv>
#include <cmath>
#include <limits>

namespace talmiron {

namespace {

using Arguments = std::span<const Value>;

constexpr std::int32_t kLogDomain = 2000;
constexpr std::int32_t kSqrDomain = 2001;
constexpr std::int32_t kArcsinDomain = 2002;
constexpr std::int32_t kArccosDomain = 2003;

// A function of one number to one number.
template <double (*Function)(double)> Computed Unary(Arguments arguments) {
    assert(arguments.size() == 1);
    return NumberResult(Function(NumberArgument(arguments[0])));
}

double Abs(double x) {
    return std::fabs(x);
}
double Atn(double x) {
    return Arctangent(x);
}
double Cos(double x) {
    return Cosine(x);
}
double Sin(double x) {
    return Sine(x);
}
double Tan(double x) {
    return Tangent(x);
}
double Exp(double x) {
    return Exponential(x); // beyond the double range: infinity, which has no text
}
double Int(double x) {
    return std::floor(x);
}

Computed Log(Arguments arguments) {
    assert(arguments.size() == 1);
    const double x = NumberArgument(arguments[0]);
    if (!(x > 0)) {
        return DomainError(kLogDomain);
    }
    return NumberResult(NaturalLogarithm(x));
}

Computed Sqr(Arguments arguments) {
    assert(arguments.size() == 1);
    const double x = NumberArgument(arguments[0]);
    if (!(x >= 0)) {
        return DomainError(kSqrDomain);
    }
    return NumberResult(std::sqrt(x));
}

// Both inverses come from the arctangent. At x = 1 and x = -1 the root is 0
// and the quotient an infinity of x's sign, whose arctangent is the limit
// the inverse has there.
Computed Arcsin(Arguments arguments) {
    assert(arguments.size() == 1);
    const double x = NumberArgument(arguments[0]);
    if (!(x >= -1 && x <= 1)) {
        return DomainError(kArcsinDomain);
    }
    const double root = std::sqrt(-x * x + 1);
    return NumberResult(Arctangent(x / root));
}

Computed Arccos(Arguments arguments) {
    assert(arguments.size() == 1);
    const double x = NumberArgument(arguments[0]);
    if (!(x >= -1 && x <= 1)) {
        return DomainError(kArccosDomain);
    }
    const double root = std::sqrt(-x * x + 1);
    const double halfPi = 2 * Arctangent(1.0);
    return NumberResult(Arctangent(-x / root) + halfPi);
}

Computed Sgn(Arguments arguments) {
    assert(arguments.size() == 1);
    const double x = NumberArgument(arguments[0]);
    return IntegerResult(x < 0 ? -1 : x > 0 ? 1 : 0);
}

// Beyond this many places every double is already exact: the smallest
// subnormal, 2^-1074, has 1074 decimal places.
constexpr std::int32_t kExactPlaces = 1074;
// Sign, the integer digits of the largest double, point and places.
constexpr std::size_t kFixedBufferSize = 1 + 309 + 1 + kExactPlaces;

// Halves go to the even neighbour, judged on the exact binary value of x:
// 1.375 is exact and goes up to 1.38, while 1.385 lies below its half.
Computed Round(Arguments arguments) {
    assert(arguments.size() == 2);
    const double x = NumberArgument(arguments[0]);
    const std::int32_t digits = WholeArgument(arguments[1]);
    if (digits < 0) {
        RaiseFailure(kInvalidProcedureCall);
    }
    if (digits >= kExactPlaces || !std::isfinite(x)) {
        return NumberResult(x);
    }
    char buffer[kFixedBufferSize];
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::fixed, digits);
    assert(written.ec == std::errc());
    return NumberResult(Val(AsciiToText(std::string_view(buffer, written.ptr))));
}

Computed Rnd(Arguments arguments) {
    assert(arguments.empty());
    return TextResult(RandomText(NextRandom()));
}

Computed Pi(Arguments arguments) {
    assert(arguments.empty());
    return TextResult(u"3.1415926535897932384626433832795028841971693993751058209749445923");
}

std::int32_t Length(TextView text) {
    if (text.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
        RaiseFailure(kOverflow);
    }
    return static_cast<std::int32_t>(text.size());
}

// 1-based position of a 0-based offset, 0 for none.
std::int32_t Position(std::size_t offset) {
    return offset == kNotFound ? 0 : static_cast<std::int32_t>(offset) + 1;
}

Computed Len(Arguments arguments) {
    assert(arguments.size() == 1);
    return IntegerResult(Length(TextArgument(arguments[0])));
}

Computed ValFunction(Arguments arguments) {
    assert(arguments.size() == 1);
    return NumberResult(Val(TextArgument(arguments[0])));
}

Computed Asc(Arguments arguments) {
    assert(arguments.size() == 1);
    const Text& s = TextArgument(arguments[0]);
    if (s.empty()) {
        RaiseFailure(kInvalidProcedureCall);
    }
    return IntegerResult(CodePageFromChar(s[0]));
}

Computed InStr(Arguments arguments) {
    assert(arguments.size() == 3);
    const std::int32_t start = WholeArgument(arguments[0]);
    const Text& s = TextArgument(arguments[1]);
    const Text& t = TextArgument(arguments[2]);
    if (start < 1) {
        RaiseFailure(kInvalidProcedureCall);
    }
    if (s.empty() || start > Length(s)) {
        return IntegerResult(0);
    }
    if (t.empty()) {
        return IntegerResult(start);
    }
    return IntegerResult(Position(FindFirst(s, t, static_cast<std::size_t>(start) - 1)));
}

Computed InStrRev(Arguments arguments) {
    assert(arguments.size() == 3);
    const Text& s = TextArgument(arguments[0]);
    const Text& t = TextArgument(arguments[1]);
    std::int32_t start = WholeArgument(arguments[2]);
    if (start == 0 || start < -1) {
        RaiseFailure(kInvalidProcedureCall);
    }
    if (start == -1) {
        start = Length(s);
    }
    if (s.empty() || start > Length(s)) {
        return IntegerResult(0);
    }
    if (t.empty()) {
        return IntegerResult(start);
    }
    return IntegerResult(
        Position(FindLast(TextView(s).substr(0, static_cast<std::size_t>(start)), t)));
}

constexpr std::array kNumericComputations = {
    NamedComputation{u"ABS", Unary<Abs>},    NamedComputation{u"COS", Unary<Cos>},
    NamedComputation{u"EXP", Unary<Exp>},    NamedComputation{u"INT", Unary<Int>},
    NamedComputation{u"LOG", Log},           NamedComputation{u"RND", Rnd},
    NamedComputation{u"SIN", Unary<Sin>},    NamedComputation{u"SQR", Sqr},
    NamedComputation{u"TAN", Unary<Tan>},    NamedComputation{u"ARCSIN", Arcsin},
    NamedComputation{u"ARCCOS", Arccos},     NamedComputation{u"LEN", Len},
    NamedComputation{u"VAL", ValFunction},   NamedComputation{u"ASC", Asc},
    NamedComputation{u"ROUND", Round},       NamedComputation{u"INSTR", InStr},
    NamedComputation{u"INSTRREV", InStrRev}, NamedComputation{u"ATN", Unary<Atn>},
    NamedComputation{u"SGN", Sgn},           NamedComputation{u"PI", Pi},
};

} // namespace

std::span<const NamedComputation> NumericComputations() noexcept {
    return kNumericComputations;
}

} // namespace talmiron
