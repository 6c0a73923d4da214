#include "engine/catch_all_text.h"

#include "runtime/str.h"

namespace talmiron {

namespace {

Text Decimal(std::int32_t number) {
    return AsciiToText(IntegerToAscii(number));
}

Text LineText(const CaughtFailure& failure, std::int32_t line) {
    return Decimal(failure.number) + u" - " + failure.description +
           u", the error occured at line: " + Decimal(line);
}

} // namespace

Text SimplifyFailureText(const CaughtFailure& failure, std::int32_t line) {
    return u"9000 ERROR: Unexpected error (Simplify): " + LineText(failure, line);
}

Text PolynomialFailureText(const CaughtFailure& failure, std::int32_t line) {
    return u"ERROR: Unexpected error (Polynomial): " + LineText(failure, line);
}

Text FunctionFailureText(TextView call, const CaughtFailure& failure) {
    Text text = u"ERROR: Unexpected error during function evaluation [";
    text.append(call);
    text += u"]; " + Decimal(failure.number) + u" - " + failure.description;
    return text;
}

} // namespace talmiron
