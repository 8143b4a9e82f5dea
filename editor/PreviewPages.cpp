#include "PreviewPages.h"

#include "PanelPreview.h"

namespace zorvic {

namespace {

using E = TAdjustableEffect;
using Handler = void (TPanelPreview::*)();

// A page with one bar, named "参数".
constexpr TPreviewPageDesign OneBar(E effect, const char* previewName, const char* tabName,
                                    const char* tabCaption, const char* trackBar,
                                    const char* valueLabel, const char* designCaption,
                                    TValueText text, Handler change) {
    return {effect,     previewName,  tabName,       tabCaption, {"参数"},
            {trackBar}, {valueLabel}, designCaption, text,       change};
}

// In the order in which OK compares the names.
constexpr std::array<TPreviewPageDesign, 10> kPages{{
    {E::RGB,
     "RGB",
     "sTabRGB",
     "RGB调整",
     {"R", "G", "B"},
     {"TrackBarRed", "TrackBarGreen", "TrackBarBlue"},
     {"labelred", "labelgreen", "labelblue"},
     "255",
     TValueText::Signed,
     &TPanelPreview::TrackBarRedChange},
    OneBar(E::Brightness, "亮度", "sTabBrightness", "亮度调节", "TrackBarBrightness",
           "LabelBrightnessChange", "255", TValueText::Signed,
           &TPanelPreview::TrackBarBrightnessChange),
    OneBar(E::Neon, "霓虹", "sTabNeon", "霓虹", "TrackBarNeon", "NeonLabelValue", "20",
           TValueText::Signed, &TPanelPreview::TrackBarNeonChange),
    OneBar(E::Sharpen, "锐化", "sTabSharpening", "锐化", "TrackBarsharpen", "Labelsharpen", "200",
           TValueText::Signed, &TPanelPreview::TrackBarsharpenChange),
    OneBar(E::Mosaic, "马赛克", "sTabMosaic", "马赛克", "TrackBarMosaic", "LabelMosaic", "255",
           TValueText::Signed, &TPanelPreview::TrackBarMosaicChange),
    OneBar(E::Splash, "喷溅", "sTabSpray", "喷溅", "TrackBarSpray", "LabelSpray", "255",
           TValueText::Plain, &TPanelPreview::TrackBarSprayChange),
    OneBar(E::ColorNoise, "彩色噪点", "sTabColorNoise", "彩色噪点", "TrackBarColorNoise",
           "LabelColorNoise", "255", TValueText::Plain, &TPanelPreview::TrackBarColorNoiseChange),
    OneBar(E::MonoNoise, "黑白噪点", "sTabnoise", "黑白噪点", "TrackBarnoise", "Labelnoise", "255",
           TValueText::Plain, &TPanelPreview::TrackBarnoiseChange),
    OneBar(E::Contrast, "对比度", "sTabcontrast", "对比度", "trackbarcontrast", "Labelcontrast",
           "255", TValueText::Signed, &TPanelPreview::trackbarcontrastChange),
    OneBar(E::Saturation, "饱和度", "sTabSaturation", "饱和度调节", "trackbarsaturation",
           "LabelSaturation", "255", TValueText::Plain, &TPanelPreview::trackbarsaturationChange),
}};

} // namespace

QString ValueText(int position, TValueText form) {
    if (form == TValueText::Signed && position > 0) return QStringLiteral("+%1").arg(position);
    return QString::number(position);
}

std::span<const TPreviewPageDesign> PreviewPageDesigns() {
    return kPages;
}

} // namespace zorvic
