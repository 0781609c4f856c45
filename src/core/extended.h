#pragma once

#include <cstdint>
#include <limits>

namespace kc {

// The game computes in the x87 80-bit format; every figure depends on its 64-bit significand.
using Extended = long double;
static_assert(std::numeric_limits<Extended>::digits == 64, "Extended must be the 80-bit x87 format");

// Game figures that the game keeps in 4 bytes.
using Single = float;
static_assert(std::numeric_limits<Single>::digits == 24, "Single must be IEEE single precision");

} // namespace kc
