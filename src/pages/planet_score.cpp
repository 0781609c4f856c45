#include "pages/planet_score.h"

#include "core/checked_math.h"
#include "core/text_conversion.h"
#include "pages/calculation_failure.h"

#include <algorithm>

namespace kc::pages {

namespace {

constexpr std::int64_t kColonistsPerPoint = 100000;
constexpr std::int64_t kMostPopulationPoints = 6;
constexpr std::int64_t kSpaceDockPoints = 3;
constexpr std::int64_t kResourcesPerPoint = 30;

// The planet's share of the capital-ship score: what the score gains with this planet over one planet less.
std::int64_t capitalShipShare(std::int32_t capitalShips, std::int32_t planets) {
    const std::int64_t withPlanet = roundToInt(capitalShipScore(capitalShips, planets));
    const std::int64_t without = roundToInt(capitalShipScore(capitalShips, std::int64_t{planets} - 1));
    return withPlanet - without;
}

} // namespace

Extended capitalShipScore(std::int32_t capitalShips, std::int64_t planets) {
    if (planets <= 0)
        return 0;
    const Extended ships = capitalShips;
    const Extended count = static_cast<Extended>(planets);
    return divide(multiply(multiply(8, ships), count), add(ships, count));
}

PlanetScoreOutcome computePlanetScore(const PlanetScoreInputs& in) {
    PlanetScoreOutcome out;
    out.failure = captureFailure([&] {
        std::int64_t points =
            std::min<std::int64_t>(in.population / kColonistsPerPoint, kMostPopulationPoints);
        if (in.starbaseWithSpaceDock)
            points += kSpaceDockPoints;
        if (2 * std::int64_t{in.unarmedShips} >= in.planets)
            points += 1;
        // Half the escorts as a real: an odd escort counts half a ship.
        if (divide(in.escortShips, 2) >= in.planets)
            points += 1;
        if (in.capitalShips != 0)
            points += capitalShipShare(in.capitalShips, in.planets);
        points += in.resources / kResourcesPerPoint;
        out.points = points;
        out.text = scoreSentence(points);
    });
    return out;
}

std::string scoreSentence(std::int64_t points) {
    return "This planet contributes " + intToStr(points) + " points to your score.";
}

} // namespace kc::pages
