#include "pages/mineral_packets.h"

#include "core/checked_math.h"

#include <gtest/gtest.h>

#include <ostream>

namespace kc::pages {

void PrintTo(const PacketOutcome& o, std::ostream* os) {
    *os << "{years " << o.travelYears << ", destroyed " << o.defensesDestroyed << ", loss " << o.massLoss
        << ", arrived " << o.mineralsArrived << ", caught " << o.mineralsCaught << ", recovered "
        << o.mineralsRecovered << ", hit " << o.mineralsHit << ", killed " << o.peopleKilled << ", saved "
        << o.peopleSaved << "}";
}

namespace {

// Outcome fields in the order the result area shows them.
PacketOutcome shown(std::int64_t years, std::int64_t loss, std::int64_t arrived, std::int64_t caught,
                    std::int64_t recovered, std::int64_t hit, std::int64_t killed, std::int64_t saved,
                    std::int64_t destroyed) {
    return {years, destroyed, loss, arrived, caught, recovered, hit, killed, saved};
}

struct PacketRow {
    const char* reason;
    PacketScenario scenario;
    PacketOutcome expected;
};

class ComputePacketResults : public testing::TestWithParam<PacketRow> {};

TEST_P(ComputePacketResults, MatchTheGame) {
    const PacketRow& row = GetParam();
    EXPECT_EQ(ComputePacket(row.scenario), row.expected) << row.reason;
}

const PacketScenario kHeavyStrike{.destinationDrivers = 0,
                                  .speed = 13,
                                  .defenses = 50,
                                  .coverage = 50,
                                  .minerals = 5000,
                                  .population = 100000};
const PacketScenario kSmallSlowPacket{.speed = 8, .minerals = 40, .distance = 300};

PacketScenario withBug(PacketScenario s, bool packetPhysics = false) {
    s.buggedPacketPhysics = true;
    s.packetPhysics = packetPhysics;
    return s;
}

INSTANTIATE_TEST_SUITE_P(
    WorkedValues, ComputePacketResults,
    testing::Values(PacketRow{"initial inputs", {}, shown(3, 0, 50, 50, 50, 0, 0, 0, 0)},
                    PacketRow{"overwarp 3 halves the packet's first year; 187.5 rounds to the even 188",
                              {.speed = 10, .minerals = 1000},
                              shown(2, 438, 562, 275, 371, 287, 17900, 0, 0)},
                    PacketRow{"without a catching driver everything hits and kills the whole population",
                              {.destinationDrivers = 0, .speed = 10, .minerals = 1000},
                              shown(2, 438, 562, 0, 187, 562, 25000, 0, 0)},
                    PacketRow{"half coverage: effective damage 1886.5 rounds to the even 1886", kHeavyStrike,
                              shown(2, 1428, 3572, 0, 1191, 3572, 100000, 0, 50)},
                    PacketRow{"bugged packet physics halves the decay and cuts the damage to a third",
                              withBug(kHeavyStrike), shown(2, 729, 4271, 0, 1424, 4271, 75200, 24800, 38)},
                    PacketRow{"the 10 kt yearly minimum eats a small packet", kSmallSlowPacket,
                              shown(6, 40, 0, 0, 0, 0, 0, 0, 0)},
                    PacketRow{"with both packet physics boxes the yearly minimum is 5 kt",
                              withBug(kSmallSlowPacket, true), shown(6, 30, 10, 7, 8, 3, 0, 0, 0)},
                    PacketRow{"a catcher faster than the packet takes it all",
                              {.destinationWarp = 13, .destinationDrivers = 2, .speed = 10, .minerals = 1000},
                              shown(2, 438, 562, 562, 562, 0, 0, 0, 0)},
                    PacketRow{"IT without overwarp decays at 0.1 with no minimum",
                              {.speed = 7, .minerals = 100, .interstellarSender = true},
                              shown(3, 20, 80, 80, 80, 0, 0, 0, 0)},
                    PacketRow{"the single-precision 0.1 lies above a tenth: 2.5 rounds up to 3",
                              {.interstellarSender = true},
                              shown(3, 10, 40, 40, 40, 0, 0, 0, 0)},
                    PacketRow{"IT adds one to the overwarp: rate 0.25 at warp 8",
                              {.speed = 8, .minerals = 1000, .interstellarSender = true},
                              shown(3, 354, 646, 494, 545, 152, 6100, 0, 0)},
                    PacketRow{"overwarp 2 decays at 0.25",
                              {.speed = 9, .minerals = 1000},
                              shown(2, 287, 713, 431, 525, 282, 14300, 0, 0)},
                    PacketRow{"packet physics halves the overwarp rate",
                              {.speed = 10, .minerals = 1000, .packetPhysics = true},
                              shown(2, 234, 766, 375, 506, 391, 24400, 0, 0)},
                    PacketRow{"beyond overwarp 20 nothing decays but the 10 kt minimum",
                              {.speed = 28, .minerals = 1000},
                              shown(1, 10, 990, 61, 371, 929, 25000, 0, 0)},
                    PacketRow{"an IT receiver catches with half the square, 24.5 rounding to the even 24",
                              {.interstellarReceiver = true},
                              shown(3, 0, 50, 24, 33, 26, 800, 0, 0)},
                    PacketRow{"ten thousand years at warp 1",
                              {.speed = 1, .distance = 10000},
                              shown(10001, 0, 50, 50, 50, 0, 0, 0, 0)}));

TEST(ComputePacket, KillingBeyond32BitsIsFormedAtFullWidth) {
    // Damage times population and defenses pass 32 bits long before the counts are clamped.
    const PacketScenario s{.destinationDrivers = 0,
                           .speed = 16,
                           .defenses = 100000,
                           .minerals = 10000000,
                           .distance = 1,
                           .population = 1320000};
    const PacketOutcome o = ComputePacket(s);
    EXPECT_EQ(o.peopleKilled, 1320000);
    EXPECT_EQ(o.defensesDestroyed, 100000);
    EXPECT_EQ(o.peopleSaved, 0);
}

TEST(ComputePacket, ASpeedOfZeroFailsInsteadOfLooping) {
    EXPECT_THROW(ComputePacket(PacketScenario{.speed = 0}), MathError);
}

struct TravelRow {
    std::int64_t distance;
    std::int64_t speed;
    std::int64_t years;
};

class TravelYears : public testing::TestWithParam<TravelRow> {};

TEST_P(TravelYears, CountHalfAYearOfSquareSpeedFirst) {
    const TravelRow& row = GetParam();
    EXPECT_EQ(PacketTravelYears(row.distance, row.speed), row.years)
        << row.distance << " ly at warp " << row.speed;
}

INSTANTIATE_TEST_SUITE_P(Boundaries, TravelYears,
                         testing::Values(TravelRow{100, 7, 3}, TravelRow{24, 7, 1}, TravelRow{25, 7, 2},
                                         TravelRow{73, 7, 2}, TravelRow{74, 7, 3}, TravelRow{122, 7, 3},
                                         TravelRow{123, 7, 4}, TravelRow{1, 1, 2}, TravelRow{0, 1, 1},
                                         TravelRow{-5, 3, 1}, TravelRow{10000, 1, 10001},
                                         TravelRow{2147483647, 1, 2147483648LL}));

// The page's shortcuts (the closed-form year count, the settled middle years) must give what the game's
// year-by-year walk gives. This walk is that, literally.
struct WalkedDecay {
    std::int64_t years;
    std::int64_t loss;
    std::int64_t arrived;
};

WalkedDecay walk(const PacketScenario& s) {
    const std::int64_t v2 = std::int64_t{s.speed} * s.speed;
    std::int64_t covered = truncToInt(divide(v2, 2));
    std::int64_t years = 1;
    while (s.distance > covered) {
        ++years;
        covered += v2;
    }

    const std::int64_t capacity = std::int64_t{s.sourceWarp} + s.sourceDrivers - 1;
    std::int64_t overwarp = 0;
    Single rate = s.interstellarSender ? toSingle(0.1L) : 0;
    if (s.speed > capacity) {
        overwarp = s.speed - capacity + (s.interstellarSender ? 1 : 0);
        rate = overwarp == 1 ? toSingle(0.1L) : overwarp == 2 ? 0.25f : overwarp <= 20 ? 0.5f : 0.0f;
        if (s.packetPhysics || s.buggedPacketPhysics)
            rate = toSingle(divide(rate, 2));
    }
    const auto minimum = [&](std::int64_t x) {
        if (overwarp > 0) {
            if (x < 10 && !(s.packetPhysics && s.buggedPacketPhysics))
                x = 10;
            if (x < 5 && (s.packetPhysics || s.buggedPacketPhysics))
                x = 5;
        }
        return x;
    };
    std::int64_t remaining = s.minerals;
    std::int64_t loss = 0;
    if (years == 1) {
        const std::int64_t x = minimum(roundToInt(s.minerals * Extended{rate} * s.distance / v2));
        loss += x;
        remaining -= x;
    } else {
        for (std::int64_t i = 1; i <= years; ++i) {
            std::int64_t x = 0;
            if (i == years) {
                const std::int64_t flown = s.distance - truncToInt(v2 * 0.5L + Extended(v2) * (years - 2));
                x = roundToInt(remaining * Extended{rate} * flown / v2);
            } else if (i == 1) {
                x = roundToInt(remaining * Extended{rate} * 0.5L);
            } else {
                x = roundToInt(remaining * Extended{rate});
            }
            x = minimum(x);
            loss += x;
            remaining -= x;
        }
    }
    if (remaining < 0)
        return {years, s.minerals, 0};
    return {years, loss, remaining};
}

TEST(ComputePacket, DecayMatchesTheYearByYearWalk) {
    int compared = 0;
    for (const std::uint8_t sourceWarp : {1, 7, 13})
        for (std::uint8_t speed = 1; speed <= 24; ++speed)
            for (const std::int32_t distance : {1, 5, 50, 100, 301, 1000, 4000})
                for (const std::int32_t minerals : {-70, 1, 40, 50, 777, 123457, 10000000})
                    for (int flags = 0; flags < 8; ++flags) {
                        const PacketScenario s{.sourceWarp = sourceWarp,
                                               .speed = speed,
                                               .minerals = minerals,
                                               .distance = distance,
                                               .packetPhysics = (flags & 1) != 0,
                                               .buggedPacketPhysics = (flags & 2) != 0,
                                               .interstellarSender = (flags & 4) != 0};
                        const WalkedDecay expected = walk(s);
                        const PacketOutcome o = ComputePacket(s);
                        ASSERT_EQ(o.travelYears, expected.years);
                        ASSERT_EQ(o.massLoss, expected.loss)
                            << "warp " << int{speed} << ", " << distance << " ly, " << minerals
                            << " kt, flags " << flags << ", source warp " << int{sourceWarp};
                        ASSERT_EQ(o.mineralsArrived, expected.arrived);
                        ++compared;
                    }
    EXPECT_EQ(compared, 3 * 24 * 7 * 7 * 8);
}

TEST(ComputePacket, AnAgesLongFlightStaysExactWithoutWalkingEveryYear) {
    // 2^31 years of the 10 kt minimum: far more loss than the packet holds, so all of it is lost.
    const PacketOutcome slow =
        ComputePacket({.sourceWarp = 0, .speed = 1, .minerals = 2147483647, .distance = 2147483647});
    EXPECT_EQ(slow.travelYears, 2147483648LL);
    EXPECT_EQ(slow.massLoss, 2147483647);
    EXPECT_EQ(slow.mineralsArrived, 0);

    // Without overwarp an IT packet stops losing once a tenth of it rounds to nothing.
    const PacketOutcome drifting = ComputePacket(
        {.speed = 1, .minerals = 2147483647, .distance = 2147483647, .interstellarSender = true});
    EXPECT_EQ(drifting.massLoss + drifting.mineralsArrived, 2147483647);
    EXPECT_EQ(drifting.mineralsArrived, 4);
}

// The page: inputs as the boxes read them.
TEST(MineralPacketsPage, WritesPlainIntegersAndAllAreKilled) {
    const MineralPacketsOutcome o =
        computeMineralPackets({.destinationDrivers = 0, .speed = 10, .minerals = 1000});
    EXPECT_EQ(o.travelTime, "2");
    EXPECT_EQ(o.massLoss, "438");
    EXPECT_EQ(o.mineralsArrived, "562");
    EXPECT_EQ(o.mineralsCaught, "0");
    EXPECT_EQ(o.mineralsRecovered, "187");
    EXPECT_EQ(o.mineralsHit, "562");
    EXPECT_EQ(o.peopleKilled, "All are killed");
    EXPECT_EQ(o.peopleSaved, "0");
    EXPECT_EQ(o.defensesDestroyed, "0");
    EXPECT_EQ(o.notice, "");
    EXPECT_FALSE(o.failure);
}

struct RefusalRow {
    const char* reason;
    MineralPacketsInputs inputs;
    const char* notice;
};

class MineralPacketsRefusals : public testing::TestWithParam<RefusalRow> {};

TEST_P(MineralPacketsRefusals, EmptyEveryValueAndSayWhy) {
    const RefusalRow& row = GetParam();
    const MineralPacketsOutcome o = computeMineralPackets(row.inputs);
    EXPECT_EQ(o.notice, row.notice) << row.reason;
    for (const auto& value :
         {o.travelTime, o.massLoss, o.mineralsArrived, o.mineralsCaught, o.mineralsRecovered, o.mineralsHit,
          o.peopleKilled, o.peopleSaved, o.defensesDestroyed})
        EXPECT_EQ(value, "") << row.reason;
    EXPECT_FALSE(o.failure) << row.reason;
}

INSTANTIATE_TEST_SUITE_P(
    OutsideTheModel, MineralPacketsRefusals,
    testing::Values(
        RefusalRow{"speed 0 never arrives", {.speed = 0}, "Packet speed must be 1 to 255"},
        RefusalRow{"a negative speed", {.speed = -3}, "Packet speed must be 1 to 255"},
        RefusalRow{"speed 256 would wrap to 0", {.speed = 256}, "Packet speed must be 1 to 255"},
        RefusalRow{"source warp 263 would wrap to 7", {.sourceWarp = 263}, "Source warp must be 0 to 255"},
        RefusalRow{"negative source drivers", {.sourceDrivers = -1}, "Source drivers must be 0 to 255"},
        RefusalRow{"destination drivers 256", {.destinationDrivers = 256}, "Target drivers must be 0 to 255"},
        RefusalRow{"destination warp 1000", {.destinationWarp = 1000}, "Target warp must be 0 to 255"},
        RefusalRow{"coverage 300 percent", {.coverage = 300}, "Coverage must be 0 to 255"}));

TEST(MineralPacketsPage, TypedValuesTheBytesHoldAreUsedAsTyped) {
    const MineralPacketsOutcome o = computeMineralPackets({.distance = 2147483647, .speed = 255});
    EXPECT_EQ(o.travelTime, "33027");
    EXPECT_EQ(o.notice, "");
}

struct BestWarpRow {
    const char* reason;
    MineralPacketsInputs inputs;
    std::int32_t speed;
};

class BestWarp : public testing::TestWithParam<BestWarpRow> {};

TEST_P(BestWarp, KillsTheMostAtTheLowestSpeed) {
    const BestWarpRow& row = GetParam();
    const BestWarpOutcome o = findBestWarp(row.inputs);
    EXPECT_EQ(o.speed, row.speed) << row.reason;
    EXPECT_FALSE(o.notice) << row.reason;
    EXPECT_FALSE(o.failure) << row.reason;
}

INSTANTIATE_TEST_SUITE_P(
    Search, BestWarp,
    testing::Values(
        BestWarpRow{"0, 7900, 14300, 17900 killed: the fastest", {.minerals = 1000}, 10},
        BestWarpRow{"6100, 6400, 7200, 7000 killed: warp 9", {.destinationDrivers = 0, .minerals = 200}, 9},
        BestWarpRow{"all four kill everyone: the lowest",
                    {.destinationDrivers = 0, .population = 100, .minerals = 10000000},
                    7},
        BestWarpRow{"none kills anyone: the lowest",
                    {.destinationDrivers = 2, .destinationWarp = 13, .minerals = 1000},
                    7},
        BestWarpRow{"the typed speed is not an input of the search", {.speed = 0, .minerals = 1000}, 10},
        BestWarpRow{"a capacity of 0 starts at warp 1; none kills anyone",
                    {.sourceDrivers = 0, .sourceWarp = 1, .destinationDrivers = 0, .minerals = 1000},
                    1},
        BestWarpRow{"the largest capacity the spin ranges allow reaches warp 17",
                    {.sourceDrivers = 2,
                     .sourceWarp = 13,
                     .destinationDrivers = 0,
                     .population = 1320000,
                     .minerals = 100},
                    17}));

TEST(BestWarp, SaysSoWhenNoSpeedCanBeTried) {
    const BestWarpOutcome beyond = findBestWarp({.sourceDrivers = 200, .sourceWarp = 200});
    EXPECT_FALSE(beyond.speed);
    EXPECT_EQ(beyond.notice, "No speed from 1 to 255 to try");

    const BestWarpOutcome wrapping = findBestWarp({.coverage = 256});
    EXPECT_FALSE(wrapping.speed);
    EXPECT_EQ(wrapping.notice, "Coverage must be 0 to 255");
}

TEST(BestWarp, TheMessageNamesTheSpeed) {
    EXPECT_EQ(bestWarpMessage(10),
              "In the current conditions, a packet of this size will do most damage when flung at warp 10");
}

} // namespace
} // namespace kc::pages
