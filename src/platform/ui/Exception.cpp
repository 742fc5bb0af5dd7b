// String-to-integer conversion with the toolkit's error text.
#include "platform/ui/Exception.h"

#include <cstdint>

namespace ui {

bool TryStrToInt(const std::string& text, int& value) {
    size_t i = 0;
    const size_t n = text.size();
    while (i < n && (text[i] == ' ' || (static_cast<unsigned char>(text[i]) < 32 && text[i] != 0)))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    int base = 10;
    if (i < n && text[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < n && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= n)
        return false;
    std::int64_t magnitude = 0;
    for (; i < n; ++i) {
        char c = text[i];
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return false;
        magnitude = magnitude * base + digit;
        // Hexadecimal accepts the full 32-bit pattern; decimal must fit a signed int.
        if (magnitude > (base == 16 ? 0xFFFFFFFFLL : 2147483648LL))
            return false;
    }
    std::int64_t v = negative ? -magnitude : magnitude;
    if (base == 10 && (v > 2147483647LL || v < -2147483648LL))
        return false;
    value = static_cast<int>(static_cast<std::uint32_t>(static_cast<std::int64_t>(v)));
    return true;
}

int StrToInt(const std::string& text) {
    int value = 0;
    if (!TryStrToInt(text, value))
        throw EConvertError("'" + text + "' is not a valid integer value");
    return value;
}

} // namespace ui
