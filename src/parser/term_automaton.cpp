#include "parser/term_automaton.h"

#include <algorithm>
#include <iterator>

namespace kc::parser::detail {

namespace {

// States within one operand of a sum or difference, which is a product of factor chains (quotients) of
// powers of primaries. "First" states belong to the operand's first factor chain (before any "*"): only they
// can make the operand a bare negation, and in a span's first operand they also tell the smaller sets
// (primary, power, factor chain).
enum Element : int {
    firstStart,         // expecting the first factor
    firstNumber,        // a number: a primary, a power's base
    firstPrimary,       // a variable, group or call: a primary, a power's base, a negation operand
    firstExponent,      // after "^"
    firstPower,         // a power
    firstNegation,      // after a negation's "-"
    firstNegatedNumber, // "-" and a number: must become a power to be negated
    firstNegated,       // a negation of a primary
    firstNegatedExponent,
    firstNegatedPower, // a negation of a power
    firstDivisorStart, // after "/" in the first factor chain
    firstDivisor,
    firstDivisorExponent,
    firstDivisorPower,
    laterStart, // after "*": a new factor chain
    laterPrimary,
    laterExponent,
    laterPower,
    laterNegation,
    laterNegatedNumber,
    laterNegated,
    laterNegatedExponent,
    laterNegatedPower,
    laterDivisorStart,
    laterDivisor,
    laterDivisorExponent,
    laterDivisorPower,
    kElementCount
};

enum ElementSymbol : int { eNumber, ePrimary, eCaret, eSlash, eStar, eNegation, kElementSymbols };

constexpr std::int8_t kElementNext[kElementCount][kElementSymbols] = {
    // number, primary, "^", "/", "*", negation "-"
    {firstNumber, firstPrimary, -1, -1, -1, firstNegation},            // firstStart
    {-1, -1, firstExponent, firstDivisorStart, laterStart, -1},        // firstNumber
    {-1, -1, firstExponent, firstDivisorStart, laterStart, -1},        // firstPrimary
    {firstPower, firstPower, -1, -1, -1, -1},                          // firstExponent
    {-1, -1, -1, firstDivisorStart, laterStart, -1},                   // firstPower
    {firstNegatedNumber, firstNegated, -1, -1, -1, -1},                // firstNegation
    {-1, -1, firstNegatedExponent, -1, -1, -1},                        // firstNegatedNumber
    {-1, -1, firstNegatedExponent, firstDivisorStart, laterStart, -1}, // firstNegated
    {firstNegatedPower, firstNegatedPower, -1, -1, -1, -1},            // firstNegatedExponent
    {-1, -1, -1, firstDivisorStart, laterStart, -1},                   // firstNegatedPower
    {firstDivisor, firstDivisor, -1, -1, -1, -1},                      // firstDivisorStart
    {-1, -1, firstDivisorExponent, firstDivisorStart, laterStart, -1}, // firstDivisor
    {firstDivisorPower, firstDivisorPower, -1, -1, -1, -1},            // firstDivisorExponent
    {-1, -1, -1, firstDivisorStart, laterStart, -1},                   // firstDivisorPower
    {laterPrimary, laterPrimary, -1, -1, -1, laterNegation},           // laterStart
    {-1, -1, laterExponent, laterDivisorStart, laterStart, -1},        // laterPrimary
    {laterPower, laterPower, -1, -1, -1, -1},                          // laterExponent
    {-1, -1, -1, laterDivisorStart, laterStart, -1},                   // laterPower
    {laterNegatedNumber, laterNegated, -1, -1, -1, -1},                // laterNegation
    {-1, -1, laterNegatedExponent, -1, -1, -1},                        // laterNegatedNumber
    {-1, -1, laterNegatedExponent, laterDivisorStart, laterStart, -1}, // laterNegated
    {laterNegatedPower, laterNegatedPower, -1, -1, -1, -1},            // laterNegatedExponent
    {-1, -1, -1, laterDivisorStart, laterStart, -1},                   // laterNegatedPower
    {laterDivisor, laterDivisor, -1, -1, -1, -1},                      // laterDivisorStart
    {-1, -1, laterDivisorExponent, laterDivisorStart, laterStart, -1}, // laterDivisor
    {laterDivisorPower, laterDivisorPower, -1, -1, -1, -1},            // laterDivisorExponent
    {-1, -1, -1, laterDivisorStart, laterStart, -1},                   // laterDivisorPower
};

constexpr std::uint32_t bit(Element e) {
    return 1u << e;
}
// An operand that is a product, quotient, power or atom (a difference's right part).
constexpr std::uint32_t kProductLike = bit(firstNumber) | bit(firstPrimary) | bit(firstPower) |
                                       bit(firstDivisor) | bit(firstDivisorPower) | bit(laterPrimary) |
                                       bit(laterPower) | bit(laterDivisor) | bit(laterDivisorPower);
constexpr std::uint32_t kBareNegation = bit(firstNegated) | bit(firstNegatedPower);
constexpr std::uint32_t kFactorChain = bit(firstNumber) | bit(firstPrimary) | bit(firstPower) |
                                       bit(firstNegated) | bit(firstNegatedPower) | bit(firstDivisor) |
                                       bit(firstDivisorPower);
constexpr std::uint32_t kFactor = bit(firstNumber) | bit(firstPrimary) | bit(firstPower);
constexpr std::uint32_t kPrimaryElement = bit(firstNumber) | bit(firstPrimary);
constexpr std::uint32_t kNegationOperand = bit(firstPrimary) | bit(firstPower);

// Where a sum or difference stands: whether a "+" has split it already, whether the current run of "-"
// operands is past its first operand, and whether that first operand starts with "+" (then no "+" may
// follow, since a sum's search stops at a "+" in the first character).
constexpr int kChainCount = 8;
constexpr int chainOf(bool inSum, bool pastFirst, bool plusFirst) {
    return (inSum ? 4 : 0) | (pastFirst ? 2 : 0) | (plusFirst ? 1 : 0);
}
constexpr int kStateCount = kChainCount * kElementCount;
static_assert(kStateCount <= 256, "states must fit the state sets");

constexpr int stateOf(int chain, int element) {
    return chain * kElementCount + element;
}

// The states leading to a state by a symbol are previousStates[previousFirst[symbol][state]] up to that of
// the next state: every transition once, in one small block.
struct Automaton {
    std::int16_t next[kSymbolCount][kStateCount];
    std::uint16_t previousFirst[kSymbolCount][kStateCount + 1];
    std::int16_t previousStates[kSymbolCount * kStateCount];
    StateSet accepting[kTermSetCount] = {};
};

void include(StateSet& set, int state) {
    set[state >> 6] |= std::uint64_t{1} << (state & 63);
}

Automaton buildAutomaton() {
    Automaton a;
    for (auto& row : a.next) {
        for (std::int16_t& target : row) {
            target = -1;
        }
    }
    for (int chain = 0; chain < kChainCount; ++chain) {
        const bool inSum = (chain & 4) != 0;
        const bool pastFirst = (chain & 2) != 0;
        const bool plusFirst = (chain & 1) != 0;
        for (int element = 0; element < kElementCount; ++element) {
            const int from = stateOf(chain, element);
            const auto go = [&](Symbol symbol, int toChain, int toElement) {
                a.next[symbol][from] = static_cast<std::int16_t>(stateOf(toChain, toElement));
            };
            const std::int8_t* next = kElementNext[element];
            if (next[eNumber] >= 0) {
                go(sNumber, chain, next[eNumber]);
                // Only the first operand's own first symbol decides whether it starts with "+".
                const bool opensOperand = element == firstStart && !pastFirst;
                go(sPlusNumber, opensOperand ? chainOf(inSum, false, true) : chain, next[eNumber]);
            }
            if (next[ePrimary] >= 0) {
                go(sPrimary, chain, next[ePrimary]);
            }
            if (next[eCaret] >= 0) {
                go(sCaret, chain, next[eCaret]);
            }
            if (next[eSlash] >= 0) {
                go(sSlash, chain, next[eSlash]);
            }
            if (next[eStar] >= 0) {
                go(sStar, chain, next[eStar]);
            }
            if (next[eNegation] >= 0) {
                go(sMinus, chain, next[eNegation]);
            }
            // An operand ends at a "+" or "-" between operands: product-like operands anywhere, a bare
            // negation only as the first operand of a run of differences.
            const std::uint32_t e = 1u << element;
            if ((e & kProductLike) != 0 || (!pastFirst && (e & kBareNegation) != 0)) {
                go(sMinus, chainOf(inSum, true, plusFirst), firstStart);
                if (!plusFirst) {
                    go(sPlus, chainOf(true, false, false), firstStart);
                }
            }
        }
    }
    std::uint16_t count[kStateCount];
    std::uint16_t filled = 0;
    for (int symbol = 0; symbol < kSymbolCount; ++symbol) {
        std::fill(std::begin(count), std::end(count), 0);
        for (int from = 0; from < kStateCount; ++from) {
            if (const int to = a.next[symbol][from]; to >= 0) {
                ++count[to];
            }
        }
        for (int to = 0; to < kStateCount; ++to) {
            a.previousFirst[symbol][to] = filled;
            filled = static_cast<std::uint16_t>(filled + count[to]);
        }
        a.previousFirst[symbol][kStateCount] = filled;
        for (int from = 0; from < kStateCount; ++from) {
            if (const int to = a.next[symbol][from]; to >= 0) {
                a.previousStates[a.previousFirst[symbol][to] + --count[to]] = static_cast<std::int16_t>(from);
            }
        }
    }
    for (int chain = 0; chain < kChainCount; ++chain) {
        const bool inSum = (chain & 4) != 0;
        const bool pastFirst = (chain & 2) != 0;
        for (int element = 0; element < kElementCount; ++element) {
            const std::uint32_t e = 1u << element;
            const int state = stateOf(chain, element);
            const bool productLike = (e & kProductLike) != 0;
            const bool sumLeft = !inSum && (productLike || (!pastFirst && (e & kBareNegation) != 0));
            const bool single = !inSum && !pastFirst;
            const auto accept = [&](TermSet set, bool yes) {
                if (yes) {
                    include(a.accepting[static_cast<int>(set)], state);
                }
            };
            accept(TermSet::Valid, sumLeft || (inSum && productLike));
            accept(TermSet::SumLeft, sumLeft);
            accept(TermSet::SumRight, productLike);
            accept(TermSet::DifferenceRight, single && productLike);
            accept(TermSet::ProductLeft, single && (e & kFactorChain) != 0);
            accept(TermSet::QuotientRight, single && (e & kFactor) != 0);
            accept(TermSet::Primary, single && (e & kPrimaryElement) != 0);
            accept(TermSet::NegationOperand, single && (e & kNegationOperand) != 0);
        }
    }
    return a;
}

const Automaton& automaton() {
    static const Automaton a = buildAutomaton();
    return a;
}

constexpr int kInitialState = stateOf(chainOf(false, false, false), firstStart);

template <typename Visit> void forEachState(const StateSet& set, Visit visit) {
    for (int word = 0; word < 4; ++word) {
        for (std::uint64_t bits = set[word]; bits != 0; bits &= bits - 1) {
            visit(word * 64 + __builtin_ctzll(bits));
        }
    }
}

} // namespace

bool holdsInitial(const StateSet& set) {
    return (set[kInitialState >> 6] >> (kInitialState & 63) & 1) != 0;
}

StateSet initialStates() {
    StateSet set{};
    include(set, kInitialState);
    return set;
}

const StateSet& acceptingStates(TermSet set) {
    return automaton().accepting[static_cast<int>(set)];
}

StateSet stepStates(const StateSet& from, Symbol symbol, bool backwards) {
    const Automaton& a = automaton();
    StateSet to{};
    forEachState(from, [&](int state) {
        if (backwards) {
            for (int k = a.previousFirst[symbol][state]; k < a.previousFirst[symbol][state + 1]; ++k) {
                include(to, a.previousStates[k]);
            }
        } else if (const int next = a.next[symbol][state]; next >= 0) {
            include(to, next);
        }
    });
    return to;
}

std::uint8_t acceptedSets(const StateSet& set) {
    const Automaton& a = automaton();
    std::uint8_t sets = 0;
    for (int k = 0; k < kTermSetCount; ++k) {
        const StateSet& accepting = a.accepting[k];
        if (((set[0] & accepting[0]) | (set[1] & accepting[1]) | (set[2] & accepting[2]) |
             (set[3] & accepting[3])) != 0) {
            sets |= static_cast<std::uint8_t>(1u << k);
        }
    }
    return sets;
}

std::size_t StateSetHash::operator()(const StateSet& set) const {
    std::uint64_t h = set[0] * 0x9e3779b97f4a7c15ull;
    h ^= (set[1] + (h >> 31)) * 0xc2b2ae3d27d4eb4full;
    h ^= (set[2] + (h >> 29)) * 0x165667b19e3779f9ull;
    h ^= (set[3] + (h >> 32)) * 0x85ebca77c2b2ae63ull;
    return static_cast<std::size_t>(h ^ (h >> 33));
}

int StepCache::intern(const StateSet& set) {
    if (const auto found = ids_.find(set); found != ids_.end()) {
        return found->second;
    }
    if (entries_.size() >= std::min(limit_, kMostEntries)) {
        return -1;
    }
    Entry entry{set, acceptedSets(set), holdsInitial(set), any(set), {}};
    entry.next[0].fill(kUnknown);
    entry.next[1].fill(kUnknown);
    const int id = static_cast<int>(entries_.size());
    entries_.push_back(entry);
    ids_.emplace(set, id);
    return id;
}

int StepCache::step(int id, Symbol symbol, bool backwards, StateSet& scratch) {
    std::int32_t next = entries_[static_cast<std::size_t>(id)].next[backwards][symbol];
    if (next == kUnknown) {
        scratch = stepStates(entries_[static_cast<std::size_t>(id)].set, symbol, backwards);
        next = intern(scratch);
        if (next < 0) {
            return -1;
        }
        entries_[static_cast<std::size_t>(id)].next[backwards][symbol] = next;
    }
    return next;
}

int StepCache::unite(int a, int b) {
    if (a > b) {
        std::swap(a, b);
    }
    Union& slot = unions_[static_cast<std::size_t>(a * 31 + b) % unions_.size()];
    if (slot.a == a && slot.b == b) {
        return slot.result;
    }
    StateSet set = entries_[static_cast<std::size_t>(a)].set;
    const StateSet& other = entries_[static_cast<std::size_t>(b)].set;
    for (int w = 0; w < 4; ++w) {
        set[w] |= other[w];
    }
    const int result = intern(set);
    if (result >= 0) {
        slot = Union{a, b, result};
    }
    return result;
}

StepCache& stepCache() {
    thread_local StepCache cache;
    return cache;
}

} // namespace kc::parser::detail
