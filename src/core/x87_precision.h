#pragma once

namespace kc {

// The x87 unit rounds every result to the significand its precision control selects. The game's figures
// need all 64 bits; Linux starts a process that way, Microsoft's runtime at 53. The programs call this
// before their first figure; it also sets rounding to nearest and leaves the exception masks alone.
void useExtendedPrecision();

// The significand width the x87 unit rounds to now: 24, 53 or 64 (0 off x86).
int x87SignificandBits();

} // namespace kc
