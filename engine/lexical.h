// The lexical rules of the expression language: string literals in quote
// characters (a quote inside written twice), blanks outside literals
// insignificant, names of letters, digits, "_" and "@". None of these keeps
// state or reports errors. Positions count from 1.
#pragma once

#include "runtime/text.h"

#include <cstdint>

namespace talmiron {

inline constexpr char16_t kQuote = u'\'';

// Deletes every blank (U+0020) that is not inside a string literal.
void RemoveBlanks(Text& text);
// True when RemoveBlanks would change the text.
bool HasBlankOutsideLiterals(TextView text) noexcept;
// True when the text holds an even number of quote characters.
bool QuotesBalanced(TextView text) noexcept;
// True when an odd number of quote characters stands before position p; a
// position past the end is never inside.
bool InsideLiteral(TextView text, std::int32_t p) noexcept;
// Turns every pair of quote characters into one.
void UnescapeLiteral(Text& text);
// True when every quote character of a literal's body is one of a run of
// exactly two.
bool IsValidLiteralBody(TextView body) noexcept;
// True when the first "(" stands after position 1 and right after a name
// character.
bool LooksLikeCall(TextView text) noexcept;
// Letters A to Z (either case), "_" or "@" first, then name characters. The
// empty text counts as a name.
bool IsSymbolName(TextView name) noexcept;
// A digit, a letter A to Z after upper-casing, "_" or "@"; the empty text
// counts as one.
bool IsNameChar(TextView ch) noexcept;

} // namespace talmiron
