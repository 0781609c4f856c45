// Costs paid on every keystroke: text conversions, number formats and a page recalculation.
#include "core/number_format.h"
#include "core/text_conversion.h"
#include "pages/ar_races.h"

#include <benchmark/benchmark.h>

namespace {

void BM_ParseInteger(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(kc::parseInteger("  -3300000"));
}
BENCHMARK(BM_ParseInteger);

void BM_ParseReal(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(kc::parseReal("12345.678e-3"));
}
BENCHMARK(BM_ParseReal);

void BM_FormatGeneral(benchmark::State& state) {
    const kc::Extended value = 2.0L / 3.0L;
    for (auto _ : state)
        benchmark::DoNotOptimize(kc::formatGeneral(value));
}
BENCHMARK(BM_FormatGeneral);

void BM_FormatFixed(benchmark::State& state) {
    const kc::Extended value = 12345.6789L;
    for (auto _ : state)
        benchmark::DoNotOptimize(kc::formatFixed(value, 2));
}
BENCHMARK(BM_FormatFixed);

void BM_ArRacesRecalculation(benchmark::State& state) {
    kc::pages::ArRacesInputs inputs;
    inputs.starbase = kc::pages::Starbase::DeathStar;
    for (auto _ : state) {
        inputs.population = (inputs.population + 10000) % 3300000;
        benchmark::DoNotOptimize(kc::pages::computeArRaces(inputs));
    }
}
BENCHMARK(BM_ArRacesRecalculation);

} // namespace
