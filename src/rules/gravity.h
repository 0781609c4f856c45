#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The gravity scale of the planet value page: positions 0 .. 100, each a gravity in hundredths of g. Both
// halves are held as text, a run of three-digit groups, entry k being characters 3k .. 3k + 2.
namespace kc::rules {

inline constexpr int kGravLowEntries = 50;  // positions 0 .. 49
inline constexpr int kGravHighEntries = 51; // positions 50 .. 100
inline constexpr int kGravityPositionCount = kGravLowEntries + kGravHighEntries;

void fillGravLow(std::string& gravLow);
void fillGravHigh(std::string& gravHigh);

// Entry k of a three-digit-group text as an integer; nothing when the text has no whole group there.
std::optional<std::int32_t> digitGroup(std::string_view text, int entry);

// The gravity at a scale position, in hundredths of g: entry p of GravLow below 50, otherwise entry p - 50 of
// GravHigh. Nothing outside 0 .. 100.
std::optional<std::int32_t> gravityHundredths(std::string_view gravLow, std::string_view gravHigh,
                                              int position);

} // namespace kc::rules
