#include "heap_accounting.h"

#include <algorithm>
#include <cstdlib>
#include <malloc.h>
#include <new>

namespace {
// The benchmarks run on one thread.
std::size_t gAllocations = 0;
std::size_t gLiveBytes = 0;
std::size_t gPeakBytes = 0;
} // namespace

void* operator new(std::size_t size) {
    void* p = std::malloc(size == 0 ? 1 : size);
    if (p == nullptr) {
        throw std::bad_alloc();
    }
    ++gAllocations;
    gLiveBytes += malloc_usable_size(p);
    gPeakBytes = std::max(gPeakBytes, gLiveBytes);
    return p;
}
void* operator new[](std::size_t size) {
    return ::operator new(size);
}
void operator delete(void* p) noexcept {
    if (p != nullptr) {
        gLiveBytes -= malloc_usable_size(p);
        std::free(p);
    }
}
void operator delete[](void* p) noexcept {
    ::operator delete(p);
}
void operator delete(void* p, std::size_t) noexcept {
    ::operator delete(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    ::operator delete(p);
}

namespace bench {

std::size_t allocations() {
    return gAllocations;
}
std::size_t startPeak() {
    gPeakBytes = gLiveBytes;
    return gLiveBytes;
}
std::size_t peakBytes() {
    return gPeakBytes;
}

} // namespace bench
