#pragma once
#include "PixelHelpers.h"
#include "TBitmap.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace zorvic {

// The editor's effect settings in one place, read by the editor and by zorvic-cli alike, so a
// command-line run applies exactly what the editor applies.

// The one-click distortions' fixed settings.
inline constexpr int kTwistAmount = 150;
inline constexpr int kWaveXDivisor = 2;
inline constexpr int kWaveYDivisor = 6;
inline constexpr int kWaveAmplitude = 2;
inline constexpr int kFarViewTopWidth = 300;
inline constexpr int kFarViewBottomWidth = 600;

// The ten effects that are adjusted with a slider on a preview before they are applied.
enum class TAdjustableEffect : std::uint8_t {
    RGB,
    Brightness,
    Neon,
    Sharpen,
    Mosaic,
    Splash,
    ColorNoise,
    MonoNoise,
    Contrast,
    Saturation
};

inline constexpr int kMaxEffectValues = 3;

struct TAdjustableEffectDefinition {
    TAdjustableEffect Effect;
    std::string_view Name; // as zorvic-cli names the operation
    int ValueCount;        // 3 for RGB (red, green, blue), 1 for the others
    int Min, Max;          // every value's slider range
    int Opening;           // where the editor sets every slider when the effect is opened
    // The whole picture, 24-bit, in place, as the editor's OK applies it. Only RGB, brightness
    // and saturation report progress; `progress` may be null.
    void (*Apply)(TBitmap& picture, std::span<const int> values, TProgress* progress);
    // The preview: `after` recomputed from `before`, which stays as it is.
    void (*Preview)(const TBitmap& before, TBitmap& after, std::span<const int> values);
};

std::span<const TAdjustableEffectDefinition> AdjustableEffects();
const TAdjustableEffectDefinition& AdjustableEffect(TAdjustableEffect effect);

} // namespace zorvic
