#pragma once
#include "EffectSettings.h"

#include <QString>

#include <array>
#include <span>

namespace zorvic {

class TPanelPreview;

// How a value label shows its track bar's position.
enum class TValueText : std::uint8_t {
    Signed, // "+15" above 0, "0", "-15"
    Plain   // always the plain decimal
};

QString ValueText(int position, TValueText form);

// One page of the preview panel's page control: the components of one effect and the name that
// opening it writes to the panel's title, which is what OK goes by.
struct TPreviewPageDesign {
    TAdjustableEffect Effect;
    const char* PreviewName;
    const char* TabName;
    const char* TabCaption;
    // One per value of the effect: RGB has three bars, red first; the others one.
    std::array<const char*, kMaxEffectValues> NameCaptions;
    std::array<const char*, kMaxEffectValues> TrackBarNames;
    std::array<const char*, kMaxEffectValues> ValueLabelNames;
    // What the value labels show until their bar's first change.
    const char* ValueDesignCaption;
    TValueText Text;
    void (TPanelPreview::*Change)();
};

// The ten pages, in the order in which OK compares the open effect's name.
std::span<const TPreviewPageDesign> PreviewPageDesigns();

} // namespace zorvic
