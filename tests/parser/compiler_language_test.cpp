// The accepted language: which texts compile, the split chosen at every operator, the kinds, and every
// compile-time message. Each row compiles one text and reads the list back as a tree.
#include "parser/parser.h"
#include "parser_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kc::parser {
namespace {

using testing::failureOf;
using testing::StructureReader;

struct Row {
    std::string text;
    std::string expected; // the tree, or "Class: message"
    const char* reason;
};

std::string outcome(const std::string& text) {
    TParser parser;
    std::string tree;
    const std::string failure = failureOf([&] {
        parser.setExpression(text);
        tree = StructureReader(parser).read();
    });
    return failure == "ok" ? tree : failure;
}

void checkRows(const std::vector<Row>& rows) {
    for (const Row& row : rows) {
        EXPECT_EQ(outcome(row.text), row.expected) << "text: " << row.text << "\nwhy: " << row.reason;
    }
}

const std::string kSyntax = "ESyntaxError: Error parsing expression:\r";

TEST(CompilerNumbers, LiteralForms) {
    checkRows({
        {"5", "5", "digits"},
        {"5.", "5", "a point without decimals"},
        {".5", "0.5", "decimals without digits before"},
        {"1E3", "1000", "exponent"},
        {"2.5E-1", "0.25", "signed exponent"},
        {"1.5E2", "150", "decimals and exponent"},
        {".", "0", "a lone point is a number worth 0"},
        {"E2", "0", "an exponent without digits is a number worth 0"},
        {"E+1", "0", "so is E+1, before any sum is tried"},
        {"-.", "-0", "a signed point"},
        {"+5", "5", "leading plus"},
        {"-5", "-5", "a signed number is a number, not a negation"},
        {"pi", "3.1415926535897931", "PI in any case"},
        {"-pi", "-3.1415926535897931", "-PI is a number too"},
        {"-(PI)", "(2 3.1415926535897931)", "a bracketed PI negated is a negation"},
        {"E", "E", "E alone is the variable"},
        {"e", "E", "variables in any case"},
        {"1E-400", "0", "below the smallest double: zero, silently"},
        {"1E400", "MathError: Floating point overflow", "beyond the double range"},
        {"1E", kSyntax + "1E", "an exponent needs a digit"},
        {"1E+", kSyntax + "1E+", "a sign at the last character stops the sum search"},
        {"1,5", kSyntax + "1,5", "the language always uses the point"},
        {"1..2", kSyntax + "1..2", "one point at most"},
        {"+PI", kSyntax + "+PI", "only PI and -PI are special"},
    });
}

TEST(CompilerPrecedence, GroupingAndSplits) {
    checkRows({
        {"5-2-1", "(4 (4 5 2) 1)", "differences group to the left"},
        {"8/4/2", "(6 (6 8 4) 2)", "quotients group to the left"},
        {"A-B-C-D", "(4 (4 (4 A B) C) D)", "a longer difference chain"},
        {"1+2+3", "(3 1 (3 2 3))", "sums split at the first plus"},
        {"2*3*4", "(5 2 (5 3 4))", "products split at the first star"},
        {"2+3*4", "(3 2 (5 3 4))", "products bind tighter than sums"},
        {"2*3+4", "(3 (5 2 3) 4)", "a product as the left of a sum"},
        {"1-2+3", "(3 (4 1 2) 3)", "a difference is a sum's left part"},
        {"1+2-3", "(3 1 (4 2 3))", "the sum splits first; its right part is a difference"},
        {"2*3/4", "(5 2 (6 3 4))", "a quotient as the right of a product"},
        {"8/2*4", "(5 (6 8 2) 4)", "a quotient as the left of a product"},
        {"A/B/C*D", "(5 (6 (6 A B) C) D)", "quotient chain under a product"},
        {"10-4/2", "(4 10 (6 4 2))", "quotient under a difference"},
        {"1-2*3-4", "(4 (4 1 (5 2 3)) 4)", "product inside a left-grouped difference"},
        {"2*3^2", "(5 2 (11 3))", "powers bind tightest"},
        {"2^3*2", "(5 (12 2) 2)", "a power as a product's left"},
        {"8/2^2", "(6 8 (11 2))", "a power as a quotient's right"},
        {"2*A+SIN(B)", "(3 (5 2 A) (14 B))", "the everyday example"},
    });
}

TEST(CompilerUnaryMinus, NegationAndSignedNumbers) {
    checkRows({
        {"-2^2", "(2 (11 2))", "the minus applies to the power"},
        {"-A", "(2 A)", "negated variable"},
        {"-A^2", "(2 (11 A))", "negated power"},
        {"-A*2", "(5 (2 A) 2)", "a negation is a product's left"},
        {"-A+1", "(3 (2 A) 1)", "a negation is a sum's left"},
        {"-A-1", "(4 (2 A) 1)", "the difference search starts at the second character"},
        {"-(A+B)", "(2 (3 A B))", "negated bracket"},
        {"-((A))", "(2 A)", "redundant brackets go"},
        {"-SIN(A)", "(2 (14 A))", "negated call"},
        {"-MAX(A,B)", "(2 (15 A B))", "negated two-argument call"},
        {"--3^2", "(2 (2 (11 3)))", "the operand -3^2 is classified as a negation before a power"},
        {"2*-3", "(5 2 -3)", "-3 is a number, so it may follow *"},
        {"1+-3", "(3 1 -3)", "and +"},
        {"1--3", "(4 1 -3)", "and -"},
        {"1-+3", "(4 1 3)", "a plus-signed number"},
        {"8/-2", "(6 8 -2)", "and /"},
        {"2^-1", "(9 2 -1)", "and ^"},
        {"2*(-A)", "(5 2 (2 A))", "a bracketed negation may follow *"},
        {"A--A*B", "(4 A (5 (2 A) B))", "a product with a negated left is a difference's right"},
        {"2*-A", kSyntax + "2\r-A", "a bare negation is no right operand"},
        {"1+-A", kSyntax + "1+\rA", "nor of a sum; the difference attempt writes last"},
        {"8/-A", kSyntax + "8\r-A", "nor of a quotient"},
        {"--A", kSyntax + "-\rA", "a negation of a negation needs brackets"},
        {"-", kSyntax + "\r ", "a lone minus: the negation wrote an empty operand"},
    });
}

TEST(CompilerPowers, KindsFollowTheExponent) {
    checkRows({
        {"2^2", "(11 2)", "square"},
        {"2^3", "(12 2)", "cube"},
        {"2^4", "(13 2)", "fourth power"},
        {"2^2.0", "(11 2)", "the value decides, not the spelling"},
        {"2^5", "(9 2 5)", "other whole exponents"},
        {"2^0", "(9 2 0)", "zero is whole"},
        {"2^E2", "(9 2 0)", "E2 is the number 0"},
        {"2^-2", "(9 2 -2)", "negative whole exponent"},
        {"2^-2147483648", "(9 2 -2147483648)", "the lowest 32-bit integer"},
        {"2^2147483648", "(10 2 2147483648)", "beyond 32 bits"},
        {"2^4294967298", "(10 2 4294967298)", "low 32 bits are 2 but the value is not"},
        {"2^2.5", "(10 2 2.5)", "fractional"},
        {"2^(2)", "(10 2 2)", "a bracketed exponent is a general power"},
        {"2^A", "(10 2 A)", "variable exponent"},
        {"2^E", "(10 2 E)", "the variable E"},
        {"2^SQRT(4)", "(10 2 (14 4))", "call exponent"},
        {"SIN(A)^2", "(11 (14 A))", "call base"},
        {"(2^3)^2", "(11 (12 2))", "bracketed base"},
        {"2^(3^2)", "(10 2 (11 3))", "bracketed exponent"},
        {"-2^-2", "(2 (9 2 -2))", "negated power with signed exponent"},
        {"2^3^2", kSyntax + "2^3\r2", "a power of a power must be bracketed"},
        {"A^B^C", kSyntax + "A^B\rC", "also with variables"},
        {"2^-A", kSyntax + "2\r-A", "no negation as exponent"},
        {"2^1E19", "MathError: Invalid floating point operation", "exponent beyond int64"},
        {"2^1E400", "MathError: Floating point overflow", "exponent beyond the double range"},
    });
}

TEST(CompilerCalls, OneAndTwoArguments) {
    checkRows({
        {"SIN(A)", "(14 A)", "one argument"},
        {"sin(a)", "(14 A)", "names in any case"},
        {"SIN((A))", "(14 A)", "redundant brackets in the argument"},
        {"SIN(A+B)", "(14 (3 A B))", "expression argument"},
        {"SQRT(A*A+B*B)", "(14 (3 (5 A A) (5 B B)))", "everyday example"},
        {"MAX(1,2)", "(15 1 2)", "two arguments"},
        {"MAX((1),(2))", "(15 1 2)", "bracketed arguments lose their brackets"},
        {"MAX(MIN(1,2),3)", "(15 (15 1 2) 3)", "the first comma gives an invalid part, the second is taken"},
        {"MAX(1,MIN(2,3))", "(15 1 (15 2 3))", "the first comma is taken"},
        {"MAX(1,2)*2", "(5 (15 1 2) 2)", "call as a product's left"},
        {"2*MAX(1,2)", "(5 2 (15 1 2))", "call as a product's right"},
        {"SIN(1,2)", kSyntax + "1,2\r ", "one-argument function given two"},
        {"MAX(1,2,3)", kSyntax + "1,2\r2,3", "three arguments"},
        {"MAX(1)", kSyntax + "MAX(1)", "two-argument function given one"},
        {"MAX(,1)", kSyntax + "MAX(,1)", "a comma first stops the search"},
        {"MAX(1,)", kSyntax + "MAX(1,)", "a comma last stops the search"},
        {"SIN()", kSyntax + "\r ", "empty argument"},
        {"SINA", kSyntax + "SINA", "a call needs brackets"},
        {"SIN(1)(2)", kSyntax + "1)(2\r ", "the rest from the first bracket must be one bracket form"},
        {"FOO(1)", kSyntax + "FOO(1)", "unknown function"},
    });
}

TEST(CompilerBrackets, FormsAndCounts) {
    checkRows({
        {"((A))", "A", "redundant brackets around the whole"},
        {"(((1+2)))*3", "(5 (3 1 2) 3)", "redundant brackets around an operand"},
        {"(1+2)*(3+4)", "(5 (3 1 2) (3 3 4))", "brackets override precedence"},
        {"(A)-(B)", "(4 A B)", "not one bracket form: the inside A)-(B is no term"},
        {"(-A)", "(2 A)", "bracketed negation"},
        {"1-(2-3)", "(4 1 (4 2 3))", "right grouping by brackets"},
        {"(1+2", "EMissMatchingBracket: Missing brackets in expression (\")\")", "more opening"},
        {"((1)", "EMissMatchingBracket: Missing brackets in expression (\")\")", "more opening, nested"},
        {"1+2)", "EMissMatchingBracket: Missing brackets in expression (\"(\")", "more closing"},
        {")1+2(", kSyntax + " \r2(", "equal counts pass; unbalanced parts write only the sum's right"},
        {"()", kSyntax + "()", "empty brackets"},
        {"(A)(B)", kSyntax + "(A)(B)", "juxtaposition"},
    });
}

TEST(CompilerBlanks, TrimmedThenRefused) {
    checkRows({
        {" 1+2 ", "(3 1 2)", "outer blanks are removed"},
        {"1 + 2", "EExpressionHasBlanks: Expression has blanks", "inner blanks are refused"},
        {"1 +(2", "EExpressionHasBlanks: Expression has blanks", "blanks are checked before brackets"},
        {"   ", kSyntax, "blanks only: an empty text, no form matches"},
        {"\t1", kSyntax + "\t1", "only character 32 is a blank"},
        {std::string("1\0", 2), kSyntax + "1", "a NUL byte is an ordinary character (what() ends at it)"},
        {"\xe9", kSyntax + "\xe9", "8-bit characters are not upper-cased"},
    });
}

std::string chain(const std::string& op, int operators) {
    std::string text = "1";
    for (int i = 0; i < operators; ++i) {
        text += op + "1";
    }
    return text;
}

std::string repeat(const std::string& piece, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += piece;
    }
    return text;
}

const std::string kNestings = "ETooManyNestings: Expression contains too many nestings";

std::string balancedTree(int depth) {
    if (depth == 0) {
        return "A";
    }
    // Appends rather than "(" + text: GCC 12 at -O3 warns falsely (-Wrestrict) on the operator+ form.
    const std::string half = balancedTree(depth - 1);
    std::string text = "(";
    text += half;
    text += '-';
    text += half;
    text += ')';
    return text;
}

std::string nestedNegations(int count) {
    std::string text = "A";
    for (int i = 0; i < count; ++i) {
        text = "-(" + text + ")";
    }
    return text;
}

TEST(CompilerLimits, LevelsAndOperationsPerLevel) {
    const std::string nestings = "ETooManyNestings: Expression contains too many nestings";
    const std::string complex = "EExpressionTooComplex: Expression is too complex";
    struct LimitRow {
        std::string text;
        bool compiles;
        std::string failure;
        const char* reason;
    };
    const LimitRow rows[] = {
        {chain("+", 20), true, "", "20 sums nest to level 20"},
        {chain("+", 21), false, nestings, "21 sums need level 21"},
        {chain("-", 20), true, "", "20 differences, grouped to the left"},
        {chain("-", 21), false, nestings, "21 differences"},
        {nestedNegations(20), true, "", "20 negations"},
        {nestedNegations(21), false, nestings, "21 negations"},
        {balancedTree(6), true, "", "32 operations on the deepest level"},
        {balancedTree(7), false, complex, "64 would be on the deepest level"},
    };
    for (const LimitRow& row : rows) {
        TParser parser;
        const std::string failure = failureOf([&] { parser.setExpression(row.text); });
        if (row.compiles) {
            EXPECT_EQ(failure, "ok") << row.reason;
            EXPECT_FALSE(parser.Operations().empty()) << row.reason;
        } else {
            EXPECT_EQ(failure, row.failure) << row.reason;
            EXPECT_TRUE(parser.Operations().empty()) << row.reason;
        }
    }
}

TEST(CompilerLimits, ListRunsDeepestLevelFirst) {
    TParser parser;
    parser.setExpression(chain("+", 20));
    std::vector<int> kinds;
    for (const OperationRecord* r = parser.Operations().First(); r != nullptr; r = r->Next) {
        kinds.push_back(r->Kind);
    }
    EXPECT_EQ(kinds, std::vector<int>(20, okAdd));
    EXPECT_EQ(parser.Value(), 21);
    // 2*A+SIN(B): product and call on level 2 in position order, then the sum.
    parser.setExpression("2*A+SIN(B)");
    kinds.clear();
    for (const OperationRecord* r = parser.Operations().First(); r != nullptr; r = r->Next) {
        kinds.push_back(r->Kind);
    }
    EXPECT_EQ(kinds, (std::vector<int>{okMultiply, okFunction1, okAdd}));
}

TEST(CompilerRobustness, LongAndOddTexts) {
    struct LongRow {
        std::string text;
        std::string expected; // the failure, or "ok" for a text that compiles to 1
        const char* reason;
    };
    const LongRow rows[] = {
        {std::string(50000, '(') + "1" + std::string(50000, ')'), "ok", "deep redundant brackets"},
        {chain("+", 50000), "ETooManyNestings: Expression contains too many nestings", "a long valid sum"},
        {chain("-", 20000) + "-", kSyntax + chain("-", 19999) + "\r1-", "a long rejected difference"},
        {std::string(100000, '1'), "MathError: Floating point overflow", "a 100,000-digit number"},
        {std::string(100000, '\0'), kSyntax, "NUL bytes (the message text ends at the first)"},
        {std::string(100000, '\xff'), kSyntax + std::string(100000, '\xff'), "8-bit characters"},
        {repeat("MAX(", 4680) + "1" + repeat(",1)", 4680), kNestings, "32,761 characters of nested calls"},
        {repeat("2^-1*", 6552) + "2^-1", kNestings, "32,764 characters of signed powers"},
        {std::string(32767, '-'), kSyntax + std::string(32765, '-') + "\r-", "32,767 minus signs"},
        {std::string(16382, '(') + "E-1+1" + std::string(16382, ')'), "ok",
         "32,769 characters; E-1 is the number 0"},
    };
    for (const LongRow& row : rows) {
        TParser parser;
        const std::string failure = failureOf([&] { parser.setExpression(row.text); });
        EXPECT_TRUE(failure == row.expected) << row.reason << ": " << failure.substr(0, 80);
        if (row.expected == "ok") {
            EXPECT_EQ(parser.Value(), 1) << row.reason;
        }
    }
}

} // namespace
} // namespace kc::parser
