#include "PlatformServices.h"

#include "FakeDesktop.h"
#include "X11Services.h"

namespace zorvic {

PlatformServices MakeX11Platform(const char* displayName) {
    auto connection = std::make_shared<x11::Connection>(displayName);
    PlatformServices services = MakeX11CaptureServices(connection);
    services.Keys = x11::MakeKeySynthesizer(connection);
    services.ClipboardService = MakeQtClipboard();
    services.WallpaperService = x11::MakeDesktopWallpaper(displayName ? displayName : "");
    services.Repaints = x11::MakeRepaintWait(displayName ? displayName : "");
    return services;
}

PlatformServices& Platform() {
    static PlatformServices services =
        FakePlatformRequested() ? std::make_shared<FakeDesktop>()->Services() : MakeX11Platform();
    return services;
}

} // namespace zorvic
