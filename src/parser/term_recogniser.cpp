#include "parser/term_recogniser.h"

#include "core/checked_math.h"
#include "core/text_conversion.h"

#include <cmath>
#include <cstring>
#include <locale.h>
#include <stdlib.h>

namespace kc::parser::detail {

namespace {

enum Flag : std::uint8_t {
    kWordStart = 1,
    kVariable = 2,
    kFunction1 = 4,
    kFunction2 = 8,
    kPi = 16,         // a number start where "PI" stands
    kGroupValid = 32, // at "(": the inside is a valid term
    kGroupCall2 = 64, // at "(": the inside splits into two arguments
};

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
// Names are letters and digits, so a name is always a whole word.
bool isWordChar(char c) {
    return isDigit(c) || (c >= 'A' && c <= 'Z');
}
Symbol operatorSymbol(char c) {
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

locale_t cLocale() {
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return locale;
}

} // namespace

TermRecogniser::TermRecogniser(std::string_view text, const VariableRegistry& variables,
                               const FunctionRegistry& functions1, const FunctionRegistry& functions2,
                               bool pascal)
    : t_(text), n_(text.size()), variables_(variables), functions1_(functions1), functions2_(functions2),
      pascal_(pascal), depth_(n_ + 1, 0), match_(n_ + 1, kNone), wordEnd_(n_ + 1, kNone),
      wordStart_(n_ + 1, kNone), flags_(n_ + 1, 0), numberEnd_(n_ + 1, kNone), numberCut_(n_ + 1, kNone),
      forward_(n_ + 1), prefixSets_(n_ + 1, 0), backward_(n_ + 1), cache_(stepCache()) {
    // A decimal separator that is a bracket could not be told from one; brackets stay brackets.
    separator_ = pascal ? '.' : decimalSeparator();
    hasSeparator_ = separator_ != '(' && separator_ != ')';
    std::vector<std::uint32_t> open;
    for (std::size_t i = 0; i < n_; ++i) {
        depth_[i + 1] = depth_[i] + (t_[i] == '(') - (t_[i] == ')');
        if (t_[i] == '(') {
            open.push_back(static_cast<std::uint32_t>(i));
        } else if (t_[i] == ')' && !open.empty()) {
            match_[i] = open.back();
            match_[open.back()] = static_cast<std::uint32_t>(i);
            open.pop_back();
        }
    }
    scanWords();
    scanNumbers();
    readGroups();
}

void TermRecogniser::scanWords() {
    // Most words of a long text are numbers; only a word that starts as some name does needs looking up.
    bool startsName[256] = {};
    for (const auto& entry : variables_.entries()) {
        startsName[static_cast<unsigned char>(entry.name[0])] = true;
    }
    for (const auto& entry : functions1_.entries()) {
        startsName[static_cast<unsigned char>(entry.name[0])] = true;
    }
    for (const auto& entry : functions2_.entries()) {
        startsName[static_cast<unsigned char>(entry.name[0])] = true;
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
        wordEnd_[s] = static_cast<std::uint32_t>(e);
        wordStart_[e - 1] = static_cast<std::uint32_t>(s);
        std::uint8_t flags = kWordStart;
        if (startsName[static_cast<unsigned char>(t_[s])]) {
            const std::string_view word = text(s, e);
            flags |= variables_.findUpper(word) ? kVariable : 0;
            flags |= functions1_.findUpper(word) ? kFunction1 : 0;
            flags |= functions2_.findUpper(word) ? kFunction2 : 0;
        }
        flags_[s] |= flags;
        s = e;
    }
}

// A number can start where an operand can: at the start, after an operator, a bracket or a comma.
bool TermRecogniser::isStart(std::size_t p) const {
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

void TermRecogniser::scanNumbers() {
    for (std::size_t p = 0; p < n_; ++p) {
        if (isStart(p)) {
            scanNumberAt(p);
        }
    }
    std::vector<std::uint32_t> count(n_ + 2, 0);
    for (std::size_t p = 0; p < n_; ++p) {
        for (std::uint32_t end : {numberEnd_[p], numberCut_[p]}) {
            if (end != kNone) {
                ++count[end + 1];
            }
        }
    }
    numberFirst_.assign(n_ + 2, 0);
    for (std::size_t q = 0; q <= n_; ++q) {
        numberFirst_[q + 1] = numberFirst_[q] + count[q + 1];
    }
    numberStarts_.resize(numberFirst_[n_ + 1]);
    std::vector<std::uint32_t> fill(numberFirst_.begin(), numberFirst_.end() - 1);
    for (std::size_t p = 0; p < n_; ++p) {
        for (std::uint32_t end : {numberEnd_[p], numberCut_[p]}) {
            if (end != kNone) {
                numberStarts_[fill[end]++] = static_cast<std::uint32_t>(p);
            }
        }
    }
}

// The longest unsigned number at p, and, where the separator is an operator or a comma, the number that
// ends just before it (a shorter number is otherwise followed by a character no operand can follow).
void TermRecogniser::scanNumberAt(std::size_t p) {
    if (p + 2 <= n_ && t_[p] == 'P' && t_[p + 1] == 'I') {
        numberEnd_[p] = static_cast<std::uint32_t>(p + 2);
        flags_[p] |= kPi;
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
        numberEnd_[p] = static_cast<std::uint32_t>(end);
    }
    const bool separatorIsOperator = hasSeparator_ && std::strchr("+-*/^,", separator_) != nullptr;
    if (!pascal_ && separatorIsOperator && wholeEnd > p && wholeEnd < end && t_[wholeEnd] == separator_ &&
        accepted(wholeEnd)) {
        numberCut_[p] = static_cast<std::uint32_t>(wholeEnd);
    }
}

// Reads every group's inside once, innermost first, so that a group or call is one known symbol when the
// group around it is read.
void TermRecogniser::readGroups() {
    for (std::size_t close = 0; close < n_; ++close) {
        if (t_[close] != ')' || match_[close] == kNone) {
            continue;
        }
        const std::size_t open = match_[close];
        anchor(open + 1, close);
        if (prefixIn(TermSet::Valid, close)) {
            flags_[open] |= kGroupValid;
        }
        // Two arguments: the first comma at the inside's depth where both parts are valid. A comma in the
        // first character stops the search.
        const bool twoArgumentName =
            open > 0 && isWordChar(t_[open - 1]) && (flags_[wordStart_[open - 1]] & kFunction2) != 0;
        if (!twoArgumentName || open + 1 == close || t_[open + 1] == ',') {
            continue;
        }
        for (std::uint32_t comma : commas_) {
            if (prefixIn(TermSet::Valid, comma) && suffixIn(TermSet::Valid, comma + 1)) {
                flags_[open] |= kGroupCall2;
                break;
            }
        }
    }
}

bool TermRecogniser::callable(std::size_t word, std::size_t paren) const {
    return ((flags_[word] & kFunction1) != 0 && (flags_[paren] & kGroupValid) != 0) ||
           ((flags_[word] & kFunction2) != 0 && (flags_[paren] & kGroupCall2) != 0);
}

// The symbols that start at p.
template <typename Emit> void TermRecogniser::edgesFrom(std::size_t p, Emit emit) const {
    const auto to = [&](Symbol symbol, std::size_t q) { emit(symbol, q); };
    const char c = t_[p];
    if (const Symbol op = operatorSymbol(c); op != kSymbolCount) {
        to(op, p + 1);
    }
    for (std::uint32_t end : {numberEnd_[p], numberCut_[p]}) {
        if (end != kNone) {
            to(sNumber, end);
        }
    }
    if ((c == '+' || c == '-') && p + 1 < n_ && !(c == '+' && (flags_[p + 1] & kPi) != 0)) {
        for (std::uint32_t end : {numberEnd_[p + 1], numberCut_[p + 1]}) {
            if (end != kNone) {
                to(c == '+' ? sPlusNumber : sNumber, end);
            }
        }
    }
    if ((flags_[p] & kWordStart) != 0) {
        const std::size_t w = wordEnd_[p];
        if ((flags_[p] & kVariable) != 0) {
            to(sPrimary, w);
        }
        if (w < n_ && t_[w] == '(' && match_[w] != kNone && callable(p, w)) {
            to(sPrimary, match_[w] + 1);
        }
    }
    if (c == '(' && match_[p] != kNone && (flags_[p] & kGroupValid) != 0) {
        to(sPrimary, match_[p] + 1);
    }
}

// The symbols that end at q and start at s or later.
template <typename Emit> void TermRecogniser::edgesInto(std::size_t q, std::size_t s, Emit emit) const {
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
    for (std::uint32_t k = numberFirst_[q]; k < numberFirst_[q + 1]; ++k) {
        const std::size_t p = numberStarts_[k];
        from(sNumber, p);
        if (p > 0 && (t_[p - 1] == '+' || t_[p - 1] == '-') &&
            !(t_[p - 1] == '+' && (flags_[p] & kPi) != 0)) {
            from(t_[p - 1] == '+' ? sPlusNumber : sNumber, p - 1);
        }
    }
    if (isWordChar(c) && (q == n_ || !isWordChar(t_[q]))) {
        const std::size_t w = wordStart_[q - 1];
        if ((flags_[w] & kVariable) != 0) {
            from(sPrimary, w);
        }
    }
    if (c == ')' && match_[q - 1] != kNone) {
        const std::size_t open = match_[q - 1];
        if ((flags_[open] & kGroupValid) != 0) {
            from(sPrimary, open);
        }
        if (open > 0 && isWordChar(t_[open - 1]) && callable(wordStart_[open - 1], open)) {
            from(sPrimary, wordStart_[open - 1]);
        }
    }
}

// Adds what one symbol brings to a position. A position reached by one symbol keeps that symbol's cache
// entry; one reached by several holds their union, looked up when it is read.
void TermRecogniser::Reading::reach(std::size_t p, int entry, const StateSet& set) {
    if (stamps[p] != run) {
        stamps[p] = run;
        states[p] = set;
        entries[p] = entry;
    } else if (entry < 0 || entries[p] != entry) {
        for (int w = 0; w < 4; ++w) {
            states[p][w] |= set[w];
        }
        entries[p] = -1;
    }
}

// The cache entry of what a position holds, or -1 when the cache is full.
int TermRecogniser::Reading::entryAt(std::size_t p, StepCache& cache) {
    if (entries[p] < 0) {
        entries[p] = cache.intern(states[p]);
    }
    return entries[p];
}

// One symbol's step from what `from` holds to the position the symbol leads to.
bool TermRecogniser::Reading::advance(std::size_t from, int symbol, bool backwards, std::size_t to,
                                      StepCache& cache) {
    const int entry = entries[from];
    StateSet next;
    int nextEntry = -1;
    if (entry >= 0) {
        nextEntry = cache.step(entry, static_cast<Symbol>(symbol), backwards, next);
        if (nextEntry >= 0) {
            next = cache.entry(nextEntry).set;
        }
    } else {
        next = stepStates(states[from], static_cast<Symbol>(symbol), backwards);
    }
    if (!any(next)) {
        return false;
    }
    reach(to, nextEntry, next);
    return true;
}

// The next position at the depth of p: a group is stepped over.
std::size_t TermRecogniser::nextAtDepth(std::size_t p) const {
    return p < n_ && t_[p] == '(' && match_[p] != kNone ? match_[p] + 1 : p + 1;
}

void TermRecogniser::startForward(std::size_t s) {
    ++forward_.run;
    forwardStart_ = static_cast<std::uint32_t>(s);
    forwardNext_ = s;
    forwardReach_ = s;
    commas_.clear();
    forward_.reach(s, -1, initialStates());
}

// Reads on from the start of the forward reading until position i, noting at each position of the
// start's depth the sets that the text from the start up to there belongs to. Groups are stepped over, so
// the cost is the number of positions at that depth.
void TermRecogniser::readForwardTo(std::size_t i) {
    for (std::size_t& p = forwardNext_; p <= i && p <= forwardReach_; p = nextAtDepth(p)) {
        if (!forward_.holds(p) || !any(forward_.states[p])) {
            continue;
        }
        const int entry = forward_.entryAt(p, cache_);
        prefixSets_[p] = entry >= 0 ? cache_.entry(entry).prefixSets : acceptedSets(forward_.states[p]);
        if (p == n_) {
            continue;
        }
        if (t_[p] == ',') {
            commas_.push_back(static_cast<std::uint32_t>(p));
        }
        edgesFrom(p, [&](Symbol symbol, std::size_t q) {
            if (forward_.advance(p, symbol, false, q, cache_)) {
                forwardReach_ = std::max(forwardReach_, q);
            }
        });
    }
}

// Reads [s, e) backwards from the states accepting `set`, marking the positions where the initial state is
// reached: those positions i have [i, e) in the set.
void TermRecogniser::readBackward(std::size_t s, std::size_t e, SuffixReading& suffix) {
    if (suffix.marks.empty()) {
        suffix.marks.assign(n_ + 1, 0);
    }
    ++backward_.run;
    suffix.end = static_cast<std::uint32_t>(e);
    suffix.low = static_cast<std::uint32_t>(s);
    suffix.run = backward_.run;
    suffix.lowest = static_cast<std::uint32_t>(e);
    backward_.reach(e, -1, acceptingStates(suffix.set));
    // The lowest position the reading has reached: below it, no suffix is in the set.
    std::size_t reached = e;
    for (std::size_t q = e;;) {
        if (backward_.holds(q) && any(backward_.states[q])) {
            suffix.lowest = static_cast<std::uint32_t>(q);
            const int entry = backward_.entryAt(q, cache_);
            if (entry >= 0 ? cache_.entry(entry).initial : holdsInitial(backward_.states[q])) {
                suffix.marks[q] = backward_.run;
            }
            if (q > s) {
                edgesInto(q, s, [&](Symbol symbol, std::size_t p) {
                    if (backward_.advance(q, symbol, true, p, cache_)) {
                        reached = std::min(reached, p);
                    }
                });
            }
        }
        if (q <= s || reached >= q) {
            return;
        }
        const std::size_t before = t_[q - 1] == ')' && match_[q - 1] != kNone ? match_[q - 1] : q - 1;
        if (before < s) {
            return;
        }
        q = before;
    }
}

void TermRecogniser::anchor(std::size_t s, std::size_t e) {
    anchor_ = {s, e};
}

// A term ends with a digit, a letter, a point or separator, or ")"; it starts with one of those, "(" or a
// sign. Other parts are refused before any reading.
bool TermRecogniser::canEnd(char c) const {
    return isWordChar(c) || c == ')' || c == '.' || (hasSeparator_ && c == separator_);
}
bool TermRecogniser::canStart(char c) const {
    return isWordChar(c) || c == '(' || c == '+' || c == '-' || c == '.' ||
           (hasSeparator_ && c == separator_);
}

bool TermRecogniser::prefixIn(TermSet set, std::size_t i) {
    if (i <= anchor_.s || i > n_ || !canEnd(t_[i - 1])) {
        return false;
    }
    if (forwardStart_ != anchor_.s) {
        startForward(anchor_.s);
    }
    readForwardTo(i);
    return forward_.holds(i) && (prefixSets_[i] >> static_cast<int>(set) & 1) != 0;
}

// The suffix reading of the set from the anchored span's end, read now unless an earlier span with that end
// reached as far.
TermRecogniser::SuffixReading& TermRecogniser::suffixReading(TermSet set) {
    SuffixReading* shortest = &suffixes_[0];
    for (SuffixReading& suffix : suffixes_) {
        if (suffix.set == set && suffix.end == anchor_.e && suffix.low <= anchor_.s) {
            return suffix;
        }
        const auto reached = [](const SuffixReading& r) { return r.end == kNone ? 0 : r.end - r.lowest + 1; };
        if (reached(suffix) < reached(*shortest)) {
            shortest = &suffix;
        }
    }
    shortest->set = set;
    readBackward(anchor_.s, anchor_.e, *shortest);
    return *shortest;
}

bool TermRecogniser::suffixIn(TermSet set, std::size_t i) {
    if (i < anchor_.s || i >= anchor_.e || !canStart(t_[i])) {
        return false;
    }
    return suffixReading(set).marks[i] == suffixReading(set).run;
}

std::size_t TermRecogniser::suffixLow(TermSet set) {
    return std::max<std::size_t>(suffixReading(set).lowest, anchor_.s);
}

std::size_t TermRecogniser::find(char c, std::size_t i, std::size_t e) const {
    if (i >= e) {
        return e;
    }
    const void* hit = std::memchr(t_.data() + i, c, e - i);
    return hit == nullptr ? e : static_cast<std::size_t>(static_cast<const char*>(hit) - t_.data());
}

bool TermRecogniser::number(std::size_t s, std::size_t e) const {
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

double TermRecogniser::numberValue(std::size_t s, std::size_t e) const {
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
    const double value = strtod_l(literal.c_str(), nullptr, cLocale());
    if (std::isinf(value)) {
        raiseFloatOverflow();
    }
    return value;
}

bool TermRecogniser::variable(std::size_t s, std::size_t e) const {
    return s < e && variables_.findUpper(text(s, e)) != nullptr;
}

bool TermRecogniser::bracket(std::size_t s, std::size_t e) const {
    return e - s >= 2 && t_[s] == '(' && match_[s] == e - 1 && (flags_[s] & kGroupValid) != 0;
}

std::size_t TermRecogniser::callParen(std::size_t s, std::size_t e) const {
    const std::size_t q = find('(', s, e);
    return q > s && q < e ? q : std::string_view::npos;
}

// A bracket form is never a term of another form, so a valid term loses brackets while it is one.
Span TermRecogniser::validResult(std::size_t s, std::size_t e) const {
    while (bracket(s, e)) {
        ++s;
        --e;
    }
    return {s, e};
}

// Numbers and variables hold no bracket, so only a text starting with "(" can lose its brackets.
Span TermRecogniser::operandResult(std::size_t s, std::size_t e) const {
    return bracket(s, e) ? bracketResult(s, e) : Span{s, e};
}

} // namespace kc::parser::detail
