#pragma once
#include "EditorHost.h"
#include "TBitmap.h"

#include <QString>

#include <functional>
#include <optional>
#include <string>

class QWidget;

namespace zorvic {

// What the save-picture dialog is opened with.
struct TSaveFileRequest {
    QString Title;
    QString InitialName; // the name chosen last time; at first "jietu" in the save folder
    QString Filter;      // in Qt's syntax: "Bitmaps (*.bmp);;JPEG Image File (*.jpg);;..."
};

// Runs the save-picture dialog; nothing when the user cancels. Replaceable so tests need no
// modal dialog; an empty function brings the real dialog back.
using TSaveFileChooser =
    std::function<std::optional<std::string>(QWidget* parent, const TSaveFileRequest& request)>;
void SetSaveFileChooser(TSaveFileChooser chooser);

// A filter in the "description|pattern|description|pattern" form as a Qt dialog filter.
QString QtFileFilter(const std::string& pipeSeparated);

// Save ("完成"): writes the picture under the next automatic name in the chosen format, then
// confirms with a message. A failure throws with the file's path and reason; no message then.
// Returns the path written.
std::string SavePictureAutomatically(const TBitmap& picture, const TSaveSettings& settings);

// Save As: asks for a name and writes the picture to it with the current format's extension
// appended. Returns the path written, nothing when the dialog was cancelled.
std::optional<std::string> SavePictureAs(const TBitmap& picture, const TSaveSettings& settings,
                                         QWidget* parent);

// Puts the picture on the clipboard and confirms with a message.
void CopyPictureToClipboard(const TBitmap& picture);

// Writes the picture as "<template>.bmp" into the wallpaper folder, records it as the desktop's
// stretched wallpaper and has the desktop show it. Returns the file's path.
std::string SetPictureAsWallpaper(const TBitmap& picture, const TSaveSettings& settings);

} // namespace zorvic
