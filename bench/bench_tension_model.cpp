// Rebuilding the largest setting table happens on every user event that changes the choice.
#include "model/TensionModel.h"

#include <benchmark/benchmark.h>

static void BuildAllSettingsDesigner(benchmark::State& state) {
    model::TensionModel model(model::SortVariant::Designer);
    for (auto _ : state) {
        model.BuildSettings(4, "Outer");
        benchmark::DoNotOptimize(model.Setting(1));
    }
}
BENCHMARK(BuildAllSettingsDesigner);

static void BuildThreeSpringsCalculator(benchmark::State& state) {
    model::TensionModel model(model::SortVariant::Calculator);
    for (auto _ : state) {
        model.BuildSettings(3, "Inner");
        benchmark::DoNotOptimize(model.Setting(1));
    }
}
BENCHMARK(BuildThreeSpringsCalculator);

BENCHMARK_MAIN();
