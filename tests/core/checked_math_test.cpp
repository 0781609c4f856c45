#include "core/checked_math.h"
#include "core/runtime_error.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

namespace kc {
namespace {

constexpr Extended kMax = std::numeric_limits<Extended>::max();
constexpr std::int64_t kInt64Min = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t kInt64Max = std::numeric_limits<std::int64_t>::max();

// The message of the MathError that `operation` raises, or a marker when it returns normally.
std::string mathFailure(const std::function<void()>& operation) {
    try {
        operation();
    } catch (const MathError& e) {
        return e.what();
    }
    return "<no failure>";
}

TEST(CheckedMath, TrapsWhereTheRuntimeTraps) {
    const std::string divByZero = message::kFloatDivideByZero;
    const std::string invalid = message::kInvalidOperation;
    const std::string overflow = message::kFloatOverflow;
    struct Row {
        const char* reason;
        std::function<void()> operation;
        std::string message;
    };
    const Row rows[] = {
        {"0/0 is invalid, not a division by zero", [] { divide(0, 0); }, invalid},
        {"x/0", [] { divide(1, 0); }, divByZero},
        {"quotient beyond range", [] { divide(kMax, 0.5L); }, overflow},
        {"sum beyond range", [] { add(kMax, kMax); }, overflow},
        {"difference beyond range", [] { subtract(-kMax, kMax); }, overflow},
        {"product beyond range", [] { multiply(kMax, -2); }, overflow},
        {"root of a negative", [] { squareRoot(-1e-4000L); }, invalid},
        {"ln 0", [] { naturalLog(0); }, divByZero},
        {"ln of a negative", [] { naturalLog(-1); }, invalid},
        {"exp beyond range", [] { exponential(11357); }, overflow},
        {"cosine of an infinite angle", [] { cosine(std::numeric_limits<Extended>::infinity()); }, invalid},
        {"sine of an infinite angle", [] { sine(-std::numeric_limits<Extended>::infinity()); }, invalid},
        {"checked infinity", [] { checked(std::numeric_limits<Extended>::infinity()); }, overflow},
        {"checked NaN", [] { checked(std::numeric_limits<Extended>::quiet_NaN()); }, invalid},
        {"power overflows midway", [] { powerInt(10, 5000); }, overflow},
        {"power of a value just above 1 eventually overflows", [] { powerInt(1.1L, 1'000'000'000'000); },
         overflow},
        {"single beyond FLT_MAX", [] { toSingle(3.5e38L); }, overflow},
        {"half an ulp above FLT_MAX ties to even, up to 2^128", [] { toSingle(0x1p128L - 0x1p103L); },
         overflow},
        {"double beyond DBL_MAX", [] { toDouble(1e309L); }, overflow},
        {"double of NaN", [] { toDouble(std::numeric_limits<Extended>::quiet_NaN()); }, invalid},
        {"single of NaN", [] { toSingle(std::numeric_limits<Extended>::quiet_NaN()); }, invalid},
        {"round 2^63", [] { roundToInt(0x1p63L); }, invalid},
        {"2^63 - 0.5 ties to the even 2^63", [] { roundToInt(0x1p63L - 0.5L); }, invalid},
        {"round below -2^63", [] { roundToInt(-0x1p63L - 1); }, invalid},
        {"round NaN", [] { roundToInt(std::numeric_limits<Extended>::quiet_NaN()); }, invalid},
        {"trunc 2^63", [] { truncToInt(0x1p63L); }, invalid},
        {"round up past int64 from 2^63 - 0.5", [] { roundUp(0x1p63L - 0.5L); }, invalid},
        {"integer division by zero", [] { intDiv(1, 0); }, message::kIntegerDivideByZero},
        {"integer remainder by zero", [] { intMod(1, 0); }, message::kIntegerDivideByZero},
        {"INT64_MIN / -1 has no int64 quotient", [] { intDiv(kInt64Min, -1); }, "Integer overflow"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(mathFailure(row.operation), row.message) << row.reason;
    }
}

TEST(CheckedMath, AnglesKeepTheExtendedSignificand) {
    constexpr Extended quarterPi = 0xc.90fdaa22168c235p-4L; // pi / 4, nearest in 64 bits
    EXPECT_EQ(arcTangent(1), quarterPi);
    EXPECT_EQ(arcTangent(0), 0);
    EXPECT_EQ(cosine(0), 1);
    EXPECT_EQ(sine(0), 0);
    EXPECT_NEAR(cosine(quarterPi), 0.70710678118654752440L, 1e-19L);
}

TEST(CheckedMath, UnderflowAndSignedZeroPassSilently) {
    EXPECT_EQ(exponential(-20000), 0);
    EXPECT_EQ(multiply(1e-4000L, 1e-4000L), 0);
    EXPECT_EQ(divide(1e-4000L, 1e4000L), 0);
    EXPECT_GT(divide(0x1p-16380L, 0x1p60L), 0) << "denormal results are kept";
    EXPECT_EQ(squareRoot(-0.0L), 0);
    EXPECT_EQ(divide(0, 5), 0);
    EXPECT_EQ(naturalLog(1), 0);
}

TEST(CheckedMath, RoundToIntIsExactNearestEven) {
    const struct {
        Extended x;
        std::int64_t expected;
        const char* reason;
    } rows[] = {
        {2.5L, 2, "tie to even below"},
        {3.5L, 4, "tie to even above"},
        {-2.5L, -2, "negative tie to even"},
        {-3.5L, -4, "negative tie away"},
        {0.5L, 0, "tie to zero"},
        {-0.5L, 0, "negative tie to zero"},
        {0.5L - 0x1p-65L, 0, "just below a half; adding 0.5 would round to 1"},
        {0.5L + 0x1p-64L, 1, "just above a half"},
        {-1.7L, -2, "plain nearest, negative"},
        {0x1p62L + 0.5L, 4611686018427387904, "tie with a 64-bit significand"},
        {0x1p62L + 1.5L, 4611686018427387906, "odd neighbour rounds up"},
        {0x1p63L - 1, kInt64Max, "INT64_MAX is representable"},
        {-0x1p63L, kInt64Min, "INT64_MIN is in range"},
        {-0x1p63L + 0.5L, kInt64Min, "tie rounds to the even INT64_MIN"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(roundToInt(row.x), row.expected) << row.reason;
    }
}

TEST(CheckedMath, TruncationAndRoundUp) {
    EXPECT_EQ(truncToInt(2.9L), 2);
    EXPECT_EQ(truncToInt(-2.9L), -2);
    EXPECT_EQ(truncToInt(0x1p63L - 0.5L), kInt64Max);
    EXPECT_EQ(truncToInt(-0x1p63L + 0.5L), kInt64Min + 1);
    EXPECT_EQ(intPart(-2.9L), -2);
    EXPECT_EQ(intPart(1e4000L), 1e4000L);
    EXPECT_EQ(roundUp(2), 2);
    EXPECT_EQ(roundUp(2.000001L), 3);
    EXPECT_EQ(roundUp(1e-4000L), 1);
    EXPECT_EQ(roundUp(0), 0);
}

TEST(CheckedMath, PowerMultipliesStepByStep) {
    const struct {
        Extended x;
        std::int64_t n;
        Extended expected;
        const char* reason;
    } rows[] = {
        {0.1L, 4, 0xd.1b71758e219652dp-17L, "repeated squaring ends in ...52e"},
        {1.1L, 13, 0xd.cf202f6af657b7ap-2L, "repeated squaring ends in ...b79"},
        {3, 0, 1, "zero exponent"},
        {0, 0, 1, "0^0"},
        {3, -2, 1, "negative exponent"},
        {-2, 3, -8, "odd power keeps the sign"},
        {-1, 1'000'000'000'000'001, -1, "huge exponent of -1 finishes, odd"},
        {-1, 1'000'000'000'000'000, 1, "huge exponent of -1 finishes, even"},
        {0.5L, 1'000'000'000'000, 0, "underflows to zero and stays there"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(powerInt(row.x, row.n), row.expected) << row.reason;
    }
}

TEST(CheckedMath, PowerOrZeroIsThePowerUntilItBecomesNegligible) {
    const Extended negligible = 0x1p-160L;
    for (const Extended x : {0.9L, 0.95L, 0.987L, 0.99505L}) {
        for (const std::int64_t n : {0, 1, 7, 1000, 20000})
            EXPECT_EQ(powerIntOrZero(x, n, negligible), powerInt(x, n) < negligible ? 0 : powerInt(x, n))
                << static_cast<double>(x) << "^" << n;
    }
    EXPECT_EQ(powerIntOrZero(0.99505L, 2'147'483'647LL * 5000, negligible), 0) << "a typed count ends early";
    EXPECT_EQ(powerIntOrZero(1, 1'000'000'000'000, negligible), 1);
    EXPECT_EQ(powerIntOrZero(-2, 3, negligible), -8) << "outside [0, 1] it is powerInt";
}

TEST(CheckedMath, ToSingleRoundsToNearestEven) {
    EXPECT_EQ(toSingle(0.01L), 0.00999999977648258209228515625f);
    // The game's 1000 * 0.01 with a stored single lands just below 10.
    EXPECT_EQ(truncToInt(1000 * static_cast<Extended>(toSingle(0.01L))), 9);
    EXPECT_EQ(toSingle(3.4028235e38L), std::numeric_limits<float>::max());
    EXPECT_EQ(toSingle(0x1p128L - 0x1p103L - 1e20L), std::numeric_limits<float>::max());
    EXPECT_EQ(toSingle(1 + 0x1p-24L), 1.0f) << "tie to even";
    EXPECT_EQ(toSingle(1 + 3 * 0x1p-24L), 1 + 0x1p-22f) << "tie to even, upward";
    EXPECT_EQ(toSingle(1e-45L), std::numeric_limits<float>::denorm_min());
    EXPECT_EQ(toSingle(1e-50L), 0.0f);
}

TEST(CheckedMath, ToDoubleRoundsToNearestEven) {
    EXPECT_EQ(toDouble(1.1L), 1.1);
    EXPECT_EQ(toDouble(1 + 0x1p-53L), 1.0) << "tie to even";
    EXPECT_EQ(toDouble(1 + 3 * 0x1p-53L), 1 + 0x1p-51) << "tie to even, upward";
    EXPECT_EQ(toDouble(1e-330L), 0.0) << "underflow passes";
}

TEST(CheckedMath, IntegerDivisionTruncatesTowardZero) {
    const struct {
        std::int64_t a, b, quotient, remainder;
    } rows[] = {
        {7, 2, 3, 1},
        {-7, 2, -3, -1},
        {7, -2, -3, 1},
        {-7, -2, 3, -1},
        {kInt64Min, 1, kInt64Min, 0},
        {kInt64Max, -1, -kInt64Max, 0},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(intDiv(row.a, row.b), row.quotient) << row.a << " div " << row.b;
        EXPECT_EQ(intMod(row.a, row.b), row.remainder) << row.a << " mod " << row.b;
    }
    EXPECT_EQ(intMod(kInt64Min, -1), 0) << "defined although the quotient is not";
}

TEST(RuntimeError, InOutMessages) {
    const struct {
        int code;
        const char* message;
    } rows[] = {
        {2, "File not found"}, {5, "File access denied"}, {100, "Read beyond end of file"},
        {101, "Disk full"},    {3, "I/O error 3"},        {-1, "I/O error -1"},
    };
    for (const auto& row : rows) {
        try {
            raiseInOutError(row.code);
            ADD_FAILURE() << "no error for " << row.code;
        } catch (const InOutError& e) {
            EXPECT_STREQ(e.what(), row.message);
        }
    }
}

} // namespace
} // namespace kc
