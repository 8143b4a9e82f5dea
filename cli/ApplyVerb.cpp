#include "BmpFile.h"
#include "Errors.h"
#include "FormatConversion.h"
#include "OutputFormat.h"
#include "PictureInput.h"
#include "Progress.h"
#include "Random.h"
#include "StepPlan.h"
#include "Verbs.h"

#include <algorithm>

namespace zorvic {

namespace {

// The picture is brought to 24 bits once, in place; every operation then works on that one
// pixel store and the writer reads it directly.
TBitmap LoadPicture(const std::string& path) {
    TBitmap picture = ReadPictureFile(path);
    if (picture.Empty()) throw EZorvicError("'" + path + "' holds an empty picture");
    picture.SetPixelFormat(TPixelFormat::pf24bit);
    return picture;
}

std::string StepLabel(const OperationStep& step, std::size_t index, std::size_t count) {
    return std::string(step.definition->name) + " (" + std::to_string(index + 1) + "/" +
           std::to_string(count) + ")";
}

// Work on single pixels from one plain BMP file to another goes a band of rows at a time, at
// about the cost of copying the file; false where the whole picture is needed.
bool ApplyInBands(const ApplyCommand& command, const std::vector<OperationStep>& steps) {
    const bool pixelByPixel =
        std::all_of(steps.begin(), steps.end(),
                    [](const OperationStep& step) { return step.definition->pixelByPixel; });
    if (!pixelByPixel || *OutputFormatOf(command.output) != kFormatBmp) return false;
    return RewriteBmpInBands(command.input, command.output, [&steps](TBitmap& band) {
        for (const OperationStep& step : steps)
            step.definition->apply(band, step.values, nullptr);
    });
}

} // namespace

void RunApply(const ApplyCommand& command) {
    SetRandomSeed(command.seed);
    const std::vector<OperationStep> steps = PlanSteps(command.steps);
    if (ApplyInBands(command, steps)) return;
    TBitmap picture = LoadPicture(command.input);
    ProgressLine progress;
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const OperationStep& step = steps[i];
        TProgress* report = nullptr;
        if (step.definition->slow && progress.Enabled()) {
            progress.Start(StepLabel(step, i, steps.size()));
            report = &progress;
        }
        step.definition->apply(picture, step.values, report);
        progress.Clear();
    }
    const int format = *OutputFormatOf(command.output);
    // Palette reduction and dithering make the GIF writer the one slow writer.
    if (format == kFormatGif) progress.Start("writing " + command.output);
    SavePicture(picture, command.output, format, command.quality);
}

} // namespace zorvic
