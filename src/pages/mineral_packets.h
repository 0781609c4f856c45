#pragma once

#include "core/runtime_error.h"

#include <cstdint>
#include <optional>
#include <string>

// A mineral packet flung by a mass driver at another planet: how long it flies, how much decays on the way,
// how much the target's mass driver catches and what the rest does to the people and defenses there.
namespace kc::pages {

// The packet's physics works on the game's record, whose warps, driver counts, speed and coverage are bytes.
struct PacketScenario {
    std::uint8_t sourceWarp = 7;
    std::uint8_t destinationWarp = 7;
    std::uint8_t sourceDrivers = 1;
    std::uint8_t destinationDrivers = 1; // 0: no mass driver to catch the packet
    std::uint8_t speed = 7;              // must be at least 1
    std::int32_t defenses = 0;
    std::uint8_t coverage = 0; // percent
    std::int32_t minerals = 50;
    std::int32_t distance = 100;
    std::int32_t population = 25000;
    bool packetPhysics = false;
    bool buggedPacketPhysics = false;
    bool interstellarSender = false;
    bool interstellarReceiver = false;
};

// Held at 64 bits: a slow packet over a typed distance near the 32-bit limit flies more years than 32 bits
// count.
struct PacketOutcome {
    std::int64_t travelYears = 0;
    std::int64_t defensesDestroyed = 0;
    std::int64_t massLoss = 0;
    std::int64_t mineralsArrived = 0;
    std::int64_t mineralsCaught = 0;
    std::int64_t mineralsRecovered = 0;
    std::int64_t mineralsHit = 0;
    std::int64_t peopleKilled = 0;
    std::int64_t peopleSaved = 0;

    friend bool operator==(const PacketOutcome&, const PacketOutcome&) = default;
};

// Years until a packet at `speed` has covered `distance` light years: half of speed squared (truncated) in
// the first year, speed squared in every later one. Worked out directly rather than year by year; a speed of
// 0 over any distance fails with "Division by zero" instead of never ending.
std::int64_t PacketTravelYears(std::int64_t distance, std::int64_t speed);

// The whole flight and impact. Raises the runtime's failures (a speed of 0 among them); never loops for
// long, however far or large the packet.
PacketOutcome ComputePacket(const PacketScenario& scenario);

// The page's inputs as the boxes read them: typed values may lie beyond what the scenario's bytes hold.
struct MineralPacketsInputs {
    std::int32_t sourceDrivers = 1;
    std::int32_t sourceWarp = 7;
    bool packetPhysics = false;
    bool interstellarSender = false;
    bool buggedPacketPhysics = false;
    std::int32_t destinationDrivers = 1;
    std::int32_t destinationWarp = 7;
    std::int32_t population = 25000;
    std::int32_t defenses = 0;
    std::int32_t coverage = 0;
    std::int32_t distance = 100;
    bool interstellarReceiver = false;
    std::int32_t speed = 7;
    std::int32_t minerals = 50;
};

// The texts of the result area, top to bottom, then the notice line. Inputs the packet cannot be worked out
// for empty every value and give the notice instead; a failure leaves every text absent (kept as it was).
struct MineralPacketsOutcome {
    std::optional<std::string> travelTime;
    std::optional<std::string> massLoss;
    std::optional<std::string> mineralsArrived;
    std::optional<std::string> mineralsCaught;
    std::optional<std::string> mineralsRecovered;
    std::optional<std::string> mineralsHit;
    std::optional<std::string> peopleKilled;
    std::optional<std::string> peopleSaved;
    std::optional<std::string> defensesDestroyed;
    std::optional<std::string> notice;
    std::optional<RuntimeError> failure;
};

MineralPacketsOutcome computeMineralPackets(const MineralPacketsInputs& inputs);

// The best of the four speeds from the source driver's capacity up: the one that kills the most people, the
// lowest among equals. Speeds a packet cannot have (below 1, above 255) are not tried; when nothing can be
// tried, or an input does not fit the scenario, there is a notice and no speed.
struct BestWarpOutcome {
    std::optional<std::int32_t> speed;
    std::optional<std::string> notice;
    std::optional<RuntimeError> failure;
};

BestWarpOutcome findBestWarp(const MineralPacketsInputs& inputs);

// "In the current conditions, ... flung at warp " and the speed.
std::string bestWarpMessage(std::int32_t speed);

} // namespace kc::pages
