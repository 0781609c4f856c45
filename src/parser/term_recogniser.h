#pragma once

#include "parser/expression_compiler.h"
#include "parser/term_automaton.h"
#include "parser/term_reading.h"
#include "parser/term_text.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

// The recognisers of the expression compiler, answered without re-validating sub-terms.
//
// Every term is properly nested, so a term is the sequence of what stands at its own bracket depth: numbers,
// names, bracketed groups and operator characters. The operand sets of the operators make that sequence a
// regular language over a handful of symbols (a group or a call counts as one symbol once its inside is
// known), so one small automaton reads it. Each group's inside is read once, innermost first; a term's
// prefixes are then read in one pass from its start and its suffixes in one pass back from its end, each only
// as far as a question needs. A split is found by stepping between the operators where a prefix may end and
// the positions where a suffix may start, so neither side is read further than the other allows. Terms that
// share a start share the prefix reading, terms that share an end the suffix readings, and a prefix reading
// from a new start joins an earlier one where both hold the same states (term_prefixes.cpp). Nothing
// recurses, so compilation time and memory grow linearly with the text.
//
// One recogniser serves every compilation of its owner: its tables keep their storage from one text to the
// next.
namespace kc::parser::detail {

class TermRecogniser : public TextIndex {
public:
    // Indexes a new text and reads every group's inside. The text must outlive the recogniser's use.
    void reset(std::string_view text, const VariableRegistry& variables, const FunctionRegistry& functions1,
               const FunctionRegistry& functions2, bool pascal);

    // Sets the span whose prefixes and suffixes the next queries are about.
    void anchor(std::size_t s, std::size_t e);
    // Whether [s, i) of the anchored span [s, e) belongs to the set.
    bool prefixIn(TermSet set, std::size_t i);
    // Whether [i, e) of the anchored span [s, e) belongs to the set.
    bool suffixIn(TermSet set, std::size_t i);
    // The first i in [from, to) where `op` (an operator or a comma) stands, [s, i) belongs to its left set
    // (leftSetOf) and [i + 1, e) to `right`; `to` when there is none. It steps between the positions where
    // the part before may end and those where the part after may start, so each side is read only as far
    // as the other leaves open.
    std::size_t firstSplit(char op, TermSet right, std::size_t from, std::size_t to);

private:
    // Suffix readings, kept while later spans share their end; the shortest gives way to a new one, so a
    // long reading outlives the short ones the spans inside it need. A reading answers for positions from
    // the one it was first asked about.
    struct SuffixReading {
        TermSet set = TermSet::Valid;
        std::uint32_t end = kNone;
        std::uint32_t low = 0;
        std::uint32_t lowest = 0; // the lowest position the reading reached
        Positions marks;          // the positions p for which [p, end) is in the set
    };
    static constexpr int kSuffixSlots = 8;

    // The first i in [from, to) where `op` stands and [s, i) belongs to its left set, or `to`.
    std::size_t nextSplit(char op, std::size_t from, std::size_t to);
    // The first i at or after `from` for which [i, e) belongs to the set, or e.
    std::size_t nextSuffix(TermSet set, std::size_t from);
    void readGroups();
    SuffixReading& suffixReading(TermSet set, std::size_t from);
    void readBackward(std::size_t low, std::size_t e, SuffixReading& suffix);

    // The prefixes of the spans starting at `start`, read as far as asked (next); beyond `reach`, the
    // furthest position the reading has reached, no prefix is a term. From `joined` on, the reading is that
    // of the slot `into`, which reached `joined` with the same states and nothing pending beyond it.
    struct PrefixReading {
        Reading states;
        // Per operator and the comma, the positions read where it stands after a prefix of its left set.
        std::array<Positions, kSplitOperators> splits;
        Positions steady; // positions read while nothing beyond them had been reached
        std::uint32_t start = kNone;
        std::size_t next = 0;
        std::size_t reach = 0;
        std::size_t joined = kNever;
        int into = -1;
    };
    static constexpr std::size_t kNever = ~std::size_t{0};
    // Enough for readings whose states repeat every second or third term of a chain to find one to join.
    static constexpr int kPrefixSlots = 4;

    void forgetPrefixes();
    // The reading of the anchored span's start, begun if there is none.
    int prefixReading();
    void startPrefixes(int slot, std::size_t s);
    void readPrefixes(int slot, std::size_t i);
    bool joinAt(int slot, std::size_t p);
    // The sets [s, i) of the anchored span belongs to, one bit each.
    std::uint8_t prefixSets(std::size_t i);

    StepCache* cache_ = nullptr;
    // The entries every reading starts from (-1 where the cache is full).
    int initialEntry_ = -1;
    std::array<int, kTermSetCount> acceptingEntries_{};
    Span anchor_;
    std::array<PrefixReading, kPrefixSlots> prefixes_;
    Reading backward_;
    std::array<SuffixReading, kSuffixSlots> suffixes_;
};

} // namespace kc::parser::detail
