#pragma once

#include "core/extended.h"
#include "core/runtime_error.h"

#include <cstdint>
#include <optional>
#include <string>

// The points one planet adds to its owner's score: its population and resources, a starbase with a space
// dock, and its share of the points the player's ship counts earn per planet owned.
namespace kc::pages {

struct PlanetScoreInputs {
    std::int32_t planets = 1;
    std::int32_t unarmedShips = 1;
    std::int32_t escortShips = 1;
    std::int32_t capitalShips = 1;
    std::int32_t population = 1;
    std::int32_t resources = 1;
    bool starbaseWithSpaceDock = false;
};

struct PlanetScoreOutcome {
    std::optional<std::int64_t> points;
    std::optional<std::string> text;
    std::optional<RuntimeError> failure;
};

// The score of `capitalShips` capital ships for a player with `planets` planets: 8 C n / (C + n), growing
// towards 8 C; nothing without planets.
Extended capitalShipScore(std::int32_t capitalShips, std::int64_t planets);

PlanetScoreOutcome computePlanetScore(const PlanetScoreInputs& inputs);

// "This planet contributes <points> points to your score."
std::string scoreSentence(std::int64_t points);

} // namespace kc::pages
