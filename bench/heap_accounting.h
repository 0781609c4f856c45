#pragma once

#include <cstddef>

// The benchmark program's own operator new and delete, counting allocations and the bytes live at once.
namespace bench {

std::size_t allocations();
// Starts measuring the most bytes live at once from now; returns the bytes live now.
std::size_t startPeak();
std::size_t peakBytes();

} // namespace bench
