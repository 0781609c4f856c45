#pragma once

#include <cstddef>
#include <map>
#include <string_view>
#include <utility>

// Compile times in a process that just started: the parser's working memory is new there, and the C
// library's allocator has its starting thresholds, so every page the compiler touches is a page fault.
namespace bench {

struct FreshTime {
    double wall = 0; // milliseconds
    double cpu = 0;
    double pages = 0; // minor page faults
};
// Medians by (length, index into compileShapes()).
using FreshTimes = std::map<std::pair<std::size_t, std::size_t>, FreshTime>;

// The child's side, for --fresh-compile=SHAPE:LENGTH: builds a parser, compiles that text once and prints the
// wall and thread CPU time and the page faults of that compilation alone, as "wall cpu pages".
int compileOnceFresh(std::string_view request);
// The parent's side: each shape at each length compiled in `runs` new processes (this program started
// again), medians kept; nothing when runs is 0.
FreshTimes freshTimes(int runs);

} // namespace bench
