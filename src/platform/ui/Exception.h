// The toolkit's base exception and the string-to-integer conversion that raises it.
#pragma once

#include <stdexcept>
#include <string>

namespace ui {

// Base of every error the toolkit and the game raise on purpose; an Exception that
// reaches an event handler's edge is shown by the application's standard error box.
class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
    std::string Message() const { return what(); }
};

// Raised by StrToInt for a text that is not a whole number.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// Signed decimal conversion as the toolkit does it: optional blanks before, an
// optional sign, digits (or a "$"/"0x" hexadecimal number), and nothing after; the
// value must fit in 32 bits. Raises EConvertError "'%s' is not a valid integer value".
int StrToInt(const std::string& text);

// The same conversion without raising; false when the text is not a whole number.
bool TryStrToInt(const std::string& text, int& value);

} // namespace ui
