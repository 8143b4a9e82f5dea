#pragma once
#include "EditorHost.h"

#include <QDateTime>
#include <QLocale>

#include <string>

namespace zorvic {

// The running number of template names: 1 at program start, kept for the whole run and
// advanced by every automatic save, whichever naming mode is on.
extern int SaveCounter;

// `text` with every character that cannot stand inside one file name replaced by "-": the
// folder separators "/" and "\", ":" and control characters.
std::string FileNameSafe(const std::string& text);

// "<short date>_<long time>" of one clock reading in the locale's formats, made file-name safe,
// e.g. "2008-10-1_10-10-10" or, from "M/d/yy", "10-1-08_10-10-10".
std::string TimeStampName(const QDateTime& now, const QLocale& locale);

// `name` inside `folder`, with exactly one "/" between them.
std::string PathInFolder(const std::string& folder, const std::string& name);

// The folder automatic saves go to: the save directory, or the documents folder when none is set.
std::string AutomaticSaveFolder(const TSaveSettings& settings);

// The path of the next automatic save, advancing SaveCounter. By template, numbers whose file
// already exists (from an earlier run) are passed over so no earlier capture is overwritten.
std::string NextAutomaticSavePath(const TSaveSettings& settings,
                                  const QDateTime& now = QDateTime::currentDateTime(),
                                  const QLocale& locale = QLocale::system());

} // namespace zorvic
