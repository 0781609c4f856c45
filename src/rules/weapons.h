#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

// Beam weapon figures, read by the minefield and beam weapons pages.
namespace kc::rules {

// The seventeen listed weapons and the one that unlocking appends (position 17).
inline constexpr int kWeaponCount = 18;

// Damage of one weapon, by weapon list position.
inline constexpr std::array<std::uint16_t, kWeaponCount> WeaponPower{
    10, 16, 13, 26, 26, 26, 31, 66, 66, 66, 80, 169, 169, 169, 204, 433, 433, 140,
};

// Range in battle squares, by weapon list position.
inline constexpr std::array<std::uint8_t, kWeaponCount> WeaponRange{
    1, 1, 2, 1, 2, 3, 2, 1, 2, 3, 2, 1, 2, 3, 2, 1, 2, 3,
};

// A weapon's figure by key: "Range", "Power", or "Mine" (the mine sweep, range squared times power, four
// times that for the gatling-type weapons). Keys are case-sensitive. Nothing for a position with no weapon or
// another key.
std::optional<std::int32_t> GetWeaponPower(int position, std::string_view key);

} // namespace kc::rules
