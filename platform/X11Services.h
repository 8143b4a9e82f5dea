#pragma once
// Makers of the X11 implementations, for the factory.
#include "CursorSource.h"
#include "KeySynthesizer.h"
#include "RepaintWait.h"
#include "ScreenGrabber.h"
#include "Wallpaper.h"
#include "WindowLocator.h"
#include "X11Support.h"

namespace zorvic::x11 {

std::shared_ptr<ScreenGrabber> MakeScreenGrabber(std::shared_ptr<Connection> connection);
std::shared_ptr<CursorSource> MakeCursorSource(std::shared_ptr<Connection> connection);
std::shared_ptr<WindowLocator> MakeWindowLocator(std::shared_ptr<Connection> connection);
std::shared_ptr<KeySynthesizer> MakeKeySynthesizer(std::shared_ptr<Connection> connection);
// Opens a connection of its own per change: the new background outlives it on the server.
std::shared_ptr<Wallpaper> MakeDesktopWallpaper(std::string displayName);
// On a connection of its own, whose events it reads while it waits.
std::shared_ptr<RepaintWait> MakeRepaintWait(const std::string& displayName);

} // namespace zorvic::x11
