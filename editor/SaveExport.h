#pragma once
#include "EditorHost.h"
#include "PlatformServices.h"
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

// Runs the save-picture dialog; nothing when the user cancels.
using TSaveFileChooser =
    std::function<std::optional<std::string>(QWidget* parent, const TSaveFileRequest& request)>;

// A filter in the "description|pattern|description|pattern" form as a Qt dialog filter.
QString QtFileFilter(const std::string& pipeSeparated);

// Save ("完成"): writes the picture under the next automatic name in the chosen format, then
// confirms with a message. A failure throws with the file's path and reason; no message then.
// Returns the path written.
std::string SavePictureAutomatically(const TBitmap& picture, const TSaveSettings& settings);

// Save As of one editor: its dialog offers the name chosen last time, as one long-lived dialog
// would.
class TSaveAs {
public:
    // The real dialog; tests give a chooser of their own, so that they need no modal dialog.
    TSaveAs();
    explicit TSaveAs(TSaveFileChooser chooser);

    // Asks for a name and writes the picture to it with the current format's extension
    // appended. Returns the path written, nothing when the dialog was cancelled.
    std::optional<std::string> Save(const TBitmap& picture, const TSaveSettings& settings,
                                    QWidget* parent);

private:
    TSaveFileChooser chooser_;
    QString lastName_;
};

// Puts the picture on the clipboard and confirms with a message.
void CopyPictureToClipboard(const TBitmap& picture, PlatformServices& platform);

// Writes the picture as "<template>.bmp" into the wallpaper folder, records it as the desktop's
// stretched wallpaper and has the desktop show it. Returns the file's path.
std::string SetPictureAsWallpaper(const TBitmap& picture, const TSaveSettings& settings,
                                  PlatformServices& platform);

} // namespace zorvic
