#include "rules/weapons.h"

#include "rules/table_lookup.h"

namespace kc::rules {
namespace {

// Mini Gun, Gatling Gun, Gatling Neutrino Cannon and Big Mutha Cannon sweep four times as many mines.
bool sweepsFourfold(int position) {
    return position == 2 || position == 6 || position == 10 || position == 14;
}

} // namespace

std::optional<std::int32_t> GetWeaponPower(int position, std::string_view key) {
    const auto range = entryAt(WeaponRange, position);
    const auto power = entryAt(WeaponPower, position);
    if (!range || !power)
        return std::nullopt;
    const std::int32_t r = *range;
    const std::int32_t p = *power;
    if (key == "Range")
        return r;
    if (key == "Power")
        return p;
    if (key == "Mine")
        return r * r * p * (sweepsFourfold(position) ? 4 : 1);
    return std::nullopt;
}

} // namespace kc::rules
