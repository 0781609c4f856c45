#pragma once

#include "core/runtime_error.h"

#include <cstdint>
#include <optional>
#include <string>

// The damage a stack of beam weapons does to a target token in one shot: the weapon's power boosted by the
// attacker's capacitors, less up to a tenth over the distance to the target, cut by the target's beam
// deflectors, times the number of weapons.
namespace kc::pages {

struct BeamWeaponsInputs {
    int weapon = -1; // weapon list position, -1 while none is chosen
    std::int32_t weapons = 1;
    std::int32_t distance = 0; // squares
    std::int32_t energyCapacitors = 0;
    std::int32_t fluxCapacitors = 0;
    std::int32_t deflectors = 0;
};

struct BeamWeaponsOutcome {
    // The damage of all the weapons together; none when the target is out of range.
    std::optional<std::int64_t> damage;
    // The damage sentence, the out-of-range notice, or a short notice of what is missing.
    std::optional<std::string> text;
    std::optional<RuntimeError> failure;
};

BeamWeaponsOutcome computeBeamWeapons(const BeamWeaponsInputs& inputs);

// "This Fleet will do <damage>dp damage to the target token."
std::string beamDamageSentence(std::int64_t damage);

} // namespace kc::pages
