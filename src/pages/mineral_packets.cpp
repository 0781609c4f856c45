#include "pages/mineral_packets.h"

#include "core/checked_math.h"
#include "core/text_conversion.h"
#include "pages/calculation_failure.h"

#include <algorithm>
#include <limits>
#include <variant>

namespace kc::pages {

namespace {

constexpr Extended kThird = 1.0L / 3.0L;

// The most a byte field of the scenario holds.
constexpr std::int32_t kByteMax = 255;

struct Decay {
    std::int64_t overwarp = 0;
    Single rate = 0;
};

std::int64_t capacityOf(const PacketScenario& s) {
    return std::int64_t{s.sourceWarp} + s.sourceDrivers - 1;
}

Decay decayOf(const PacketScenario& s) {
    const std::int64_t capacity = capacityOf(s);
    if (s.speed <= capacity)
        return {0, s.interstellarSender ? toSingle(0.1L) : Single{0}};

    Decay decay;
    decay.overwarp = s.speed - capacity + (s.interstellarSender ? 1 : 0);
    if (decay.overwarp == 1)
        decay.rate = toSingle(0.1L);
    else if (decay.overwarp == 2)
        decay.rate = toSingle(0.25L);
    else if (decay.overwarp <= 20)
        decay.rate = toSingle(0.5L);
    if (s.packetPhysics || s.buggedPacketPhysics)
        decay.rate = toSingle(divide(decay.rate, 2));
    return decay;
}

// Whatever an overwarp packet loses in a year is at least this much: 5 kt with both packet physics boxes,
// 10 kt otherwise.
std::int64_t overwarpMinimum(const PacketScenario& s) {
    return s.packetPhysics && s.buggedPacketPhysics ? 5 : 10;
}

struct Remains {
    std::int64_t loss = 0;
    std::int64_t arrived = 0;
};

Remains decayOnTheWay(const PacketScenario& s, std::int64_t years) {
    const Decay decay = decayOf(s);
    const Extended rate = decay.rate;
    const std::int64_t v2 = std::int64_t{s.speed} * s.speed;
    // Without overwarp there is no minimum.
    const std::int64_t minimum =
        decay.overwarp > 0 ? overwarpMinimum(s) : std::numeric_limits<std::int64_t>::min();

    std::int64_t remaining = s.minerals;
    std::int64_t loss = 0;
    const auto lose = [&](Extended amount) {
        const std::int64_t x = std::max(roundToInt(amount), minimum);
        loss += x;
        remaining -= x;
        return x;
    };

    if (years == 1) {
        lose(divide(multiply(multiply(s.minerals, rate), s.distance), v2));
    } else {
        for (std::int64_t year = 1; year <= years; ++year) {
            if (year == years) {
                const std::int64_t flown =
                    s.distance - truncToInt(add(multiply(v2, 0.5L), multiply(v2, years - 2)));
                lose(divide(multiply(multiply(remaining, rate), flown), v2));
            } else if (year == 1) {
                lose(multiply(multiply(remaining, rate), 0.5L));
            } else {
                const std::int64_t x = lose(multiply(remaining, rate));
                // Once a middle year loses only the minimum (or nothing without overwarp), every later middle
                // year loses the same, since what remains never grows: count them at once, so a slow packet
                // over thousands of years costs no more than a fast one.
                const bool settled = decay.overwarp > 0 ? x == minimum : x == 0;
                if (settled) {
                    const std::int64_t repeats = years - 1 - year;
                    loss += repeats * x;
                    remaining -= repeats * x;
                    year = years - 1;
                }
            }
        }
    }
    if (remaining < 0)
        return {s.minerals, 0};
    return {loss, remaining};
}

std::int64_t catchOf(const PacketScenario& s) {
    const std::int64_t catchWarp =
        s.destinationDrivers == 0 ? 0 : std::int64_t{s.destinationWarp} + s.destinationDrivers - 1;
    const std::int64_t caught = catchWarp * catchWarp;
    return s.interstellarReceiver ? roundToInt(divide(caught, 2)) : caught;
}

Extended asExtended(__int128 product) {
    return static_cast<Extended>(product);
}

// A typed value the scenario's byte cannot hold, or a speed that never arrives, is refused with a notice
// rather than wrapped or looped on.
std::optional<std::string> outsideByte(std::int32_t value, std::int32_t lowest, const char* what) {
    if (value >= lowest && value <= kByteMax)
        return std::nullopt;
    return std::string(what) + " must be " + intToStr(lowest) + " to " + intToStr(kByteMax);
}

std::variant<PacketScenario, std::string> scenarioFrom(const MineralPacketsInputs& in, bool withSpeed) {
    const struct {
        std::int32_t value;
        std::int32_t lowest;
        const char* what;
    } bytes[] = {
        {in.sourceDrivers, 0, "Source drivers"},
        {in.sourceWarp, 0, "Source warp"},
        {in.destinationDrivers, 0, "Target drivers"},
        {in.destinationWarp, 0, "Target warp"},
        {in.coverage, 0, "Coverage"},
        {withSpeed ? in.speed : 1, 1, "Packet speed"},
    };
    for (const auto& field : bytes)
        if (auto notice = outsideByte(field.value, field.lowest, field.what))
            return *notice;

    const auto byte = [](std::int32_t value) { return static_cast<std::uint8_t>(value); };
    return PacketScenario{
        .sourceWarp = byte(in.sourceWarp),
        .destinationWarp = byte(in.destinationWarp),
        .sourceDrivers = byte(in.sourceDrivers),
        .destinationDrivers = byte(in.destinationDrivers),
        .speed = byte(withSpeed ? in.speed : 1),
        .defenses = in.defenses,
        .coverage = byte(in.coverage),
        .minerals = in.minerals,
        .distance = in.distance,
        .population = in.population,
        .packetPhysics = in.packetPhysics,
        .buggedPacketPhysics = in.buggedPacketPhysics,
        .interstellarSender = in.interstellarSender,
        .interstellarReceiver = in.interstellarReceiver,
    };
}

} // namespace

std::int64_t PacketTravelYears(std::int64_t distance, std::int64_t speed) {
    const std::int64_t v2 = speed * speed;
    const std::int64_t firstYear = intDiv(v2, 2);
    if (distance <= firstYear)
        return 1;
    // The years after the first, each covering v2, rounded up: the count the year-by-year walk reaches.
    return 1 + intDiv(distance - firstYear + v2 - 1, v2);
}

PacketOutcome ComputePacket(const PacketScenario& s) {
    PacketOutcome out;
    const std::int64_t v2 = std::int64_t{s.speed} * s.speed;

    out.travelYears = PacketTravelYears(s.distance, s.speed);
    const Remains remains = decayOnTheWay(s, out.travelYears);
    out.massLoss = remains.loss;
    out.mineralsArrived = remains.arrived;
    const std::int64_t arrived = remains.arrived;

    const std::int64_t caughtSquare = catchOf(s);
    const Extended ratio = toSingle(divide(caughtSquare, v2));
    out.mineralsCaught = std::min(truncToInt(multiply(arrived, ratio)), arrived);
    out.mineralsHit = arrived - out.mineralsCaught;
    out.mineralsRecovered = std::min(
        roundToInt(add(multiply(arrived, ratio), multiply(multiply(subtract(1, ratio), arrived), kThird))),
        arrived);

    std::int64_t damage = roundToInt(divide(asExtended(wideProduct(v2 - caughtSquare, arrived)), 160));
    if (s.buggedPacketPhysics)
        damage = roundToInt(divide(damage, 3));
    const std::int64_t effective = roundToInt(multiply(subtract(1, divide(s.coverage, 100)), damage));

    const std::int64_t population = s.population;
    const std::int64_t killing =
        std::max(roundToInt(multiply(population, divide(effective, 1000))), effective * 100);
    out.peopleKilled = std::max<std::int64_t>(std::min(killing, population), 0);

    const std::int64_t undefended =
        std::max(roundToInt(divide(asExtended(wideProduct(population, damage)), 1000)), damage * 100);
    out.peopleSaved = std::max<std::int64_t>(std::min(undefended, population) - killing, 0);

    const std::int64_t defenses = s.defenses;
    const std::int64_t destroyed =
        std::max(roundToInt(divide(asExtended(wideProduct(defenses, effective)), 1000)),
                 roundToInt(divide(effective, 20)));
    out.defensesDestroyed = std::max<std::int64_t>(std::min(destroyed, defenses), 0);
    return out;
}

MineralPacketsOutcome computeMineralPackets(const MineralPacketsInputs& inputs) {
    MineralPacketsOutcome out;
    const auto built = scenarioFrom(inputs, true);
    if (const auto* notice = std::get_if<std::string>(&built)) {
        // Figures from earlier inputs would read as answers for these: empty them all.
        for (auto* text : {&out.travelTime, &out.massLoss, &out.mineralsArrived, &out.mineralsCaught,
                           &out.mineralsRecovered, &out.mineralsHit, &out.peopleKilled, &out.peopleSaved,
                           &out.defensesDestroyed})
            *text = std::string();
        out.notice = *notice;
        return out;
    }
    const PacketScenario& scenario = std::get<PacketScenario>(built);
    out.failure = captureFailure([&] {
        const PacketOutcome packet = ComputePacket(scenario);
        out.travelTime = intToStr(packet.travelYears);
        out.massLoss = intToStr(packet.massLoss);
        out.mineralsArrived = intToStr(packet.mineralsArrived);
        out.mineralsCaught = intToStr(packet.mineralsCaught);
        out.mineralsRecovered = intToStr(packet.mineralsRecovered);
        out.mineralsHit = intToStr(packet.mineralsHit);
        out.peopleKilled =
            packet.peopleKilled == scenario.population ? "All are killed" : intToStr(packet.peopleKilled);
        out.peopleSaved = intToStr(packet.peopleSaved);
        out.defensesDestroyed = intToStr(packet.defensesDestroyed);
        out.notice = std::string();
    });
    return out;
}

BestWarpOutcome findBestWarp(const MineralPacketsInputs& inputs) {
    BestWarpOutcome out;
    auto built = scenarioFrom(inputs, false);
    if (const auto* notice = std::get_if<std::string>(&built)) {
        out.notice = *notice;
        return out;
    }
    PacketScenario& scenario = std::get<PacketScenario>(built);
    const std::int64_t capacity = capacityOf(scenario);
    out.failure = captureFailure([&] {
        std::optional<std::int64_t> mostKilled;
        for (std::int64_t speed = capacity; speed <= capacity + 3; ++speed) {
            if (speed < 1 || speed > kByteMax)
                continue;
            scenario.speed = static_cast<std::uint8_t>(speed);
            const std::int64_t killed = ComputePacket(scenario).peopleKilled;
            if (!mostKilled || killed > *mostKilled) {
                mostKilled = killed;
                out.speed = static_cast<std::int32_t>(speed);
            }
        }
    });
    if (out.failure)
        out.speed.reset(); // a speed from a search that did not finish is no answer
    else if (!out.speed)
        out.notice = "No speed from 1 to 255 to try";
    return out;
}

std::string bestWarpMessage(std::int32_t speed) {
    return "In the current conditions, a packet of this size will do most damage when flung at warp " +
           intToStr(speed);
}

} // namespace kc::pages
