// What every capture pays when the editor opens, at 3840 x 2160: the showing's four recorded
// quarter turns as computed directly, against running the four turns themselves.
#include "FakeDesktop.h"
#include "TSaveForm.h"

#include <benchmark/benchmark.h>

namespace {

zorvic::TBitmap Capture() {
    zorvic::TBitmap picture(3840, 2160);
    for (int y = 0; y < picture.Height(); ++y) {
        std::uint8_t* row = picture.ScanLine(y);
        for (int i = 0; i < 3 * picture.Width(); ++i)
            row[i] = static_cast<std::uint8_t>(i * 7 + y);
    }
    return picture;
}

void BM_OpeningTheEditor(benchmark::State& state) {
    zorvic::TSaveForm form(std::make_shared<zorvic::FakeDesktop>()->Services());
    const zorvic::TBitmap capture = Capture();
    for (auto _ : state) {
        form.LoadPicture(capture);
        form.FormShow();
    }
}
BENCHMARK(BM_OpeningTheEditor)->Unit(benchmark::kMillisecond);

void BM_FourRecordedQuarterTurns(benchmark::State& state) {
    zorvic::TSaveForm form(std::make_shared<zorvic::FakeDesktop>()->Services());
    const zorvic::TBitmap capture = Capture();
    for (auto _ : state) {
        form.LoadPicture(capture);
        for (int turn = 0; turn < 4; ++turn)
            form.Degrees90ToolButtonClick();
    }
}
BENCHMARK(BM_FourRecordedQuarterTurns)->Unit(benchmark::kMillisecond);

} // namespace
