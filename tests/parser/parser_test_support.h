#pragma once

#include "parser/parser.h"

#include <cstdio>
#include <functional>
#include <string>
#include <string_view>
#include <typeinfo>

namespace kc::parser::testing {

// The class of a failure, by the name the user-facing code knows it by.
inline std::string failureClass(const std::exception& e) {
    if (dynamic_cast<const ESyntaxError*>(&e)) {
        return "ESyntaxError";
    }
    if (dynamic_cast<const EExpressionHasBlanks*>(&e)) {
        return "EExpressionHasBlanks";
    }
    if (dynamic_cast<const EExpressionTooComplex*>(&e)) {
        return "EExpressionTooComplex";
    }
    if (dynamic_cast<const ETooManyNestings*>(&e)) {
        return "ETooManyNestings";
    }
    if (dynamic_cast<const EMissMatchingBracket*>(&e)) {
        return "EMissMatchingBracket";
    }
    if (dynamic_cast<const EParserInternalError*>(&e)) {
        return "EParserInternalError";
    }
    if (dynamic_cast<const MathError*>(&e)) {
        return "MathError";
    }
    return typeid(e).name();
}

// "Class: message" of what `action` raises, or "ok".
inline std::string failureOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const std::exception& e) {
        return failureClass(e) + ": " + e.what();
    }
    return "ok";
}

// The compiled list read back as a tree, "(kind operand [operand])" with constants as values and variables
// by name, so the split the compiler chose can be compared as text.
class StructureReader {
public:
    explicit StructureReader(const TCustomParser& parser) : parser_(parser) {}

    std::string read() const {
        const OperationList& list = parser_.Operations();
        if (list.empty()) {
            return "<empty>";
        }
        if (list.size() == 1 && list.First()->Kind == okVariable) {
            return leaf(list.First()->Dest);
        }
        return of(list.Last()->Dest);
    }

private:
    std::string of(const double* real) const {
        for (const OperationRecord* r = parser_.Operations().First(); r != nullptr; r = r->Next) {
            if (r->Dest == real) {
                // Appends rather than "(" + text: GCC 12 at -O3 warns falsely (-Wrestrict) on that form.
                std::string out = "(";
                out += std::to_string(r->Kind);
                out += ' ';
                out += of(r->Arg1);
                if (isTwoOperandKind(r->Kind)) {
                    out += ' ';
                    out += of(r->Arg2);
                }
                out += ')';
                return out;
            }
        }
        return leaf(real);
    }
    std::string leaf(const double* real) const {
        for (const auto& entry : parser_.Variables().entries()) {
            if (entry.value == real) {
                return entry.name;
            }
        }
        char buffer[40];
        std::snprintf(buffer, sizeof buffer, "%.17g", *real);
        return buffer;
    }
    const TCustomParser& parser_;
};

// What the compiler makes of a text: the structure, "syntax: <message>" (the message's two parts joined by
// "|") for a text no form matches, or "other: <message>" for any other failure.
inline std::string compiled(TParser& parser, const std::string& text) {
    try {
        parser.setExpression(text);
    } catch (const ESyntaxError& e) {
        std::string message = e.what();
        message = message.substr(std::string_view("Error parsing expression:\r").size());
        const std::size_t cr = message.find('\r');
        if (cr != std::string::npos) {
            message[cr] = '|';
        }
        return "syntax: " + message;
    } catch (const std::exception& e) {
        return std::string("other: ") + e.what();
    }
    return StructureReader(parser).read();
}

} // namespace kc::parser::testing
