// The parser component: assigning compiles, reading Value evaluates; variables, functions, evaluation
// failures, the error handler and the allocation-free evaluation.
#include "allocation_counter.h"
#include "core/runtime_error.h"
#include "core/text_conversion.h"
#include "parser/parser.h"
#include "parser_test_support.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <new>
#include <numbers>
#include <string>
#include <vector>

namespace kc::parser {
namespace {

using testing::failureOf;

class ParserTest : public ::testing::Test {
protected:
    // Each test starts from the generator's start-up state, so draws are those of a fresh run.
    void SetUp() override { setRandomSeed(0); }

    Extended valueOf(const std::string& text) {
        parser.setExpression(text);
        return parser.Value();
    }
    TParser parser;
};

TEST_F(ParserTest, NewComponentHasNoExpression) {
    EXPECT_EQ(parser.Value(), 0);
    EXPECT_EQ(parser.Expression(), "");
    EXPECT_TRUE(parser.PascalNumberformat());
    EXPECT_FALSE(parser.OnParserError());
    EXPECT_EQ(parser.A(), 0);
}

TEST_F(ParserTest, VariablesAreReadAtEachEvaluation) {
    parser.setExpression("A");
    EXPECT_EQ(parser.Value(), 0);
    parser.setA(5);
    EXPECT_EQ(parser.Value(), 5);
    parser.setExpression("((A))");
    EXPECT_EQ(parser.Operations().First()->Dest, *parser.Variables().find("A"));
    parser.setA(-2);
    EXPECT_EQ(parser.Value(), -2);
}

TEST_F(ParserTest, EachVariableHasItsOwnStorage) {
    struct VariableRow {
        const char* name;
        void (TParser::*set)(double);
        double (TParser::*get)() const;
    };
    const VariableRow rows[] = {
        {"A", &TParser::setA, &TParser::A}, {"B", &TParser::setB, &TParser::B},
        {"C", &TParser::setC, &TParser::C}, {"D", &TParser::setD, &TParser::D},
        {"E", &TParser::setE, &TParser::E}, {"X", &TParser::setX, &TParser::X},
        {"Y", &TParser::setY, &TParser::Y}, {"T", &TParser::setT, &TParser::T},
    };
    double value = 1;
    for (const VariableRow& row : rows) {
        (parser.*row.set)(value);
        value += 1;
    }
    value = 1;
    for (const VariableRow& row : rows) {
        EXPECT_EQ((parser.*row.get)(), value) << row.name;
        EXPECT_EQ(valueOf(std::string(row.name) + "*1"), value) << row.name;
        EXPECT_EQ(valueOf(std::string(1, static_cast<char>(std::tolower(row.name[0])))), value) << row.name;
        value += 1;
    }
}

TEST_F(ParserTest, OperatorsAndFunctions) {
    const Extended pi = std::numbers::pi_v<long double>;
    struct ValueRow {
        const char* text;
        Extended expected;
    };
    const ValueRow exact[] = {
        {"5-2-1", 2},
        {"8/4/2", 1},
        {"2+3*4", 14},
        {"2*3^2", 18},
        {"-2^2", -4},
        {"(2^3)^2", 64},
        {"2^(3^2)", 512},
        {"+2*3", 6},
        {"2*-3", -6},
        {"1E2", 100},
        {"E2", 0},
        {".", 0},
        {"SQR(3)", 9},
        {"INT(-2.5)", -2},
        {"TRUNC(-2.5)", -2},
        {"CEIL(-2.5)", -2},
        {"CEIL(2.5)", 3},
        {"CEIL(2)", 2},
        {"FLOOR(-2.5)", -3},
        {"FLOOR(2.5)", 2},
        {"FLOOR(-2)", -2},
        {"HEAV(0)", 1},
        {"HEAV(-1)", 0},
        {"SIGN(0)", 0},
        {"SIGN(-3)", -1},
        {"SIGN(0.5)", 1},
        {"ZERO(5)", 1},
        {"ZERO(0)", 0},
        {"MAX(1,2)", 2},
        {"MIN(2,2)", 2},
        {"MIN(3,-1)", -1},
        {"LOGN(2,8)", 3},
        {"ARG(0,1)", static_cast<double>(pi / 2)},
        {"ARG(0,0)", static_cast<double>(-pi / 2)},
        {"ARG(-1,0)", static_cast<double>(pi)},
        {"POWER(2,3)", 8},
        {"POWER(2,0)", 1},
        {"POWER(0,0)", 1},
        {"POWER(0,2.5)", 0},
        {"POWER(-8,3)", -512},
        {"POWER(4,0.5)", 2},
        {"INTPOWER(2,10)", 1024},
        {"INTPOWER(2,-2)", 0.25},
        {"INTPOWER(-2,3)", -8},
        {"INTPOWER(2,2.9)", 4},
        {"INTPOWER(2,4294967298)", 4},
        {"INTPOWER(10,-4100)", 0},
        {"2^-1075", 0},
        {"2^1023*2^-1023", 1},
        {"TRUNC(1E19)", 1e19},
        {"CEIL(1E19)", 1e19},
        {"FLOOR(-1E19)", -1e19},
        {"ABS(-2)", 2},
        {"SQRT(16)", 4},
        {"EXP(0)", 1},
        {"LN(1)", 0},
        {"LOG10(1000)", 3},
        {"LOG2(8)", 3},
        {"SIN(0)", 0},
        {"COS(0)", 1},
        {"TAN(0)", 0},
        {"SINH(0)", 0},
        {"COSH(0)", 1},
        {"ARCTAN(0)", 0},
        {"PH(0)", 0},
        {"2^4", 16},
        {"3^3", 27},
        {"2^-2", 0.25},
        {"-.", 0},
        {"A^4+3*A^3-2*A^2+A-7", -7},
    };
    for (const ValueRow& row : exact) {
        EXPECT_EQ(valueOf(row.text), row.expected) << row.text;
    }
    const ValueRow approximate[] = {
        {"2^0.5", std::sqrt(2.0L)},
        {"ARCTAN(1)", pi / 4},
        {"COTAN(PI/4)", 1},
        {"SIN(PI/2)", 1},
        {"ARG(1,1)", pi / 4},
        {"ARG(-1,-1)", pi / 4 + pi},
        {"SINH(1)", (std::exp(1.0L) - std::exp(-1.0L)) / 2},
        {"LOGN(10,1000)", 3},
        {"POWER(2,0.5)", std::sqrt(2.0L)},
        {"SINH(710)", 1.1169973830808557e308L},
    };
    for (const ValueRow& row : approximate) {
        const double actual = static_cast<double>(valueOf(row.text));
        const double expected = static_cast<double>(row.expected);
        EXPECT_NEAR(actual, expected, std::fabs(expected) * 1e-15 + 1e-15) << row.text;
    }
}

TEST_F(ParserTest, ArithmeticIsExtendedAndStoredAsDouble) {
    // The product is stored as a double, so it overflows there although the quotient would fit.
    EXPECT_EQ(failureOf([&] { valueOf("(1E308*10)/10"); }), "MathError: Floating point overflow");
    // Inside one record the arithmetic is extended: (A*A)^2 of 1E100 would overflow a double midway.
    EXPECT_EQ(failureOf([&] { valueOf("1E100^4"); }), "MathError: Floating point overflow");
    parser.setA(1e77);
    EXPECT_EQ(valueOf("A^4"), 1e308);
    // The store overflows only where rounding to a double does: half an ulp (2^970) above the largest.
    EXPECT_EQ(valueOf("1.7976931348623157E308+9E291"), 1.7976931348623157e308);
    EXPECT_EQ(failureOf([&] { valueOf("1.7976931348623157E308+1E292"); }),
              "MathError: Floating point overflow");
}

TEST_F(ParserTest, EvaluationFailuresCarryTheRuntimeMessages) {
    const std::string divide = "MathError: Floating point division by zero";
    const std::string invalid = "MathError: Invalid floating point operation";
    const std::string overflow = "MathError: Floating point overflow";
    struct FailureRow {
        const char* text;
        std::string failure;
    };
    const FailureRow rows[] = {
        {"1/0", divide},
        {"0/0", invalid},
        {"LN(0)", divide},
        {"LOG10(0)", divide},
        {"LOG2(0)", divide},
        {"LN(-1)", invalid},
        {"SQRT(-1)", invalid},
        {"POWER(-8,0.5)", invalid},
        {"POWER(0,-1)", divide},
        {"POWER(0,-0.5)", divide},
        {"INTPOWER(0,-1)", divide},
        {"INTPOWER(2,1E19)", invalid},
        {"PH(1E30)", invalid},
        {"RND(1E19)", invalid},
        {"EXP(1000)", overflow},
        {"SINH(1000)", overflow},
        {"COSH(-1000)", overflow},
        {"1E300*1E300", overflow},
        {"2^1024", overflow},
        {"INTPOWER(10,-5000)", overflow},
        {"COTAN(0)", divide},
        {"LOGN(1,8)", divide},
        {"LOGN(1,1)", invalid},
        {"LOGN(2,-1)", invalid},
        {"2^9E18", overflow},
    };
    for (const FailureRow& row : rows) {
        EXPECT_EQ(failureOf([&] { valueOf(row.text); }), row.failure) << row.text;
    }
}

TEST_F(ParserTest, AFailureStopsAtItsRecordAndTheListSurvives) {
    parser.setA(3);
    parser.setExpression("2*A+1/B");
    EXPECT_EQ(failureOf([&] { parser.Value(); }), "MathError: Floating point division by zero");
    EXPECT_EQ(failureOf([&] { parser.Value(); }), "MathError: Floating point division by zero");
    const OperationRecord* product = parser.Operations().First();
    EXPECT_EQ(*product->Dest, 6) << "records before the failing one ran";
    EXPECT_EQ(*parser.Operations().Last()->Dest, 0) << "records after it did not";
    parser.setB(4);
    EXPECT_EQ(parser.Value(), 6.25);
}

TEST_F(ParserTest, RandomNumbersFollowTheSharedGenerator) {
    EXPECT_EQ(valueOf("RANDOM(0)"), 2.3283064365386963e-10);
    EXPECT_EQ(parser.Value(), 134775814.0 / 4294967296.0);
    setRandomSeed(0);
    EXPECT_EQ(valueOf("RND(10)"), 10 * 2.3283064365386963e-10);
    setRandomSeed(0);
    EXPECT_EQ(valueOf("RND(-2.9)"), -2 * 2.3283064365386963e-10);
}

TEST_F(ParserTest, FailedCompilationWithoutHandlerRaisesAndKeepsTheText) {
    parser.setExpression("1+2");
    EXPECT_EQ(failureOf([&] { parser.setExpression("1+"); }), "ESyntaxError: Error parsing expression:\r1+");
    EXPECT_EQ(parser.Expression(), "1+");
    EXPECT_TRUE(parser.Operations().empty());
    EXPECT_EQ(parser.Value(), 0);
}

TEST_F(ParserTest, FailedCompilationGoesToTheHandler) {
    TCustomParser* sender = nullptr;
    std::string received;
    parser.setOnParserError([&](TCustomParser& s, const std::exception& e) {
        sender = &s;
        received = testing::failureClass(e) + ": " + e.what();
    });
    EXPECT_EQ(failureOf([&] { parser.setExpression("1+"); }), "ok");
    EXPECT_EQ(sender, &parser);
    EXPECT_EQ(received, "ESyntaxError: Error parsing expression:\r1+");
    EXPECT_EQ(parser.Expression(), "1+");
    EXPECT_EQ(parser.Value(), 0);
    // Not only the parser's own classes: the runtime's error of an exponent literal goes there too.
    EXPECT_EQ(failureOf([&] { parser.setExpression("2^1E19"); }), "ok");
    EXPECT_EQ(received, "MathError: Invalid floating point operation");
    // Evaluation failures never go to the handler.
    parser.setExpression("1/0");
    received.clear();
    EXPECT_EQ(failureOf([&] { parser.Value(); }), "MathError: Floating point division by zero");
    EXPECT_EQ(received, "");
}

TEST_F(ParserTest, EmptyTextReleasesTheList) {
    parser.setExpression("1+2");
    EXPECT_EQ(parser.Value(), 3);
    EXPECT_EQ(failureOf([&] { parser.setExpression(""); }), "ok");
    EXPECT_TRUE(parser.Operations().empty());
    EXPECT_EQ(parser.Value(), 0);
}

TEST_F(ParserTest, LocaleNumbersWhenPascalFormatIsOff) {
    struct SeparatorGuard {
        char saved = decimalSeparator();
        ~SeparatorGuard() { setDecimalSeparator(saved); }
    } guard;
    setDecimalSeparator(',');
    parser.setPascalNumberformat(false);
    EXPECT_EQ(valueOf("1,5*2"), 3);
    EXPECT_EQ(valueOf("MAX(1,5,2)"), 5.2) << "arguments split at the first comma that leaves two terms";
    EXPECT_EQ(failureOf([&] { valueOf("MAX(,5,2)"); }), "ESyntaxError: Error parsing expression:\rMAX(,5,2)")
        << "a comma first stops the search, though ,5 is a number";
    EXPECT_EQ(valueOf("-PI"), -3.141592653589793);
    EXPECT_EQ(failureOf([&] { valueOf("E2"); }), "ESyntaxError: Error parsing expression:\rE2");
    EXPECT_EQ(failureOf([&] { valueOf("1E4000"); }), "MathError: Floating point overflow");
    parser.setPascalNumberformat(true);
    EXPECT_EQ(valueOf("1.5*2"), 3);
}

TEST_F(ParserTest, RegistriesIgnoreCase) {
    EXPECT_NE(parser.Variables().find("a"), nullptr);
    EXPECT_NE(parser.Functions1().find("Sqrt"), nullptr);
    EXPECT_NE(parser.Functions2().find("intpower"), nullptr);
    EXPECT_EQ(parser.Functions1().find("MAX"), nullptr);
    EXPECT_EQ(parser.Functions1().entries().size(), 24u);
    EXPECT_EQ(parser.Functions2().entries().size(), 6u);

    double storage = 0;
    VariableRegistry variables;
    EXPECT_TRUE(variables.add("Q", &storage));
    EXPECT_FALSE(variables.add("q", &storage)) << "a variable added twice is ignored";
    FunctionRegistry functions;
    functions.addUnique("F", nullptr);
    EXPECT_THROW(functions.addUnique("f", nullptr), RuntimeError) << "a function added twice is an error";
    for (const char* name : {"", "A B", "F(", "X+Y", "A.B"}) {
        EXPECT_THROW(functions.add(name, nullptr), std::invalid_argument) << "names are letters and digits";
    }
    EXPECT_TRUE(functions.add("LOG10", nullptr));
}

TEST_F(ParserTest, EvaluationAllocatesNothing) {
    parser.setExpression("MAX(MIN(A,B),COS(A)*EXP(B/10))+SQRT(A*A+B*B)^2-INTPOWER(A,3)+RANDOM(1)");
    const long allocations = testing::countAllocations([&] {
        for (int i = 0; i < 1000; ++i) {
            parser.setA(i);
            parser.setB(i / 2.0);
            parser.Value();
        }
    });
    EXPECT_EQ(allocations, 0);
}

TEST_F(ParserTest, RecordsAndRealsShareOneBlock) {
    parser.setExpression("2*A+SIN(B)");
    const OperationRecord* first = parser.Operations().First();
    const std::size_t count = parser.Operations().size();
    ASSERT_EQ(count, 3u);
    // Records follow one another, then come the reals: the constant 2 and the three results.
    const auto* realsBegin = reinterpret_cast<const double*>(first + count);
    for (const OperationRecord* r = first; r != nullptr; r = r->Next) {
        EXPECT_TRUE(r->Next == nullptr || r->Next == r + 1);
        EXPECT_GE(r->Dest, realsBegin);
        EXPECT_LT(r->Dest, realsBegin + 4);
    }
}

TEST_F(ParserTest, EveryAssignmentCompilesAgain) {
    parser.setExpression("A+1");
    parser.setExpression("A+1");
    parser.setA(1);
    EXPECT_EQ(parser.Value(), 2);
}

} // namespace
} // namespace kc::parser
