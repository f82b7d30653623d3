// Locale-independent number texts: the forms the windows show tensions in, and the parsers for typed,
// shown and stored numbers. "." is the decimal point whatever the user's locale.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace model {

// General form: rounded to `significantDigits` significant digits, trailing zeros and a trailing
// point removed ("45", "56.41", "9.6005").
std::string FormatGeneral(double value, int significantDigits = 15);

// Fixed form with exactly `decimals` decimals, rounded from the double's exact binary value with an
// exact half rounded away from zero (printf would round such a half to even).
std::string FormatFixed(double value, int decimals);

// A decimal number with optional blanks around it, a sign, a fraction and an exponent, read as the
// nearest double. No value for anything else (empty text, letters, "inf", "nan", out of range).
std::optional<double> ParseDecimal(std::string_view text);

// A 32-bit integer, optionally after blanks and a sign, in decimal or in hexadecimal with the prefix
// "$" or "0x". A hexadecimal value is a 32-bit pattern ("$FFFFFFFF" is -1). No value for anything
// else, and none for a value beyond 32 bits.
std::optional<std::int32_t> ParseInteger(std::string_view text);

} // namespace model
