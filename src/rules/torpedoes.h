#pragma once

#include <array>
#include <cstdint>
#include <optional>

// Base accuracy of each torpedo and missile, read by the jammers page.
namespace kc::rules {

// Percent, by torpedo list position: the eleven listed weapons, then the one that unlocking appends (position
// 11).
inline constexpr std::array<std::uint8_t, 12> TorpAccuracy{35, 45, 60, 65, 75, 75, 80, 20, 20, 25, 30, 85};

// The base accuracy of the torpedo at a list position; nothing when no torpedo with a figure is selected.
std::optional<std::int32_t> GetTorp(int position);

} // namespace kc::rules
