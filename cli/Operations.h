#pragma once
#include "PixelHelpers.h"
#include "TBitmap.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zorvic {

// One editor command that `apply` can run on a 24-bit picture. Every value of an operation
// shares one range: the range of the slider or spin box the editor reads it from.
struct OperationDefinition {
    std::string_view name;
    std::string_view valueSyntax; // empty for a command without values
    int valueCount;
    int minValue;
    int maxValue;
    // Long enough on a big picture to earn a progress line on a terminal.
    bool slow;
    std::string_view summary;
    // Runs the command as the editor runs it; `progress` may be null.
    void (*apply)(TBitmap& picture, std::span<const int> values, TProgress* progress);
    // Clockwise quarter turns for the exact turns, which compose; 0 for everything else.
    int quarterTurns = 0;
    // Each pixel's result depends on that pixel alone, so the operation may run on a band of
    // rows at a time.
    bool pixelByPixel = false;
};

std::span<const OperationDefinition> Operations();
const OperationDefinition* FindOperation(std::string_view name);

// "NAME" or "NAME=SYNTAX", and the values' range as "MIN..MAX", "any" or "".
std::string OperationUsage(const OperationDefinition& definition);
std::string OperationRange(const OperationDefinition& definition);

// An operation as written on the command line, its values checked against its definition.
struct OperationStep {
    const OperationDefinition* definition;
    std::vector<int> values;
};

// Parses "NAME" or "NAME=V1,V2,...". Throws EUsageError naming what is wrong.
OperationStep ParseOperation(std::string_view text);

} // namespace zorvic
