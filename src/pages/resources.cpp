#include "pages/resources.h"

#include "core/checked_math.h"
#include "core/text_conversion.h"
#include "pages/calculation_failure.h"

#include <limits>

namespace kc::pages {

namespace {

// Factories are counted per 10000 colonists and their output per 10 factories.
constexpr std::int64_t kColonistsPerFactoryResource = 100000;

std::int64_t narrowed(__int128 value) {
    if (value < std::numeric_limits<std::int64_t>::min() || value > std::numeric_limits<std::int64_t>::max())
        raiseInvalidOperation();
    return static_cast<std::int64_t>(value);
}

} // namespace

std::int64_t maximumPopulation(bool jackOfAllTrades, bool hyperExpansion, bool onlyBasicRemoteMining) {
    std::int64_t maximum = 1000000;
    if (jackOfAllTrades)
        maximum = 1200000;
    else if (hyperExpansion)
        maximum = 500000;
    return onlyBasicRemoteMining ? maximum * 11 / 10 : maximum;
}

ResourcesOutcome computeResources(const ResourcesInputs& in) {
    ResourcesOutcome out;
    out.failure = captureFailure([&] {
        const std::int64_t maximum =
            maximumPopulation(in.jackOfAllTrades, in.hyperExpansion, in.onlyBasicRemoteMining);
        const std::int64_t population = maximum * in.planetValue / 100;
        const std::int64_t fromColonists = intDiv(population, in.colonistsPerResource);
        // The factory share is a fraction of a resource until it is added to the colonists' share, and only
        // the sum is truncated.
        const __int128 factoryShare =
            wideProduct(wideProduct(in.factoriesPerTenThousand, in.resourcesPerTenFactories), population);
        const __int128 sum =
            factoryShare + static_cast<__int128>(fromColonists) * kColonistsPerFactoryResource;
        out.production = narrowed(sum / kColonistsPerFactoryResource);
        out.text = productionSentence(*out.production);
    });
    return out;
}

std::string productionSentence(std::int64_t production) {
    return "% planet this makes a total possible production of : " + intToStr(production);
}

} // namespace kc::pages
