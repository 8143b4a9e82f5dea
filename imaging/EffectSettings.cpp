#include "EffectSettings.h"

#include "Adjustments.h"
#include "Filters.h"
#include "Noise.h"

#include <array>

namespace zorvic {

namespace {

using Values = std::span<const int>;

// Effects with one in-place routine preview on a copy of the before-image.
template <void (*Routine)(TBitmap&, int)> void ApplyOne(TBitmap& picture, Values v, TProgress*) {
    Routine(picture, v[0]);
}
template <void (*Routine)(TBitmap&, int)>
void PreviewOnCopy(const TBitmap& before, TBitmap& after, Values v) {
    after = before;
    Routine(after, v[0]);
}

// Effects with a reading preview form and a progress-reporting apply form.
template <void (*Routine)(TBitmap&, int, TProgress*)>
void ApplyWithProgress(TBitmap& picture, Values v, TProgress* progress) {
    Routine(picture, v[0], progress);
}
template <void (*Routine)(const TBitmap&, TBitmap&, int)>
void PreviewInto(const TBitmap& before, TBitmap& after, Values v) {
    Routine(before, after, v[0]);
}

// Kept in the order of TAdjustableEffect, which the lookup relies on.
constexpr std::array<TAdjustableEffectDefinition, 10> kEffects{{
    {TAdjustableEffect::RGB, "rgb", 3, -128, 127, 0,
     [](TBitmap& picture, Values v, TProgress* progress) {
         AdjustRGB(picture, v[0], v[1], v[2], progress);
     },
     [](const TBitmap& before, TBitmap& after, Values v) {
         AdjustRGBTo(before, after, v[0], v[1], v[2]);
     }},
    {TAdjustableEffect::Brightness, "brightness", 1, -255, 254, 0,
     ApplyWithProgress<AdjustBrightness>, PreviewInto<AdjustBrightnessTo>},
    {TAdjustableEffect::Neon, "neon", 1, -20, 20, 0, ApplyOne<Neon>, PreviewOnCopy<Neon>},
    {TAdjustableEffect::Sharpen, "sharpen", 1, 0, 200, 0, ApplyOne<Sharpen>,
     PreviewOnCopy<Sharpen>},
    {TAdjustableEffect::Mosaic, "mosaic", 1, 0, 64, 0, ApplyOne<Mosaic>, PreviewOnCopy<Mosaic>},
    {TAdjustableEffect::Splash, "splash", 1, 0, 32, 0, ApplyOne<Splash>, PreviewOnCopy<Splash>},
    {TAdjustableEffect::ColorNoise, "colour-noise", 1, 0, 510, 0, ApplyOne<ColorNoise>,
     PreviewOnCopy<ColorNoise>},
    {TAdjustableEffect::MonoNoise, "noise", 1, 0, 510, 0, ApplyOne<MonoNoise>,
     PreviewOnCopy<MonoNoise>},
    {TAdjustableEffect::Contrast, "contrast", 1, -255, 255, 0, ApplyOne<AdjustContrast>,
     PreviewOnCopy<AdjustContrast>},
    // Saturation opens at 255, nearly neutral; 256 would leave the picture exactly as it is.
    {TAdjustableEffect::Saturation, "saturation", 1, 0, 510, 255,
     ApplyWithProgress<AdjustSaturation>, PreviewInto<AdjustSaturationTo>},
}};

constexpr bool InEnumOrder() {
    for (std::size_t i = 0; i < kEffects.size(); ++i)
        if (static_cast<std::size_t>(kEffects[i].Effect) != i) return false;
    return true;
}
static_assert(InEnumOrder());

} // namespace

std::span<const TAdjustableEffectDefinition> AdjustableEffects() {
    return kEffects;
}

const TAdjustableEffectDefinition& AdjustableEffect(TAdjustableEffect effect) {
    return kEffects[static_cast<std::size_t>(effect)];
}

} // namespace zorvic
