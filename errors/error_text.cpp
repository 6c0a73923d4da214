#include "errors/error_text.h"

#include "runtime/str.h"
#include "runtime/text_ops.h"

namespace talmiron {

Text ErrorText(std::int32_t number, std::span<const TextView> arguments) {
    const auto message = ErrorMessage(number);
    if (!message) {
        return Text(kErrorDescriptionNotFound);
    }
    Text text = AsciiToText(IntegerToAscii(number));
    text += u" ERROR: ";
    // Filled as it is copied, so an inserted "%s" is never searched again.
    std::size_t next = 0;
    const TextView rest = *message;
    for (std::size_t pos = 0;;) {
        const auto placeholder = rest.find(u"%s", pos);
        if (placeholder == TextView::npos) {
            text += rest.substr(pos);
            return text;
        }
        text += rest.substr(pos, placeholder - pos);
        if (next < arguments.size()) {
            text += TrimView(arguments[next]);
        }
        ++next;
        pos = placeholder + 2;
    }
}

Text ErrorText(std::int32_t number, std::initializer_list<TextView> arguments) {
    return ErrorText(number, std::span<const TextView>(arguments.begin(), arguments.size()));
}

} // namespace talmiron
