#include "Arguments.h"

#include "OutputFormat.h"
#include "UsageError.h"

#include <charconv>
#include <limits>
#include <optional>

namespace zorvic {

long long ParseInteger(std::string_view text, long long min, long long max, std::string_view what) {
    long long value = 0;
    const char* end = text.data() + text.size();
    // from_chars takes no '+', but people write "+20" for a slider's positive side.
    const char* begin =
        text.starts_with('+') && text.size() > 1 && text[1] != '-' ? text.data() + 1 : text.data();
    const auto [stop, error] = std::from_chars(begin, end, value);
    if (text.empty() || stop != end || error == std::errc::invalid_argument)
        throw EUsageError(std::string(what) + ": '" + std::string(text) +
                          "' is not a whole number");
    if (error == std::errc::result_out_of_range || value < min || value > max)
        throw EUsageError(std::string(what) + ": " + std::string(text) + " is out of range " +
                          std::to_string(min) + ".." + std::to_string(max));
    return value;
}

namespace {

// The verb's words after the verb itself, split into file names, operations and areas on one
// side and the options on the other.
struct VerbArguments {
    std::vector<std::string> positional;
    std::optional<std::uint32_t> seed;
    std::optional<int> quality;
    std::optional<std::string> output;
    bool cursor = false;
};

bool VerbTakesOption(std::string_view verb, std::string_view option) {
    if (option == "--quality") return true;
    if (option == "--seed") return verb == "apply";
    return verb == "capture" && (option == "--cursor" || option == "-o");
}

template <class T> void SetOnce(std::optional<T>& slot, T value, const std::string& name) {
    if (slot) throw EUsageError(name + " is given twice");
    slot = std::move(value);
}

VerbArguments SplitVerbArguments(std::string_view verb, const std::vector<std::string>& arguments) {
    VerbArguments result;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& word = arguments[i];
        // A single dash followed by digits is a negative number, such as a rectangle's left edge.
        if (!word.starts_with("--") && word != "-o") {
            result.positional.push_back(word);
            continue;
        }
        const std::size_t equals = word.find('=');
        const std::string name = word.substr(0, equals);
        if (!VerbTakesOption(verb, name))
            throw EUsageError("unknown option '" + name + "' for " + std::string(verb) +
                              "; run zorvic-cli --help");
        if (name == "--cursor") {
            if (equals != std::string::npos) throw EUsageError("--cursor takes no value");
            if (result.cursor) throw EUsageError("--cursor is given twice");
            result.cursor = true;
            continue;
        }
        std::string value;
        if (equals != std::string::npos)
            value = word.substr(equals + 1);
        else if (i + 1 < arguments.size())
            value = arguments[++i];
        else
            throw EUsageError(name + " needs a value");
        if (name == "-o")
            SetOnce(result.output, value, name);
        else if (name == "--seed")
            SetOnce(result.seed,
                    static_cast<std::uint32_t>(ParseInteger(
                        value, 0, std::numeric_limits<std::uint32_t>::max(), "--seed")),
                    name);
        else
            SetOnce(result.quality,
                    static_cast<int>(
                        ParseInteger(value, kMinJpegQuality, kMaxJpegQuality, "--quality")),
                    name);
    }
    return result;
}

void RequireKnownOutputFormat(const std::string& output) {
    if (!OutputFormatOf(output))
        throw EUsageError("cannot write '" + output +
                          "': the output name must end in .bmp, .jpg, .gif, .tif or .png");
}

ApplyCommand ParseApply(const std::vector<std::string>& arguments) {
    VerbArguments split = SplitVerbArguments("apply", arguments);
    if (split.positional.size() < 2) throw EUsageError("apply needs IN and OUT");
    ApplyCommand command;
    command.input = split.positional[0];
    command.output = split.positional[1];
    RequireKnownOutputFormat(command.output);
    for (std::size_t i = 2; i < split.positional.size(); ++i)
        command.steps.push_back(ParseOperation(split.positional[i]));
    command.seed = split.seed.value_or(0);
    command.quality = split.quality.value_or(kDefaultJpegQuality);
    return command;
}

ConvertCommand ParseConvert(const std::vector<std::string>& arguments) {
    VerbArguments split = SplitVerbArguments("convert", arguments);
    if (split.positional.size() != 2) throw EUsageError("convert needs exactly IN.bmp and OUT");
    ConvertCommand command;
    command.input = split.positional[0];
    command.output = split.positional[1];
    RequireKnownOutputFormat(command.output);
    command.quality = split.quality.value_or(kDefaultJpegQuality);
    return command;
}

// X11 coordinates and sizes are 16-bit: nothing on a screen lies outside these.
constexpr long long kMinCoordinate = -32768;
constexpr long long kMaxCoordinate = 32767;

TRect ParseCaptureRect(const std::vector<std::string>& numbers) {
    const int x =
        static_cast<int>(ParseInteger(numbers[0], kMinCoordinate, kMaxCoordinate, "rect X"));
    const int y =
        static_cast<int>(ParseInteger(numbers[1], kMinCoordinate, kMaxCoordinate, "rect Y"));
    const int width = static_cast<int>(ParseInteger(numbers[2], 1, kMaxCoordinate, "rect W"));
    const int height = static_cast<int>(ParseInteger(numbers[3], 1, kMaxCoordinate, "rect H"));
    return {x, y, x + width, y + height};
}

CaptureCommand ParseCapture(const std::vector<std::string>& arguments) {
    VerbArguments split = SplitVerbArguments("capture", arguments);
    if (split.positional.empty())
        throw EUsageError("capture needs full, active, under-mouse or rect X Y W H");
    const std::string& area = split.positional.front();
    const std::vector<std::string> rest(split.positional.begin() + 1, split.positional.end());
    CaptureCommand command;
    if (area == "rect") {
        if (rest.size() != 4) throw EUsageError("capture rect needs X Y W H");
        command.area = CaptureArea::Rect;
        command.rect = ParseCaptureRect(rest);
    } else {
        if (area == "full")
            command.area = CaptureArea::Full;
        else if (area == "active")
            command.area = CaptureArea::Active;
        else if (area == "under-mouse")
            command.area = CaptureArea::UnderMouse;
        else
            throw EUsageError("unknown capture area '" + area +
                              "'; use full, active, under-mouse or rect X Y W H");
        if (!rest.empty())
            throw EUsageError("unexpected '" + rest.front() + "' after capture " + area);
    }
    if (!split.output) throw EUsageError("capture needs -o OUT");
    command.output = *split.output;
    RequireKnownOutputFormat(command.output);
    command.cursor = split.cursor;
    command.quality = split.quality.value_or(kDefaultJpegQuality);
    return command;
}

} // namespace

Command ParseArguments(const std::vector<std::string>& arguments) {
    if (arguments.empty()) throw EUsageError("no command given; run zorvic-cli --help");
    for (const std::string& word : arguments)
        if (word == "--help" || word == "-h") return HelpCommand{};
    const std::string& verb = arguments.front();
    if (verb == "--version" && arguments.size() == 1) return VersionCommand{};
    if (verb == "apply") return ParseApply(arguments);
    if (verb == "convert") return ParseConvert(arguments);
    if (verb == "capture") return ParseCapture(arguments);
    throw EUsageError("unknown command '" + verb + "'; run zorvic-cli --help");
}

} // namespace zorvic
