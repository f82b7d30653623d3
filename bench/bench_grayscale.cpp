// Gray conversion of a 4,000 x 3,000 page bitmap against memcpy of the same buffer in the same run:
// both report bytes per second, so the ratio of their bandwidths is read off directly.
#include "preview/Preview.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <random>
#include <vector>

namespace {

constexpr int kWidth = 4000;
constexpr int kHeight = 3000;

QImage Page() {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    std::mt19937 random(7);
    for (int y = 0; y < kHeight; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < kWidth; ++x)
            row[x] = (random() & 7) == 0 ? qRgb(255, 255, 255) : (random() | 0xFF000000U);
    }
    return image;
}

void BM_Memcpy(benchmark::State& state) {
    const QImage source = Page();
    std::vector<uchar> target(source.sizeInBytes());
    for (auto _ : state) {
        std::memcpy(target.data(), source.constBits(), target.size());
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * source.sizeInBytes());
}

void BM_MakeGray(benchmark::State& state) {
    QImage image = Page();
    const QRgb key = state.range(0) != 0 ? qRgb(255, 255, 255) : 0;
    for (auto _ : state) {
        preview::MakeGray(image, 20, -10, key);
        benchmark::DoNotOptimize(image.constBits());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * image.sizeInBytes());
}

} // namespace

BENCHMARK(BM_Memcpy)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MakeGray)->Arg(0)->ArgName("key")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MakeGray)->Arg(1)->ArgName("key")->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
