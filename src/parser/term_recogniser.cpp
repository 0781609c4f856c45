#include "parser/term_recogniser.h"

#include <algorithm>

namespace kc::parser::detail {

void TermRecogniser::reset(std::string_view text, const VariableRegistry& variables,
                           const FunctionRegistry& functions1, const FunctionRegistry& functions2,
                           bool pascal) {
    cache_ = &stepCache();
    initialEntry_ = cache_->intern(initialStates());
    for (int set = 0; set < kTermSetCount; ++set) {
        acceptingEntries_[static_cast<std::size_t>(set)] =
            cache_->intern(acceptingStates(static_cast<TermSet>(set)));
    }
    index(text, variables, functions1, functions2, pascal);
    forgetPrefixes();
    for (SuffixReading& suffix : suffixes_) {
        suffix.end = kNone;
    }
    readGroups();
}

// Reads every group's inside once, innermost first, so that a group or call is one known symbol when the
// group around it is read.
void TermRecogniser::readGroups() {
    for (std::size_t close = find(')', 0, n_); close < n_; close = find(')', close + 1, n_)) {
        if (match(close) == kNone) {
            continue;
        }
        const std::size_t open = match(close);
        anchor(open + 1, close);
        if (prefixIn(TermSet::Valid, close)) {
            markGroup(open, kGroupValid);
        }
        // Two arguments: a comma at the inside's depth where both parts are valid. A comma in the first
        // character stops the search.
        if (twoArgumentName(open) && open + 1 < close && t_[open + 1] != ',' &&
            firstSplit(',', TermSet::Valid, open + 1, close) < close) {
            markGroup(open, kGroupCall2);
        }
        // No group's reading is asked for again; forgetting it lets the next group's use the same storage.
        forgetPrefixes();
    }
}

// Reads [low, e) backwards from the states accepting the set, marking the positions where the initial state
// is reached: those positions i have [i, e) in the set.
void TermRecogniser::readBackward(std::size_t low, std::size_t e, SuffixReading& suffix) {
    backward_.reset(n_, *cache_);
    suffix.marks.reset(n_ + 1);
    suffix.end = static_cast<std::uint32_t>(e);
    suffix.low = static_cast<std::uint32_t>(low);
    suffix.lowest = static_cast<std::uint32_t>(e);
    backward_.reach(e, acceptingEntries_[static_cast<std::size_t>(suffix.set)], acceptingStates(suffix.set));
    // The lowest position the reading has reached: below it, no suffix is in the set.
    std::size_t reached = e;
    for (std::size_t q = e;;) {
        if (backward_.holds(q)) {
            suffix.lowest = static_cast<std::uint32_t>(q);
            if (backward_.initialAt(q)) {
                suffix.marks.insert(q);
            }
            if (q > low) {
                edgesInto(q, low, [&](Symbol symbol, std::size_t p) {
                    if (backward_.advance(q, symbol, true, p)) {
                        reached = std::min(reached, p);
                    }
                });
            }
        }
        if (q <= low || reached >= q) {
            return;
        }
        const std::size_t before = t_[q - 1] == ')' && match(q - 1) != kNone ? match(q - 1) : q - 1;
        if (before < low) {
            return;
        }
        q = before;
    }
}

void TermRecogniser::anchor(std::size_t s, std::size_t e) {
    anchor_ = {s, e};
}

bool TermRecogniser::prefixIn(TermSet set, std::size_t i) {
    if (i <= anchor_.s || i > n_ || !canEnd(t_[i - 1])) {
        return false;
    }
    return (prefixSets(i) >> static_cast<int>(set) & 1) != 0;
}

// The suffix reading of the set from the anchored span's end, read now unless an earlier span with that end
// asked about a position at or below `from`.
TermRecogniser::SuffixReading& TermRecogniser::suffixReading(TermSet set, std::size_t from) {
    SuffixReading* shortest = &suffixes_[0];
    for (SuffixReading& suffix : suffixes_) {
        if (suffix.set == set && suffix.end == anchor_.e && suffix.low <= from) {
            return suffix;
        }
        const auto reached = [](const SuffixReading& r) { return r.end == kNone ? 0 : r.end - r.lowest + 1; };
        if (reached(suffix) < reached(*shortest)) {
            shortest = &suffix;
        }
    }
    shortest->set = set;
    readBackward(from, anchor_.e, *shortest);
    return *shortest;
}

std::size_t TermRecogniser::firstSplit(char op, TermSet right, std::size_t from, std::size_t to) {
    for (std::size_t i = nextSplit(op, from, to); i < to;) {
        const std::size_t j = nextSuffix(right, i + 1);
        if (j >= anchor_.e) {
            return to;
        }
        if (j == i + 1) {
            return i;
        }
        i = nextSplit(op, j - 1, to);
    }
    return to;
}

bool TermRecogniser::suffixIn(TermSet set, std::size_t i) {
    if (i < anchor_.s || i >= anchor_.e || !canStart(t_[i])) {
        return false;
    }
    return suffixReading(set, i).marks.contains(i);
}

std::size_t TermRecogniser::nextSuffix(TermSet set, std::size_t from) {
    const std::size_t e = anchor_.e;
    if (from < anchor_.s || from >= e) {
        return e;
    }
    const SuffixReading& suffix = suffixReading(set, from);
    for (std::size_t p = suffix.marks.next(std::max<std::size_t>(from, suffix.lowest), e); p < e;
         p = suffix.marks.next(p + 1, e)) {
        if (canStart(t_[p])) {
            return p;
        }
    }
    return e;
}

} // namespace kc::parser::detail
