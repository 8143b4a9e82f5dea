// The one-shot effects: each replaces the picture and records a history step.
#include "Distortions.h"
#include "EditorStatusBar.h"
#include "EditorView.h"
#include "EffectSettings.h"
#include "OneShotEffects.h"
#include "Random.h"
#include "TSaveForm.h"

#include <QProgressBar>

#include <chrono>

namespace zorvic {

namespace {

std::int64_t NowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

QString TimingText(const char* label, std::int64_t ms) {
    return QString::fromUtf8(label) + QString::number(ms) + QStringLiteral("毫秒");
}

} // namespace

void TSaveForm::AntiColorMenuClick() {
    TBitmap working = Pic->Picture();
    InvertColors(working);
    Pic->SetPicture(working);
    PushUndoStep();
}

void TSaveForm::TwoColorMenuClick() {
    TBitmap working = Pic->Picture();
    // Noise and splash effects after this one follow a fresh seed.
    SeedRandom();
    TwoColors(working);
    Pic->SetPicture(working);
    PushUndoStep();
}

void TSaveForm::GrayMenuClick() {
    Grayscale(Pic->Picture());
    Pic->PictureChanged();
    PushUndoStep();
}

void TSaveForm::ExposureMenuClick(int tag) {
    if (Pic->Picture().Height() == 0) return;
    ProgressBar->show();
    TProgressBarDriver progress(*ProgressBar);
    switch (tag) {
    case 1:
        Exposure(Pic->Picture(), &progress);
        break;
    case 2:
        Sculpture(Pic->Picture(), &progress);
        break;
    case 3:
        Relief(Pic->Picture(), &progress);
        break;
    default:
        break;
    }
    ProgressBar->hide();
    Pic->PictureChanged();
    update();
    PushUndoStep();
}

void TSaveForm::DistortionMenuClick() {
    Pic->Picture().SetPixelFormat(TPixelFormat::pf24bit);
    const std::int64_t start = NowMs();
    const TBitmap source = Pic->Picture();
    TBitmap twisted(source.Width(), source.Height());
    Twist(source, twisted, kTwistAmount);
    Pic->SetPicture(twisted);
    const std::int64_t finish = NowMs();
    PushUndoStep();
    PicStatusBar->SetPanelText(3, TimingText("完成时间: ", finish - start));
}

void TSaveForm::WaveMenuClick() {
    const std::optional<std::int64_t> ms =
        Wave(Pic->Picture(), kWaveXDivisor, kWaveYDivisor, kWaveAmplitude);
    if (!ms) return;
    Pic->PictureChanged();
    PicStatusBar->SetPanelText(3, TimingText("完成时间:", *ms));
    PushUndoStep();
}

void TSaveForm::LongViewMenuClick() {
    const TBitmap source = Pic->Picture();
    TBitmap farView;
    FarView(source, farView, kFarViewTopWidth, kFarViewBottomWidth);
    Pic->SetPicture(farView);
    PushUndoStep();
}

} // namespace zorvic
