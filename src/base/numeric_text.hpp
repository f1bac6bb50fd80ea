#pragma once
// Numbers read from text: the lenient prefix reading used for the command
// line's handle number and the dialog's list texts, and the strict conversion
// used for stored settings.
#include <cstdint>
#include <optional>
#include <string_view>

namespace quimbel::base {

// Reads the longest numeric prefix of text. Blanks, tabs and line feeds are
// ignored wherever they stand; an optional sign, digits, one decimal point and
// an exponent are taken; "&H" and "&O" start hexadecimal and octal numbers.
// Reading stops at the first character that cannot continue the number; no
// number at all gives 0. A value too large for a double is an overflow error.
double ReadNumericPrefix(std::string_view text);

// Parses text that must be one number, blanks (and tabs) around it allowed.
// Returns nothing when the text is not a number (the empty text included).
std::optional<double> ParseWholeNumber(std::string_view text);

// The stored-text conversion: a fraction is rounded half to even; text that is
// not a number is a type-mismatch error, a value outside the 16-bit range an
// overflow error.
std::int16_t TextToInt16(std::string_view text);

}  // namespace quimbel::base
