// Replaces the global operator new of the test program to count allocations on request.
#include "allocation_counter.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<bool> gCounting{false};
std::atomic<long> gAllocations{0};
} // namespace

void* operator new(std::size_t size) {
    if (gCounting) {
        ++gAllocations;
    }
    if (void* p = std::malloc(size == 0 ? 1 : size)) {
        return p;
    }
    throw std::bad_alloc();
}

void operator delete(void* p) noexcept {
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace kc::parser::testing {

long countAllocations(const std::function<void()>& action) {
    gAllocations = 0;
    gCounting = true;
    action();
    gCounting = false;
    return gAllocations;
}

} // namespace kc::parser::testing
