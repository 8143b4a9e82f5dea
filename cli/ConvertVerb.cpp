#include "Errors.h"
#include "FormatConversion.h"
#include "OutputFormat.h"
#include "Verbs.h"

#include <filesystem>
#include <system_error>

namespace zorvic {

namespace {

// The camera leaves a BMP frame where it is, but a command asked to write OUT must do so; loading
// and saving also rejects a file that is no readable BMP, as the other conversions do.
void MoveBmp(const std::string& input, const std::string& output) {
    TBitmap picture;
    picture.LoadFromFile(input);
    picture.SaveToFile(output);
    std::error_code ignored; // a failed delete is reported once, for every format, by the caller
    std::filesystem::remove(input, ignored);
}

} // namespace

void RunConvert(const ConvertCommand& command) {
    namespace fs = std::filesystem;
    std::error_code error;
    if (!fs::exists(command.input, error))
        throw EFileError("cannot convert '" + command.input + "': no such file");
    // Deleting IN after writing OUT would destroy the only copy.
    if (fs::equivalent(command.input, command.output, error))
        throw EZorvicError("cannot convert '" + command.input + "' onto itself");

    const int format = *OutputFormatOf(command.output);
    if (format == kFormatBmp)
        MoveBmp(command.input, command.output);
    else
        ConvertBmpToFormat(command.input, command.output, format, command.quality);

    if (fs::exists(command.input, error))
        throw EFileError("wrote '" + command.output + "' but could not delete '" + command.input +
                         "'");
}

} // namespace zorvic
