#include "core/runtime_error.h"
#include "core/text_conversion.h"

#include "support/comma_locale.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <optional>
#include <string>

namespace kc {
namespace {

class SeparatorScope {
public:
    explicit SeparatorScope(char separator) : saved_(decimalSeparator()) { setDecimalSeparator(separator); }
    ~SeparatorScope() { setDecimalSeparator(saved_); }

private:
    char saved_;
};

TEST(ParseInteger, AcceptsTheRuntimeGrammar) {
    const struct {
        const char* text;
        std::optional<std::int32_t> expected;
        const char* reason;
    } rows[] = {
        {"+5", 5, "plus sign"},
        {"  5", 5, "leading blanks"},
        {"-0", 0, "negative zero"},
        {"-12", -12, "negative"},
        {"00000000000000000042", 42, "leading zeros do not count toward the range"},
        {"2147483647", 2147483647, "INT32_MAX"},
        {"-2147483648", std::numeric_limits<std::int32_t>::min(), "INT32_MIN"},
        {"$FF", 255, "dollar hex"},
        {"0x1f", 31, "0x hex"},
        {"0XaBc", 0xabc, "mixed case hex"},
        {"-$10", -16, "signed hex"},
        {" 0x7FFFFFFF", 0x7fffffff, "largest positive hex"},
        {"$80000000", std::numeric_limits<std::int32_t>::min(), "hex covers 32 bits, wrapping negative"},
        {"$FFFFFFFF", -1, "hex wraps"},
        {"-$FFFFFFFF", 1, "the sign applies to the wrapped value"},
        {"", std::nullopt, "empty"},
        {"-", std::nullopt, "sign only"},
        {"+-1", std::nullopt, "two signs"},
        {"5 ", std::nullopt, "trailing blank"},
        {"\t5", std::nullopt, "tab is not a blank"},
        {"1e3", std::nullopt, "exponent"},
        {"12a", std::nullopt, "trailing letter"},
        {"1.0", std::nullopt, "decimal point"},
        {"2147483648", std::nullopt, "above INT32_MAX"},
        {"-2147483649", std::nullopt, "below INT32_MIN"},
        {"99999999999", std::nullopt, "far out of range"},
        {"18446744073709551617", std::nullopt, "would wrap a 64-bit accumulator"},
        {"$", std::nullopt, "dollar without digits"},
        {"0x", std::nullopt, "0x without digits"},
        {"$100000000", std::nullopt, "hex beyond 32 bits"},
        {"x10", std::nullopt, "x alone is no prefix"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(parseInteger(row.text), row.expected) << '"' << row.text << "\": " << row.reason;
    }
}

TEST(ParseInteger, StrToIntQuotesTheTextAsGiven) {
    EXPECT_EQ(strToInt("$10"), 16);
    try {
        strToInt(" 12x ");
        FAIL() << "no error";
    } catch (const ConvertError& e) {
        EXPECT_STREQ(e.what(), "' 12x ' is not a valid integer value");
    }
}

// 1 + 2^-64 is exactly halfway between 1 and the next extended value 1 + 2^-63.
constexpr const char* kHalfUlpAboveOne = "1.0000000000000000000542101086242752217003726400434970855712890625";

TEST(ParseReal, AcceptsTheRuntimeGrammar) {
    const struct {
        std::string text;
        std::optional<Extended> expected;
        const char* reason;
    } rows[] = {
        {"1.5", 1.5L, "plain"},
        {"  -1.5  ", -1.5L, "blanks around"},
        {"+.5", 0.5L, "no integer digits"},
        {"5.", 5, "no fraction digits"},
        {"1e3", 1000, "exponent"},
        {"1E+3", 1000, "signed exponent"},
        {"2.5e-3", 2.5e-3L, "negative exponent"},
        {"0.1", 0.1L, "correctly rounded to extended, not to double"},
        {"12345678901234567890", 12345678901234567890.0L, "beyond int64 and double precision"},
        {kHalfUlpAboveOne, 1, "exact tie rounds to even"},
        {std::string(kHalfUlpAboveOne) + "1", 1 + 0x1p-63L, "just above the tie"},
        {"1.18e4932", 1.18e4932L, "near the top of the range"},
        {"1e-4950", 1e-4950L, "denormal"},
        {"1e-5000", 0, "underflow to zero is accepted"},
        {"0e999999999999", 0, "huge exponent of zero"},
        {"", std::nullopt, "empty"},
        {" ", std::nullopt, "blank"},
        {".", std::nullopt, "separator only"},
        {"-", std::nullopt, "sign only"},
        {"1e", std::nullopt, "exponent without digits"},
        {"e3", std::nullopt, "no mantissa"},
        {".e3", std::nullopt, "no mantissa digits"},
        {"1..5", std::nullopt, "two separators"},
        {"1 .5", std::nullopt, "inner blank"},
        {"+-1", std::nullopt, "two signs"},
        {"1e+-3", std::nullopt, "two exponent signs"},
        {"1,000", std::nullopt, "no grouping"},
        {"1,5", std::nullopt, "comma is not the separator"},
        {"\t1", std::nullopt, "tab is not a blank"},
        {"inf", std::nullopt, "no infinity"},
        {"nan", std::nullopt, "no NaN"},
        {"0x1p3", std::nullopt, "no hexadecimal"},
        {"1e4933", std::nullopt, "beyond the extended range"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(parseReal(row.text), row.expected) << '"' << row.text << "\": " << row.reason;
    }
    EXPECT_TRUE(std::signbit(*parseReal("-0"))) << "negative zero keeps its sign";
}

TEST(ParseReal, FollowsTheDecimalSeparator) {
    SeparatorScope comma(',');
    EXPECT_EQ(parseReal("1,5"), 1.5L);
    EXPECT_EQ(parseReal(",25e1"), 2.5L);
    EXPECT_EQ(parseReal("1.5"), std::nullopt);
}

TEST(ParseReal, IgnoresTheProcessLocale) {
    test::CommaLocale german;
    if (!german.ok()) {
        GTEST_SKIP() << "no German locale installed";
    }
    EXPECT_EQ(parseReal("1.5"), 1.5L);
    EXPECT_EQ(parseReal("0.1"), 0.1L) << "all 64 bits, not a double's";
}

TEST(ParseReal, StrToFloatQuotesTheTextAsGiven) {
    EXPECT_EQ(strToFloat(" 2.5 "), 2.5L);
    try {
        strToFloat("1,5 ");
        FAIL() << "no error";
    } catch (const ConvertError& e) {
        EXPECT_STREQ(e.what(), "'1,5 ' is not a valid floating point value");
    }
}

TEST(IntToStr, PlainDigits) {
    EXPECT_EQ(intToStr(0), "0");
    EXPECT_EQ(intToStr(-42), "-42");
    EXPECT_EQ(intToStr(1234567), "1234567");
    EXPECT_EQ(intToStr(std::numeric_limits<std::int64_t>::min()), "-9223372036854775808");
    EXPECT_EQ(intToStr(std::numeric_limits<std::int64_t>::max()), "9223372036854775807");
}

} // namespace
} // namespace kc
