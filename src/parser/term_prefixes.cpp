// The prefix readings of the term recogniser: where the parts before an operator may end.
//
// The right part of a sum or product is a new span with a new start, and so is each one below it, so a long
// chain asks for a prefix reading from every term's start. Past its first few symbols such a reading holds
// the same states as an earlier one did at the same position, and where neither has anything pending
// beyond that position, all that follows is the same too: the new reading joins the earlier one there
// instead of reading the rest of the text again.
#include "parser/term_recogniser.h"

#include <algorithm>
#include <utility>

namespace kc::parser::detail {

void TermRecogniser::forgetPrefixes() {
    for (PrefixReading& reading : prefixes_) {
        reading.start = kNone;
        reading.joined = kNever;
        reading.into = -1;
    }
}

int TermRecogniser::prefixReading() {
    int slot = -1;
    for (int k = 0; k < kPrefixSlots; ++k) {
        if (prefixes_[static_cast<std::size_t>(k)].start == anchor_.s) {
            slot = k;
        }
    }
    for (int k = 0; k < kPrefixSlots && slot < 0; ++k) {
        if (prefixes_[static_cast<std::size_t>(k)].start == kNone) {
            slot = k;
            startPrefixes(slot, anchor_.s);
        }
    }
    if (slot < 0) {
        // The reading that read least gives way: it is cheap to read again, while a long one is what later
        // readings join. One that others joined goes last of all.
        const auto rank = [&](int k) {
            const PrefixReading& reading = prefixes_[static_cast<std::size_t>(k)];
            const bool joinedInto = std::any_of(prefixes_.begin(), prefixes_.end(),
                                                [&](const PrefixReading& other) { return other.into == k; });
            return std::pair(joinedInto, std::min(reading.next, reading.joined) - reading.start);
        };
        slot = 0;
        for (int k = 1; k < kPrefixSlots; ++k) {
            if (rank(k) < rank(slot)) {
                slot = k;
            }
        }
        startPrefixes(slot, anchor_.s);
    }
    return slot;
}

void TermRecogniser::startPrefixes(int slot, std::size_t s) {
    // Readings that joined this one read on by themselves from where they joined.
    for (PrefixReading& other : prefixes_) {
        if (other.into == slot) {
            other.next = other.joined;
            other.joined = kNever;
            other.into = -1;
        }
    }
    PrefixReading& reading = prefixes_[static_cast<std::size_t>(slot)];
    reading.states.reset(n_, *cache_);
    for (Positions& splits : reading.splits) {
        splits.reset(n_ + 1);
    }
    reading.steady.reset(n_ + 1);
    reading.start = static_cast<std::uint32_t>(s);
    reading.next = s;
    reading.reach = s;
    reading.joined = kNever;
    reading.into = -1;
    reading.states.reach(s, initialEntry_, initialStates());
}

// Reads on until position i, or until the reading joins another. Groups are stepped over, so the cost is the
// number of positions at the start's depth.
void TermRecogniser::readPrefixes(int slot, std::size_t i) {
    PrefixReading& reading = prefixes_[static_cast<std::size_t>(slot)];
    while (reading.next <= i && reading.next <= reading.reach && reading.joined == kNever) {
        const std::size_t p = reading.next;
        if (reading.states.holds(p) && p < n_) {
            if (reading.reach == p) {
                if (p > reading.start && joinAt(slot, p)) {
                    return;
                }
                reading.steady.insert(p);
            }
            const char c = t_[p];
            if (const int k = operatorIndex(c);
                k >= 0 && p > reading.start && canEnd(t_[p - 1]) &&
                (reading.states.acceptedAt(p) >> static_cast<int>(leftSetOf(c)) & 1) != 0) {
                reading.splits[static_cast<std::size_t>(k)].insert(p);
            }
            edgesFrom(p, [&](Symbol symbol, std::size_t q) {
                if (reading.states.advance(p, symbol, false, q)) {
                    reading.reach = std::max(reading.reach, q);
                }
            });
        }
        reading.next = nextAtDepth(p);
    }
}

// Joins a reading that read p itself with the same states and nothing pending beyond it.
bool TermRecogniser::joinAt(int slot, std::size_t p) {
    PrefixReading& reading = prefixes_[static_cast<std::size_t>(slot)];
    const int entry = reading.states.entry(p);
    if (entry < 0) {
        return false;
    }
    for (int k = 0; k < kPrefixSlots; ++k) {
        const PrefixReading& other = prefixes_[static_cast<std::size_t>(k)];
        if (k != slot && other.start != kNone && other.steady.contains(p) && other.states.holds(p) &&
            other.states.entry(p) == entry) {
            reading.joined = p;
            reading.into = k;
            return true;
        }
    }
    return false;
}

std::uint8_t TermRecogniser::prefixSets(std::size_t i) {
    for (int slot = prefixReading();;) {
        const PrefixReading& reading = prefixes_[static_cast<std::size_t>(slot)];
        if (i < reading.joined) {
            readPrefixes(slot, i);
        }
        if (i >= reading.joined) {
            slot = reading.into;
            continue;
        }
        return reading.states.holds(i) ? reading.states.acceptedAt(i) : 0;
    }
}

std::size_t TermRecogniser::nextSplit(char op, std::size_t from, std::size_t to) {
    const int k = operatorIndex(op);
    for (int slot = prefixReading();;) {
        const PrefixReading& reading = prefixes_[static_cast<std::size_t>(slot)];
        // This reading answers below where it joined another.
        const std::size_t own = std::min(to, reading.joined);
        const std::size_t read = std::min(own, reading.next);
        if (const std::size_t p = reading.splits[static_cast<std::size_t>(k)].next(from, read); p < read) {
            return p;
        }
        from = std::max(from, read);
        if (from >= to) {
            return to;
        }
        if (from >= reading.joined) {
            slot = reading.into;
            continue;
        }
        // Nothing in what was read: read on to the next place the operator could split at, unless no prefix
        // goes that far.
        if (reading.next > reading.reach) {
            return to;
        }
        const std::size_t point = splitPoints(k).next(from, own);
        if (point >= own) {
            return to;
        }
        readPrefixes(slot, point);
    }
}

} // namespace kc::parser::detail
