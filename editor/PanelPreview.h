#pragma once
#include "EffectSettings.h"
#include "TBitmap.h"

#include <QFrame>
#include <QPointer>

#include <array>

class QLabel;
class QPushButton;
class QSlider;
class QStackedWidget;

namespace zorvic {

class TPictureView;
struct TPreviewPageDesign;

// The preview-and-apply panel of the ten adjustable effects: the picture before and after the
// effect as thumbnails, and one page of track bars per effect. The panel only previews; the
// editor applies the effect to the picture when OK is pressed.
class TPanelPreview : public QFrame {
    Q_OBJECT
public:
    static constexpr int kLeft = 3, kTop = 2, kWidth = 385, kHeight = 262;

    struct TEffectPage {
        const TPreviewPageDesign* Design = nullptr;
        int ValueCount = 0;
        QWidget* Tab = nullptr;
        std::array<QSlider*, kMaxEffectValues> TrackBars{};
        std::array<QLabel*, kMaxEffectValues> ValueLabels{};
        // The bars' positions, red, green, blue for RGB.
        std::array<int, kMaxEffectValues> Positions() const;
    };

    explicit TPanelPreview(QWidget* parent = nullptr);

    TEffectPage& Page(TAdjustableEffect effect);
    // The page of the effect whose name the title holds; null for any other text.
    const TEffectPage* PageNamed(const QString& name) const;

    // Both thumbnails from the picture, each its own copy; an empty picture changes nothing.
    void MakePreviewImages(const TBitmap& picture);

    // Shows the panel with the keyboard on the bar; Close hides it and gives the keyboard back
    // to where it was before.
    void Open(QSlider* trackBar);
    void Close();

    // Components.
    QLabel* LabelPreview = nullptr; // the open effect's name
    TPictureView* ImageBeforeChange = nullptr;
    QLabel* LabelBeforeChange = nullptr;
    TPictureView* ImageafterChange = nullptr;
    QLabel* LabelafterChange = nullptr;
    QStackedWidget* sPagePreview = nullptr;
    QPushButton* ParametersOKBtn = nullptr;
    QPushButton* ParametersCancelBtn = nullptr;

    // Change handlers: each labels its bar's position and recomputes the after-image.
    // TrackBarRedChange serves all three RGB bars.
    void TrackBarRedChange() { PreviewChange(TAdjustableEffect::RGB); }
    void TrackBarBrightnessChange() { PreviewChange(TAdjustableEffect::Brightness); }
    void TrackBarNeonChange() { PreviewChange(TAdjustableEffect::Neon); }
    void TrackBarsharpenChange() { PreviewChange(TAdjustableEffect::Sharpen); }
    void TrackBarMosaicChange() { PreviewChange(TAdjustableEffect::Mosaic); }
    void TrackBarSprayChange() { PreviewChange(TAdjustableEffect::Splash); }
    void TrackBarColorNoiseChange() { PreviewChange(TAdjustableEffect::ColorNoise); }
    void TrackBarnoiseChange() { PreviewChange(TAdjustableEffect::MonoNoise); }
    void trackbarcontrastChange() { PreviewChange(TAdjustableEffect::Contrast); }
    void trackbarsaturationChange() { PreviewChange(TAdjustableEffect::Saturation); }

protected:
    // Enter presses OK and Escape Cancel while the keyboard is anywhere on the panel.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BuildPage(TEffectPage& page, const TPreviewPageDesign& design);
    void PreviewChange(TAdjustableEffect effect);

    std::array<TEffectPage, 10> pages_{};
    QPointer<QWidget> focusBeforeOpening_;
};

} // namespace zorvic
