#pragma once

#include "parser/term_automaton.h"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <type_traits>
#include <vector>

// The working memory of the term recogniser (term_recogniser.h), kept from one compilation to the next: the
// component compiles again on every "=", and a long text would otherwise pay for fresh pages each time.
namespace kc::parser::detail {

// Zeroed storage that costs nothing until written: large blocks are mapped from the system, whose pages
// come when first touched (calloc would clear heap memory it reuses, touching all of it).
void* zeroedBlock(std::size_t bytes);
void releaseBlock(void* block, std::size_t bytes);

// Storage that only grows. New storage reads as zero and costs nothing until it is written, so a buffer sized
// for a long text is paid for only where the text uses it.
template <typename T> class Scratch {
    static_assert(std::is_trivially_copyable_v<T> && std::is_trivially_default_constructible_v<T>);

public:
    Scratch() = default;
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;
    ~Scratch() { releaseBlock(data_, capacity_ * sizeof(T)); }

    // Makes room for n elements. Returns true when that took new storage: then every element is zero and
    // what was there before is gone.
    bool reserve(std::size_t n) {
        if (n <= capacity_) {
            return false;
        }
        void* fresh = zeroedBlock(n * sizeof(T));
        releaseBlock(data_, capacity_ * sizeof(T));
        data_ = static_cast<T*>(fresh);
        capacity_ = n;
        return true;
    }
    T& operator[](std::size_t i) { return data_[i]; }
    const T& operator[](std::size_t i) const { return data_[i]; }

private:
    T* data_ = nullptr;
    std::size_t capacity_ = 0;
};

// A position, or kNone, at each position of a text: two bytes each while the text is shorter than 65,520
// characters (as any the calculator box holds), which halves the pages a long text touches; four beyond.
class PositionTable {
public:
    static constexpr std::uint32_t kNone = 0xffffffffu;
    // Makes room for n entries; their values are unset.
    void reserve(std::size_t n) {
        narrow_ = n < kNarrowLimit;
        if (narrow_) {
            short_.reserve(n);
        } else {
            long_.reserve(n);
        }
    }
    std::uint32_t operator[](std::size_t i) const {
        if (!narrow_) {
            return long_[i];
        }
        return short_[i] == kShortNone ? kNone : short_[i];
    }
    void set(std::size_t i, std::uint32_t value) {
        if (narrow_) {
            short_[i] = value == kNone ? kShortNone : static_cast<std::uint16_t>(value);
        } else {
            long_[i] = value;
        }
    }

private:
    static constexpr std::uint16_t kShortNone = 0xffff;
    static constexpr std::size_t kNarrowLimit = 0xfff0;
    bool narrow_ = true;
    Scratch<std::uint16_t> short_;
    Scratch<std::uint32_t> long_;
};

// A set of positions that remembers which words it wrote, so emptying it costs what filling it did.
class Positions {
public:
    // Empties the set and makes room for positions below n.
    void reset(std::size_t n);
    void insert(std::size_t p) {
        const std::size_t w = p >> 6;
        if (words_[w] == 0) {
            written_.push_back(static_cast<std::uint32_t>(w));
            low_ = w < low_ ? w : low_;
            high_ = w > high_ ? w : high_;
        }
        words_[w] |= std::uint64_t{1} << (p & 63);
    }
    bool contains(std::size_t p) const {
        const std::size_t w = p >> 6;
        return w >= low_ && w <= high_ && (words_[w] >> (p & 63) & 1) != 0;
    }
    // The first member in [from, to), or `to`.
    std::size_t next(std::size_t from, std::size_t to) const;

private:
    static constexpr std::size_t kEmpty = std::numeric_limits<std::size_t>::max();
    Scratch<std::uint64_t> words_;
    std::vector<std::uint32_t> written_; // the words written since the last reset
    std::size_t low_ = kEmpty;           // the lowest and highest of them
    std::size_t high_ = 0;
};

// What one reading of the automaton holds at the positions it reached: the step cache's entry of the state
// set, or, when the cache is full, the set itself. Each block of 16 positions holds the number of the reading
// that last wrote it, and a reading clears a block when it first writes there, so a new reading starts
// without clearing anything and a short one clears little.
class Reading {
public:
    // Forgets the last reading and makes room for positions up to n.
    void reset(std::size_t n, StepCache& cache);
    bool holds(std::size_t p) const { return runs_[p / kBlock] == run_ && ids_[p] != 0; }
    // The entry at a position held, or -1 when the cache could not take the set.
    int entry(std::size_t p) const { return ids_[p] == kSpilled ? -1 : ids_[p] - 1; }
    // The sets of TermSet the text read so far belongs to, at a position held, one bit each.
    std::uint8_t acceptedAt(std::size_t p) const;
    bool initialAt(std::size_t p) const;
    // Adds what one symbol brings to a position; entry is -1 when the set is not in the cache.
    void reach(std::size_t p, int entry, const StateSet& set);
    // One symbol's step from what `from` holds to the position the symbol leads to; false when it leads
    // nowhere.
    bool advance(std::size_t from, Symbol symbol, bool backwards, std::size_t to);

private:
    static constexpr std::uint16_t kSpilled = 0xffff;
    static_assert(StepCache::kMostEntries < kSpilled);
    static constexpr std::size_t kBlock = 16;
    StateSet states(std::size_t p) const;
    void spill(std::size_t p, const StateSet& set);

    StepCache* cache_ = nullptr;
    std::size_t n_ = 0;
    std::size_t blocks_ = 0;
    std::uint16_t run_ = 0;       // never 0, which new storage holds
    Scratch<std::uint16_t> ids_;  // entry + 1, or kSpilled; 0 where nothing was reached
    Scratch<std::uint16_t> runs_; // per block of kBlock positions
    Scratch<StateSet> spilled_;   // where ids_ says so
};

} // namespace kc::parser::detail
