// libFuzzer target: the compiler against the tests' literal reading of the language, on what the fuzzer
// finds. A text of up to kLongest characters must compile to the structure the reference describes, or both
// must refuse it with the same message. An accepted text must then evaluate, bit for bit or failure for
// failure, as a plain walk over the reference's tree with the runtime's own operations, for several settings
// of the variables; in the locale's number format too, whenever that format reads the text the same way.
#include "core/runtime_error.h"
#include "parser/literal_reference.h"
#include "parser/parser.h"
#include "parser/parser_test_support.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

namespace {

using namespace kc::parser;
using testing::compiled;

// The reference re-reads every part of a text for every split it tries: beyond this length one input can take
// seconds, and libFuzzer's inputs would time out instead of being compared.
constexpr std::size_t kLongest = 24;

[[noreturn]] void finding(const std::string& text, const std::string& what) {
    std::fprintf(stderr, "expression-vs-reference finding for \"%s\": %s\n", text.c_str(), what.c_str());
    std::abort();
}

// A value or the failure's message, as a text that compares bit for bit.
std::string outcome(double value) {
    char bits[2 * sizeof value + 1];
    unsigned char bytes[sizeof value];
    std::memcpy(bytes, &value, sizeof value);
    for (std::size_t i = 0; i < sizeof value; ++i) {
        std::snprintf(bits + 2 * i, 3, "%02x", bytes[i]);
    }
    return bits;
}

// Evaluates "(kind [NAME] operand [operand])" trees with numbers and variable names at the leaves.
class TreeWalk {
public:
    TreeWalk(const TParser& parser, std::string_view tree) : parser_(parser), tree_(tree) {}

    double value() {
        at_ = 0;
        return node();
    }

private:
    std::string_view word() {
        const std::size_t end = tree_.find_first_of(" ()", at_);
        const std::string_view w = tree_.substr(at_, end - at_);
        at_ = end;
        return w;
    }
    void skip(char c) {
        if (at_ < tree_.size() && tree_[at_] == c) {
            ++at_;
        }
    }
    double node() {
        skip(' ');
        if (tree_[at_] != '(') {
            const std::string leaf(word());
            if (const auto* variable = parser_.Variables().findUpper(leaf)) {
                return **variable;
            }
            return std::strtod(leaf.c_str(), nullptr);
        }
        ++at_;
        const auto kind = static_cast<std::uint8_t>(std::stoi(std::string(word())));
        OperationRoutine routine = routineForKind(kind);
        if (kind == okFunction1 || kind == okFunction2) {
            skip(' ');
            const std::string name(word());
            routine = *(kind == okFunction1 ? parser_.Functions1() : parser_.Functions2()).findUpper(name);
        }
        double first = node();
        double second = 0;
        if (isTwoOperandKind(kind)) {
            second = node();
        }
        skip(')');
        double result = 0;
        OperationRecord record;
        record.Arg1 = &first;
        record.Arg2 = &second;
        record.Dest = &result;
        routine(record);
        return result;
    }

    const TParser& parser_;
    std::string_view tree_;
    std::size_t at_ = 0;
};

template <typename Action> std::string attempt(Action action) {
    try {
        return outcome(action());
    } catch (const kc::RuntimeError& e) {
        return std::string("failure: ") + e.what();
    }
}

struct Setting {
    double a, b, c, d, e, x, y, t;
};
constexpr std::array<Setting, 3> kSettings = {{
    {1.5, -0.25, 0, 1e300, -3, 0.1, 2, -1e-300},
    {0, 0, 0, 0, 0, 0, 0, 0},
    {-2, 3, 0.5, -1e-5, 2.718281828459045, 1e10, -7, 4},
}};

void set(TParser& parser, const Setting& s) {
    parser.setA(s.a);
    parser.setB(s.b);
    parser.setC(s.c);
    parser.setD(s.d);
    parser.setE(s.e);
    parser.setX(s.x);
    parser.setY(s.y);
    parser.setT(s.t);
}

// Both ways evaluate every setting; the draws of RND and RANDOM depend on the order of evaluation, which
// a list and a tree walk do not share, so texts that draw are compared for structure only.
void compareValues(TParser& parser, const std::string& text, const std::string& tree, const char* format) {
    if (text.find("RND") != std::string::npos || text.find("RANDOM") != std::string::npos) {
        return;
    }
    for (const Setting& setting : kSettings) {
        set(parser, setting);
        const std::string listed = attempt([&] { return static_cast<double>(parser.Value()); });
        const std::string walked = attempt([&] { return TreeWalk(parser, tree).value(); });
        const bool bothFail = listed.rfind("failure", 0) == 0 && walked.rfind("failure", 0) == 0;
        if (listed != walked && !bothFail) {
            finding(text,
                    std::string(format) + " list gives " + listed + ", the tree " + walked + " for " + tree);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    // A failure's message is a C string whose parts a carriage return parts, so a NUL or a CR in the text
    // would cut the comparison short or shift it; the expression target takes them.
    if (size > kLongest || text.find_first_of(std::string("\0\r", 2)) != std::string::npos) {
        return 0;
    }
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    static TParser parser;
    static testing::LiteralReference reference(parser);
    parser.setPascalNumberformat(true);
    const std::string structure = compiled(parser, text);
    if (structure.rfind("other: ", 0) == 0 || structure == "<empty>") {
        return 0; // no text, blanks, brackets, limits, overflow: decided before or after the recognisers
    }
    // The compiler trims the blanks at either end before it reads the text.
    const std::size_t first = std::min(text.size(), text.find_first_not_of(' '));
    const std::string trimmed = text.substr(first, text.find_last_not_of(' ') + 1 - first);
    const std::string expected = reference.describe(trimmed);
    if (structure != expected) {
        finding(text, "compiled " + structure + ", the reference " + expected);
    }
    if (structure.rfind("syntax: ", 0) == 0) {
        return 0;
    }
    const std::string tree = reference.describe(trimmed, true);
    compareValues(parser, text, tree, "Pascal");
    parser.setPascalNumberformat(false);
    if (compiled(parser, text) == structure) {
        compareValues(parser, text, tree, "locale");
    }
    return 0;
}
