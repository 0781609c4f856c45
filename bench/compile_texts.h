#pragma once

#include <cstddef>
#include <span>
#include <string>

// The texts the parser's compile benchmarks time: the shapes that are worst for the compiler, each at every
// length of the calculator box it is timed at.
namespace bench {

std::string repeat(const std::string& piece, std::size_t count);

// The longest text of a shape that fits a length.
struct Shape {
    const char* name;
    std::string (*text)(std::size_t length);
};
std::span<const Shape> compileShapes();

inline constexpr std::size_t kLengths[] = {255, 1000, 4096, 32767};
// Every text the calculator box takes compiles within this, even in a process that just started.
inline constexpr double kGoalMilliseconds = 5;

} // namespace bench
