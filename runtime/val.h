// The leading-number rule: the number at the start of a text, read the same
// way on every platform and in every locale.
#pragma once

#include "runtime/text.h"

namespace talmiron {

// Blanks, tabs and line feeds are skipped wherever they stand. Then either
// a decimal number (sign, digits, one ".", exponent with E or e), or "&H"
// with hexadecimal digits, or "&O" with octal digits. Reading stops at the
// first character that cannot continue the number; no digit at all reads
// as 0.
//
// The &H and &O forms are 32-bit: up to 32 significant bits, read as two's
// complement, so &HFFFFFFFF is -1 and &H7FFFFFFF is 2147483647. More
// significant bits than 32 are an overflow.
//
// The decimal result is the correctly rounded double of the digits read.
// A magnitude beyond the double range raises failure 6 (Overflow); one below
// the smallest subnormal reads as zero.
double Val(TextView text);

// The same reading done the general way, every digit through the correctly
// rounded conversion of any number of digits. Val reads plain short
// texts by a shortcut and hands the rest to this; tests hold the two equal.
double ValReference(TextView text);

} // namespace talmiron
