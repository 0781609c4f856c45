#include "pages/bombing.h"

#include "core/checked_math.h"
#include "core/number_format.h"
#include "core/text_conversion.h"
#include "pages/calculation_failure.h"
#include "rules/table_lookup.h"

#include <algorithm>

namespace kc::pages {

namespace {

// Every power of a survival or coverage factor below this leaves the page's figures as they are: the
// coverages round to 1 in single precision, the shown coverage to 100% and a smart survival to 0. Stopping
// there keeps counts typed in the billions quick.
constexpr Extended kNegligiblePower = 0x1p-160L;

Extended factorPower(Extended factor, std::int64_t exponent) {
    return powerIntOrZero(factor, exponent, kNegligiblePower);
}

// Installations and minimum kills of a typed fleet can pass 64 bits: summed at 128.
using WideCount = __int128;

std::int64_t truncatedShare(Single kept, WideCount count) {
    return truncToInt(multiply(subtract(1, kept), static_cast<Extended>(count)));
}

} // namespace

std::optional<BombEffect> bombEffect(const rules::BombRecords& table, int type) {
    if (const std::optional<rules::BombRecord> record = rules::bombRecord(table, type))
        return BombEffect{.smart = false,
                          .killRate = record->KillRate,
                          .minKill = record->MinKill,
                          .installations = record->Installations};
    if (type < kFirstSmartBomb)
        return std::nullopt;
    if (const std::optional<Single> rate = rules::entryAt(kSmartBombKillRates, type - kFirstSmartBomb))
        return BombEffect{.smart = true, .killRate = *rate};
    return std::nullopt;
}

std::optional<Single> coverageInUse(int defenseType, std::int32_t defenses) {
    const std::optional<Single> coverage = rules::entryAt(kDefenseCoverages, defenseType);
    if (!coverage && defenses <= 0)
        return 0.0f;
    return coverage;
}

std::optional<int> rowWithoutBombType(const rules::BombRecords& table,
                                      const std::array<int, kBombRowCount>& types,
                                      const std::array<std::int64_t, kBombRowCount>& bombs) {
    for (int row = 0; row < kBombRowCount; ++row) {
        if (bombs[row] != 0 && !bombEffect(table, types[row]))
            return row + 1;
    }
    return std::nullopt;
}

std::optional<BombFleetResult> BombFleet(const rules::BombRecords& table,
                                         const std::array<int, kBombRowCount>& types,
                                         const std::array<std::int64_t, kBombRowCount>& bombs,
                                         std::int32_t population, int defenseType, std::int32_t defenses) {
    const std::optional<Single> coverage = coverageInUse(defenseType, defenses);
    if (!coverage || rowWithoutBombType(table, types, bombs))
        return std::nullopt;

    const Extended v = *coverage;
    const Single defenseCover = toSingle(subtract(1, factorPower(subtract(1, v), defenses)));
    const Single smartCover = toSingle(subtract(1, factorPower(subtract(1, divide(v, 2)), defenses)));
    const Single installationCover = toSingle(multiply(defenseCover, 0.5L));

    Single killFraction = 0;
    Single smartSurvival = 1;
    WideCount minimumKill = 0;
    WideCount installations = 0;
    for (int row = 0; row < kBombRowCount; ++row) {
        const std::int64_t count = bombs[row];
        if (count == 0)
            continue;
        const BombEffect effect = *bombEffect(table, types[row]);
        if (effect.smart) {
            smartSurvival =
                toSingle(multiply(smartSurvival, factorPower(subtract(1, effect.killRate), count)));
        } else {
            killFraction =
                toSingle(add(multiply(static_cast<Extended>(count), effect.killRate), killFraction));
            minimumKill += static_cast<WideCount>(count) * effect.minKill;
            installations += static_cast<WideCount>(count) * effect.installations;
        }
    }

    killFraction = toSingle(multiply(subtract(1, defenseCover), killFraction));
    const std::int64_t heldMinimumKill = truncatedShare(defenseCover, minimumKill);
    const Single smartKill = toSingle(multiply(subtract(1, smartCover), subtract(1, smartSurvival)));
    const std::int64_t destroyed = truncatedShare(installationCover, installations);

    const std::int64_t normalKill =
        truncToInt(std::max(multiply(population, killFraction), static_cast<Extended>(heldMinimumKill)));
    const WideCount survivors = std::max<WideCount>(WideCount{population} - normalKill, 0);
    const std::int64_t smartKilled = truncToInt(multiply(static_cast<Extended>(survivors), smartKill));

    const WideCount killed = std::min<WideCount>(WideCount{normalKill} + smartKilled, population);
    return BombFleetResult{.colonistsKilled = static_cast<std::int64_t>(killed),
                           .installationsDestroyed = destroyed};
}

Extended killedPercentage(std::int64_t killed, std::int32_t population) {
    return divide(intPart(multiply(divide(static_cast<Extended>(killed), population), 1000)), 10);
}

Extended shownCoverage(Single coverage, std::int32_t defenses) {
    const Extended uncovered = multiply(factorPower(subtract(1, coverage), defenses), 10000);
    const std::int64_t hundredths = std::max<std::int64_t>(truncToInt(subtract(10000, uncovered)), 0);
    return divide(static_cast<Extended>(hundredths), 100);
}

BombingOutcome computeBombing(const rules::BombRecords& table, const BombingInputs& in) {
    BombingOutcome out;
    out.failure = captureFailure([&] {
        std::array<int, kBombRowCount> types{};
        std::array<std::int64_t, kBombRowCount> bombs{};
        for (int row = 0; row < kBombRowCount; ++row) {
            types[row] = in.rows[row].type;
            bombs[row] = wideProduct(in.rows[row].bombsPerBomber, in.bombers);
        }
        const std::optional<Single> coverage = coverageInUse(in.defenseType, in.defenses);
        const std::string noDefenseType = "Select a defense type";

        if (const std::optional<int> row = rowWithoutBombType(table, types, bombs)) {
            out.bombingText = "Select a bomb type for row " + intToStr(*row);
        } else if (!coverage) {
            out.bombingText = noDefenseType;
        } else {
            out.fleet = BombFleet(table, types, bombs, in.population, in.defenseType, in.defenses);
            out.bombingText = bombingSentence(*out.fleet, in.population);
        }
        out.coverageText = coverage ? coverageSentence(shownCoverage(*coverage, in.defenses)) : noDefenseType;
    });
    return out;
}

std::string bombingSentence(const BombFleetResult& result, std::int32_t population) {
    return intToStr(result.colonistsKilled) + " (" +
           formatGeneral(killedPercentage(result.colonistsKilled, population)) +
           "%) colonists are killed and\n\r" + intToStr(result.installationsDestroyed) +
           " installations are destroyed by this fleet.";
}

std::string coverageSentence(Extended coverage) {
    return formatGeneral(coverage) + "% Defense coverage";
}

} // namespace kc::pages
