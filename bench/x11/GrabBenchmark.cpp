// Screen grabs on private X servers of two sizes; the larger one does not fit in the cache.
#include "PrivateDisplay.h"
#include "ScreenCapture.h"

#include <benchmark/benchmark.h>

#include <map>
#include <memory>

namespace zorvic {
namespace {

struct Desktop {
    std::unique_ptr<testing::PrivateDisplay> server;
    PlatformServices platform;
};

// One server per size and shared-memory setting for the whole run: starting one takes longer
// than many grabs.
Desktop& DesktopOf(int width, int height, bool sharedMemory) {
    static std::map<std::tuple<int, int, bool>, Desktop> desktops;
    Desktop& desktop = desktops[{width, height, sharedMemory}];
    if (!desktop.server) {
        desktop.server = std::make_unique<testing::PrivateDisplay>(testing::PrivateDisplay::Options{
            .Width = width, .Height = height, .SharedMemory = sharedMemory});
        desktop.platform = MakeX11Platform(desktop.server->Name().c_str());
    }
    return desktop;
}

void Grab(benchmark::State& state, bool sharedMemory, bool withCursor) {
    const int width = static_cast<int>(state.range(0)), height = static_cast<int>(state.range(1));
    PlatformServices& platform = DesktopOf(width, height, sharedMemory).platform;
    TBitmap capture;
    GrabScreen(capture, platform); // the first grab sizes the bitmap and the segment
    for (auto _ : state) {
        GrabScreen(capture, platform);
        if (withCursor) DrawCursor(capture, platform);
        benchmark::DoNotOptimize(capture.ScanLine(0));
    }
    state.SetBytesProcessed(state.iterations() * int64_t{width} * height * 4);
}

void BM_GrabScreen(benchmark::State& state) {
    Grab(state, true, false);
}
void BM_GrabScreenAndDrawCursor(benchmark::State& state) {
    Grab(state, true, true);
}
// The fallback for displays without shared memory, for comparison.
void BM_GrabScreenWithoutSharedMemory(benchmark::State& state) {
    Grab(state, false, false);
}

// Asked by the capture timer at every tick to size its bitmap.
void BM_PrimaryScreen(benchmark::State& state) {
    PlatformServices& platform = DesktopOf(1920, 1080, true).platform;
    for (auto _ : state)
        benchmark::DoNotOptimize(platform.Screen->PrimaryScreen());
}

BENCHMARK(BM_PrimaryScreen)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GrabScreen)->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GrabScreenAndDrawCursor)
    ->Args({1920, 1080})
    ->Args({3840, 2160})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GrabScreenWithoutSharedMemory)->Args({3840, 2160})->Unit(benchmark::kMillisecond);

} // namespace
} // namespace zorvic

BENCHMARK_MAIN();
