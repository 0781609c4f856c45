#include "core/text_conversion.h"
#include "pages/calculator.h"

#include <gtest/gtest.h>

namespace kc::pages {
namespace {

TEST(CalcKeyFilter, KeepsOnlyTheKeypadCharactersBackspaceAndEnter) {
    for (const char32_t kept : std::u32string_view(U"0123456789.+-*/^()\b\r"))
        EXPECT_TRUE(calcKeepsTypedCharacter(kept)) << static_cast<int>(kept);
    for (const char32_t refused : std::u32string_view(U"aZ ,\t\x1b\x01\x16=%e\u00e9"))
        EXPECT_FALSE(calcKeepsTypedCharacter(refused)) << static_cast<int>(refused);
    EXPECT_FALSE(calcKeepsTypedCharacter(U'\0'));
}

// Restores the separator after a test that switched the system's separator.
class CalcLines : public testing::Test {
protected:
    ~CalcLines() override { setDecimalSeparator(saved_); }

private:
    char saved_ = decimalSeparator();
};

struct LineCase {
    char separator;
    const char* line;
    bool isValue;
};

TEST_F(CalcLines, AHistoryLineIsAValueWhenItReadsAsARealWithTheSystemSeparator) {
    const LineCase cases[] = {
        {'.', "5", true},    {'.', "-2.5", true},     {'.', "1E20", true}, {'.', "", false},
        {'.', "2+3", false}, {'.', "2,5", false},     {',', "2,5", true},  {',', "2.5", false},
        {'.', "(7)", false}, {'.', "SQRT(9)", false},
    };
    for (const LineCase& c : cases) {
        setDecimalSeparator(c.separator);
        EXPECT_EQ(isCalcValueLine(c.line), c.isValue) << c.separator << " " << c.line;
    }
}

TEST_F(CalcLines, ValuesAreWrittenWithTheSystemSeparator) {
    setDecimalSeparator('.');
    EXPECT_EQ(calcValueLine(5), "5");
    setDecimalSeparator(',');
    EXPECT_EQ(calcValueLine(2.5), "2,5");
}

} // namespace
} // namespace kc::pages
