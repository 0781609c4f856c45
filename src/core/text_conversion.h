#pragma once

#include "core/extended.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The runtime's text-to-number and number-to-text conversions.
namespace kc {

// The system's decimal separator, used by the real conversion and the real formats. '.' until set.
char decimalSeparator();
void setDecimalSeparator(char separator);

// Integer conversion of a 32-bit integer: leading blanks, an optional sign, decimal digits or a hexadecimal
// number after "$" or "0x". Anything else, trailing blanks included, or a value outside 32 bits, fails.
std::optional<std::int32_t> parseInteger(std::string_view text);
// As parseInteger, raising "'<text>' is not a valid integer value" on failure.
std::int32_t strToInt(std::string_view text);

// Real conversion: blanks around, an optional sign, digits with at most one decimal separator (at least one
// digit), an optional exponent "E"/"e" with optional sign and digits. Values beyond the extended range fail.
std::optional<Extended> parseReal(std::string_view text);
// As parseReal, raising "'<text>' is not a valid floating point value" on failure.
Extended strToFloat(std::string_view text);

// Plain decimal digits with a leading minus for negatives.
std::string intToStr(std::int64_t value);

} // namespace kc
