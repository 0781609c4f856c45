#pragma once

#include "parser/expression_compiler.h"
#include "parser/term_automaton.h"
#include "parser/term_reading.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

// What a text offers the term recogniser (term_recogniser.h), worked out once per text: which brackets pair
// up, which words are names, where numbers start and end, and from these the automaton's symbols that start
// or end at each position. The tables are written only where a bracket, a name or a number stands and read
// only there, so a long text pays for memory only where it has such things.
namespace kc::parser::detail {

struct Span {
    std::size_t s = 0;
    std::size_t e = 0;
};

inline bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
// Names are letters and digits, so a name is always a whole word.
inline bool isWordChar(char c) {
    return isDigit(c) || (c >= 'A' && c <= 'Z');
}
// The characters a term or a call's arguments can split at, in the order of splitPoints().
inline int operatorIndex(char c) {
    switch (c) {
    case '+':
        return 0;
    case '-':
        return 1;
    case '*':
        return 2;
    case '/':
        return 3;
    case '^':
        return 4;
    case ',':
        return 5;
    default:
        return -1;
    }
}
inline constexpr int kSplitOperators = 6;

inline Symbol operatorSymbol(char c) {
    switch (c) {
    case '+':
        return sPlus;
    case '-':
        return sMinus;
    case '*':
        return sStar;
    case '/':
        return sSlash;
    case '^':
        return sCaret;
    default:
        return kSymbolCount;
    }
}

class TextIndex {
public:
    // Names must be letters and digits (the registries see to it). The text must outlive the index's use.
    void index(std::string_view text, const VariableRegistry& variables, const FunctionRegistry& functions1,
               const FunctionRegistry& functions2, bool pascal);

    std::size_t size() const { return n_; }
    char at(std::size_t i) const { return t_[i]; }
    std::string_view text(std::size_t s, std::size_t e) const { return t_.substr(s, e - s); }
    // The first index in [i, e) holding c, or e.
    std::size_t find(char c, std::size_t i, std::size_t e) const;
    // The count of "(" less the count of ")" in [s, e).
    long bracketBalance(std::size_t s, std::size_t e) const;

    bool number(std::size_t s, std::size_t e) const;
    double numberValue(std::size_t s, std::size_t e) const;
    bool variable(std::size_t s, std::size_t e) const;
    bool bracket(std::size_t s, std::size_t e) const;
    // The position of the first "(" when it is at the second character or later, else npos.
    std::size_t callParen(std::size_t s, std::size_t e) const;

    // What a valid term leaves of a text: its redundant outer brackets removed.
    Span validResult(std::size_t s, std::size_t e) const;
    // What a bracket form leaves: its inside, itself without redundant brackets.
    Span bracketResult(std::size_t s, std::size_t e) const { return validResult(s + 1, e - 1); }
    // An operand an operator's set accepted: a bracket form stands without its brackets.
    Span operandResult(std::size_t s, std::size_t e) const;

protected:
    static constexpr std::uint32_t kNone = 0xffffffffu;
    enum Flag : std::uint8_t {
        kVariable = 1,    // at a word's first character
        kFunction1 = 2,   // ...
        kFunction2 = 4,   // ...
        kPi = 8,          // at a number start where "PI" stands
        kNumberEnd = 16,  // some number ends here; numberStart_ holds its first start
        kGroupValid = 32, // at "(": the inside is a valid term
        kGroupCall2 = 64, // at "(": the inside splits into two arguments
    };

    // A term ends with a digit, a letter, a point or separator, or ")"; it starts with one of those, "(" or
    // a sign.
    bool canEnd(char c) const {
        return isWordChar(c) || c == ')' || c == '.' || (hasSeparator_ && c == separator_);
    }
    bool canStart(char c) const {
        return isWordChar(c) || c == '(' || c == '+' || c == '-' || c == '.' ||
               (hasSeparator_ && c == separator_);
    }
    // The other bracket of a pair, or kNone; only asked at a bracket.
    std::uint32_t match(std::size_t p) const { return match_[p]; }
    // The next position at the depth of p: a group is stepped over.
    std::size_t nextAtDepth(std::size_t p) const {
        return p < n_ && t_[p] == '(' && match_[p] != kNone ? match_[p] + 1 : p + 1;
    }
    void markGroup(std::size_t open, Flag flag) { flags_[open] |= flag; }
    // The positions of an operator or comma (operatorIndex) right after a number, a name or a ")": only there
    // can the part before it be a term.
    const Positions& splitPoints(int op) const { return splitPoints_[static_cast<std::size_t>(op)]; }
    // Whether the word before this "(" is a two-argument function's name.
    bool twoArgumentName(std::size_t open) const;

    // The symbols that start at p, as (symbol, end).
    template <typename Emit> void edgesFrom(std::size_t p, Emit emit) const;
    // The symbols that end at q and start at s or later, as (symbol, start).
    template <typename Emit> void edgesInto(std::size_t q, std::size_t s, Emit emit) const;

    std::string_view t_;
    std::size_t n_ = 0;

private:
    bool isStart(std::size_t p) const;
    void pairBrackets();
    void scanWords(const FunctionRegistry& functions1, const FunctionRegistry& functions2);
    void scanNumberAt(std::size_t p);
    // The start of the name that ends just before q, or kNone.
    std::size_t nameBefore(std::size_t q) const;
    // The end of the name that starts at p.
    std::size_t nameEnd(std::size_t p) const;
    bool callable(std::size_t word, std::size_t paren) const;
    bool operandEndsAt(std::size_t q) const;

    const VariableRegistry* variables_ = nullptr;
    bool pascal_ = true;
    char separator_ = '.';
    bool hasSeparator_ = true;
    bool cuts_ = false;           // the separator is an operator or a comma, so numbers may end before it
    std::size_t longestName_ = 0; // no word longer than this is a name

    Scratch<std::uint8_t> flags_; // Flag bits, zero where nothing is said
    PositionTable match_;         // at each bracket
    PositionTable numberEnd_;     // at each number start: where the longest number ends, or kNone
    PositionTable numberCut_;     // ...and a shorter one ending before the separator (cuts_ only)
    // Where kNumberEnd is set: the first start of a number ending there. A number ends with a digit, a point,
    // the separator or the I of PI, and starts after an operator, a bracket or a comma, so a position is
    // never both unless the separator is an operator or a comma: the starts share numberEnd_'s storage but
    // then.
    PositionTable* numberStart_ = &numberEnd_;
    PositionTable numberStartApart_;
    std::vector<std::uint32_t> open_;
    std::array<Positions, kSplitOperators> splitPoints_;
};

template <typename Emit> void TextIndex::edgesFrom(std::size_t p, Emit emit) const {
    const char c = t_[p];
    if (const Symbol op = operatorSymbol(c); op != kSymbolCount) {
        emit(op, p + 1);
    }
    const auto numbersAt = [&](std::size_t start, Symbol symbol) {
        if (numberEnd_[start] != kNone) {
            emit(symbol, numberEnd_[start]);
        }
        if (cuts_ && numberCut_[start] != kNone) {
            emit(symbol, numberCut_[start]);
        }
    };
    if (isStart(p)) {
        numbersAt(p, sNumber);
    }
    // After a sign stands a number start, so its number may carry the sign.
    if ((c == '+' || c == '-') && p + 1 < n_ && !(c == '+' && (flags_[p + 1] & kPi) != 0)) {
        numbersAt(p + 1, c == '+' ? sPlusNumber : sNumber);
    }
    if ((flags_[p] & (kVariable | kFunction1 | kFunction2)) != 0) {
        const std::size_t w = nameEnd(p);
        if ((flags_[p] & kVariable) != 0) {
            emit(sPrimary, w);
        }
        if (w < n_ && t_[w] == '(' && match_[w] != kNone && callable(p, w)) {
            emit(sPrimary, match_[w] + 1);
        }
    }
    if (c == '(' && match_[p] != kNone && (flags_[p] & kGroupValid) != 0) {
        emit(sPrimary, match_[p] + 1);
    }
}

template <typename Emit> void TextIndex::edgesInto(std::size_t q, std::size_t s, Emit emit) const {
    if (q == 0) {
        return;
    }
    const auto from = [&](Symbol symbol, std::size_t p) {
        if (p >= s) {
            emit(symbol, p);
        }
    };
    const char c = t_[q - 1];
    if (const Symbol op = operatorSymbol(c); op != kSymbolCount) {
        from(op, q - 1);
    }
    // Every start of a number ending at q lies between the first one and q.
    if ((flags_[q] & kNumberEnd) != 0) {
        for (std::size_t p = (*numberStart_)[q]; p < q; ++p) {
            if (!isStart(p) || (numberEnd_[p] != q && !(cuts_ && numberCut_[p] == q))) {
                continue;
            }
            from(sNumber, p);
            if (p > 0 && (t_[p - 1] == '+' || t_[p - 1] == '-') &&
                !(t_[p - 1] == '+' && (flags_[p] & kPi) != 0)) {
                from(t_[p - 1] == '+' ? sPlusNumber : sNumber, p - 1);
            }
        }
    }
    if (isWordChar(c) && (q == n_ || !isWordChar(t_[q]))) {
        if (const std::size_t w = nameBefore(q); w != kNone && (flags_[w] & kVariable) != 0) {
            from(sPrimary, w);
        }
    }
    if (c == ')' && match_[q - 1] != kNone) {
        const std::size_t open = match_[q - 1];
        if ((flags_[open] & kGroupValid) != 0) {
            from(sPrimary, open);
        }
        if (const std::size_t w = nameBefore(open); w != kNone && callable(w, open)) {
            from(sPrimary, w);
        }
    }
}

} // namespace kc::parser::detail
