#include "errors/error_text.h"

#include <algorithm>
#include <array>
#include <utility>

namespace talmiron {

namespace {

struct MessageRow {
    std::int32_t number;
    TextView message;
};

// Hosts match on these texts: they stay exactly as they are, spelling included.
constexpr std::array<MessageRow, 24> kMessages{{
    {1001, u"Unclosed quotes in expression."},
    {1002, u"Unmatched opening/closing parenthesis."},
    {1003, u"Operand expected."},
    {1004, u"Type mismatch in expression."},
    {1005, u"Division by zero."},
    {1006, u"Illegal value for power operator (for fractional exponent, base must be positive)."},
    {1007, u"Invalid numeric literal: '%s'"},
    {1008, u"Unclosed single cuotes in literal string constant: '%s'"},
    {1009, u"Invalid string literal: '%s'"},
    {1010, u"Unary operator not permitted in string-returning functions."},
    {1011, u"Unary operator not permitted in string symbols."},
    {1012, u"Undefined symbol in expression: '%s'"},
    {1013, u"Illegal symbol name: '%s'"},
    {1014, u"Syntax error in function."},
    {1015, u"Illegal function name: %s"},
    {1016, u"Unknown function: %s"},
    {1017, u"Unmatched opening/closing parenthesis in function."},
    {1018, u"Wrong number of arguments in function '%s', expected %s."},
    {1019, u"Type mismatch in function argument: %s"},
    {2000, u"Illegal parameter value for LOG function."},
    {2001, u"Illegal parameter value for SQR function."},
    {2002, u"Illegal parameter value for ARCSIN function."},
    {2003, u"Illegal parameter value for ARCCOS function."},
    {2004, u"Illegal parameter value for CHR function."},
}};

static_assert(std::is_sorted(kMessages.begin(), kMessages.end(),
                             [](const MessageRow& a, const MessageRow& b) {
                                 return a.number < b.number;
                             }));

} // namespace

std::optional<TextView> ErrorMessage(std::int32_t number) noexcept {
    const auto row =
        std::lower_bound(kMessages.begin(), kMessages.end(), number,
                         [](const MessageRow& r, std::int32_t n) { return r.number < n; });
    if (row == kMessages.end() || row->number != number) {
        return std::nullopt;
    }
    return row->message;
}

} // namespace talmiron
