#include "PlatformServices.h"

#include "FakeDesktop.h"
#include "X11Services.h"

#include <cstdlib>
#include <cstring>

namespace zorvic {

namespace {

bool FakeRequested() {
    const char* fake = std::getenv("ZORVIC_FAKE_PLATFORM");
    return fake && std::strcmp(fake, "1") == 0;
}

} // namespace

PlatformServices MakeX11Platform(const char* displayName) {
    auto connection = std::make_shared<x11::Connection>(displayName);
    PlatformServices services;
    services.Screen = x11::MakeScreenGrabber(connection);
    services.Cursor = x11::MakeCursorSource(connection);
    services.Windows = x11::MakeWindowLocator(connection);
    services.Keys = x11::MakeKeySynthesizer(connection);
    services.ClipboardService = MakeQtClipboard();
    services.WallpaperService = x11::MakeDesktopWallpaper(displayName ? displayName : "");
    services.Repaints = x11::MakeRepaintWait(displayName ? displayName : "");
    return services;
}

PlatformServices& Platform() {
    static PlatformServices services =
        FakeRequested() ? std::make_shared<FakeDesktop>()->Services() : MakeX11Platform();
    return services;
}

} // namespace zorvic
