#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <utility>
#include <vector>

// The automaton of the term recogniser (term_recogniser.h). It reads the symbols at a term's own depth: a
// number (with its sign, if any), a variable, a bracketed group or a call whose inside is known each count
// as one symbol, and so does each operator character. The operand sets of the operators are regular over
// these symbols: sums and differences of operands, an operand being a product of factor chains (quotients)
// of powers of primaries. The symbols a text offers may overlap ("E-1" is a number, and also the variable
// E, a minus and 1), so a reading follows every path, holding a set of states at each position.
namespace kc::parser::detail {

// The sets classification asks about.
enum class TermSet : std::uint8_t {
    Valid,
    SumLeft,         // atom, negation, difference, product, quotient, power, call
    SumRight,        // atom, sum, difference, product, quotient, power, call
    DifferenceRight, // atom, product, quotient, power, call (also the right part of a product)
    ProductLeft,     // atom, negation, quotient, power, call (also the left part of a quotient)
    QuotientRight,   // atom, power, call
    Primary,         // atom, call: either part of a power
    NegationOperand, // bracket form, variable, power, call
};
inline constexpr int kTermSetCount = 8;

// The set the part before an operator must belong to when a term splits there, the part after it having a
// set of each form's own; a two-argument call's arguments split at a comma into valid terms.
constexpr TermSet leftSetOf(char op) {
    switch (op) {
    case '+':
    case '-':
        return TermSet::SumLeft;
    case '^':
        return TermSet::Primary;
    case ',':
        return TermSet::Valid;
    default:
        return TermSet::ProductLeft;
    }
}

using StateSet = std::array<std::uint64_t, 4>;

enum Symbol : int {
    sPlus,
    sMinus,
    sStar,
    sSlash,
    sCaret,
    sNumber,     // a number, unsigned or with "-"
    sPlusNumber, // a number with "+": a sum's left part must not start with it
    sPrimary,    // a variable, a bracket form or a call
    kSymbolCount
};

inline bool any(const StateSet& set) {
    return (set[0] | set[1] | set[2] | set[3]) != 0;
}
StateSet initialStates();
bool holdsInitial(const StateSet& set);
// The states that end a reading of a text of the set.
const StateSet& acceptingStates(TermSet set);
// The sets a reading that holds these states has read a text of, one bit per set.
std::uint8_t acceptedSets(const StateSet& set);
// One symbol on, forwards, or backwards (the states that lead to these by the symbol).
StateSet stepStates(const StateSet& from, Symbol symbol, bool backwards);

struct StateSetHash {
    std::size_t operator()(const StateSet& set) const;
};

// A reading meets the same few state sets over and over, so each set's steps and answers are worked out once
// per thread and looked up from then on: the automaton, determinised as far as texts ask for it. A full
// cache stops growing; the steps are then worked out each time.
class StepCache {
public:
    struct Entry {
        StateSet set;
        std::uint8_t prefixSets;
        bool initial;
        bool live; // the set is not empty
        std::array<std::int32_t, kSymbolCount> next[2];
    };
    // Readings keep an entry's number in 16 bits.
    static constexpr std::size_t kMostEntries = 0xfffe;

    // The entry of a set, or -1 when the cache is full.
    int intern(const StateSet& set);
    // The entry of the union of two entries' sets, or -1 when the cache is full. Positions that several
    // symbols reach ask for the same unions again and again, so the last few are remembered.
    int unite(int a, int b);
    const Entry& entry(int id) const { return entries_[static_cast<std::size_t>(id)]; }
    // The entry one symbol on from an entry, forwards or backwards, or -1 (with the set in `scratch`) when
    // the cache is full.
    int step(int id, Symbol symbol, bool backwards, StateSet& scratch);
    // The most entries the cache takes (a few hundred serve any text seen so far); returns the old limit.
    // Tests empty the cache and lower the limit to read without it; never between a recogniser's queries.
    std::size_t setLimit(std::size_t entries) { return std::exchange(limit_, entries); }
    void clear() {
        entries_.clear();
        ids_.clear();
        unions_.fill(Union{});
    }

private:
    static constexpr std::int32_t kUnknown = -1;
    struct Union {
        std::int32_t a = -1;
        std::int32_t b = -1;
        std::int32_t result = -1;
    };
    std::size_t limit_ = std::size_t{1} << 14;
    std::vector<Entry> entries_;
    std::unordered_map<StateSet, int, StateSetHash> ids_;
    std::array<Union, 256> unions_{};
};

StepCache& stepCache();

} // namespace kc::parser::detail
