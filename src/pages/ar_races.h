#pragma once

#include "core/runtime_error.h"

#include <cstdint>
#include <optional>

// Planet figures for a race that lives on its starbases (alternate reality): scanning, penetrating scanning,
// resources and mining, from the planet and three race properties.
namespace kc::pages {

enum class Starbase { OrbitalFort, SpaceDock, Starbase, UltraStation, DeathStar };

struct ArRacesInputs {
    std::int32_t population = 10000;
    std::int32_t planetValue = 100;   // percent
    std::optional<Starbase> starbase; // none selected
    std::int32_t energyTech = 1;
    std::int32_t efficiency = 10;
    bool noAdvancedScanners = false;
};

// Each value is present once worked out, in the order the page shows them. The resources are left out when
// the efficiency is 0 (the page keeps its previous text); a failure stops the rest.
struct ArRacesOutcome {
    std::optional<std::int64_t> scanningRange;
    std::optional<std::int64_t> penetratingRange;
    std::optional<std::int64_t> resources;
    std::optional<std::int64_t> mining;
    std::optional<RuntimeError> failure;
};

ArRacesOutcome computeArRaces(const ArRacesInputs& inputs);

} // namespace kc::pages
