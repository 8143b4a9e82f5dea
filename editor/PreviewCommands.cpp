// The adjustable effects: their menu items open the preview panel, OK applies the effect to the
// picture and records a history step, Cancel only closes the panel.
#include "EditorStatusBar.h"
#include "EditorView.h"
#include "PanelPreview.h"
#include "PreviewPages.h"
#include "TSaveForm.h"

#include <QLabel>
#include <QProgressBar>
#include <QScopeGuard>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QStackedWidget>

namespace zorvic {

void TSaveForm::ContrastMenuClick() {
    OpenAdjustableEffect(TAdjustableEffect::Contrast);
}

void TSaveForm::SaturationMenuClick() {
    OpenAdjustableEffect(TAdjustableEffect::Saturation);
}

void TSaveForm::BrightnessMenuClick() {
    OpenAdjustableEffect(TAdjustableEffect::Brightness);
}

void TSaveForm::RGBMenuClick() {
    OpenAdjustableEffect(TAdjustableEffect::RGB);
}

void TSaveForm::SharpeningMenuClick() {
    OpenAdjustableEffect(TAdjustableEffect::Sharpen);
}

void TSaveForm::BlackAndWhiteNoiseMenuClick() {
    OpenAdjustableEffect(TAdjustableEffect::MonoNoise);
}

void TSaveForm::ColorNoiseMenuClick() {
    OpenAdjustableEffect(TAdjustableEffect::ColorNoise);
}

void TSaveForm::SplashMenuClick() {
    OpenAdjustableEffect(TAdjustableEffect::Splash);
}

void TSaveForm::MosaicMenuClick() {
    OpenAdjustableEffect(TAdjustableEffect::Mosaic);
}

void TSaveForm::NeonMenuClick() {
    OpenAdjustableEffect(TAdjustableEffect::Neon);
}

void TSaveForm::OpenAdjustableEffect(TAdjustableEffect effect) {
    const TPanelPreview::TEffectPage& page = PanelPreview->Page(effect);
    const int opening = AdjustableEffect(effect).Opening;
    // RGB resets green and blue first; the panel opens on red.
    for (int i = 1; i < page.ValueCount; ++i)
        page.TrackBars[i]->setValue(opening);
    OpenEffectPreview(page.Tab, QString::fromUtf8(page.Design->PreviewName), opening,
                      page.TrackBars[0]);
}

void TSaveForm::OpenEffectPreview(QWidget* page, const QString& name, int position,
                                  QSlider* trackBar) {
    // A picture without pixels would leave the thumbnails of an earlier one in the panel.
    if (Pic->Picture().Empty()) return;
    PanelPreview->sPagePreview->setCurrentWidget(page);
    PanelPreview->MakePreviewImages(Pic->Picture());
    PanelPreview->LabelPreview->setText(name);
    // Fires the bar's change only if it stood elsewhere; otherwise the after-image stays the
    // unchanged copy and the value label keeps its text.
    trackBar->setValue(position);
    // At the top left of what the view shows, however far the picture is scrolled.
    if (!PanelPreview->isVisible())
        PanelPreview->move(sScrollBox->horizontalScrollBar()->value() + TPanelPreview::kLeft,
                           sScrollBox->verticalScrollBar()->value() + TPanelPreview::kTop);
    PanelPreview->Open(trackBar);
}

void TSaveForm::ParametersOKBtnClick() {
    ProgressBar->setValue(0);
    ProgressBar->show();
    // Painted now: the routine holds the event loop until it is done.
    ProgressBar->repaint();
    const auto hideProgress = qScopeGuard([this] { ProgressBar->hide(); });
    // The effect works on a second picture sharing the pixels, so that a routine that fails
    // leaves the picture and the history as they were. Its result takes new pixels: the one
    // copy the history needs anyway, as it keeps the picture from before the change.
    TBitmap working = Pic->Picture();
    working.SetPixelFormat(TPixelFormat::pf24bit);
    if (const TPanelPreview::TEffectPage* page =
            PanelPreview->PageNamed(PanelPreview->LabelPreview->text())) {
        TProgressBarDriver progress(*ProgressBar);
        AdjustableEffect(page->Design->Effect).Apply(working, page->Positions(), &progress);
    }
    Pic->SetPicture(working);
    PanelPreview->Close();
    ProgressBar->hide();
    update();
    PushUndoStep();
}

void TSaveForm::ParametersCancelBtnClick() {
    PanelPreview->Close();
}

} // namespace zorvic
