// The single-byte code page of the system: Windows-1252. Bytes 0x00 to 0x7F
// are ASCII and 0xA0 to 0xFF are Latin-1; 0x80 to 0x9F hold the code page's
// own characters, and its five undefined bytes (0x81, 0x8D, 0x8F, 0x90,
// 0x9D) stand for the control characters of the same number, so that every
// byte goes to a character and back.
#pragma once

#include <cstdint>

namespace talmiron {

// A character that the code page cannot represent.
inline constexpr std::uint8_t kUnrepresentableByte = 0x3F; // "?"

char16_t CharFromCodePage(std::uint8_t byte) noexcept;
std::uint8_t CodePageFromChar(char16_t c) noexcept;

} // namespace talmiron
