#pragma once

#include "core/extended.h"

#include <cstdint>

// Arithmetic that fails where the game's runtime traps: division by zero, invalid operations and overflow
// raise a MathError at the operation, so no infinity or NaN ever reaches a result. Underflow, denormals and
// loss of precision pass silently. All real arithmetic is in the extended format.
namespace kc {

// Raises "Floating point overflow" when v is infinite and "Invalid floating point operation" when v is NaN;
// otherwise returns v. Use after a product or sum that could leave the extended range.
Extended checked(Extended v);

Extended add(Extended a, Extended b);
Extended subtract(Extended a, Extended b);
Extended multiply(Extended a, Extended b);
// 0/0 is an invalid operation; x/0 otherwise is a division by zero.
Extended divide(Extended a, Extended b);
// A negative operand is an invalid operation.
Extended squareRoot(Extended x);
// Ln of 0 is a division by zero, of a negative value an invalid operation.
Extended naturalLog(Extended x);
Extended exponential(Extended x);
// Radians. An infinite angle has no sine or cosine: an invalid operation.
Extended arcTangent(Extended x);
Extended cosine(Extended x);
Extended sine(Extended x);

// x to the power n: 1 multiplied n times by x in turn; n <= 0 gives 1.
Extended powerInt(Extended x, std::int64_t n);
// powerInt for a caller to whom every power below `negligible` means the same: for 0 <= x <= 1 the
// multiplication stops with 0 as soon as the power falls below it (the later steps can only shrink it).
// Keeps exponents typed in the billions from costing millions of steps. Other x are left to powerInt.
Extended powerIntOrZero(Extended x, std::int64_t n, Extended negligible);

// Nearest integer, exact halves to the even neighbour. Invalid operation when the result is outside int64.
std::int64_t roundToInt(Extended x);
// Toward zero. Invalid operation when the result is outside int64.
std::int64_t truncToInt(Extended x);
// The fractional part removed (toward zero), as a real; never fails.
Extended intPart(Extended x);
// Truncated toward zero, plus one when x is not whole. Meant for values that are never negative.
std::int64_t roundUp(Extended x);

// Rounds to single precision (nearest, ties to even). Overflow beyond the single range is a failure;
// underflow to a denormal or zero passes.
Single toSingle(Extended x);
// Rounds to double precision (nearest, ties to even), as storing into an 8-byte real does: overflow beyond
// the double range is a failure, underflow to a denormal or zero passes.
double toDouble(Extended x);

// Integer division and remainder, truncating toward zero. A zero divisor raises "Division by zero".
std::int64_t intDiv(std::int64_t a, std::int64_t b);
std::int64_t intMod(std::int64_t a, std::int64_t b);

// Products of 32-bit counts formed at full width, never wrapped.
constexpr std::int64_t wideProduct(std::int32_t a, std::int32_t b) {
    return static_cast<std::int64_t>(a) * static_cast<std::int64_t>(b);
}
constexpr __int128 wideProduct(std::int64_t a, std::int64_t b) {
    return static_cast<__int128>(a) * static_cast<__int128>(b);
}

} // namespace kc
