// The raster core's hot paths on a 3840 x 2160 picture, the size at which the cache no longer
// flatters the code.
#include "BmpFile.h"
#include "TBitmap.h"
#include "TCanvas.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace zorvic {
namespace {

constexpr int kWidth = 3840;
constexpr int kHeight = 2160;

const TBitmap& Picture(TPixelFormat format = TPixelFormat::pf24bit) {
    static const TBitmap picture24 = [] {
        TBitmap bitmap(kWidth, kHeight);
        for (int y = 0; y < kHeight; ++y) {
            std::uint8_t* row = bitmap.ScanLine(y);
            for (int i = 0; i < kWidth * 3; ++i)
                row[i] = static_cast<std::uint8_t>(i * 7 + y * 3);
        }
        return bitmap;
    }();
    static const TBitmap picture32 = [] {
        TBitmap bitmap = picture24;
        bitmap.SetPixelFormat(TPixelFormat::pf32bit);
        return bitmap;
    }();
    return format == TPixelFormat::pf32bit ? picture32 : picture24;
}

void Assign(benchmark::State& state) {
    TBitmap target;
    for (auto _ : state) {
        target = Picture();
        benchmark::DoNotOptimize(target.Width());
    }
}
BENCHMARK(Assign);

void DetachOnFirstWrite(benchmark::State& state) {
    for (auto _ : state) {
        TBitmap copy = Picture();
        copy.SetPixel(0, 0, clRed);
        benchmark::DoNotOptimize(copy.ScanLine(0));
    }
}
BENCHMARK(DetachOnFirstWrite)->Unit(benchmark::kMillisecond);

void ConvertFormat(benchmark::State& state) {
    const auto from = static_cast<TPixelFormat>(state.range(0));
    const auto to = static_cast<TPixelFormat>(state.range(1));
    for (auto _ : state) {
        TBitmap bitmap = Picture(from);
        bitmap.SetPixelFormat(to);
        benchmark::DoNotOptimize(bitmap.ScanLine(0));
    }
}
BENCHMARK(ConvertFormat)
    ->Args({static_cast<int>(TPixelFormat::pf32bit), static_cast<int>(TPixelFormat::pf24bit)})
    ->Args({static_cast<int>(TPixelFormat::pf24bit), static_cast<int>(TPixelFormat::pf32bit)})
    ->Unit(benchmark::kMillisecond);

void RowCopy(benchmark::State& state) {
    const TBitmap& source = Picture();
    TBitmap target(kWidth, kHeight);
    for (auto _ : state)
        for (int y = 0; y < kHeight; ++y)
            std::memcpy(target.ScanLine(y), source.ScanLine(y), source.Stride());
}
BENCHMARK(RowCopy)->Unit(benchmark::kMillisecond);

// Copies the whole picture into a rectangle of `percent` of its size.
void CopyRect(benchmark::State& state, TStretchMode mode) {
    const TBitmap& source = Picture();
    const int width = static_cast<int>(kWidth * state.range(0) / 100);
    const int height = static_cast<int>(kHeight * state.range(0) / 100);
    TBitmap target(width, height);
    target.Canvas().StretchMode = mode;
    for (auto _ : state)
        target.Canvas().CopyRect({0, 0, width, height}, source, {0, 0, kWidth, kHeight});
}
BENCHMARK_CAPTURE(CopyRect, ColorOnColor, TStretchMode::ColorOnColor)
    ->Arg(100)
    ->Arg(50)
    ->Arg(200)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(CopyRect, Halftone, TStretchMode::Halftone)
    ->Arg(50)
    ->Unit(benchmark::kMillisecond);

// The region overlay's rubber band over the whole screen, erased and drawn again.
void XorRubberBand(benchmark::State& state) {
    TBitmap target = Picture();
    target.SetPixel(0, 0, clRed);
    TCanvas& canvas = target.Canvas();
    canvas.Pen.Mode = TPenMode::pmXor;
    canvas.Pen.Color = clYellow;
    const TPoint band[] = {{10, 10}, {10, 2100}, {3800, 2100}, {3800, 10}, {10, 10}};
    for (auto _ : state)
        canvas.Polyline(band);
}
BENCHMARK(XorRubberBand)->Unit(benchmark::kMicrosecond);

// The shape tool's not-xor rubber band of a filled ellipse covering most of the picture.
void NotXorFilledEllipse(benchmark::State& state) {
    TBitmap target = Picture();
    target.SetPixel(0, 0, clRed);
    TCanvas& canvas = target.Canvas();
    canvas.Pen.Mode = TPenMode::pmNotXor;
    for (auto _ : state)
        canvas.Ellipse(100, 100, 3700, 2000);
}
BENCHMARK(NotXorFilledEllipse)->Unit(benchmark::kMillisecond);

void SaveBmp(benchmark::State& state) {
    const std::string path = "/tmp/zorvic-bench-" + std::to_string(getpid()) + ".bmp";
    for (auto _ : state)
        SaveBmpFile(Picture(), path);
    std::remove(path.c_str());
}
BENCHMARK(SaveBmp)->Unit(benchmark::kMillisecond);

// Loading a screen-sized file: the editor's open and every zorvic-cli command start here.
void LoadBmp(benchmark::State& state) {
    const std::string path = "/tmp/zorvic-bench-load-" + std::to_string(getpid()) + ".bmp";
    SaveBmpFile(Picture(static_cast<TPixelFormat>(state.range(0))), path);
    for (auto _ : state)
        benchmark::DoNotOptimize(LoadBmpFile(path).ScanLine(0));
    std::remove(path.c_str());
}
BENCHMARK(LoadBmp)
    ->Arg(static_cast<int>(TPixelFormat::pf24bit))
    ->Arg(static_cast<int>(TPixelFormat::pf32bit))
    ->Unit(benchmark::kMillisecond);

} // namespace
} // namespace zorvic
