#pragma once
#include <string>

namespace zorvic {

// The save options as the main window's controls show them at this moment; the editor reads
// them live, so a change on the options page applies before it is confirmed.
struct TSaveSettings {
    bool NameByTime = false; // "根据时间自动命名": name by date and time, else by template
    std::string NameTemplate = "截图"; // never empty
    std::string SaveDirectory;         // without a trailing separator, except the root "/"
    int FormatIndex = 1;               // 0 bmp, 1 jpg, 2 gif, 3 tif
    int JpegQuality = 80;              // 1 .. 100
};

// What the editor needs from the program around it. The main window implements it; tests
// give their own.
class IEditorHost {
public:
    virtual ~IEditorHost() = default;
    virtual TSaveSettings SaveSettings() const = 0;
    // "捕捉完成时自动播放声音" checked.
    virtual bool CaptureSoundWanted() const = 0;
    // Starts the capture sound; the editor asks for it as a capture appears, when it is wanted.
    virtual void PlayCaptureSound() = 0;
    // The editor was closed: bring the main window back unless it is parked in the tray, then
    // start the capture poll and the hot key again.
    virtual void EditorClosed() = 0;
    // Help actions shared with the main window.
    virtual void OpenReadme() = 0;
    virtual void OpenMail() = 0;
};

} // namespace zorvic
