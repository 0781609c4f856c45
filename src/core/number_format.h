#pragma once

#include "core/extended.h"

#include <string>

// Number-to-text formats. Digits are first taken to 18 significant digits of the extended value, then rounded
// half away from zero to the precision asked for, as the game's runtime does.
namespace kc {

// The shortest general format with at most `precision` significant digits (15 by default): plain notation
// when the decimal exponent lies in [-4, precision - 1] after rounding (0.0001 plain, 0.00001 as 1E-5; 1E15
// for 10^15 at precision 15), otherwise "d.dddE[-]x" with trailing zeros dropped and no leading exponent
// zeros. Uses the system's decimal separator. Zero (also negative zero) is "0".
std::string formatGeneral(Extended value, int precision = 15);

// Fixed notation with exactly `decimals` digits after the separator, rounded half away from zero
// (formatFixed(2.5, 0) is "3", formatFixed(-0.125, 2) is "-0.13"). Uses the system's decimal separator.
std::string formatFixed(Extended value, int decimals);

} // namespace kc
