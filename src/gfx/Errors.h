// The engine's exception EDDError and GetOleError, the text of a result code.
#pragma once

#include "platform/ui/Exception.h"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <variant>

namespace gfx {

// One argument of the toolkit's printf-like formatter: %d takes a signed 32-bit
// integer, %s a text.
class FormatArg {
public:
    FormatArg(int value) : value_(std::int64_t(value)) {}
    FormatArg(long value) : value_(std::int64_t(std::int32_t(value))) {}
    FormatArg(long long value) : value_(std::int64_t(std::int32_t(value))) {}
    FormatArg(unsigned value) : value_(std::int64_t(std::int32_t(value))) {}
    FormatArg(const char* text) : value_(std::string(text ? text : "")) {}
    FormatArg(std::string text) : value_(std::move(text)) {}
    const std::variant<std::int64_t, std::string>& Value() const { return value_; }

private:
    std::variant<std::int64_t, std::string> value_;
};

// Fills %d and %s (and %% for a percent sign) from the arguments, in order. A missing
// or mismatched argument raises ui::Exception, as the toolkit's formatter does.
std::string Format(const std::string& format, std::initializer_list<FormatArg> args);

// Every failure of the graphics engine.
class EDDError : public ui::Exception {
public:
    explicit EDDError(const std::string& message) : ui::Exception(message) {}
    EDDError(const std::string& format, std::initializer_list<FormatArg> args)
        : ui::Exception(Format(format, args)) {}
};

// "GetOleError: " + the text of the result code: the engine's 92-row table first,
// then the system's message text for the code (empty when the system has none).
std::string GetOleError(std::int32_t result);

// The system's message text for a code outside the table (Win32 and COM codes the
// platform knows), without trailing blanks or period; empty when there is none.
std::string SystemErrorMessage(std::int32_t result);

} // namespace gfx
