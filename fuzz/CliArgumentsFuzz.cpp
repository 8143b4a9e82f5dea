// zorvic-cli's command-line parser on arbitrary words (one per line of the input): it either
// gives a command whose every value lies in its range or refuses the line with EUsageError.
#include "Arguments.h"
#include "UsageError.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Words(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> words(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == '\n')
            words.emplace_back();
        else
            words.back() += static_cast<char>(data[i]);
    }
    return words;
}

void Fail(const char* what) {
    std::fprintf(stderr, "accepted command breaks its rule: %s\n", what);
    std::abort();
}

void CheckQuality(int quality) {
    if (quality < zorvic::kMinJpegQuality || quality > zorvic::kMaxJpegQuality)
        Fail("JPEG quality out of range");
}

void Check(const zorvic::ApplyCommand& command) {
    CheckQuality(command.quality);
    for (const zorvic::OperationStep& step : command.steps) {
        if (static_cast<int>(step.values.size()) != step.definition->valueCount)
            Fail("wrong number of values");
        for (const int value : step.values)
            if (value < step.definition->minValue || value > step.definition->maxValue)
                Fail("operation value out of range");
    }
}

void Check(const zorvic::ConvertCommand& command) {
    CheckQuality(command.quality);
}

void Check(const zorvic::CaptureCommand& command) {
    CheckQuality(command.quality);
    if (command.output.empty()) Fail("capture without an output");
    if (command.area == zorvic::CaptureArea::Rect &&
        (command.rect.Right <= command.rect.Left || command.rect.Bottom <= command.rect.Top))
        Fail("empty capture rectangle");
}

void Check(const zorvic::HelpCommand&) {}
void Check(const zorvic::VersionCommand&) {}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        std::visit([](const auto& command) { Check(command); },
                   zorvic::ParseArguments(Words(data, size)));
    } catch (const zorvic::EUsageError&) {
    }
    return 0;
}
