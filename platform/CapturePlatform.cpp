#include "PlatformServices.h"

#include "FakeDesktop.h"
#include "X11Services.h"
#include "X11Support.h"

#include <cstdlib>
#include <cstring>

namespace zorvic {

bool FakePlatformRequested() {
    const char* fake = std::getenv("ZORVIC_FAKE_PLATFORM");
    return fake && std::strcmp(fake, "1") == 0;
}

PlatformServices MakeX11CaptureServices(std::shared_ptr<x11::Connection> connection) {
    PlatformServices services;
    services.Screen = x11::MakeScreenGrabber(connection);
    services.Cursor = x11::MakeCursorSource(connection);
    services.Windows = x11::MakeWindowLocator(connection);
    return services;
}

PlatformServices& CapturePlatform() {
    static PlatformServices services =
        FakePlatformRequested()
            ? std::make_shared<FakeDesktop>()->Services()
            : MakeX11CaptureServices(std::make_shared<x11::Connection>(nullptr));
    return services;
}

} // namespace zorvic
