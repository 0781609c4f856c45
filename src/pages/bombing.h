#pragma once

#include "core/extended.h"
#include "core/runtime_error.h"
#include "rules/bomb_table.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

// What one year of orbital bombing does to a planet. Normal bombs kill a share of the population with a
// guaranteed minimum and destroy installations, held back by the planet's defense coverage (installations
// by half of it). Smart bombs then compound per bomb on what is left, against the coverage that defenses
// half as strong would give.
namespace kc::pages {

inline constexpr int kBombRowCount = 4;

// The five smart bombs follow the nine ordinary ones in the bomb type lists.
inline constexpr int kFirstSmartBomb = rules::kBombCount;
inline constexpr std::array<Single, 5> kSmartBombKillRates{0.013f, 0.022f, 0.035f, 0.05f, 0.07f};

// Coverage of one defense, by defense type list position: SDI, Missile Battery, Laser battery, Planetary
// Shield, Neutron Shield.
inline constexpr std::array<Single, 5> kDefenseCoverages{0.0099f, 0.0199f, 0.0239f, 0.0299f, 0.0379f};

struct BombRowInput {
    std::int32_t bombsPerBomber = 0;
    int type = -1; // bomb type list position, -1 while none is chosen
};

struct BombingInputs {
    std::array<BombRowInput, kBombRowCount> rows{};
    std::int32_t bombers = 1;
    std::int32_t population = 25000;
    int defenseType = -1; // defense type list position, -1 while none is chosen
    std::int32_t defenses = 0;
};

struct BombFleetResult {
    std::int64_t colonistsKilled = 0;
    std::int64_t installationsDestroyed = 0;
    friend bool operator==(const BombFleetResult&, const BombFleetResult&) = default;
};

struct BombingOutcome {
    std::optional<BombFleetResult> fleet;
    std::optional<std::string> bombingText;  // the kill sentence, or what is missing for it
    std::optional<std::string> coverageText; // the defense coverage, or what is missing for it
    std::optional<RuntimeError> failure;
};

// What a bomb type does; smart bombs have a kill rate only.
struct BombEffect {
    bool smart = false;
    Single killRate = 0;
    std::uint16_t minKill = 0;
    std::uint8_t installations = 0;
};

// Nothing for a list position without a bomb.
std::optional<BombEffect> bombEffect(const rules::BombRecords& table, int type);

// The coverage of one defense of the chosen type. Without defenses the type makes no difference, so it is
// not needed then (0 stands in); with defenses and no type there is no figure.
std::optional<Single> coverageInUse(int defenseType, std::int32_t defenses);

// The first row (1 .. 4) that carries bombs but has no bomb type, if any.
std::optional<int> rowWithoutBombType(const rules::BombRecords& table,
                                      const std::array<int, kBombRowCount>& types,
                                      const std::array<std::int64_t, kBombRowCount>& bombs);

// Colonists killed and installations destroyed by the bombs of the whole fleet (row counts times bombers)
// in one year. Nothing when a row with bombs has no bomb type or there are defenses of no type.
std::optional<BombFleetResult> BombFleet(const rules::BombRecords& table,
                                         const std::array<int, kBombRowCount>& types,
                                         const std::array<std::int64_t, kBombRowCount>& bombs,
                                         std::int32_t population, int defenseType, std::int32_t defenses);

// The share of the population killed in percent, truncated to one decimal. A population of 0 fails.
Extended killedPercentage(std::int64_t killed, std::int32_t population);

// The coverage of the planet's defenses in percent as the page shows it, truncated to hundredths.
Extended shownCoverage(Single coverage, std::int32_t defenses);

BombingOutcome computeBombing(const rules::BombRecords& table, const BombingInputs& inputs);

// "<N> (<p>%) colonists are killed and" line feed, carriage return "<I> installations are destroyed by this
// fleet."
std::string bombingSentence(const BombFleetResult& result, std::int32_t population);

// "<coverage>% Defense coverage"
std::string coverageSentence(Extended coverage);

} // namespace kc::pages
