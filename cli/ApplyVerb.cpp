#include "Errors.h"
#include "FormatConversion.h"
#include "OutputFormat.h"
#include "PictureInput.h"
#include "Progress.h"
#include "Random.h"
#include "StepPlan.h"
#include "Verbs.h"

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

} // namespace

void RunApply(const ApplyCommand& command) {
    TBitmap picture = LoadPicture(command.input);
    SetRandomSeed(command.seed);
    ProgressLine progress;
    const std::vector<OperationStep> steps = PlanSteps(command.steps);
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
