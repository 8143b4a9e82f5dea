#pragma once
#include "Clipboard.h"
#include "CursorSource.h"
#include "KeySynthesizer.h"
#include "RepaintWait.h"
#include "ScreenGrabber.h"
#include "Wallpaper.h"
#include "WindowLocator.h"

#include <memory>

namespace zorvic {

// The desktop services the program's windows and commands use.
struct PlatformServices {
    std::shared_ptr<ScreenGrabber> Screen;
    std::shared_ptr<CursorSource> Cursor;
    std::shared_ptr<WindowLocator> Windows;
    std::shared_ptr<KeySynthesizer> Keys;
    std::shared_ptr<Clipboard> ClipboardService;
    std::shared_ptr<Wallpaper> WallpaperService;
    std::shared_ptr<RepaintWait> Repaints;
};

// The services of this process, for the programs to hand to their windows and commands: the
// X11 ones, made on first use, or the in-memory fakes of one FakeDesktop when
// ZORVIC_FAKE_PLATFORM=1. Throws EZorvicError when no X display can be opened.
PlatformServices& Platform();

// The real services on one connection to the display named (nullptr: $DISPLAY).
PlatformServices MakeX11Platform(const char* displayName = nullptr);

// Whether ZORVIC_FAKE_PLATFORM=1 asks for the in-memory fakes.
bool FakePlatformRequested();

namespace x11 {
class Connection;
}
// The screen, cursor and window services on a connection, the part of MakeX11Platform that a
// capture needs.
PlatformServices MakeX11CaptureServices(std::shared_ptr<x11::Connection> connection);

// Platform() for a capture alone, as zorvic-cli makes one: the screen, cursor and windows, made on
// first use, or the fakes as there. Unlike Platform(), nothing here draws on the GUI libraries
// (the clipboard and the wallpaper do), so a command-line program that captures through this
// starts without loading them.
PlatformServices& CapturePlatform();

} // namespace zorvic
