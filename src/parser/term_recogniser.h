#pragma once

#include "parser/expression_compiler.h"
#include "parser/term_automaton.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

// The recognisers of the expression compiler, answered without re-validating sub-terms.
//
// Every term is properly nested, so a term is the sequence of what stands at its own bracket depth: numbers,
// names, bracketed groups and operator characters. The operand sets of the operators make that sequence a
// regular language over a handful of symbols (a group or a call counts as one symbol once its inside is
// known), so one small automaton reads it. Each group's inside is read once, innermost first; a term's
// prefixes are then read in one pass from its start and its suffixes in one pass back from its end, which
// answers every split the classification tries in constant time. Nothing recurses, so compilation time and
// memory grow linearly with the text.
namespace kc::parser::detail {

struct Span {
    std::size_t s = 0;
    std::size_t e = 0;
};

class TermRecogniser {
public:
    // Names must be letters and digits (the registries see to it).
    TermRecogniser(std::string_view text, const VariableRegistry& variables,
                   const FunctionRegistry& functions1, const FunctionRegistry& functions2, bool pascal);

    char at(std::size_t i) const { return t_[i]; }
    std::string_view text(std::size_t s, std::size_t e) const { return t_.substr(s, e - s); }

    // Bracket balance: equal counts of "(" and ")".
    bool balanced(std::size_t s, std::size_t e) const { return depth_[s] == depth_[e]; }
    // The first index in [i, e) holding c, or e.
    std::size_t find(char c, std::size_t i, std::size_t e) const;

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

    // Sets the span whose prefixes and suffixes the next queries are about.
    void anchor(std::size_t s, std::size_t e);
    // Whether [s, i) of the anchored span [s, e) belongs to the set.
    bool prefixIn(TermSet set, std::size_t i);
    // Whether [i, e) of the anchored span [s, e) belongs to the set.
    bool suffixIn(TermSet set, std::size_t i);
    // A position at or below every i > s for which [i, e) may belong to the set.
    std::size_t suffixLow(TermSet set);

private:
    static constexpr std::uint32_t kNone = 0xffffffffu;

    // What one reading of the automaton holds at the positions it has reached; a stamp tells which run
    // wrote an entry.
    struct Reading {
        // States and entries are written when a position is first reached in a run, so they start unset.
        std::unique_ptr<StateSet[]> states;
        std::unique_ptr<std::int32_t[]> entries;
        std::vector<std::uint32_t> stamps;
        std::uint32_t run = 0;
        explicit Reading(std::size_t n)
            : states(new StateSet[n]), entries(new std::int32_t[n]), stamps(n, 0) {}
        bool holds(std::size_t p) const { return stamps[p] == run; }
        void reach(std::size_t p, int entry, const StateSet& set);
        int entryAt(std::size_t p, StepCache& cache);
        // Whether the symbol leads anywhere from what `from` holds.
        bool advance(std::size_t from, int symbol, bool backwards, std::size_t to, StepCache& cache);
    };
    struct SuffixReading {
        TermSet set = TermSet::Valid;
        std::uint32_t end = kNone;
        std::uint32_t low = 0;
        std::uint32_t run = 0;
        std::uint32_t lowest = 0;         // the lowest position the reading reached
        std::vector<std::uint32_t> marks; // the run that found [p, end) in the set
    };

    void scanWords();
    void scanNumbers();
    void scanNumberAt(std::size_t p);
    void readGroups();
    bool isStart(std::size_t p) const;
    bool canEnd(char c) const;
    bool canStart(char c) const;
    bool callable(std::size_t word, std::size_t paren) const;
    std::size_t nextAtDepth(std::size_t p) const;
    template <typename Emit> void edgesFrom(std::size_t p, Emit emit) const;
    template <typename Emit> void edgesInto(std::size_t q, std::size_t s, Emit emit) const;
    void startForward(std::size_t s);
    void readForwardTo(std::size_t i);
    SuffixReading& suffixReading(TermSet set);
    void readBackward(std::size_t s, std::size_t e, SuffixReading& suffix);

    std::string_view t_;
    std::size_t n_;
    const VariableRegistry& variables_;
    const FunctionRegistry& functions1_;
    const FunctionRegistry& functions2_;
    bool pascal_;
    char separator_;
    bool hasSeparator_;

    std::vector<std::int32_t> depth_;         // depth before each position
    std::vector<std::uint32_t> match_;        // the other bracket of a matched pair
    std::vector<std::uint32_t> wordEnd_;      // at a word's first character: where it ends
    std::vector<std::uint32_t> wordStart_;    // at a word's last character: where it starts
    std::vector<std::uint8_t> flags_;         // word kinds at a word's first letter, group answers at "("
    std::vector<std::uint32_t> numberEnd_;    // the longest number starting here
    std::vector<std::uint32_t> numberCut_;    // a shorter one, ending just before an operator or a comma
    std::vector<std::uint32_t> numberStarts_; // starts of the numbers ending at each position...
    std::vector<std::uint32_t> numberFirst_;  // ...indexed by these offsets

    Span anchor_;
    // The prefixes of the span starting at forwardStart_, read as far as asked (forwardNext_), and the
    // furthest position the reading has reached: beyond it, no prefix is a term.
    Reading forward_;
    std::uint32_t forwardStart_ = kNone;
    std::size_t forwardNext_ = 0;
    std::size_t forwardReach_ = 0;
    std::vector<std::uint8_t> prefixSets_;
    // The commas at the reading's own depth that end a non-empty reading, in order.
    std::vector<std::uint32_t> commas_;
    // Suffix readings, kept while later spans share their end; the shortest gives way to a new one, so a
    // long reading outlives the short ones the spans inside it need.
    Reading backward_;
    static constexpr int kSuffixSlots = 8;
    std::array<SuffixReading, kSuffixSlots> suffixes_;
    StepCache& cache_;
};

} // namespace kc::parser::detail
