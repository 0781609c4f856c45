#include "pages/beam_weapons.h"

#include "core/checked_math.h"
#include "core/text_conversion.h"
#include "pages/calculation_failure.h"
#include "rules/weapons.h"

#include <algorithm>

namespace kc::pages {

namespace {

constexpr Extended kEnergyCapacitor = 1.1L;
constexpr Extended kFluxCapacitor = 1.2L;
constexpr Extended kMostBoost = 2.5L;
constexpr Extended kDeflector = 0.9L;

struct BeamWeapon {
    std::int32_t power = 0; // dp per shot
    std::int32_t range = 0; // battle squares
};

// Nothing for a list position without figures (no selection, a weapon appended twice).
std::optional<BeamWeapon> weaponAt(int position) {
    const auto power = rules::GetWeaponPower(position, "Power");
    const auto range = rules::GetWeaponPower(position, "Range");
    if (!power || !range)
        return std::nullopt;
    return BeamWeapon{.power = *power, .range = *range};
}

// Only typed counts far beyond any fleet's get here; fail rather than wrap.
std::int64_t fleetDamage(std::int64_t oneWeapon, std::int32_t weapons) {
    std::int64_t total = 0;
    if (__builtin_mul_overflow(oneWeapon, static_cast<std::int64_t>(weapons), &total))
        raiseInvalidOperation();
    return total;
}

// 1.1 per energy capacitor times 1.2 per flux capacitor, at most 2.5.
Extended capacitorBoost(std::int32_t energyCapacitors, std::int32_t fluxCapacitors) {
    const Extended boost =
        multiply(powerInt(kEnergyCapacitor, energyCapacitors), powerInt(kFluxCapacitor, fluxCapacitors));
    return std::min(boost, kMostBoost);
}

// The damage one weapon does at that distance through the deflectors, whether or not it reaches.
std::int64_t oneWeaponDamage(const BeamWeapon& weapon, const BeamWeaponsInputs& in) {
    const std::int64_t boosted =
        roundToInt(multiply(weapon.power, capacitorBoost(in.energyCapacitors, in.fluxCapacitors)));
    // A tenth of the boosted power is lost at the weapon's full range, proportionally less nearer.
    Extended loss = multiply(in.distance, divide(10, weapon.range));
    loss = multiply(loss, boosted);
    loss = divide(loss, 100);
    const std::int64_t reaching = truncToInt(subtract(boosted, loss));
    return truncToInt(multiply(powerInt(kDeflector, in.deflectors), reaching));
}

} // namespace

BeamWeaponsOutcome computeBeamWeapons(const BeamWeaponsInputs& in) {
    BeamWeaponsOutcome out;
    out.failure = captureFailure([&] {
        if (in.weapon < 0) {
            out.text = "Select a weapon";
            return;
        }
        const std::optional<BeamWeapon> weapon = weaponAt(in.weapon);
        if (!weapon) {
            out.text = "No figures for this weapon";
            return;
        }
        const std::int64_t oneWeapon = oneWeaponDamage(*weapon, in);
        // A target at exactly the weapon's range is still hit.
        if (weapon->range < in.distance) {
            out.text = "This Fleet is out of range.";
            return;
        }
        out.damage = fleetDamage(oneWeapon, in.weapons);
        out.text = beamDamageSentence(*out.damage);
    });
    return out;
}

std::string beamDamageSentence(std::int64_t damage) {
    return "This Fleet will do " + intToStr(damage) + "dp damage to the target token.";
}

} // namespace kc::pages
