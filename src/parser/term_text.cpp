#include "parser/term_text.h"

#include "core/c_numbers.h"
#include "core/checked_math.h"
#include "core/text_conversion.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

namespace kc::parser::detail {

void TextIndex::index(std::string_view text, const VariableRegistry& variables,
                      const FunctionRegistry& functions1, const FunctionRegistry& functions2, bool pascal) {
    t_ = text;
    n_ = text.size();
    variables_ = &variables;
    pascal_ = pascal;
    // A decimal separator that is a bracket could not be told from one; brackets stay brackets.
    separator_ = pascal ? '.' : decimalSeparator();
    hasSeparator_ = separator_ != '(' && separator_ != ')';
    cuts_ = !pascal && hasSeparator_ && std::strchr("+-*/^,", separator_) != nullptr;
    // New storage is zero already; clearing it would only touch its pages.
    if (!flags_.reserve(n_ + 1)) {
        std::memset(&flags_[0], 0, n_ + 1);
    }
    match_.reserve(n_ + 1);
    numberEnd_.reserve(n_ + 1);
    numberStart_ = &numberEnd_;
    if (cuts_) {
        numberCut_.reserve(n_ + 1);
        numberStartApart_.reserve(n_ + 1);
        numberStart_ = &numberStartApart_;
    }
    pairBrackets();
    scanWords(functions1, functions2);
    for (std::size_t p = 0; p < n_; ++p) {
        if (isStart(p)) {
            scanNumberAt(p);
        }
    }
    for (Positions& points : splitPoints_) {
        points.reset(n_ + 1);
    }
    for (std::size_t p = 1; p < n_; ++p) {
        if (const int op = operatorIndex(t_[p]); op >= 0 && operandEndsAt(p)) {
            splitPoints_[static_cast<std::size_t>(op)].insert(p);
        }
    }
}

void TextIndex::pairBrackets() {
    open_.clear();
    for (std::size_t i = find('(', 0, n_), j = find(')', 0, n_); i < n_ || j < n_;) {
        if (i < j) {
            open_.push_back(static_cast<std::uint32_t>(i));
            i = find('(', i + 1, n_);
            continue;
        }
        if (open_.empty()) {
            match_.set(j, kNone);
        } else {
            match_.set(j, open_.back());
            match_.set(open_.back(), static_cast<std::uint32_t>(j));
            open_.pop_back();
        }
        j = find(')', j + 1, n_);
    }
    for (std::uint32_t unmatched : open_) {
        match_.set(unmatched, kNone);
    }
}

void TextIndex::scanWords(const FunctionRegistry& functions1, const FunctionRegistry& functions2) {
    // Most words of a long text are numbers; only a word that starts as some name does needs looking up.
    bool startsName[256] = {};
    longestName_ = 0;
    const auto note = [&](const std::string& name) {
        startsName[static_cast<unsigned char>(name[0])] = true;
        longestName_ = std::max(longestName_, name.size());
    };
    for (const auto& entry : variables_->entries()) {
        note(entry.name);
    }
    for (const auto& entry : functions1.entries()) {
        note(entry.name);
    }
    for (const auto& entry : functions2.entries()) {
        note(entry.name);
    }
    for (std::size_t s = 0; s < n_;) {
        if (!isWordChar(t_[s])) {
            ++s;
            continue;
        }
        std::size_t e = s;
        while (e < n_ && isWordChar(t_[e])) {
            ++e;
        }
        if (startsName[static_cast<unsigned char>(t_[s])] && e - s <= longestName_) {
            const std::string_view word = text(s, e);
            std::uint8_t flags = 0;
            flags |= variables_->findUpper(word) ? kVariable : 0;
            flags |= functions1.findUpper(word) ? kFunction1 : 0;
            flags |= functions2.findUpper(word) ? kFunction2 : 0;
            flags_[s] |= flags;
        }
        s = e;
    }
}

// No name is longer than the longest registered, so a name's ends are found by looking that far.
std::size_t TextIndex::nameBefore(std::size_t q) const {
    std::size_t w = q;
    while (w > 0 && isWordChar(t_[w - 1]) && q - w <= longestName_) {
        --w;
    }
    const bool isName = w < q && q - w <= longestName_ && (w == 0 || !isWordChar(t_[w - 1])) &&
                        (flags_[w] & (kVariable | kFunction1 | kFunction2)) != 0;
    return isName ? w : kNone;
}

std::size_t TextIndex::nameEnd(std::size_t p) const {
    std::size_t e = p;
    while (e < n_ && isWordChar(t_[e])) {
        ++e;
    }
    return e;
}

bool TextIndex::twoArgumentName(std::size_t open) const {
    const std::size_t w = nameBefore(open);
    return w != kNone && (flags_[w] & kFunction2) != 0;
}

// Whether a symbol that can end an operand ends at q: a number, a variable, or a group or call.
bool TextIndex::operandEndsAt(std::size_t q) const {
    if ((flags_[q] & kNumberEnd) != 0) {
        return true;
    }
    const char c = t_[q - 1];
    if (c == ')') {
        return match_[q - 1] != kNone;
    }
    if (!isWordChar(c) || (q < n_ && isWordChar(t_[q]))) {
        return false;
    }
    const std::size_t w = nameBefore(q);
    return w != kNone && (flags_[w] & kVariable) != 0;
}

bool TextIndex::callable(std::size_t word, std::size_t paren) const {
    return ((flags_[word] & kFunction1) != 0 && (flags_[paren] & kGroupValid) != 0) ||
           ((flags_[word] & kFunction2) != 0 && (flags_[paren] & kGroupCall2) != 0);
}

// A number can start where an operand can: at the start, after an operator, a bracket or a comma.
bool TextIndex::isStart(std::size_t p) const {
    if (p == 0) {
        return true;
    }
    switch (t_[p - 1]) {
    case '+':
    case '-':
    case '*':
    case '/':
    case '^':
    case '(':
    case ',':
        return true;
    default:
        return false;
    }
}

// The longest unsigned number at p, and, where the separator is an operator or a comma, the number that
// ends just before it (a shorter number is otherwise followed by a character no operand can follow).
void TextIndex::scanNumberAt(std::size_t p) {
    numberEnd_.set(p, kNone);
    if (cuts_) {
        numberCut_.set(p, kNone);
    }
    const auto ends = [&](std::size_t end, PositionTable& table) {
        table.set(p, static_cast<std::uint32_t>(end));
        if ((flags_[end] & kNumberEnd) == 0) {
            flags_[end] |= kNumberEnd;
            numberStart_->set(end, static_cast<std::uint32_t>(p));
        }
    };
    if (p + 2 <= n_ && t_[p] == 'P' && t_[p + 1] == 'I') {
        flags_[p] |= kPi;
        ends(p + 2, numberEnd_);
        return;
    }
    auto digits = [&](std::size_t& i) {
        const std::size_t from = i;
        while (i < n_ && isDigit(t_[i])) {
            ++i;
        }
        return i - from;
    };
    std::size_t i = p;
    std::size_t mantissaDigits = digits(i);
    const std::size_t wholeEnd = i;
    if (i < n_ && hasSeparator_ && t_[i] == separator_) {
        ++i;
        mantissaDigits += digits(i);
    }
    std::size_t end = i;
    if (i < n_ && t_[i] == 'E') {
        std::size_t j = i + 1;
        if (j < n_ && (t_[j] == '+' || t_[j] == '-')) {
            ++j;
        }
        if (digits(j) > 0) {
            end = j;
        }
    }
    // Pascal numbers need only one character ("." and "E2" are numbers); the locale's need a digit.
    if (pascal_ ? end == p : mantissaDigits == 0) {
        return;
    }
    auto accepted = [&](std::size_t to) { return to > p && (pascal_ || parseReal(text(p, to)).has_value()); };
    if (accepted(end)) {
        ends(end, numberEnd_);
    }
    if (cuts_ && wholeEnd > p && wholeEnd < end && t_[wholeEnd] == separator_ && accepted(wholeEnd)) {
        ends(wholeEnd, numberCut_);
    }
}

std::size_t TextIndex::find(char c, std::size_t i, std::size_t e) const {
    if (i >= e) {
        return e;
    }
    const void* hit = std::memchr(t_.data() + i, c, e - i);
    return hit == nullptr ? e : static_cast<std::size_t>(static_cast<const char*>(hit) - t_.data());
}

long TextIndex::bracketBalance(std::size_t s, std::size_t e) const {
    long balance = 0;
    for (std::size_t i = s; i < e; ++i) {
        balance += (t_[i] == '(') - (t_[i] == ')');
    }
    return balance;
}

bool TextIndex::number(std::size_t s, std::size_t e) const {
    const std::string_view v = text(s, e);
    if (v == "PI" || v == "-PI") {
        return true;
    }
    if (!pascal_) {
        return s < e && parseReal(v).has_value();
    }
    std::size_t i = s;
    if (i < e && (t_[i] == '+' || t_[i] == '-')) {
        ++i;
    }
    if (i == e) {
        return false;
    }
    while (i < e && isDigit(t_[i])) {
        ++i;
    }
    if (i < e && t_[i] == '.') {
        ++i;
        while (i < e && isDigit(t_[i])) {
            ++i;
        }
    }
    if (i < e && t_[i] == 'E') {
        ++i;
        if (i < e && (t_[i] == '+' || t_[i] == '-')) {
            ++i;
        }
        const std::size_t digits = i;
        while (i < e && isDigit(t_[i])) {
            ++i;
        }
        if (i == digits) {
            return false;
        }
    }
    return i == e;
}

double TextIndex::numberValue(std::size_t s, std::size_t e) const {
    const std::string_view v = text(s, e);
    if (v == "PI" || v == "-PI") {
        return t_[s] == '-' ? -3.141592653589793 : 3.141592653589793;
    }
    if (!pascal_) {
        const double stored = static_cast<double>(*parseReal(v));
        if (std::isinf(stored)) {
            raiseFloatOverflow();
        }
        return stored;
    }
    // Rebuild the literal in the C library's own syntax; "." and "E2" have no digits before the exponent.
    std::string literal;
    literal.reserve(e - s + 4);
    std::size_t i = s;
    if (t_[i] == '+' || t_[i] == '-') {
        literal += t_[i++];
    }
    literal += '0';
    while (i < e && t_[i] != 'E') {
        literal += t_[i++];
    }
    if (i < e) {
        literal += text(i, e);
    }
    const double value = cStrtod(literal.c_str());
    if (std::isinf(value)) {
        raiseFloatOverflow();
    }
    return value;
}

bool TextIndex::variable(std::size_t s, std::size_t e) const {
    return s < e && variables_->findUpper(text(s, e)) != nullptr;
}

bool TextIndex::bracket(std::size_t s, std::size_t e) const {
    return e - s >= 2 && t_[s] == '(' && match_[s] == e - 1 && (flags_[s] & kGroupValid) != 0;
}

std::size_t TextIndex::callParen(std::size_t s, std::size_t e) const {
    const std::size_t q = find('(', s, e);
    return q > s && q < e ? q : std::string_view::npos;
}

// A bracket form is never a term of another form, so a valid term loses brackets while it is one.
Span TextIndex::validResult(std::size_t s, std::size_t e) const {
    while (bracket(s, e)) {
        ++s;
        --e;
    }
    return {s, e};
}

// Numbers and variables hold no bracket, so only a text starting with "(" can lose its brackets.
Span TextIndex::operandResult(std::size_t s, std::size_t e) const {
    return bracket(s, e) ? bracketResult(s, e) : Span{s, e};
}

} // namespace kc::parser::detail
