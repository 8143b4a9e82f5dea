#include "Cli.h"

#include "Arguments.h"
#include "UsageError.h"
#include "Verbs.h"

#include <algorithm>
#include <cstdio>
#include <new>
#include <string>
#include <vector>

namespace zorvic {

namespace {

constexpr const char* kVersionText = "zorvic-cli 1.5\n";

constexpr const char* kUsageText =
    R"(Usage:
  zorvic-cli capture full|active|under-mouse [--cursor] -o OUT [--quality Q]
  zorvic-cli capture rect X Y W H [--cursor] -o OUT [--quality Q]
  zorvic-cli apply IN OUT [OP ...] [--seed N] [--quality Q]
  zorvic-cli convert IN.bmp OUT [--quality Q]
  zorvic-cli --help | --version

capture  grabs the primary screen of the X display in $DISPLAY as the capture
         modes do and writes OUT:
           full         the whole screen
           active       the window with the keyboard focus, frame included
           under-mouse  the innermost window under the mouse pointer
           rect         W x H pixels from X,Y of the screen (W, H at least 1);
                        the parts beyond the screen come out black
         --cursor draws the mouse pointer into the picture.
apply    reads the picture IN (BMP, PNG, JPEG, GIF or TIFF, told by its contents; of a
         GIF or TIFF with several pictures, the first), makes it 24-bit, runs the
         operations from left to right as the editor runs them, and writes OUT.
         Without an operation it converts IN to OUT's format. IN is kept.
convert  converts the BMP file IN to OUT as the camera window does, then DELETES IN.
         To keep IN, use apply IN OUT.

OUT's extension chooses the format: .bmp, .jpg, .gif, .tif or .png, in any letter
case.
  --quality Q  JPEG quality, 1..100 (default 80)
  --seed N     seed of the random generator before the first operation,
               0..4294967295 (default 0), so noise and splash repeat exactly;
               two-colour reseeds it from the clock, as in the editor

Operations, NAME or NAME=VALUES (comma-separated whole numbers):
)";

constexpr const char* kExitText = R"(
Exit status: 0 when OUT was written whole; 1 when a file cannot be read or written,
or when there is no display or no window to capture (OUT is then left as it was);
2 when the command line is wrong (no file is touched).
)";

void PrintHelp() {
    std::fputs(kUsageText, stdout);
    for (const OperationDefinition& definition : Operations()) {
        std::printf("  %-18s %-11s %.*s\n", OperationUsage(definition).c_str(),
                    OperationRange(definition).c_str(), static_cast<int>(definition.summary.size()),
                    definition.summary.data());
    }
    std::fputs(kExitText, stdout);
}

int Run(const Command& command) {
    if (std::holds_alternative<HelpCommand>(command)) {
        PrintHelp();
    } else if (std::holds_alternative<VersionCommand>(command)) {
        std::fputs(kVersionText, stdout);
    } else if (const auto* apply = std::get_if<ApplyCommand>(&command)) {
        RunApply(*apply);
    } else if (const auto* convert = std::get_if<ConvertCommand>(&command)) {
        RunConvert(*convert);
    } else {
        RunCapture(std::get<CaptureCommand>(command));
    }
    return kExitOk;
}

// Scripts read one line per failure, whatever text the failing layer composed.
int Fail(int status, std::string message) {
    std::replace(message.begin(), message.end(), '\n', ' ');
    std::fprintf(stderr, "zorvic-cli: %s\n", message.c_str());
    return status;
}

} // namespace

int RunCli(int argc, char** argv) {
    try {
        return Run(ParseArguments(std::vector<std::string>(argv + 1, argv + argc)));
    } catch (const EUsageError& error) {
        return Fail(kExitUsageError, error.what());
    } catch (const std::bad_alloc&) {
        return Fail(kExitRuntimeError, "not enough memory for this picture");
    } catch (const std::exception& error) {
        return Fail(kExitRuntimeError, error.what());
    }
}

} // namespace zorvic
