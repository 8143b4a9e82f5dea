// The pixel routines on a 3840x2160 24-bit picture, which does not fit the cache. Routines that
// split their rows over two threads do so here; run under `taskset -c 0` for one core.
#include "Adjustments.h"
#include "Distortions.h"
#include "Filters.h"
#include "Noise.h"
#include "OneShotEffects.h"
#include "SyntheticPhoto.h"
#include "Transforms.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <functional>
#include <vector>

namespace zorvic::bench {
namespace {

const TBitmap& Photo() {
    static const TBitmap photo = MakeSyntheticPhoto();
    return photo;
}

const std::int64_t kPictureBytes = std::int64_t{kPhotoWidth} * kPhotoHeight * 3;

// Gives `work` the photo's pixels again in its own, already faulted-in store, so every
// iteration starts from the same picture without timing an allocation.
void Restore(TBitmap& work) {
    const TBitmap& photo = Photo();
    if (work.Width() != photo.Width() || work.Height() != photo.Height()) {
        work = photo;
        work.ScanLine(0); // unshares
    }
    for (int y = 0; y < photo.Height(); ++y)
        std::memcpy(work.ScanLine(y), photo.ScanLine(y), static_cast<std::size_t>(photo.Stride()));
}

void InPlace(benchmark::State& state, const std::function<void(TBitmap&)>& routine) {
    TBitmap work;
    for (auto _ : state) {
        state.PauseTiming();
        Restore(work);
        state.ResumeTiming();
        routine(work);
    }
    state.SetBytesProcessed(state.iterations() * kPictureBytes);
}

void IntoNew(benchmark::State& state,
             const std::function<void(const TBitmap&, TBitmap&)>& routine) {
    TBitmap result;
    for (auto _ : state)
        routine(Photo(), result);
    state.SetBytesProcessed(state.iterations() * kPictureBytes);
}

void Memcpy(benchmark::State& state) {
    std::vector<std::uint8_t> from(kPictureBytes, 1), to(kPictureBytes, 2);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), from.size());
        benchmark::DoNotOptimize(to.data());
    }
    state.SetBytesProcessed(state.iterations() * kPictureBytes);
}

void Register() {
    const auto add = [](const char* name, auto function, auto routine) {
        benchmark::RegisterBenchmark(name, function, routine)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    };
    benchmark::RegisterBenchmark("memcpy", Memcpy)->Unit(benchmark::kMillisecond)->UseRealTime();
    const std::vector<std::pair<const char*, std::function<void(TBitmap&)>>> inPlace = {
        {"invert", InvertColors},
        {"grey", Grayscale},
        {"brightness+40", [](TBitmap& b) { AdjustBrightness(b, 40, nullptr); }},
        {"exposure", [](TBitmap& b) { Exposure(b, nullptr); }},
        {"rgb+20-10+5", [](TBitmap& b) { AdjustRGB(b, 20, -10, 5, nullptr); }},
        {"contrast+60", [](TBitmap& b) { AdjustContrast(b, 60); }},
        {"contrast-60", [](TBitmap& b) { AdjustContrast(b, -60); }},
        {"saturation384", [](TBitmap& b) { AdjustSaturation(b, 384, nullptr); }},
        {"rotate90", RotateBitmap90},
        {"rotate90x4",
         [](TBitmap& b) {
             for (int i = 0; i < 4; ++i)
                 RotateBitmap90(b);
         }},
        {"rotate180", RotateBitmap180},
        {"rotate270", RotateBitmap270},
        {"flip-h", FlipHorizontal},
        {"flip-v", FlipVertical},
        {"blur", [](TBitmap& b) { Convolve3x3(kBlurKernel, kBlurDivisor, b); }},
        {"sharpen100", [](TBitmap& b) { Sharpen(b, 100); }},
        {"mosaic8", [](TBitmap& b) { Mosaic(b, 8); }},
        {"neon5", [](TBitmap& b) { Neon(b, 5); }},
        {"sculpture", [](TBitmap& b) { Sculpture(b, nullptr); }},
        {"noise200", [](TBitmap& b) { MonoNoise(b, 200); }},
        {"splash8", [](TBitmap& b) { Splash(b, 8); }},
        {"wave", [](TBitmap& b) { Wave(b, 2, 6, 2); }},
    };
    for (const auto& [name, routine] : inPlace)
        add(name, InPlace, routine);
    const std::vector<std::pair<const char*, std::function<void(const TBitmap&, TBitmap&)>>>
        intoNew = {
            {"twist", [](const TBitmap& s, TBitmap& d) { Twist(s, d, 150); }},
            {"far-view", [](const TBitmap& s, TBitmap& d) { FarView(s, d, 300, 600); }},
            {"rotate30", [](const TBitmap& s, TBitmap& d) { RotateBitmap(s, d, 30); }},
        };
    for (const auto& [name, routine] : intoNew)
        add(name, IntoNew, routine);
}

} // namespace
} // namespace zorvic::bench

int main(int argc, char** argv) {
    zorvic::bench::Register();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
