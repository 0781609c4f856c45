#pragma once

#include "core/runtime_error.h"

#include <cstdint>
#include <optional>
#include <string>

// The resources a fully grown planet yields for a race: its colonists produce some on their own, and the
// factories they can operate produce the rest. Every figure is a whole number, so everything is worked out
// exactly in integers.
namespace kc::pages {

struct ResourcesInputs {
    bool jackOfAllTrades = false;       // JoaT PRT: 20 % more colonists
    bool hyperExpansion = false;        // HE PRT: half the colonists (JoaT wins when both are set)
    bool onlyBasicRemoteMining = false; // OBRM LRT: 10 % more colonists
    std::int32_t colonistsPerResource = 1000;
    std::int32_t resourcesPerTenFactories = 10;
    std::int32_t factoriesPerTenThousand = 10; // factories 10000 colonists operate
    std::int32_t planetValue = 100;            // percent
};

struct ResourcesOutcome {
    std::optional<std::int64_t> production;
    std::optional<std::string> text;
    std::optional<RuntimeError> failure;
};

// The colonists a planet of value 100 % holds for the race.
std::int64_t maximumPopulation(bool jackOfAllTrades, bool hyperExpansion, bool onlyBasicRemoteMining);

// A colonists-per-resource of 0 fails with "Division by zero"; a production beyond 64 bits with "Invalid
// floating point operation", as truncating so large a number does.
ResourcesOutcome computeResources(const ResourcesInputs& inputs);

// "% planet this makes a total possible production of : <production>"
std::string productionSentence(std::int64_t production);

} // namespace kc::pages
