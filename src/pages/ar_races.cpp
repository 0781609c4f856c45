#include "pages/ar_races.h"

#include "core/checked_math.h"
#include "pages/calculation_failure.h"

namespace kc::pages {

namespace {

bool scansPenetrating(const std::optional<Starbase>& starbase) {
    return starbase == Starbase::UltraStation || starbase == Starbase::DeathStar;
}

} // namespace

ArRacesOutcome computeArRaces(const ArRacesInputs& in) {
    ArRacesOutcome out;
    out.failure = captureFailure([&] {
        const Extended population = in.population;
        const Extended root = squareRoot(divide(population, 10));

        // Doubling comes after rounding, so the range with no advanced scanners is always even.
        out.scanningRange = in.noAdvancedScanners ? 2 * roundToInt(root) : roundToInt(root);
        out.penetratingRange =
            (!in.noAdvancedScanners && scansPenetrating(in.starbase)) ? roundToInt(divide(root, 2)) : 0;

        if (in.efficiency != 0) {
            const Extended output = wideProduct(in.population, in.energyTech);
            const Extended yield = multiply(in.planetValue, squareRoot(divide(output, in.efficiency)));
            out.resources = roundToInt(divide(yield, 100));
        }
        out.mining = roundToInt(divide(squareRoot(population), 10));
    });
    return out;
}

} // namespace kc::pages
