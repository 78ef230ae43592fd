// Composing the main window's background: done again on every change of the window's size,
// so it must stay well inside a frame.
#include "app/Gradient.h"

#include <benchmark/benchmark.h>

using namespace mpsec;

namespace {

void ComposeGradient(benchmark::State& state, bool dither) {
    const int width = static_cast<int>(state.range(0)), height = static_cast<int>(state.range(1));
    for (auto _ : state) {
        QImage image =
            GradientImage(width, height, kGradientTop, kGradientBottom, dither, kGradientSteps);
        benchmark::DoNotOptimize(image.constBits());
    }
}

void BM_DitheredGradient(benchmark::State& state) {
    ComposeGradient(state, true);
}
void BM_PlainGradient(benchmark::State& state) {
    ComposeGradient(state, false);
}

} // namespace

BENCHMARK(BM_DitheredGradient)
    ->Args({798, 534})
    ->Args({1920, 1080})
    ->Args({3840, 2160})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainGradient)
    ->Args({798, 534})
    ->Args({1920, 1080})
    ->Args({3840, 2160})
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
