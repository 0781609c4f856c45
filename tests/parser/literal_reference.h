#pragma once

// A literal, unremembered reading of the recognisers, written for the tests only: every check re-runs every
// sub-check on copied strings, exactly as the language is described, so it is exponential and only fit for
// short texts. The compiler's remembered and pruned search must agree with it on every text.
#include "parser/parser.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace kc::parser::testing {

class LiteralReference {
public:
    explicit LiteralReference(const TCustomParser& parser) : parser_(parser) {}

    // The structure the text compiles to, as "(kind operand [operand])" with numbers and variable names at
    // the leaves, or "syntax: <message>" when the root matches no form. Limits are not applied.
    // With `namedCalls`, a call also names its function after the kind: "(14 SIN A)".
    std::string describe(std::string text, bool namedCalls = false) {
        namedCalls_ = namedCalls;
        for (char& c : text) {
            if (c >= 'a' && c <= 'z') {
                c = static_cast<char>(c - 'a' + 'A');
            }
        }
        std::string inside;
        while (bracket(text, &inside)) {
            text = inside;
        }
        return node(text);
    }

private:
    enum class Set { SumLeft, SumRight, DifferenceRight, ProductLeft, QuotientRight, PowerLeft, PowerRight };

    std::string node(const std::string& t) {
        std::string a1 = " ";
        std::string a2 = " ";
        int kind = classify(t, a1, a2);
        if (kind < 0) {
            if (a1 == " " && a2 == " ") {
                return "syntax: " + t;
            }
            return "syntax: " + a1 + "|" + a2;
        }
        if (kind == 1) {
            return leafNumber(t);
        }
        if (kind == 0) {
            return t;
        }
        std::string out = "(" + std::to_string(kind) + " ";
        if (namedCalls_ && (kind == okFunction1 || kind == okFunction2)) {
            out += t.substr(0, t.find('(')) + " ";
        }
        out += node(a1);
        if (isTwoOperandKind(static_cast<std::uint8_t>(kind))) {
            out += " " + node(a2);
        }
        return out + ")";
    }

    static std::string leafNumber(const std::string& t) {
        double v;
        if (t == "PI" || t == "-PI") {
            v = t[0] == '-' ? -3.141592653589793 : 3.141592653589793;
        } else {
            std::string c;
            std::size_t i = 0;
            if (t[0] == '+' || t[0] == '-') {
                c += t[i++];
            }
            c += '0';
            for (; i < t.size(); ++i) {
                c += t[i] == 'E' ? 'e' : t[i];
            }
            v = std::strtod(c.c_str(), nullptr);
        }
        char buffer[40];
        std::snprintf(buffer, sizeof buffer, "%.17g", v);
        return buffer;
    }

    int classify(const std::string& t, std::string& a1, std::string& a2) {
        if (number(t)) {
            return okConstant;
        }
        if (variable(t)) {
            return okVariable;
        }
        if (!t.empty() && t[0] == '-') {
            const std::string rest = t.substr(1);
            a1 = rest;
            std::string inside;
            if (bracket(rest, &inside)) {
                a1 = inside;
                return okNegate;
            }
            if (variable(rest) || power(rest) || call1(rest) || call2(rest)) {
                return okNegate;
            }
        }
        if (split('+', t, Set::SumLeft, Set::SumRight, &a1, &a2)) {
            return okAdd;
        }
        if (split('-', t, Set::SumLeft, Set::DifferenceRight, &a1, &a2)) {
            return okSubtract;
        }
        if (split('*', t, Set::ProductLeft, Set::DifferenceRight, &a1, &a2)) {
            return okMultiply;
        }
        if (split('/', t, Set::ProductLeft, Set::QuotientRight, &a1, &a2)) {
            return okDivide;
        }
        std::string rawExponent;
        if (split('^', t, Set::PowerLeft, Set::PowerRight, &a1, &a2, &rawExponent)) {
            if (!number(rawExponent)) {
                return okPower;
            }
            const double v = std::strtod(leafNumber(rawExponent).c_str(), nullptr);
            const double whole = std::trunc(v);
            const auto low =
                static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::int64_t>(whole)));
            if (low != v) {
                return okPower;
            }
            return low == 2 ? okSquare : low == 3 ? okCube : low == 4 ? okFourthPower : okIntPower;
        }
        if (call1(t, &a1)) {
            return okFunction1;
        }
        if (call2(t, &a1, &a2)) {
            return okFunction2;
        }
        return -1;
    }

    static bool balanced(const std::string& t) {
        int d = 0;
        for (char c : t) {
            d += (c == '(') - (c == ')');
        }
        return d == 0;
    }

    static bool isDigit(char c) { return c >= '0' && c <= '9'; }

    bool number(const std::string& t) const {
        if (t == "PI" || t == "-PI") {
            return true;
        }
        std::size_t i = 0;
        const std::size_t e = t.size();
        if (i < e && (t[i] == '+' || t[i] == '-')) {
            ++i;
        }
        if (i == e) {
            return false;
        }
        while (i < e && isDigit(t[i])) {
            ++i;
        }
        if (i < e && t[i] == '.') {
            ++i;
            while (i < e && isDigit(t[i])) {
                ++i;
            }
        }
        if (i < e && t[i] == 'E') {
            ++i;
            if (i < e && (t[i] == '+' || t[i] == '-')) {
                ++i;
            }
            const std::size_t d = i;
            while (i < e && isDigit(t[i])) {
                ++i;
            }
            if (i == d) {
                return false;
            }
        }
        return i == e;
    }
    bool variable(const std::string& t) const { return !t.empty() && parser_.Variables().findUpper(t); }

    bool bracket(const std::string& t, std::string* result = nullptr) {
        if (t.size() < 2 || t.front() != '(' || t.back() != ')') {
            return false;
        }
        std::string inside = t.substr(1, t.size() - 2);
        if (!valid(inside, &inside)) {
            return false;
        }
        if (result) {
            *result = inside;
        }
        return true;
    }

    bool valid(const std::string& t, std::string* result = nullptr) {
        if (t.empty()) {
            return false;
        }
        if (number(t) || variable(t) || negation(t) || sum(t) || difference(t) || product(t) || quotient(t) ||
            power(t) || call2(t) || call1(t)) {
            return true;
        }
        return bracket(t, result);
    }

    bool negation(const std::string& t) {
        if (t.empty() || t[0] != '-') {
            return false;
        }
        const std::string rest = t.substr(1);
        return bracket(rest) || variable(rest) || power(rest) || call1(rest) || call2(rest);
    }
    bool sum(const std::string& t) { return split('+', t, Set::SumLeft, Set::SumRight); }
    bool difference(const std::string& t) { return split('-', t, Set::SumLeft, Set::DifferenceRight); }
    bool product(const std::string& t) { return split('*', t, Set::ProductLeft, Set::DifferenceRight); }
    bool quotient(const std::string& t) { return split('/', t, Set::ProductLeft, Set::QuotientRight); }
    bool power(const std::string& t) { return split('^', t, Set::PowerLeft, Set::PowerRight); }

    bool call(const std::string& t) { return call1(t) || call2(t); }
    bool call1(const std::string& t, std::string* arg = nullptr) {
        const std::size_t q = t.find('(');
        if (q == std::string::npos || q == 0 || !parser_.Functions1().findUpper(t.substr(0, q))) {
            return false;
        }
        if (t.back() != ')') {
            return false;
        }
        std::string writtenArg = t.substr(q + 1, t.size() - q - 2);
        std::string inside;
        const bool ok = bracket(t.substr(q), &inside);
        if (arg) {
            *arg = ok ? inside : writtenArg;
        }
        return ok;
    }
    bool call2(const std::string& t, std::string* a1 = nullptr, std::string* a2 = nullptr) {
        const std::size_t q = t.find('(');
        if (q == std::string::npos || q == 0 || t.back() != ')' ||
            !parser_.Functions2().findUpper(t.substr(0, q))) {
            return false;
        }
        const std::string inside = t.substr(q + 1, t.size() - q - 2);
        const std::size_t m = inside.size();
        for (std::size_t c = inside.find(','); c != std::string::npos; c = inside.find(',', c + 1)) {
            if (c == 0 || c == m - 1) {
                return false;
            }
            std::string before = inside.substr(0, c);
            std::string after = inside.substr(c + 1);
            const bool beforeValid = valid(before, &before);
            if (a1) {
                *a1 = before;
            }
            if (!beforeValid) {
                continue;
            }
            const bool afterValid = valid(after, &after);
            if (a2) {
                *a2 = after;
            }
            if (afterValid) {
                return true;
            }
        }
        return false;
    }

    bool in(Set set, std::string& part) {
        if (number(part) || variable(part)) {
            return true;
        }
        if (bracket(part, &part)) {
            return true; // a bracketed operand stands without its brackets
        }
        switch (set) {
        case Set::SumLeft:
            return negation(part) || difference(part) || product(part) || quotient(part) || power(part) ||
                   call(part);
        case Set::SumRight:
            return sum(part) || difference(part) || product(part) || quotient(part) || power(part) ||
                   call(part);
        case Set::DifferenceRight:
            return product(part) || quotient(part) || power(part) || call(part);
        case Set::ProductLeft:
            return negation(part) || quotient(part) || power(part) || call(part);
        case Set::QuotientRight:
            return power(part) || call(part);
        case Set::PowerLeft:
        case Set::PowerRight:
            return call(part);
        }
        return false;
    }

    bool split(char op, const std::string& t, Set left, Set right, std::string* a1 = nullptr,
               std::string* a2 = nullptr, std::string* rawRight = nullptr) {
        const std::size_t n = t.size();
        for (std::size_t i = t.find(op, op == '-' ? 1 : 0); i != std::string::npos; i = t.find(op, i + 1)) {
            if (i == 0 || i == n - 1) {
                return false;
            }
            std::string before = t.substr(0, i);
            std::string after = t.substr(i + 1);
            const bool bal = balanced(before) && balanced(after);
            if (a2) {
                *a2 = after;
            }
            if (a1 && (op != '+' || bal)) {
                *a1 = before;
            }
            if (!bal || !in(left, before)) {
                continue;
            }
            if (a1) {
                *a1 = before;
            }
            const std::string raw = after;
            if (in(right, after)) {
                if (a2) {
                    *a2 = after;
                }
                if (rawRight) {
                    *rawRight = raw;
                }
                return true;
            }
        }
        return false;
    }

    const TCustomParser& parser_;
    bool namedCalls_ = false;
};

} // namespace kc::parser::testing
