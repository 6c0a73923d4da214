#include "runtime/code_page.h"

namespace talmiron {

namespace {

// Bytes 0x80 to 0x9F.
constexpr char16_t kBytes80To9F[32] = {
    u'\u20AC', u'\u0081', u'\u201A', u'\u0192', u'\u201E', u'\u2026', u'\u2020', u'\u2021',
    u'\u02C6', u'\u2030', u'\u0160', u'\u2039', u'\u0152', u'\u008D', u'\u017D', u'\u008F',
    u'\u0090', u'\u2018', u'\u2019', u'\u201C', u'\u201D', u'\u2022', u'\u2013', u'\u2014',
    u'\u02DC', u'\u2122', u'\u0161', u'\u203A', u'\u0153', u'\u009D', u'\u017E', u'\u0178',
};

} // namespace

char16_t CharFromCodePage(std::uint8_t byte) noexcept {
    if (byte >= 0x80 && byte <= 0x9F) {
        return kBytes80To9F[byte - 0x80];
    }
    return byte;
}

std::uint8_t CodePageFromChar(char16_t c) noexcept {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
        return static_cast<std::uint8_t>(c);
    }
    for (std::uint8_t i = 0; i < 32; ++i) {
        if (kBytes80To9F[i] == c) {
            return static_cast<std::uint8_t>(0x80 + i);
        }
    }
    return kUnrepresentableByte;
}

} // namespace talmiron
