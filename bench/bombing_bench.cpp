// The bombing page recalculates on every keystroke. Its smart bombs and defenses are whole powers taken by
// repeated multiplication, so the slowest factors with the largest counts are its worst case; counts typed in
// the billions must stay as quick.
#include "pages/bombing.h"
#include "rules/bomb_table.h"

#include <benchmark/benchmark.h>

namespace {

using kc::pages::BombingInputs;

constexpr int kSlowestSmartBomb = 9; // "Smart": the smallest kill rate, the slowest decay
constexpr int kSlowestDefense = 0;   // "SDI": the smallest coverage

kc::rules::BombRecords bombTable() {
    kc::rules::BombRecords table{};
    kc::rules::fillBombTable(table);
    return table;
}

// Four rows of 16 "Smart" on 5000 bombers and 100 SDI: the most the boxes' ranges allow.
const BombingInputs kSlowestInRange{.rows = {{{16, kSlowestSmartBomb},
                                              {16, kSlowestSmartBomb},
                                              {16, kSlowestSmartBomb},
                                              {16, kSlowestSmartBomb}}},
                                    .bombers = 5000,
                                    .population = 1320000,
                                    .defenseType = kSlowestDefense,
                                    .defenses = 100};

// The same with every count typed at the 32-bit limit.
const BombingInputs kSlowestTyped{.rows = {{{2147483647, kSlowestSmartBomb},
                                            {2147483647, kSlowestSmartBomb},
                                            {2147483647, kSlowestSmartBomb},
                                            {2147483647, kSlowestSmartBomb}}},
                                  .bombers = 2147483647,
                                  .population = 2147483647,
                                  .defenseType = kSlowestDefense,
                                  .defenses = 2147483647};

void BM_BombingRecalculationInitial(benchmark::State& state) {
    const kc::rules::BombRecords table = bombTable();
    const BombingInputs inputs;
    for (auto _ : state)
        benchmark::DoNotOptimize(kc::pages::computeBombing(table, inputs));
}
BENCHMARK(BM_BombingRecalculationInitial);

void BM_BombingRecalculationWorstCase(benchmark::State& state) {
    const kc::rules::BombRecords table = bombTable();
    const BombingInputs& inputs = state.range(0) == 0 ? kSlowestInRange : kSlowestTyped;
    for (auto _ : state)
        benchmark::DoNotOptimize(kc::pages::computeBombing(table, inputs));
}
BENCHMARK(BM_BombingRecalculationWorstCase)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace
