#pragma once

#include "core/extended.h"
#include "core/runtime_error.h"
#include "rules/repair_rate.h"

#include <cstdint>
#include <optional>
#include <string>

// The armor a damaged ship or fleet repairs in the next year: a yearly share of its total armor that depends
// on where it is and on the fuel transports it carries.
namespace kc::pages {

struct DamageRepairInputs {
    int location = -1; // location list position, -1 while none is chosen
    rules::FuelTransports transports;
    std::int32_t totalArmor = 0;    // dp
    std::int32_t damagePercent = 0; // of the total armor
};

struct DamageRepairOutcome {
    // The armor points repaired, and that as a share of the damage in percent; both present only when part of
    // the damage stays.
    std::optional<std::int64_t> repairedPoints;
    std::optional<std::int64_t> repairedPercent;
    // The repair sentence, or a short notice of what is missing for one.
    std::optional<std::string> text;
    std::optional<RuntimeError> failure;
};

DamageRepairOutcome computeDamageRepair(const DamageRepairInputs& inputs);

// "<points>dp (<percent>%) of the ship's/fleet's Damage will be repaired next year"
std::string partialRepairSentence(std::int64_t points, std::int64_t percent);

} // namespace kc::pages
