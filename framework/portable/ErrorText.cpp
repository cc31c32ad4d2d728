#include "framework/portable/ErrorText.h"

std::string ErrorDisplayText(std::string_view message, const CodePage& cp) {
    std::string text(message);
    if (message.empty()) return text;
    std::size_t last = 0;
    for (std::size_t i = 0; i < message.size(); i = cp.Next(message, i))
        last = i;
    const bool doubleByte = message.size() - last == 2;
    if (doubleByte || static_cast<unsigned char>(message[last]) > 0x2E) text += '.';
    return text;
}
