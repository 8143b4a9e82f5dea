#include "PlatformServices.h"

#include "FakeDesktop.h"
#include "X11Services.h"

#include <optional>

namespace zorvic {

namespace {

std::optional<PlatformServices>& Installed() {
    static std::optional<PlatformServices> services;
    return services;
}

} // namespace

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
    auto& services = Installed();
    if (!services)
        services = FakePlatformRequested() ? std::make_shared<FakeDesktop>()->Services()
                                           : MakeX11Platform();
    return *services;
}

void InstallPlatform(PlatformServices services) {
    Installed() = std::move(services);
}

} // namespace zorvic
