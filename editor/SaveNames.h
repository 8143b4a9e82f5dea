#pragma once
#include "EditorHost.h"

#include <QDateTime>

#include <string>
#include <vector>

namespace zorvic {

// The running number of template names: 1 at program start, kept for the whole run and
// advanced by every automatic save, whichever naming mode is on.
extern int SaveCounter;

// `text` with every character that cannot stand inside one file name replaced by "-": the
// folder separators "/" and "\", ":" and control characters.
std::string FileNameSafe(const std::string& text);

// "<date>_<time>" of one clock reading in numbers, whatever the locale, made file-name safe:
// "2008-10-01_10-10-10" for 10:10:10 on 1 October 2008.
std::string TimeStampName(const QDateTime& now);

// `name` inside `folder`, with exactly one "/" between them.
std::string PathInFolder(const std::string& folder, const std::string& name);

// The folder automatic saves go to: the save directory, or the documents folder when none is set.
std::string AutomaticSaveFolder(const TSaveSettings& settings);

// `stem` if no file `stem` + one of `extensions` exists, else the first of "<stem>_2",
// "<stem>_3" ... that is free in every one of them.
std::string UnusedStem(const std::string& stem, const std::vector<std::string>& extensions);

// The path of the next automatic save, advancing SaveCounter. No earlier capture is overwritten:
// by template, numbers whose file already exists (from an earlier run) are passed over; by time,
// a name already taken within the same second goes on as "<time>_2", "<time>_3" and so on.
std::string NextAutomaticSavePath(const TSaveSettings& settings,
                                  const QDateTime& now = QDateTime::currentDateTime());

} // namespace zorvic
