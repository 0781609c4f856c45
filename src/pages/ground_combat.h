#pragma once

#include "core/runtime_error.h"

#include <optional>
#include <string>

// An invasion: the planet's defenses kill part of the landing colonists, then the landed attackers fight the
// population. The stronger side wins, and its survivors are what is left after matching the loser's strength.
namespace kc::pages {

struct GroundCombatInputs {
    std::string attackers = "0"; // colonists sent, as typed
    std::string defenders = "0"; // the planet's population, as typed
    std::string coverage = "0";  // defense coverage in percent, as typed
    bool attackerIsWarMonger = false;
    bool defenderIsInnerStrength = false;
};

// The three labels in the order they are written; a failure stops the rest.
struct GroundCombatOutcome {
    std::optional<std::string> killed;
    std::optional<std::string> winner;
    std::optional<std::string> survivors;
    std::optional<RuntimeError> failure;
};

GroundCombatOutcome computeGroundCombat(const GroundCombatInputs& inputs);

} // namespace kc::pages
