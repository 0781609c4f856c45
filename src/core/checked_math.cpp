#include "core/checked_math.h"

#include "core/runtime_error.h"

#include <cmath>
#include <limits>

namespace kc {

namespace {

// The int64 range as extended values; both bounds are exact powers of two.
constexpr Extended kInt64Low = -0x1p63L;
constexpr Extended kInt64End = 0x1p63L;

// A whole-valued real to int64; NaN fails the range test as well.
std::int64_t wholeToInt(Extended whole) {
    if (!(whole >= kInt64Low && whole < kInt64End)) {
        raiseInvalidOperation();
    }
    return static_cast<std::int64_t>(whole);
}

} // namespace

Extended checked(Extended v) {
    if (std::isinf(v)) {
        raiseFloatOverflow();
    }
    if (std::isnan(v)) {
        raiseInvalidOperation();
    }
    return v;
}

Extended add(Extended a, Extended b) {
    return checked(a + b);
}

Extended subtract(Extended a, Extended b) {
    return checked(a - b);
}

Extended multiply(Extended a, Extended b) {
    return checked(a * b);
}

Extended divide(Extended a, Extended b) {
    if (b == 0) {
        if (a == 0 || std::isnan(a)) {
            raiseInvalidOperation();
        }
        raiseFloatDivideByZero();
    }
    return checked(a / b);
}

Extended squareRoot(Extended x) {
    if (x < 0) {
        raiseInvalidOperation();
    }
    return checked(std::sqrt(x));
}

Extended naturalLog(Extended x) {
    if (x == 0) {
        raiseFloatDivideByZero();
    }
    if (x < 0) {
        raiseInvalidOperation();
    }
    return checked(std::log(x));
}

Extended exponential(Extended x) {
    return checked(std::exp(x));
}

Extended arcTangent(Extended x) {
    return checked(std::atan(x));
}

Extended cosine(Extended x) {
    return checked(std::cos(x));
}

Extended sine(Extended x) {
    return checked(std::sin(x));
}

Extended powerInt(Extended x, std::int64_t n) {
    Extended r = 1;
    for (std::int64_t i = 0; i < n; ++i) {
        const Extended next = checked(r * x);
        // Once a step leaves the magnitude unchanged (x = ±1, a product stuck at zero or within rounding of
        // its fixed point) every later step does too; only the sign keeps alternating for a negative x.
        // Finishing here keeps huge exponents from looping, with the same result the remaining
        // multiplications give.
        if (std::fabs(next) == std::fabs(r)) {
            const bool flips = std::signbit(x) && (n - i) % 2 == 0;
            return flips ? -next : next;
        }
        r = next;
    }
    return r;
}

Extended powerIntOrZero(Extended x, std::int64_t n, Extended negligible) {
    if (!(x >= 0 && x <= 1))
        return powerInt(x, n);
    // Products within [0, 1] can neither overflow nor become NaN.
    Extended r = 1;
    for (std::int64_t i = 0; i < n; ++i) {
        const Extended next = r * x;
        if (next < negligible)
            return 0;
        if (next == r) // a step that changes nothing changes nothing ever after
            return r;
        r = next;
    }
    return r;
}

std::int64_t roundToInt(Extended x) {
    const Extended whole = std::trunc(x);
    // Exact: the fractional part of an extended value is itself representable.
    const Extended fraction = std::fabs(x - whole);
    Extended rounded = whole;
    if (fraction > 0.5L || (fraction == 0.5L && std::fmod(whole, 2.0L) != 0)) {
        rounded += std::signbit(x) ? -1 : 1;
    }
    return wholeToInt(rounded);
}

std::int64_t truncToInt(Extended x) {
    return wholeToInt(std::trunc(x));
}

Extended intPart(Extended x) {
    return std::trunc(x);
}

std::int64_t roundUp(Extended x) {
    const std::int64_t whole = truncToInt(x);
    if (x == static_cast<Extended>(whole)) {
        return whole;
    }
    // 2^63 - 0.5 is representable, so the increment itself can leave int64.
    if (whole == std::numeric_limits<std::int64_t>::max()) {
        raiseInvalidOperation();
    }
    return whole + 1;
}

Single toSingle(Extended x) {
    if (std::isnan(x)) {
        raiseInvalidOperation();
    }
    const Single s = static_cast<Single>(x);
    if (std::isinf(s)) {
        raiseFloatOverflow();
    }
    return s;
}

double toDouble(Extended x) {
    if (std::isnan(x)) {
        raiseInvalidOperation();
    }
    const double d = static_cast<double>(x);
    if (std::isinf(d)) {
        raiseFloatOverflow();
    }
    return d;
}

std::int64_t intDiv(std::int64_t a, std::int64_t b) {
    if (b == 0) {
        raiseIntegerDivideByZero();
    }
    if (a == std::numeric_limits<std::int64_t>::min() && b == -1) {
        throw MathError("Integer overflow");
    }
    return a / b;
}

std::int64_t intMod(std::int64_t a, std::int64_t b) {
    if (b == 0) {
        raiseIntegerDivideByZero();
    }
    // The remainder by -1 is always 0; computing it for INT64_MIN would trap like the overflowing quotient.
    if (b == -1) {
        return 0;
    }
    return a % b;
}

} // namespace kc
