#pragma once
#include "EditorHost.h"

#include <QDateTime>

#include <cstdint>
#include <string>
#include <vector>

namespace zorvic {

// The interval in milliseconds: `value` times the factor of the unit (index of "毫秒", "秒",
// "分", "时", "天"). Throws EZorvicError "Integer overflow" when the product leaves 32 bits,
// as 25 days do.
int IntervalMilliseconds(int value, int unitIndex);

// The BMP file of the next interval picture. By template, a run's numbers count from 0 and pass
// over numbers whose picture exists already (as BMP or in the chosen format), so that a new run
// keeps the pictures of an earlier one; `nextNumber` is moved past the number used. By time the
// name is the date and time of `now`, as the editor's, going on as "<time>_2" and so on past a
// name that is taken.
std::string IntervalPicturePath(const TSaveSettings& settings, int& nextNumber,
                                const QDateTime& now = QDateTime::currentDateTime());

// The path with its extension (the part of the file name from its last dot on) replaced.
std::string WithExtension(const std::string& path, const std::string& extension);

// The five lines of statistics that end a run: the count, the average time per picture (0
// when there was none) and the whole time in milliseconds.
std::vector<std::string> IntervalStatistics(int pictures, std::int64_t elapsedMilliseconds);

} // namespace zorvic
