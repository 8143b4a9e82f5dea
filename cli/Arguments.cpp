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

// The verb's words after the verb itself, split into file names and operations on one side and
// the two options on the other.
struct VerbArguments {
    std::vector<std::string> positional;
    std::optional<std::uint32_t> seed;
    std::optional<int> quality;
};

VerbArguments SplitVerbArguments(std::string_view verb, const std::vector<std::string>& arguments) {
    VerbArguments result;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& word = arguments[i];
        if (!word.starts_with("--")) {
            result.positional.push_back(word);
            continue;
        }
        const std::size_t equals = word.find('=');
        const std::string name = word.substr(0, equals);
        const bool known = name == "--quality" || (name == "--seed" && verb == "apply");
        if (!known)
            throw EUsageError("unknown option '" + name + "' for " + std::string(verb) +
                              "; run zorvic-cli --help");
        std::string value;
        if (equals != std::string::npos)
            value = word.substr(equals + 1);
        else if (i + 1 < arguments.size())
            value = arguments[++i];
        else
            throw EUsageError(name + " needs a value");
        if (name == "--seed") {
            if (result.seed) throw EUsageError("--seed is given twice");
            result.seed = static_cast<std::uint32_t>(
                ParseInteger(value, 0, std::numeric_limits<std::uint32_t>::max(), "--seed"));
        } else {
            if (result.quality) throw EUsageError("--quality is given twice");
            result.quality = static_cast<int>(
                ParseInteger(value, kMinJpegQuality, kMaxJpegQuality, "--quality"));
        }
    }
    return result;
}

void RequireKnownOutputFormat(const std::string& output) {
    if (!OutputFormatOf(output))
        throw EUsageError("cannot write '" + output +
                          "': the output name must end in .bmp, .jpg, .gif or .tif");
}

ApplyCommand ParseApply(const std::vector<std::string>& arguments) {
    VerbArguments split = SplitVerbArguments("apply", arguments);
    if (split.positional.size() < 2) throw EUsageError("apply needs IN and OUT");
    if (split.positional.size() < 3) throw EUsageError("apply needs at least one operation");
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

} // namespace

Command ParseArguments(const std::vector<std::string>& arguments) {
    if (arguments.empty()) throw EUsageError("no command given; run zorvic-cli --help");
    for (const std::string& word : arguments)
        if (word == "--help" || word == "-h") return HelpCommand{};
    const std::string& verb = arguments.front();
    if (verb == "--version" && arguments.size() == 1) return VersionCommand{};
    if (verb == "apply") return ParseApply(arguments);
    if (verb == "convert") return ParseConvert(arguments);
    throw EUsageError("unknown command '" + verb + "'; run zorvic-cli --help");
}

} // namespace zorvic
