#include "parser/term_reading.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#if defined(_WIN32)
#include <windows.h>
#else
#include <sys/mman.h>
#endif

namespace kc::parser::detail {

namespace {

// A page or more: a sparse set or table then costs only the pages it writes. AddressSanitizer sees the bounds
// of heap blocks only, so its builds take every block from the heap.
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KC_ADDRESS_SANITIZER
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) || defined(KC_ADDRESS_SANITIZER)
constexpr std::size_t kMappedBytes = ~std::size_t{0};
#else
constexpr std::size_t kMappedBytes = 4096;
#endif

} // namespace

void* zeroedBlock(std::size_t bytes) {
    if (bytes >= kMappedBytes) {
#if defined(_WIN32)
        void* block = VirtualAlloc(nullptr, bytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
        if (block == nullptr) {
            throw std::bad_alloc();
        }
#else
        void* block = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (block == MAP_FAILED) {
            throw std::bad_alloc();
        }
#endif
        return block;
    }
    if (void* block = std::calloc(bytes, 1)) {
        return block;
    }
    throw std::bad_alloc();
}

void releaseBlock(void* block, std::size_t bytes) {
    if (block == nullptr) {
        return;
    }
    if (bytes >= kMappedBytes) {
#if defined(_WIN32)
        VirtualFree(block, 0, MEM_RELEASE);
#else
        munmap(block, bytes);
#endif
    } else {
        std::free(block);
    }
}

void Positions::reset(std::size_t n) {
    if (!words_.reserve(n / 64 + 1)) {
        for (std::uint32_t w : written_) {
            words_[w] = 0;
        }
    }
    written_.clear();
    low_ = kEmpty;
    high_ = 0;
}

std::size_t Positions::next(std::size_t from, std::size_t to) const {
    if (from >= to || low_ > high_) {
        return to;
    }
    // Words outside those written are zero; not reading them spares untouched pages.
    std::size_t w = from >> 6;
    std::uint64_t bits = 0;
    if (w < low_) {
        w = low_;
        bits = words_[w];
    } else {
        bits = words_[w] & (~std::uint64_t{0} << (from & 63));
    }
    const std::size_t last = std::min((to - 1) >> 6, high_);
    for (;;) {
        if (bits != 0) {
            const std::size_t p = (w << 6) + static_cast<std::size_t>(__builtin_ctzll(bits));
            return p < to ? p : to;
        }
        if (++w > last) {
            return to;
        }
        bits = words_[w];
    }
}

void Reading::reset(std::size_t n, StepCache& cache) {
    cache_ = &cache;
    n_ = n;
    const std::size_t blocks = n / kBlock + 1;
    if (ids_.reserve(blocks * kBlock)) {
        blocks_ = blocks;
        runs_.reserve(blocks);
        std::memset(&runs_[0], 0, blocks * sizeof(std::uint16_t));
        run_ = 0;
    }
    // The run numbers come round again only after 65,535 readings; the stale ones go then.
    if (++run_ == 0) {
        std::memset(&runs_[0], 0, blocks_ * sizeof(std::uint16_t));
        run_ = 1;
    }
}

StateSet Reading::states(std::size_t p) const {
    return ids_[p] == kSpilled ? spilled_[p] : cache_->entry(ids_[p] - 1).set;
}

std::uint8_t Reading::acceptedAt(std::size_t p) const {
    return ids_[p] == kSpilled ? acceptedSets(spilled_[p]) : cache_->entry(ids_[p] - 1).prefixSets;
}

bool Reading::initialAt(std::size_t p) const {
    return ids_[p] == kSpilled ? holdsInitial(spilled_[p]) : cache_->entry(ids_[p] - 1).initial;
}

void Reading::spill(std::size_t p, const StateSet& set) {
    spilled_.reserve(n_ + 1);
    spilled_[p] = set;
    ids_[p] = kSpilled;
}

// A position reached by several symbols holds the union of what they bring.
void Reading::reach(std::size_t p, int entry, const StateSet& set) {
    if (const std::size_t block = p / kBlock; runs_[block] != run_) {
        std::memset(&ids_[block * kBlock], 0, kBlock * sizeof(std::uint16_t));
        runs_[block] = run_;
    }
    std::uint16_t& id = ids_[p];
    if (id == 0) {
        if (entry >= 0) {
            id = static_cast<std::uint16_t>(entry + 1);
        } else {
            spill(p, set);
        }
        return;
    }
    if (entry >= 0 && id == entry + 1) {
        return;
    }
    if (entry >= 0 && id != kSpilled) {
        if (const int merged = cache_->unite(id - 1, entry); merged >= 0) {
            id = static_cast<std::uint16_t>(merged + 1);
            return;
        }
    }
    StateSet merged = states(p);
    for (int w = 0; w < 4; ++w) {
        merged[w] |= set[w];
    }
    if (const int cached = cache_->intern(merged); cached >= 0) {
        id = static_cast<std::uint16_t>(cached + 1);
    } else {
        spill(p, merged);
    }
}

bool Reading::advance(std::size_t from, Symbol symbol, bool backwards, std::size_t to) {
    StateSet next;
    if (const int entry = this->entry(from); entry >= 0) {
        if (const int stepped = cache_->step(entry, symbol, backwards, next); stepped >= 0) {
            const StepCache::Entry& e = cache_->entry(stepped);
            if (!e.live) {
                return false;
            }
            next = e.set; // a copy: reaching may add entries and move the cache's storage
            reach(to, stepped, next);
            return true;
        }
    } else {
        next = stepStates(spilled_[from], symbol, backwards);
    }
    if (!any(next)) {
        return false;
    }
    reach(to, -1, next);
    return true;
}

} // namespace kc::parser::detail
