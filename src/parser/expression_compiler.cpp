#include "parser/expression_compiler.h"

#include "core/checked_math.h"
#include "core/text_conversion.h"

#include <array>
#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <locale.h>
#include <new>
#include <optional>
#include <pthread.h>
#include <stdlib.h>
#include <unordered_map>

namespace kc::parser {

void OperationList::BlockDeleter::operator()(std::byte* block) const {
    ::operator delete(block);
}

namespace {

// The forms whose answers are remembered for the whole compilation. Every recogniser is a pure function of
// (start, end) within one text, so a remembered answer is exactly what the recursion would find again;
// that turns the exponential try-every-split search into a polynomial one.
enum Form : std::uint8_t {
    fBracket,
    fNegation,
    fSum,
    fDifference,
    fProduct,
    fQuotient,
    fPower,
    fCall2,
    fValid,
    // The operand sets of the operators, remembered too: a chain tries the same left part against many
    // right parts, and each of those tries is then one lookup.
    fSumLeft,
    fSumRight,
    fDifferenceRight,
    fProductLeft,
    fQuotientRight,
    fPowerLeft,
    fPowerRight,
    kFormCount
};
static_assert(kFormCount <= 16, "two bits per form in one 32-bit word");

// Remembered answers, two bits per form (0 unknown, 1 no, 2 yes) in one word per span: a dense table while
// it stays small, a hash table beyond.
class Memo {
public:
    explicit Memo(std::size_t n) : stride_(n + 1) {
        if (n <= kDenseLimit) {
            // calloc maps large tables as untouched zero pages, so a long text pays only for the spans it
            // visits.
            dense_.reset(static_cast<std::uint32_t*>(std::calloc(stride_ * stride_, sizeof(std::uint32_t))));
            if (!dense_) {
                throw std::bad_alloc();
            }
        }
    }
    std::uint32_t get(std::size_t s, std::size_t e, Form f) const {
        std::uint32_t word = 0;
        if (dense_) {
            word = dense_.get()[s * stride_ + e];
        } else if (auto it = sparse_.find(key(s, e)); it != sparse_.end()) {
            word = it->second;
        }
        return (word >> (2 * f)) & 3u;
    }
    void set(std::size_t s, std::size_t e, Form f, std::uint32_t v) {
        std::uint32_t& word = dense_ ? dense_.get()[s * stride_ + e] : sparse_[key(s, e)];
        word |= v << (2 * f);
    }

private:
    static constexpr std::size_t kDenseLimit = 1500;
    static std::uint64_t key(std::size_t s, std::size_t e) {
        return (static_cast<std::uint64_t>(s) << 32) ^ e;
    }
    std::size_t stride_;
    struct Free {
        void operator()(std::uint32_t* p) const { std::free(p); }
    };
    std::unique_ptr<std::uint32_t, Free> dense_;
    std::unordered_map<std::uint64_t, std::uint32_t> sparse_;
};

struct Span {
    std::size_t s = 0;
    std::size_t e = 0;
};

// The recognisers over one prepared text. Texts are spans [s, e) of it; nothing is copied.
class Recogniser {
public:
    Recogniser(std::string_view text, const VariableRegistry& variables, const FunctionRegistry& functions1,
               const FunctionRegistry& functions2, bool pascal)
        : t_(text), n_(text.size()), variables_(variables), functions1_(functions1), functions2_(functions2),
          pascal_(pascal), memo_(text.size()), depth_(n_ + 1, 0), next_(kSearched * (n_ + 1), 0) {
        for (std::size_t i = 0; i < n_; ++i) {
            depth_[i + 1] = depth_[i] + (t_[i] == '(') - (t_[i] == ')');
        }
        for (int k = 0; k < kSearched; ++k) {
            next_[k * (n_ + 1) + n_] = static_cast<std::uint32_t>(n_);
        }
        preparePruning();
        for (std::size_t i = n_; i-- > 0;) {
            for (int k = 0; k < kSearched; ++k) {
                next_[k * (n_ + 1) + i] =
                    t_[i] == kSearchedChars[k] ? static_cast<std::uint32_t>(i) : next_[k * (n_ + 1) + i + 1];
            }
        }
    }

    std::string_view text(std::size_t s, std::size_t e) const { return t_.substr(s, e - s); }
    std::size_t size() const { return n_; }
    char at(std::size_t i) const { return t_[i]; }
    bool pascal() const { return pascal_; }

    // Bracket balance: equal counts of "(" and ")", read from the prefix sums.
    bool balanced(std::size_t s, std::size_t e) const { return depth_[s] == depth_[e]; }
    // The first index >= i holding c, or the text's length.
    std::size_t nextOf(char c, std::size_t i) const {
        if (i >= n_) {
            return n_;
        }
        return next_[searchIndex(c) * (n_ + 1) + i];
    }

    bool isPi(std::size_t s, std::size_t e) const {
        const std::string_view v = text(s, e);
        return v == "PI" || v == "-PI";
    }
    // Not remembered: the scan stops at the first character that cannot belong to a number.
    bool number(std::size_t s, std::size_t e) const { return numberUncached(s, e); }
    bool variable(std::size_t s, std::size_t e) const {
        return s < e && variables_.findUpper(text(s, e)) != nullptr;
    }
    bool bracket(std::size_t s, std::size_t e) {
        if (e - s < 2 || t_[s] != '(' || t_[e - 1] != ')') {
            return false;
        }
        return remembered(fBracket, s, e, [&] { return valid(s + 1, e - 1); });
    }
    bool negation(std::size_t s, std::size_t e) {
        if (s >= e || t_[s] != '-') {
            return false;
        }
        return remembered(fNegation, s, e, [&] { return negationOperand(s + 1, e); });
    }
    bool negationOperand(std::size_t s, std::size_t e) {
        return bracket(s, e) || variable(s, e) || power(s, e) || call1(s, e) || call2(s, e);
    }
    bool sum(std::size_t s, std::size_t e) {
        if (firstOperator('+', s, e) == e) {
            return false;
        }
        return remembered(fSum, s, e,
                          [&] { return split('+', s, e, &Recogniser::sumLeft, &Recogniser::sumRight); });
    }
    bool difference(std::size_t s, std::size_t e) {
        if (firstOperator('-', s, e) == e) {
            return false;
        }
        return remembered(fDifference, s, e, [&] {
            return split('-', s, e, &Recogniser::sumLeft, &Recogniser::differenceRight);
        });
    }
    bool product(std::size_t s, std::size_t e) {
        if (firstOperator('*', s, e) == e) {
            return false;
        }
        return remembered(fProduct, s, e, [&] {
            return split('*', s, e, &Recogniser::productLeft, &Recogniser::differenceRight);
        });
    }
    bool quotient(std::size_t s, std::size_t e) {
        if (firstOperator('/', s, e) == e) {
            return false;
        }
        return remembered(fQuotient, s, e, [&] {
            return split('/', s, e, &Recogniser::productLeft, &Recogniser::quotientRight);
        });
    }
    bool power(std::size_t s, std::size_t e) {
        if (firstOperator('^', s, e) == e) {
            return false;
        }
        return remembered(fPower, s, e,
                          [&] { return split('^', s, e, &Recogniser::powerLeft, &Recogniser::powerRight); });
    }
    // The position of the first "(" when it is at the second character or later, else npos.
    std::size_t callParen(std::size_t s, std::size_t e) const {
        const std::size_t q = nextOf('(', s);
        return q > s && q < e ? q : std::string_view::npos;
    }
    bool call1(std::size_t s, std::size_t e) {
        const std::size_t q = callParen(s, e);
        if (q == std::string_view::npos || functions1_.findUpper(text(s, q)) == nullptr) {
            return false;
        }
        return bracket(q, e);
    }
    bool call2(std::size_t s, std::size_t e) {
        const std::size_t q = callParen(s, e);
        if (q == std::string_view::npos || t_[e - 1] != ')' || functions2_.findUpper(text(s, q)) == nullptr) {
            return false;
        }
        return remembered(fCall2, s, e, [&] {
            const std::size_t is = q + 1;
            const std::size_t ie = e - 1;
            for (std::size_t c = nextOf(',', is); c < ie; c = nextOf(',', c + 1)) {
                if (c == is || c == ie - 1) {
                    return false;
                }
                if (valid(is, c) && valid(c + 1, ie)) {
                    return true;
                }
            }
            return false;
        });
    }
    bool call(std::size_t s, std::size_t e) { return call1(s, e) || call2(s, e); }
    bool atom(std::size_t s, std::size_t e) { return number(s, e) || variable(s, e) || bracket(s, e); }
    // Any form but the bracket form, in the order a valid term tries them.
    bool plainTerm(std::size_t s, std::size_t e) {
        return number(s, e) || variable(s, e) || negation(s, e) || sum(s, e) || difference(s, e) ||
               product(s, e) || quotient(s, e) || power(s, e) || call2(s, e) || call1(s, e);
    }
    bool valid(std::size_t s, std::size_t e) {
        if (s >= e) {
            return false;
        }
        return remembered(fValid, s, e, [&] { return plainTerm(s, e) || bracket(s, e); });
    }

    bool sumLeft(std::size_t s, std::size_t e) {
        return remembered(fSumLeft, s, e, [&] {
            return atom(s, e) || negation(s, e) || difference(s, e) || product(s, e) || quotient(s, e) ||
                   power(s, e) || call(s, e);
        });
    }
    bool sumRight(std::size_t s, std::size_t e) {
        return remembered(fSumRight, s, e, [&] {
            return atom(s, e) || sum(s, e) || difference(s, e) || product(s, e) || quotient(s, e) ||
                   power(s, e) || call(s, e);
        });
    }
    bool differenceRight(std::size_t s, std::size_t e) {
        return remembered(fDifferenceRight, s, e, [&] {
            return atom(s, e) || product(s, e) || quotient(s, e) || power(s, e) || call(s, e);
        });
    }
    bool productLeft(std::size_t s, std::size_t e) {
        return remembered(fProductLeft, s, e, [&] {
            return atom(s, e) || negation(s, e) || quotient(s, e) || power(s, e) || call(s, e);
        });
    }
    bool quotientRight(std::size_t s, std::size_t e) {
        return remembered(fQuotientRight, s, e, [&] { return atom(s, e) || power(s, e) || call(s, e); });
    }
    bool powerLeft(std::size_t s, std::size_t e) {
        return remembered(fPowerLeft, s, e, [&] { return atom(s, e) || call(s, e); });
    }
    bool powerRight(std::size_t s, std::size_t e) {
        return remembered(fPowerRight, s, e,
                          [&] { return number(s, e) || variable(s, e) || bracket(s, e) || call(s, e); });
    }

    // What a valid term leaves of a text: its redundant outer brackets removed.
    Span validResult(std::size_t s, std::size_t e) {
        while (!plainTerm(s, e) && bracket(s, e)) {
            ++s;
            --e;
        }
        return {s, e};
    }
    // What a bracket form leaves: its inside, itself without redundant brackets.
    Span bracketResult(std::size_t s, std::size_t e) { return validResult(s + 1, e - 1); }
    // An operand that an operator's set accepted as an atom: the bracket form comes after number and
    // variable.
    Span operandResult(std::size_t s, std::size_t e) {
        if (!number(s, e) && !variable(s, e) && bracket(s, e)) {
            return bracketResult(s, e);
        }
        return {s, e};
    }

    double numberValue(std::size_t s, std::size_t e) const;

    using SetTest = bool (Recogniser::*)(std::size_t, std::size_t);

    // The first operator position worth trying, or e when the search cannot match at all: the search stops
    // at an operator in the first or last character. Deciding this here keeps most answers out of the memo.
    std::size_t firstOperator(char op, std::size_t s, std::size_t e) const {
        if (e - s < 3) {
            return e;
        }
        const std::size_t first = nextOf(op, op == '-' ? s + 1 : s);
        return first == s || first >= e - 1 ? e : first;
    }

    // The operator search: from the first character ("-": the second), stopping at the first or last.
    bool split(char op, std::size_t s, std::size_t e, SetTest left, SetTest right) {
        // Parts of an unbalanced text cannot both be balanced.
        if (!balanced(s, e)) {
            return false;
        }
        std::size_t i = firstOperator(op, s, e);
        std::int64_t from = static_cast<std::int64_t>(i);
        std::int64_t to = static_cast<std::int64_t>(e);
        if (pruning_ && i < e) {
            splitRange(op, s, e, from, to);
            if (from > to) {
                return false;
            }
            if (from > static_cast<std::int64_t>(i)) {
                i = nextOf(op, static_cast<std::size_t>(from));
            }
        }
        const std::size_t lastLeftEnd = static_cast<std::size_t>(std::max<std::int64_t>(to, 0));
        for (; i < e; i = nextOf(op, i + 1)) {
            if (i == s || i == e - 1 || i > lastLeftEnd) {
                return false;
            }
            if (balanced(s, i) && balanced(i + 1, e) && (this->*left)(s, i) && (this->*right)(i + 1, e)) {
                return true;
            }
        }
        return false;
    }

private:
    static constexpr int kSearched = 7;
    static constexpr char kSearchedChars[kSearched] = {'+', '-', '*', '/', '^', ',', '('};
    static int searchIndex(char c) {
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
            return 6;
        }
    }

    // Pruning. Every valid term is properly nested, so a position at the term's own bracket depth is at its
    // top level, and the operand sets leave marks at that level only where their forms put them:
    // - a term that is no sum and no difference holds a sign (after its first character) only right after
    //   "E" (an exponent), "*", "/", "^" (a signed number or negation as an operand) or "-" (--3^2); a sign
    //   after anything else is "loose"; the left part of a sum or difference holds no loose "+";
    // - product's and quotient's left parts hold no "*"; quotient's right part holds no "*" or "/";
    // - neither part of a power holds "*", "/" or "^".
    // So the split positions that can match lie between the last mark the right part may not hold and the
    // first mark the left part may not hold; skipping the others changes no answer, and turns the chains
    // that made the search cubic into linear ones. Registered names and the decimal separator must be free
    // of these characters, which is checked.
    enum Mark { kLoosePlus, kLooseSign, kStar, kSlash, kCaret, kMarks };

    static bool afterOperand(char before) {
        return before != 'E' && before != '*' && before != '/' && before != '^' && before != '-';
    }
    bool marked(Mark mark, std::size_t p) const {
        switch (mark) {
        case kLoosePlus:
            return p > 0 && t_[p] == '+' && afterOperand(t_[p - 1]);
        case kLooseSign:
            return p > 0 && (t_[p] == '+' || t_[p] == '-') && afterOperand(t_[p - 1]);
        case kStar:
            return t_[p] == '*';
        case kSlash:
            return t_[p] == '/';
        default:
            return t_[p] == '^';
        }
    }

    static bool namesArePlain(const std::vector<std::string_view>& names) {
        for (std::string_view name : names) {
            if (name.find_first_of("+-*/^()") != std::string_view::npos) {
                return false;
            }
        }
        return true;
    }

    void preparePruning() {
        std::vector<std::string_view> names;
        for (const auto& entry : variables_.entries()) {
            names.push_back(entry.name);
        }
        for (const auto& entry : functions1_.entries()) {
            names.push_back(entry.name);
        }
        for (const auto& entry : functions2_.entries()) {
            names.push_back(entry.name);
        }
        const char separator = decimalSeparator();
        pruning_ = namesArePlain(names) &&
                   (pascal_ || std::string_view("+-*/^()").find(separator) == std::string_view::npos);
        if (!pruning_) {
            return;
        }
        const std::size_t levels = 2 * n_ + 1;
        auto level = [&](std::size_t p) {
            return static_cast<std::size_t>(depth_[p] + static_cast<std::int64_t>(n_));
        };
        std::vector<std::uint32_t> next(levels);
        std::vector<std::int64_t> last(levels);
        for (int m = 0; m < kMarks; ++m) {
            const Mark mark = static_cast<Mark>(m);
            firstMark_[m].assign(n_ + 1, static_cast<std::uint32_t>(n_));
            lastMark_[m].assign(n_ + 1, -1);
            std::fill(next.begin(), next.end(), static_cast<std::uint32_t>(n_));
            for (std::size_t p = n_; p-- > 0;) {
                firstMark_[m][p] = next[level(p)];
                if (marked(mark, p)) {
                    next[level(p)] = static_cast<std::uint32_t>(p);
                }
            }
            std::fill(last.begin(), last.end(), -1);
            for (std::size_t p = 0; p <= n_; ++p) {
                lastMark_[m][p] = last[level(p)];
                if (p < n_ && marked(mark, p)) {
                    last[level(p)] = static_cast<std::int64_t>(p);
                }
            }
        }
    }

    // The range [from, to] of split positions that can match; empty when from > to.
    void splitRange(char op, std::size_t s, std::size_t e, std::int64_t& from, std::int64_t& to) const {
        auto leftMayNotHold = [&](Mark mark) { to = std::min<std::int64_t>(to, firstMark_[mark][s]); };
        auto rightMayNotHold = [&](Mark mark) { from = std::max(from, lastMark_[mark][e]); };
        switch (op) {
        case '+':
            leftMayNotHold(kLoosePlus);
            break;
        case '-':
            leftMayNotHold(kLoosePlus);
            rightMayNotHold(kLooseSign);
            from -= 1; // the right part may begin with its sign
            break;
        case '*':
            leftMayNotHold(kLooseSign);
            leftMayNotHold(kStar);
            rightMayNotHold(kLooseSign);
            from -= 1;
            break;
        case '/':
            leftMayNotHold(kLooseSign);
            leftMayNotHold(kStar);
            rightMayNotHold(kLooseSign);
            from -= 1;
            rightMayNotHold(kStar);
            rightMayNotHold(kSlash);
            break;
        default:
            leftMayNotHold(kLooseSign);
            leftMayNotHold(kStar);
            leftMayNotHold(kSlash);
            leftMayNotHold(kCaret);
            rightMayNotHold(kLooseSign);
            from -= 1;
            rightMayNotHold(kStar);
            rightMayNotHold(kSlash);
            rightMayNotHold(kCaret);
            break;
        }
    }

    template <typename Compute> bool remembered(Form f, std::size_t s, std::size_t e, Compute compute) {
        const std::uint32_t known = memo_.get(s, e, f);
        if (known != 0) {
            return known == 2;
        }
        const bool result = compute();
        memo_.set(s, e, f, result ? 2 : 1);
        return result;
    }

    static bool isDigit(char c) { return c >= '0' && c <= '9'; }

    bool numberUncached(std::size_t s, std::size_t e) const {
        if (isPi(s, e)) {
            return true;
        }
        if (!pascal_) {
            return s < e && parseReal(text(s, e)).has_value();
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

    std::string_view t_;
    std::size_t n_;
    const VariableRegistry& variables_;
    const FunctionRegistry& functions1_;
    const FunctionRegistry& functions2_;
    bool pascal_;
    Memo memo_;
    std::vector<std::int32_t> depth_;
    std::vector<std::uint32_t> next_;
    bool pruning_ = false;
    // For each mark: the first position after s, and the last before e, at the same bracket depth.
    std::vector<std::uint32_t> firstMark_[kMarks];
    std::vector<std::int64_t> lastMark_[kMarks];
};

locale_t cLocale() {
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return locale;
}

double Recogniser::numberValue(std::size_t s, std::size_t e) const {
    if (isPi(s, e)) {
        return t_[s] == '-' ? -3.141592653589793 : 3.141592653589793;
    }
    if (!pascal_) {
        const Extended value = *parseReal(text(s, e));
        const double stored = static_cast<double>(value);
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
    const double value = strtod_l(literal.c_str(), nullptr, cLocale());
    if (std::isinf(value)) {
        raiseFloatOverflow();
    }
    return value;
}

// An operand slot of a node: a span of the text once written, a single blank until then.
struct Slot {
    bool written = false;
    Span span;
};

// A node of the transient tree. Texts are spans of the prepared text; the operand texts are slots that
// read as a single blank until written.
struct TermRecord {
    Span Text;
    Slot Arg1Text;
    Slot Arg2Text;
    std::uint8_t Kind = 0;
    int Level = 0;
    int Position = 0;
    int Side = 0;
    int Arg1Term = -1; // indices into the node arena; -1 when empty
    int Arg2Term = -1;
    int Parent = -1;
    double constant = 0;
    double* variable = nullptr;
    OperationRoutine routine = nullptr;
};

// A reference to a real while records are being built: a variable's storage or an index into the reals.
struct RealRef {
    double* variable = nullptr;
    int real = -1;
    bool empty() const { return variable == nullptr && real < 0; }
};

struct PendingRecord {
    RealRef arg1;
    RealRef arg2;
    RealRef dest;
    OperationRoutine func = nullptr;
    std::uint8_t kind = okVariable;
};

} // namespace

// Builds one compiled list: preparation, the depth-first walk filling the level table, then linking.
class ListBuilder {
public:
    ListBuilder(std::string_view text, const VariableRegistry& variables, const FunctionRegistry& functions1,
                const FunctionRegistry& functions2, bool pascal)
        : variables_(variables), functions1_(functions1), functions2_(functions2), pascal_(pascal),
          upper_(text) {}

    OperationList build() {
        const Span root = prepare();
        walk(root);
        return link();
    }

private:
    Span prepare() {
        for (char& c : upper_) {
            if (c >= 'a' && c <= 'z') {
                c = static_cast<char>(c - 'a' + 'A');
            }
        }
        std::size_t b = 0;
        std::size_t e = upper_.size();
        while (b < e && upper_[b] == ' ') {
            ++b;
        }
        while (e > b && upper_[e - 1] == ' ') {
            --e;
        }
        const std::string_view trimmed = std::string_view(upper_).substr(b, e - b);
        if (trimmed.find(' ') != std::string_view::npos) {
            throw EExpressionHasBlanks("Expression has blanks");
        }
        std::size_t opens = 0;
        std::size_t closes = 0;
        for (char c : trimmed) {
            opens += c == '(';
            closes += c == ')';
        }
        if (opens > closes) {
            throw EMissMatchingBracket("Missing brackets in expression (\")\")");
        }
        if (closes > opens) {
            throw EMissMatchingBracket("Missing brackets in expression (\"(\")");
        }
        rec_.emplace(trimmed, variables_, functions1_, functions2_, pascal_);
        Span whole{0, trimmed.size()};
        while (rec_->bracket(whole.s, whole.e)) {
            whole = rec_->bracketResult(whole.s, whole.e);
        }
        return whole;
    }

    std::string slotText(const Slot& slot) const {
        return slot.written ? std::string(rec_->text(slot.span.s, slot.span.e)) : std::string(" ");
    }

    [[noreturn]] void raiseSyntaxError(const TermRecord& node) const {
        std::string message = "Error parsing expression:\r";
        if (!node.Arg1Text.written && !node.Arg2Text.written) {
            message += rec_->text(node.Text.s, node.Text.e);
        } else {
            message += slotText(node.Arg1Text);
            message += '\r';
            message += slotText(node.Arg2Text);
        }
        throw ESyntaxError(message);
    }

    static void write(Slot& slot, Span span) {
        slot.written = true;
        slot.span = span;
    }

    // One operator form as classification runs it, writing the operand slots the way the search leaves them.
    bool classifySplit(TermRecord& node, char op, Recogniser::SetTest left, Recogniser::SetTest right) {
        Recogniser& r = *rec_;
        const std::size_t s = node.Text.s;
        const std::size_t e = node.Text.e;
        if (e - s < 2) {
            return false;
        }
        for (std::size_t i = r.nextOf(op, op == '-' ? s + 1 : s); i < e; i = r.nextOf(op, i + 1)) {
            if (i == s || i == e - 1) {
                return false;
            }
            const bool balanced = r.balanced(s, i) && r.balanced(i + 1, e);
            if (op == '+') {
                write(node.Arg2Text, {i + 1, e});
                if (balanced) {
                    write(node.Arg1Text, {s, i});
                }
            } else {
                write(node.Arg1Text, {s, i});
                write(node.Arg2Text, {i + 1, e});
            }
            if (!balanced || !(r.*left)(s, i)) {
                continue;
            }
            write(node.Arg1Text, r.operandResult(s, i));
            if ((r.*right)(i + 1, e)) {
                write(node.Arg2Text, r.operandResult(i + 1, e));
                splitRight_ = {i + 1, e};
                return true;
            }
        }
        return false;
    }

    static std::uint8_t exponentKind(double v) {
        const std::int64_t whole = truncToInt(v);
        const auto low = static_cast<std::int32_t>(static_cast<std::uint32_t>(whole));
        if (static_cast<double>(low) != v) {
            return okPower;
        }
        switch (low) {
        case 2:
            return okSquare;
        case 3:
            return okCube;
        case 4:
            return okFourthPower;
        default:
            return okIntPower;
        }
    }

    void classify(TermRecord& node) {
        Recogniser& r = *rec_;
        const std::size_t s = node.Text.s;
        const std::size_t e = node.Text.e;
        if (r.number(s, e)) {
            node.Kind = okConstant;
            node.constant = r.numberValue(s, e);
            return;
        }
        if (r.variable(s, e)) {
            node.Kind = okVariable;
            node.variable = *variables_.findUpper(r.text(s, e));
            return;
        }
        if (s < e && r.at(s) == '-') {
            write(node.Arg1Text, {s + 1, e});
            if (r.bracket(s + 1, e)) {
                write(node.Arg1Text, r.bracketResult(s + 1, e));
                node.Kind = okNegate;
                return;
            }
            if (r.negationOperand(s + 1, e)) {
                node.Kind = okNegate;
                return;
            }
        }
        struct OperatorForm {
            char op;
            Recogniser::SetTest left;
            Recogniser::SetTest right;
            std::uint8_t kind;
        };
        static constexpr OperatorForm forms[] = {
            {'+', &Recogniser::sumLeft, &Recogniser::sumRight, okAdd},
            {'-', &Recogniser::sumLeft, &Recogniser::differenceRight, okSubtract},
            {'*', &Recogniser::productLeft, &Recogniser::differenceRight, okMultiply},
            {'/', &Recogniser::productLeft, &Recogniser::quotientRight, okDivide},
        };
        for (const OperatorForm& form : forms) {
            if (classifySplit(node, form.op, form.left, form.right)) {
                node.Kind = form.kind;
                return;
            }
        }
        if (classifySplit(node, '^', &Recogniser::powerLeft, &Recogniser::powerRight)) {
            // The kind follows the exponent as written: a bracketed number is an exponent like any other.
            const Span exponent = splitRight_;
            node.Kind = okPower;
            if (r.number(exponent.s, exponent.e)) {
                node.Kind = exponentKind(r.numberValue(exponent.s, exponent.e));
            }
            return;
        }
        const std::size_t q = r.callParen(s, e);
        if (q != std::string_view::npos) {
            const std::string_view name = r.text(s, q);
            if (const OperationRoutine* routine = functions1_.findUpper(name)) {
                if (r.at(e - 1) == ')') {
                    write(node.Arg1Text, {q + 1, e - 1});
                    if (r.bracket(q, e)) {
                        write(node.Arg1Text, r.bracketResult(q, e));
                        node.Kind = okFunction1;
                        node.routine = *routine;
                        return;
                    }
                }
            }
            if (const OperationRoutine* routine = functions2_.findUpper(name)) {
                if (r.at(e - 1) == ')' && classifyArguments(node, q + 1, e - 1)) {
                    node.Kind = okFunction2;
                    node.routine = *routine;
                    return;
                }
            }
        }
        raiseSyntaxError(node);
    }

    bool classifyArguments(TermRecord& node, std::size_t is, std::size_t ie) {
        Recogniser& r = *rec_;
        for (std::size_t c = r.nextOf(',', is); c < ie; c = r.nextOf(',', c + 1)) {
            if (c == is || c == ie - 1) {
                return false;
            }
            write(node.Arg1Text, {is, c});
            if (!r.valid(is, c)) {
                continue;
            }
            write(node.Arg1Text, r.validResult(is, c));
            write(node.Arg2Text, {c + 1, ie});
            if (r.valid(c + 1, ie)) {
                write(node.Arg2Text, r.validResult(c + 1, ie));
                return true;
            }
        }
        return false;
    }

    // Puts a reference into the operand of the record at (level, position) that the node feeds.
    void feed(const TermRecord& node, RealRef ref) {
        PendingRecord& consumer = records_[table_[node.Level][node.Position]];
        (node.Side == 1 ? consumer.arg1 : consumer.arg2) = ref;
    }

    int addNode(Span text, int level, int position, int side, int parent) {
        TermRecord node;
        node.Text = text;
        node.Level = level;
        node.Position = position;
        node.Side = side;
        node.Parent = parent;
        nodes_.push_back(node);
        return static_cast<int>(nodes_.size() - 1);
    }

    void walk(Span rootText) {
        for (auto& row : table_) {
            row.fill(-1);
        }
        records_.push_back(PendingRecord{});
        table_[0][1] = 0;
        counts_[0] = 1;
        nodes_.reserve(16);
        const int root = addNode(rootText, 0, 1, 1, -1);
        int current = root;
        for (;;) {
            if (nodes_[current].Arg1Term < 0) {
                TermRecord& node = nodes_[current];
                classify(node);
                if (node.Kind == okConstant) {
                    reals_.push_back(node.constant);
                    feed(node, RealRef{nullptr, static_cast<int>(reals_.size() - 1)});
                } else if (node.Kind == okVariable) {
                    feed(node, RealRef{node.variable, -1});
                }
            }
            const std::uint8_t kind = nodes_[current].Kind;
            if (kind >= okNegate) {
                if (nodes_[current].Arg1Term < 0) {
                    const int level = nodes_[current].Level + 1;
                    if (level > kMaxLevel) {
                        throw ETooManyNestings("Expression contains too many nestings");
                    }
                    const int position = counts_[level] + 1;
                    if (position > kMaxPerLevel) {
                        throw EExpressionTooComplex("Expression is too complex");
                    }
                    deepest_ = std::max(deepest_, level);
                    const int child = addNode(nodes_[current].Arg1Text.span, level, position, 1, current);
                    nodes_[current].Arg1Term = child;
                    PendingRecord record;
                    record.kind = kind;
                    if (kind == okFunction1 || kind == okFunction2) {
                        record.func = nodes_[current].routine;
                    }
                    reals_.push_back(0.0);
                    record.dest = RealRef{nullptr, static_cast<int>(reals_.size() - 1)};
                    records_.push_back(record);
                    table_[level][position] = static_cast<int>(records_.size() - 1);
                    feed(nodes_[current], record.dest);
                    if (isOneOperandKind(kind)) {
                        ++counts_[level];
                    }
                } else {
                    if (!isTwoOperandKind(kind)) {
                        throw EParserInternalError("TParser internal error");
                    }
                    const int level = nodes_[current].Level + 1;
                    const int position = counts_[level] + 1;
                    const int child = addNode(nodes_[current].Arg2Text.span, level, position, 2, current);
                    nodes_[current].Arg2Term = child;
                    ++counts_[level];
                }
            }
            if (nodes_[current].Arg1Term >= 0) {
                current = nodes_[current].Arg2Term >= 0 ? nodes_[current].Arg2Term : nodes_[current].Arg1Term;
                continue;
            }
            if (current == root) {
                return;
            }
            do {
                current = nodes_[current].Parent;
            } while (!(isTwoOperandKind(nodes_[current].Kind) && nodes_[current].Arg2Term < 0) &&
                     current != root);
            if (current != root) {
                continue;
            }
            const TermRecord& top = nodes_[root];
            if (isOneOperandKind(top.Kind) || (isTwoOperandKind(top.Kind) && top.Arg2Term >= 0)) {
                return;
            }
        }
    }

    OperationList link() {
        std::vector<int> order;
        if (deepest_ == 0) {
            order.push_back(0);
        } else {
            for (int level = deepest_; level >= 1; --level) {
                for (int position = 1; position <= counts_[level]; ++position) {
                    order.push_back(table_[level][position]);
                }
            }
        }
        const std::size_t recordBytes = order.size() * sizeof(OperationRecord);
        const std::size_t bytes = recordBytes + reals_.size() * sizeof(double);
        OperationList list;
        list.block_.reset(static_cast<std::byte*>(::operator new(bytes)));
        auto* records = reinterpret_cast<OperationRecord*>(list.block_.get());
        auto* reals = reinterpret_cast<double*>(list.block_.get() + recordBytes);
        for (std::size_t i = 0; i < reals_.size(); ++i) {
            new (reals + i) double(reals_[i]);
        }
        auto resolve = [&](const RealRef& ref) -> double* {
            if (ref.variable != nullptr) {
                return ref.variable;
            }
            return ref.real >= 0 ? reals + ref.real : nullptr;
        };
        for (std::size_t i = 0; i < order.size(); ++i) {
            const PendingRecord& pending = records_[order[i]];
            OperationRecord* record = new (records + i) OperationRecord{};
            record->Arg1 = resolve(pending.arg1);
            record->Arg2 = resolve(pending.arg2);
            record->Dest = resolve(pending.dest);
            record->Func = pending.func;
            record->Kind = pending.kind;
            if (i > 0) {
                records[i - 1].Next = record;
            }
        }
        if (deepest_ == 0) {
            records[0].Dest = records[0].Arg1;
        }
        list.first_ = records;
        list.last_ = records + order.size() - 1;
        list.count_ = order.size();
        return list;
    }

    const VariableRegistry& variables_;
    const FunctionRegistry& functions1_;
    const FunctionRegistry& functions2_;
    bool pascal_;
    std::string upper_;
    std::optional<Recogniser> rec_;
    std::vector<TermRecord> nodes_;
    std::vector<PendingRecord> records_;
    std::vector<double> reals_;
    std::array<std::array<int, kMaxPerLevel + 1>, kMaxLevel + 1> table_{};
    std::array<int, kMaxLevel + 1> counts_{};
    int deepest_ = 0;
    Span splitRight_;
};

namespace {

// Texts up to this length recurse on the caller's stack; longer ones can nest the recognisers deeper than
// a thread's default stack allows, so they run on a thread whose stack grows with the text.
constexpr std::size_t kCallerStackLimit = 2000;
constexpr std::size_t kStackBytesPerChar = 4096;

struct CompileJob {
    std::string_view text;
    const VariableRegistry* variables;
    const FunctionRegistry* functions1;
    const FunctionRegistry* functions2;
    bool pascal;
    OperationList result;
    std::exception_ptr error;

    void run() {
        try {
            result = ListBuilder(text, *variables, *functions1, *functions2, pascal).build();
        } catch (...) {
            error = std::current_exception();
        }
    }
};

extern "C" void* runCompileJob(void* job) {
    static_cast<CompileJob*>(job)->run();
    return nullptr;
}

} // namespace

OperationList CompileExpression(std::string_view text, const VariableRegistry& variables,
                                const FunctionRegistry& functions1, const FunctionRegistry& functions2,
                                bool pascalNumberFormat) {
    // Positions are kept in 32 bits; a 2 GiB expression is refused rather than misread.
    if (text.size() >= (std::size_t{1} << 31)) {
        throw EExpressionTooComplex("Expression is too complex");
    }
    CompileJob job{text, &variables, &functions1, &functions2, pascalNumberFormat, {}, {}};
    bool ran = false;
    if (text.size() > kCallerStackLimit) {
        pthread_attr_t attributes;
        if (pthread_attr_init(&attributes) == 0) {
            pthread_t thread;
            if (pthread_attr_setstacksize(&attributes, (1u << 20) + text.size() * kStackBytesPerChar) == 0 &&
                pthread_create(&thread, &attributes, runCompileJob, &job) == 0) {
                pthread_join(thread, nullptr);
                ran = true;
            }
            pthread_attr_destroy(&attributes);
        }
    }
    if (!ran) {
        job.run();
    }
    if (job.error) {
        std::rethrow_exception(job.error);
    }
    return std::move(job.result);
}

} // namespace kc::parser
