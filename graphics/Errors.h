#pragma once
#include <stdexcept>
#include <string>

namespace zorvic {

// A failure of the program's own code, carrying the text the user is shown. One boundary per
// command catches it and shows the text in a message box.
class EZorvicError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A text that should have been a whole number.
class EConvertError : public EZorvicError {
public:
    using EZorvicError::EZorvicError;
};

// A file that could not be created, read or written.
class EFileError : public EZorvicError {
public:
    using EZorvicError::EZorvicError;
};

// Decimal text to a 32-bit integer: optional sign, digits, nothing else (no blanks).
// Throws EConvertError "'<text>' is not a valid integer value".
int StrToInt(const std::string& text);
// As StrToInt, giving `fallback` instead of throwing.
int StrToIntDef(const std::string& text, int fallback);

// Substitutes each "%s" of a message template in turn.
std::string FormatMessage(std::string pattern, std::initializer_list<std::string> arguments);

} // namespace zorvic
