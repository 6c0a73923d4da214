// Numbered error texts: "<number> ERROR: <message>" with the message's "%s"
// placeholders filled in order.
#pragma once

#include "runtime/text.h"

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <span>

namespace talmiron {

// The whole text given for any number that has no message.
inline constexpr TextView kErrorDescriptionNotFound = u"9001 ERROR: Error description not found.";

// The message of an error number, with its placeholders; none for a number
// without a row.
std::optional<TextView> ErrorMessage(std::int32_t number) noexcept;

// Each argument is trimmed of blanks and fills the next placeholder; an
// inserted "%s" is never expanded, a placeholder without an argument
// vanishes and surplus arguments are ignored.
Text ErrorText(std::int32_t number, std::span<const TextView> arguments);
Text ErrorText(std::int32_t number, std::initializer_list<TextView> arguments = {});

} // namespace talmiron
