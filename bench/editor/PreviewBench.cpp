// The preview panel of the adjustable effects: each bar move on a 180 x 180 thumbnail (the
// handler and the repaint of the after-image), OK on a 3840 x 2160 picture (to set beside the
// routine alone in bench_imaging, same values), and opening the panel on that picture.
#include "EditorView.h"
#include "FakeDesktop.h"
#include "PanelPreview.h"
#include "PreviewThumbnail.h"
#include "SyntheticPhoto.h"
#include "TSaveForm.h"

#include <QAction>
#include <QPushButton>
#include <QSlider>

#include <benchmark/benchmark.h>

#include <utility>

namespace zorvic::bench {
namespace {

using E = TAdjustableEffect;

// The values bench_imaging times its routines with (RGB moves red only).
const struct {
    const char* name;
    QAction* TEditorMenus::*menu;
    E effect;
    int value;
} kEffects[] = {
    {"rgb+20", &TEditorMenus::RGBMenu, E::RGB, 20},
    {"brightness+40", &TEditorMenus::BrightnessMenu, E::Brightness, 40},
    {"neon5", &TEditorMenus::NeonMenu, E::Neon, 5},
    {"sharpen100", &TEditorMenus::SharpeningMenu, E::Sharpen, 100},
    {"mosaic8", &TEditorMenus::MosaicMenu, E::Mosaic, 8},
    {"splash8", &TEditorMenus::SplashMenu, E::Splash, 8},
    {"colour-noise200", &TEditorMenus::ColorNoiseMenu, E::ColorNoise, 200},
    {"noise200", &TEditorMenus::BlackAndWhiteNoiseMenu, E::MonoNoise, 200},
    {"contrast+60", &TEditorMenus::ContrastMenu, E::Contrast, 60},
    {"saturation384", &TEditorMenus::SaturationMenu, E::Saturation, 384},
};
using Effect = decltype(kEffects[0]);

const TBitmap& Photo() {
    static const TBitmap photo = MakeSyntheticPhoto();
    return photo;
}

void BarMove(benchmark::State& state, Effect e) {
    TSaveForm form(std::make_shared<FakeDesktop>()->Services());
    form.LoadPicture(MakeSyntheticPhoto(kThumbnailSide, kThumbnailSide));
    form.show();
    (form.Menus.*e.menu)->trigger();
    QSlider* bar = form.PanelPreview->Page(e.effect).TrackBars[0];
    bool even = false;
    for (auto _ : state) {
        // Every move is a real change: the handler runs each time.
        bar->setValue((even = !even) ? e.value : e.value - 1);
        form.PanelPreview->ImageafterChange->repaint();
    }
}

void ApplyOnOK(benchmark::State& state, Effect e) {
    TSaveForm form(std::make_shared<FakeDesktop>()->Services());
    // Shown, so that the progress bar paints as the routine reports its rows.
    form.show();
    for (auto _ : state) {
        state.PauseTiming();
        // As after any recorded command: the picture shares its pixels with the history.
        form.Pic->SetPicture(Photo());
        form.PushUndoStep();
        (form.Menus.*e.menu)->trigger();
        form.PanelPreview->Page(e.effect).TrackBars[0]->setValue(e.value);
        state.ResumeTiming();
        form.ParametersOKBtnClick();
    }
}

// The editor holds its picture 24-bit from its showing on; a 32-bit one shows what the panel's
// own conversion would cost.
void OpeningThePanel(benchmark::State& state, TPixelFormat format) {
    TSaveForm form(std::make_shared<FakeDesktop>()->Services());
    TBitmap picture = Photo();
    picture.SetPixelFormat(format);
    form.Pic->SetPicture(picture);
    form.PushUndoStep();
    for (auto _ : state) {
        form.MosaicMenuClick();
        state.PauseTiming();
        form.ParametersCancelBtnClick();
        state.ResumeTiming();
    }
}

void Register() {
    for (const auto& e : kEffects) {
        benchmark::RegisterBenchmark((std::string("bar-move/") + e.name).c_str(), BarMove, e)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark((std::string("ok-4k/") + e.name).c_str(), ApplyOnOK, e)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    }
    for (const auto& [name, format] : {std::pair{"open-4k/mosaic", TPixelFormat::pf24bit},
                                       std::pair{"open-4k-32bit/mosaic", TPixelFormat::pf32bit}})
        benchmark::RegisterBenchmark(name, OpeningThePanel, format)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
}

// Registered at start, before the shared main runs them.
[[maybe_unused]] const bool kRegistered = (Register(), true);

} // namespace
} // namespace zorvic::bench
