#pragma once

#include "core/extended.h"

#include <string>
#include <string_view>

// The keypad calculator's rules that need no window: which typed characters the expression box keeps, how a
// value is written into the history and how a history line is told to be a value.
namespace kc::pages {

// True for the characters the expression box accepts when typed: Backspace, Enter, the digits, "." and the
// operators and brackets of the keypad. Letters, blanks, commas and other control characters are refused.
bool calcKeepsTypedCharacter(char32_t character);

// The history text of a value: the general real format with the system's decimal separator.
std::string calcValueLine(Extended value);

// A history line that reads as a real (with the system's decimal separator) is drawn as a value, any other
// line as an expression; a plain number typed as an expression therefore looks like a value.
bool isCalcValueLine(std::string_view line);

} // namespace kc::pages
