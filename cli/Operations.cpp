#include "Operations.h"

#include "Arguments.h"
#include "Distortions.h"
#include "EffectSettings.h"
#include "Filters.h"
#include "OneShotEffects.h"
#include "Random.h"
#include "Transforms.h"
#include "UsageError.h"

#include <algorithm>
#include <array>
#include <limits>
#include <utility>

namespace zorvic {

namespace {

using Values = std::span<const int>;

constexpr int kAnyInteger = std::numeric_limits<int>::min();
constexpr int kMaxInteger = std::numeric_limits<int>::max();

// Routines that write a new picture read the old one shared, never copied.
template <class Render> void Replace(TBitmap& picture, const Render& render) {
    TBitmap result;
    render(std::as_const(picture), result);
    picture = std::move(result);
}

void RotateAnyAngle(TBitmap& picture, Values v, TProgress* progress) {
    const int outerSteps = std::max(picture.Width(), picture.Height()) / 2;
    int step = 0;
    if (progress) progress->SetMax(outerSteps);
    Replace(picture, [&](const TBitmap& source, TBitmap& dest) {
        RotateBitmap(source, dest, v[0], [&] {
            if (progress) progress->SetPosition(++step);
        });
    });
}

void TwoColour(TBitmap& picture, Values, TProgress*) {
    // The editor's command reseeds the shared generator, so later noise follows the clock.
    SeedRandom();
    TwoColors(picture);
}

void Twist(TBitmap& picture, Values, TProgress*) {
    Replace(picture, [](const TBitmap& source, TBitmap& dest) {
        zorvic::Twist(source, dest, kTwistAmount);
    });
}

void FarView(TBitmap& picture, Values, TProgress*) {
    Replace(picture, [](const TBitmap& source, TBitmap& dest) {
        zorvic::FarView(source, dest, kFarViewTopWidth, kFarViewBottomWidth);
    });
}

// The blur button convolves a 24-bit copy and installs it; the picture is 24-bit already.
void Blur(TBitmap& picture, Values, TProgress*) {
    Convolve3x3(kBlurKernel, kBlurDivisor, picture);
}

// Adapters for routines that need nothing but the picture.
template <void (*Routine)(TBitmap&)> void Plain(TBitmap& picture, Values, TProgress*) {
    Routine(picture);
}
template <void (*Routine)(TBitmap&, TProgress*)>
void WithProgress(TBitmap& picture, Values, TProgress* progress) {
    Routine(picture, progress);
}

// An effect of the editor's preview panel: its name, range and routine as OK applies it.
OperationDefinition Adjustable(TAdjustableEffect effect, std::string_view valueSyntax, bool slow,
                               std::string_view summary, bool pixelByPixel = false) {
    const TAdjustableEffectDefinition& e = AdjustableEffect(effect);
    return {e.Name, valueSyntax, e.ValueCount, e.Min, e.Max,
            slow,   summary,     e.Apply,      0,     pixelByPixel};
}

const std::array kOperations = {
    OperationDefinition{"rotate90", "", 0, 0, 0, false, "quarter turn clockwise",
                        Plain<RotateBitmap90>, 1},
    OperationDefinition{"rotate180", "", 0, 0, 0, false, "half turn", Plain<RotateBitmap180>, 2},
    OperationDefinition{"rotate270", "", 0, 0, 0, false, "quarter turn counter-clockwise",
                        Plain<RotateBitmap270>, 3},
    OperationDefinition{"rotate", "DEG", 1, -360, 360, true,
                        "turn counter-clockwise by any angle onto a square", RotateAnyAngle},
    OperationDefinition{"flip-h", "", 0, 0, 0, false, "horizontal flip", Plain<FlipHorizontal>},
    OperationDefinition{"flip-v", "", 0, 0, 0, false, "vertical flip", Plain<FlipVertical>},
    OperationDefinition{"mirror-h", "", 0, 0, 0, false, "picture and its mirror image side by side",
                        Plain<MirrorHorizontal>},
    OperationDefinition{"mirror-v", "", 0, 0, 0, false, "picture above its reflection",
                        Plain<MirrorVertical>},
    OperationDefinition{"mirror-sym", "", 0, 0, 0, false, "symmetrical mirror",
                        Plain<MirrorSymmetrical>},
    OperationDefinition{
        "translate", "DX,DY", 2, kAnyInteger, kMaxInteger, false,
        "move right and down, uncovering white",
        [](TBitmap& picture, Values v, TProgress*) { Translate(picture, v[0], v[1]); }},
    OperationDefinition{"invert", "", 0, 0, 0, false, "invert colours", Plain<InvertColors>, 0,
                        true},
    OperationDefinition{"two-colour", "", 0, 0, 0, false, "black and white", TwoColour, 0, true},
    OperationDefinition{"grey", "", 0, 0, 0, false, "greyscale", Plain<Grayscale>, 0, true},
    OperationDefinition{"exposure", "", 0, 0, 0, false, "exposure", WithProgress<Exposure>, 0,
                        true},
    OperationDefinition{"sculpture", "", 0, 0, 0, false, "sculpture", WithProgress<Sculpture>},
    OperationDefinition{"relief", "", 0, 0, 0, false, "relief", WithProgress<Relief>},
    OperationDefinition{"twist", "", 0, 0, 0, true, "swirl around the centre", Twist},
    OperationDefinition{"wave", "", 0, 0, 0, true, "wave",
                        [](TBitmap& picture, Values, TProgress*) {
                            Wave(picture, kWaveXDivisor, kWaveYDivisor, kWaveAmplitude);
                        }},
    OperationDefinition{"far-view", "", 0, 0, 0, true, "perspective squeeze, 600 pixels wide",
                        FarView},
    OperationDefinition{"blur", "", 0, 0, 0, false, "blur", Blur},
    Adjustable(TAdjustableEffect::Brightness, "N", false, "brightness", true),
    Adjustable(TAdjustableEffect::Contrast, "N", false, "contrast", true),
    Adjustable(TAdjustableEffect::Saturation, "N", false, "saturation (256 leaves it)", true),
    Adjustable(TAdjustableEffect::RGB, "R,G,B", false, "add to red, green and blue", true),
    Adjustable(TAdjustableEffect::Sharpen, "N", false, "sharpen"),
    Adjustable(TAdjustableEffect::MonoNoise, "N", false, "black-and-white noise"),
    Adjustable(TAdjustableEffect::ColorNoise, "N", false, "colour noise"),
    Adjustable(TAdjustableEffect::Splash, "N", true, "splash"),
    Adjustable(TAdjustableEffect::Mosaic, "N", false, "mosaic of N x N blocks"),
    Adjustable(TAdjustableEffect::Neon, "N", false, "neon edges"),
};

std::vector<std::string_view> SplitValues(std::string_view text) {
    std::vector<std::string_view> parts;
    for (std::size_t start = 0;;) {
        const std::size_t comma = text.find(',', start);
        parts.push_back(text.substr(start, comma - start));
        if (comma == std::string_view::npos) return parts;
        start = comma + 1;
    }
}

} // namespace

std::string OperationUsage(const OperationDefinition& definition) {
    std::string usage(definition.name);
    if (definition.valueCount > 0) usage.append("=").append(definition.valueSyntax);
    return usage;
}

std::string OperationRange(const OperationDefinition& definition) {
    if (definition.valueCount == 0) return "";
    if (definition.minValue == kAnyInteger) return "any";
    return std::to_string(definition.minValue) + ".." + std::to_string(definition.maxValue);
}

std::span<const OperationDefinition> Operations() {
    return kOperations;
}

const OperationDefinition* FindOperation(std::string_view name) {
    const auto found = std::find_if(
        kOperations.begin(), kOperations.end(),
        [&](const OperationDefinition& definition) { return definition.name == name; });
    return found == kOperations.end() ? nullptr : &*found;
}

OperationStep ParseOperation(std::string_view text) {
    const std::size_t equals = text.find('=');
    const std::string_view name = text.substr(0, equals);
    const OperationDefinition* definition = FindOperation(name);
    if (!definition)
        throw EUsageError("unknown operation '" + std::string(name) +
                          "'; run zorvic-cli --help for the list");
    OperationStep step{definition, {}};
    if (equals == std::string_view::npos) {
        if (definition->valueCount > 0)
            throw EUsageError(std::string(name) + " needs " + OperationUsage(*definition));
        return step;
    }
    if (definition->valueCount == 0) throw EUsageError(std::string(name) + " takes no value");
    const std::vector<std::string_view> parts = SplitValues(text.substr(equals + 1));
    if (static_cast<int>(parts.size()) != definition->valueCount)
        throw EUsageError(std::string(name) + " takes " + std::to_string(definition->valueCount) +
                          (definition->valueCount == 1 ? " value" : " values") + " (" +
                          OperationUsage(*definition) + "), got " + std::to_string(parts.size()));
    for (std::string_view part : parts)
        step.values.push_back(
            static_cast<int>(ParseInteger(part, definition->minValue, definition->maxValue, name)));
    return step;
}

} // namespace zorvic
