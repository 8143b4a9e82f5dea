// From the hot key to the editor shown with its picture, on private X servers of two sizes.
#include "CaptureDispatcher.h"
#include "PrivateDisplay.h"
#include "SaveFormEditor.h"
#include "TDisPlayForm.h"
#include "TSaveForm.h"
#include "TSelectAreaForm.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace zorvic {
namespace {

class BenchHost final : public ICaptureHost {
public:
    std::optional<CaptureMode> Mode = CaptureMode::FullScreen;
    std::optional<CaptureMode> CheckedMode() const override { return Mode; }
    bool IncludeCursorChecked() const override { return true; }
    int FixedRegionWidth() const override { return 600; }
    int FixedRegionHeight() const override { return 400; }
    std::optional<int> CaptureDelaySeconds() const override { return std::nullopt; }
    bool HideMainFormChecked() const override { return false; }
    QWidget* MainWindow() override { return nullptr; }
    void StartTimer1() override {}
    void StopTimer1() override {}
    void CaptureCancelled() override {}
};

// One Qt application per process, so one server: the size comes from the command line.
struct Desktop {
    BenchHost host;
    PlatformServices platform = MakeX11Platform();
    TSaveForm editorWindow{platform};
    TSaveFormEditor editor{editorWindow};
    TDisPlayForm overlay;
    TSelectAreaForm frame;
    bool hotKeyDown = false;
    TCaptureDispatcher dispatcher{host,
                                  editor,
                                  overlay,
                                  frame,
                                  THookCalls{[] {}, [] {},
                                             [this] { return std::exchange(hotKeyDown, false); },
                                             [] {}, [] { return false; }, [](bool) {}, [] {},
                                             // Ticked by hand, as the timer would.
                                             nullptr, [] {}, [] { return false; }},
                                  platform};
};

// Each iteration: the press, the tick that grabs and shows, and the events that follow; putting
// the window away again is not timed.
// The windows live between the Qt application and the server's end, so main owns them.
Desktop* TheDesktop = nullptr;

void MeasureCapture(benchmark::State& state, CaptureMode mode, QWidget& (*shown)(Desktop&)) {
    Desktop& desktop = *TheDesktop;
    desktop.host.Mode = mode;
    for (auto _ : state) {
        desktop.hotKeyDown = true;
        desktop.dispatcher.Timer1Timer();
        QCoreApplication::processEvents();
        state.PauseTiming();
        shown(desktop).hide();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}

void BM_HotKeyToEditorShown(benchmark::State& state) {
    MeasureCapture(state, CaptureMode::FullScreen,
                   [](Desktop& desktop) -> QWidget& { return desktop.editorWindow; });
}
BENCHMARK(BM_HotKeyToEditorShown)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_HotKeyToOverlayShown(benchmark::State& state) {
    MeasureCapture(state, CaptureMode::Region,
                   [](Desktop& desktop) -> QWidget& { return desktop.overlay; });
}
BENCHMARK(BM_HotKeyToOverlayShown)->Unit(benchmark::kMillisecond)->UseRealTime();

// The tick with no key pressed: twenty times a second while a pick waits for its click.
void BM_IdleTick(benchmark::State& state) {
    for (auto _ : state)
        TheDesktop->dispatcher.Timer1Timer();
}
BENCHMARK(BM_IdleTick);

} // namespace
} // namespace zorvic

// The screen size comes from ZORVIC_BENCH_SCREEN (for example 3840x2160), 1920x1080 without it.
int main(int argc, char** argv) {
    int width = 1920, height = 1080;
    if (const char* size = std::getenv("ZORVIC_BENCH_SCREEN"))
        std::sscanf(size, "%dx%d", &width, &height);
    zorvic::testing::PrivateDisplay server({.Width = width, .Height = height});
    setenv("DISPLAY", server.Name().c_str(), 1);
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    QApplication application(argc, argv);
    auto desktop = std::make_unique<zorvic::Desktop>();
    zorvic::TheDesktop = desktop.get();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    // Closes the capture's own connection while its server still runs.
    desktop.reset();
    return 0;
}
