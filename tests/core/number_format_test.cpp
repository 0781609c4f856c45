#include "core/number_format.h"
#include "core/text_conversion.h"

#include "support/comma_locale.h"

#include <gtest/gtest.h>

#include <clocale>
#include <limits>
#include <string>

namespace kc {
namespace {

// Sets the decimal separator for one test and restores the previous one.
class SeparatorScope {
public:
    explicit SeparatorScope(char separator) : saved_(decimalSeparator()) { setDecimalSeparator(separator); }
    ~SeparatorScope() { setDecimalSeparator(saved_); }

private:
    char saved_;
};

struct GeneralRow {
    Extended value;
    int precision;
    const char* expected;
    const char* reason;
};

TEST(FormatGeneral, ChoosesPlainOrScientificAfterRounding) {
    const GeneralRow rows[] = {
        {1, 15, "1", "whole number"},
        {1.04L, 15, "1.04", "trailing zeros dropped"},
        {0.1L, 15, "0.1", "inexact binary value"},
        {100, 15, "100", "integer zeros kept"},
        {0.0001L, 15, "0.0001", "exponent -4 is still plain"},
        {0.00001L, 15, "1E-5", "exponent -5 is scientific"},
        {0.000012345L, 15, "1.2345E-5", "scientific with fraction"},
        {999999999999999.0L, 15, "999999999999999", "fifteen digits stay plain"},
        {1e15L, 15, "1E15", "sixteen digits do not"},
        {123456789012345678.0L, 15, "1.23456789012346E17", "rounded mantissa"},
        {1.0L / 3, 15, "0.333333333333333", "rounds down"},
        {2.0L / 3, 15, "0.666666666666667", "rounds up"},
        {-2.5L, 15, "-2.5", "negative"},
        {0, 15, "0", "zero"},
        {-0.0L, 15, "0", "negative zero has no sign"},
        {0.1L + 0.2L, 15, "0.3", "sum error hidden by rounding"},
        {9.9999999999999999L, 15, "10", "carry adds a digit"},
        {-9.99999999999999999e-5L, 15, "-0.0001", "carry brings the exponent into plain range"},
        {1e4000L, 15, "1E4000", "beyond double range"},
        {-1e-4000L, 15, "-1E-4000", "tiny"},
        {std::numeric_limits<Extended>::denorm_min(), 15, "3.64519953188247E-4951", "smallest denormal"},
        {12345, 4, "1.235E4", "exact half rounds away"},
        {9999.5L, 4, "1E4", "carry moves the exponent out of plain range"},
        {0.00009L, 4, "9E-5", "small, precision 4"},
        {0.0001L, 4, "0.0001", "plain, precision 4"},
        {1.0L / 3, 4, "0.3333", "precision 4"},
        {1234, 4, "1234", "exponent equal to the precision is plain"},
        {0.125L, 2, "0.13", "half away from zero"},
        {-0.125L, 2, "-0.13", "half away from zero, negative"},
        // 1.005L is 1.0049999999999999999957, but its 18-digit form is 1.00500000000000000.
        {1.005L, 3, "1.01", "second rounding sees only the 18 digits"},
        // 1000000000000000015 sits exactly between two 18-digit forms; the first rounding is to even.
        {1000000000000000015.0L, 18, "1.00000000000000002E18", "first rounding ties to even"},
        {1000000000000000005.0L, 18, "1E18", "first rounding ties to even, downward"},
        {1.0L / 3, 40, "0.333333333333333333", "precision above 18 acts as 18"},
    };
    for (const GeneralRow& row : rows) {
        EXPECT_EQ(formatGeneral(row.value, row.precision), row.expected) << row.reason;
    }
}

TEST(FormatGeneral, DefaultsToFifteenDigits) {
    EXPECT_EQ(formatGeneral(2.0L / 3), "0.666666666666667");
}

struct FixedRow {
    Extended value;
    int decimals;
    const char* expected;
    const char* reason;
};

TEST(FormatFixed, RoundsHalfAwayFromTheEighteenDigitForm) {
    const FixedRow rows[] = {
        {2.5L, 0, "3", "half away, not to even"},
        {3.5L, 0, "4", "half away"},
        {-2.5L, 0, "-3", "half away, negative"},
        {0.5L, 0, "1", "half of the only kept unit"},
        {0.125L, 2, "0.13", "exact half"},
        {-0.125L, 2, "-0.13", "exact half, negative"},
        {1.005L, 2, "1.01", "18-digit form is 1.00500000000000000"},
        {999.995L, 2, "1000.00", "carry into a new integer digit"},
        {0.005L, 2, "0.01", "no digit kept, rounds up to one unit"},
        {0.004L, 2, "0.00", "no digit kept, rounds down"},
        {0.0000001L, 2, "0.00", "far below the last decimal"},
        {-0.001L, 2, "0.00", "rounded to zero loses the sign"},
        {-0.0L, 2, "0.00", "negative zero"},
        {-1e-4000L, 0, "0", "tiny negative, no decimals"},
        {123.456L, 0, "123", "no separator without decimals"},
        {12.5L, 18, "12.500000000000000000", "zeros beyond the 18 digits"},
        {2.0L / 3, 18, "0.666666666666666667", "all 18 digits in the fraction"},
        {1e25L, 2, "10000000000000000000000000.00", "integer part beyond 18 digits"},
        {1000000000000000015.0L, 0, "1000000000000000020", "first rounding ties to even"},
        {123456789012345678901.0L, 1, "123456789012345679000.0", "18 digits then zeros"},
    };
    for (const FixedRow& row : rows) {
        EXPECT_EQ(formatFixed(row.value, row.decimals), row.expected) << row.reason;
    }
}

TEST(NumberFormat, UsesTheDecimalSeparator) {
    SeparatorScope comma(',');
    EXPECT_EQ(formatGeneral(-2.5L), "-2,5");
    EXPECT_EQ(formatGeneral(0.000012345L), "1,2345E-5");
    EXPECT_EQ(formatGeneral(0.0001L), "0,0001");
    EXPECT_EQ(formatFixed(0.125L, 2), "0,13");
}

// The GUI adopts the user's locale; its decimal point must not reach the digits.
TEST(NumberFormat, IgnoresTheProcessLocale) {
    test::CommaLocale german;
    if (!german.ok()) {
        GTEST_SKIP() << "no German locale installed";
    }
    EXPECT_EQ(formatGeneral(1.5L), "1.5");
    EXPECT_EQ(formatFixed(1234.5L, 1), "1234.5");
}

} // namespace
} // namespace kc
