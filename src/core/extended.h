#pragma once

#include <cstdint>
#include <limits>

namespace kc {

// The game computes in the x87 80-bit format; every figure depends on its 64-bit significand.
using Extended = long double;
// MSVC's long double is a double: it can never give the game's figures (GCC, clang and MinGW-w64 can).
static_assert(
    std::numeric_limits<Extended>::digits == 64,
    "long double must be the x87 80-bit extended format (64-bit significand); this compiler's is not");

// Game figures that the game keeps in 4 bytes.
using Single = float;
static_assert(std::numeric_limits<Single>::digits == 24, "Single must be IEEE single precision");

} // namespace kc
