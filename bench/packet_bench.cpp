// The mineral packets page recalculates on every keystroke and its best-warp search runs the packet four
// times: both must stay instant however slow, long or heavy the packet.
#include "pages/mineral_packets.h"

#include <benchmark/benchmark.h>

namespace {

using kc::pages::MineralPacketsInputs;

// The slowest decay: the smallest rate (0.1 halved by packet physics) with the lowest floor, so the yearly
// loss shrinks for the longest before it settles, over the most years the boxes allow.
const MineralPacketsInputs kSlowestInRange{.sourceDrivers = 1,
                                           .sourceWarp = 1,
                                           .packetPhysics = true,
                                           .buggedPacketPhysics = true,
                                           .destinationDrivers = 0,
                                           .population = 1320000,
                                           .defenses = 100000,
                                           .coverage = 100,
                                           .distance = 10000,
                                           .speed = 2,
                                           .minerals = 10000000};

// The same with typed values at the 32-bit limit: about 2^31 years at warp 1.
MineralPacketsInputs slowestTyped() {
    MineralPacketsInputs inputs = kSlowestInRange;
    inputs.sourceWarp = 0;
    inputs.speed = 1;
    inputs.distance = 2147483647;
    inputs.minerals = 2147483647;
    return inputs;
}

void BM_PacketRecalculationInitial(benchmark::State& state) {
    const MineralPacketsInputs inputs;
    for (auto _ : state)
        benchmark::DoNotOptimize(kc::pages::computeMineralPackets(inputs));
}
BENCHMARK(BM_PacketRecalculationInitial);

void BM_PacketRecalculationSlowest(benchmark::State& state) {
    const MineralPacketsInputs inputs = state.range(0) == 0 ? kSlowestInRange : slowestTyped();
    for (auto _ : state)
        benchmark::DoNotOptimize(kc::pages::computeMineralPackets(inputs));
}
BENCHMARK(BM_PacketRecalculationSlowest)->Arg(0)->Arg(1);

void BM_BestWarpSearchWorstCase(benchmark::State& state) {
    const MineralPacketsInputs inputs = state.range(0) == 0 ? kSlowestInRange : slowestTyped();
    for (auto _ : state)
        benchmark::DoNotOptimize(kc::pages::findBestWarp(inputs));
}
BENCHMARK(BM_BestWarpSearchWorstCase)->Arg(0)->Arg(1);

} // namespace
