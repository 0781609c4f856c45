#pragma once

#include <array>
#include <cstdint>
#include <optional>

// Each engine's speed figure, read by the battle speed page.
namespace kc::rules {

// By engine list position: the fifteen listed engines, then the one that unlocking appends (position 15).
inline constexpr std::array<std::int32_t, 16> EngineSpeed{6,  5, 6, 6, 7,  8,  10, 10,
                                                          10, 6, 7, 8, 10, 10, 10, 10};

// The speed figure of the engine at a list position; nothing when no engine with a figure is selected.
std::optional<std::int32_t> GetEngineSpeed(int position);

} // namespace kc::rules
