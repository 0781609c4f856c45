#pragma once

#include "core/runtime_error.h"

#include <cstdint>
#include <optional>
#include <string>

// How attractive a ship design is as a target: ships with the higher figure are shot at first. The figure is
// the design's cost over how much punishment it takes from the weapon it faces. Each row of the page is one
// design, worked out on its own.
namespace kc::pages {

enum class WeaponType { Beam, Sapper, Torpedo, Missile };

// One row as its boxes hold it: the numbers are converted from the texts in this order.
struct AttractivenessInputs {
    std::string resources = "0";
    std::string boranium = "0";
    std::string armor = "0";
    std::string shields = "0";
    std::optional<WeaponType> weapon; // none chosen
    std::string deflectors = "0";     // beam deflectors on the ship
    std::string accuracy = "0";       // percent chance a torpedo or missile hits
};

struct AttractivenessOutcome {
    // Set once the texts convert and a weapon is chosen: true when the deflector box applies (beams,
    // sappers), false when the accuracy box does (torpedoes, missiles).
    std::optional<bool> deflectorsApply;
    // The row's new label: cleared once the texts convert, then the figure when there is one.
    std::optional<std::string> attractiveness;
    std::optional<RuntimeError> failure;
};

AttractivenessOutcome computeAttractiveness(const AttractivenessInputs& inputs);

} // namespace kc::pages
