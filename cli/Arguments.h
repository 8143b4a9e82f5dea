#pragma once
#include "JpegWriter.h"
#include "Operations.h"
#include "TPoint.h"

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace zorvic {

struct HelpCommand {};
struct VersionCommand {};

struct ApplyCommand {
    std::string input;
    std::string output;
    std::vector<OperationStep> steps;
    std::uint32_t seed = 0;
    int quality = kDefaultJpegQuality;
};

struct ConvertCommand {
    std::string input;
    std::string output;
    int quality = kDefaultJpegQuality;
};

// The capture modes a command line can ask for; Rect takes its rectangle from the command.
enum class CaptureArea { Full, Active, UnderMouse, Rect };

struct CaptureCommand {
    CaptureArea area = CaptureArea::Full;
    TRect rect; // in pixels of the primary screen, for CaptureArea::Rect
    bool cursor = false;
    std::string output;
    int quality = kDefaultJpegQuality;
};

using Command =
    std::variant<HelpCommand, VersionCommand, ApplyCommand, ConvertCommand, CaptureCommand>;

// Checks the whole command line, including OUT's extension, so that a mistyped command fails
// before any file is touched. Throws EUsageError.
Command ParseArguments(const std::vector<std::string>& arguments);

// Whole decimal text within [min, max]; throws EUsageError "<what>: ..." otherwise.
long long ParseInteger(std::string_view text, long long min, long long max, std::string_view what);

} // namespace zorvic
