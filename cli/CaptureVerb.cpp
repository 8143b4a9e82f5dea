#include "Errors.h"
#include "FormatConversion.h"
#include "OutputFormat.h"
#include "ScreenCapture.h"
#include "Verbs.h"

#include <cstdlib>

namespace zorvic {

namespace {

// Xlib calls an unset $DISPLAY "", which tells the author of a script nothing.
PlatformServices& DesktopServices() {
    try {
        return CapturePlatform();
    } catch (const EZorvicError&) {
        const char* display = std::getenv("DISPLAY");
        if (display && *display) throw;
        throw EZorvicError("capture needs an X display, but $DISPLAY is not set");
    }
}

// The part of the grab that each capture mode of the main window keeps.
TBitmap CutArea(const CaptureCommand& command, TBitmap screen, PlatformServices& platform) {
    TBitmap picture;
    switch (command.area) {
    case CaptureArea::Full:
        return screen;
    case CaptureArea::Active:
        CropActiveWindow(screen, picture, platform);
        break;
    case CaptureArea::UnderMouse:
        CropControl(screen, picture, platform);
        break;
    case CaptureArea::Rect:
        CopyCaptureRect(screen, command.rect, picture);
        break;
    }
    return picture;
}

std::string NothingToCapture(const CaptureCommand& command) {
    const char* reason = command.area == CaptureArea::Active
                             ? "no window has the keyboard focus"
                             : "no window is under the mouse pointer";
    return std::string(reason) + ", so there is nothing to capture; '" + command.output +
           "' was not written";
}

} // namespace

void RunCapture(const CaptureCommand& command) {
    PlatformServices& platform = DesktopServices();
    TBitmap screen;
    GrabScreen(screen, platform);
    if (command.cursor) DrawCursor(screen, platform);
    TBitmap picture = CutArea(command, std::move(screen), platform);
    if (picture.Empty()) throw EZorvicError(NothingToCapture(command));
    // The editor holds every capture at 24 bits, and saves it so.
    picture.SetPixelFormat(TPixelFormat::pf24bit);
    SavePicture(picture, command.output, *OutputFormatOf(command.output), command.quality);
}

} // namespace zorvic
