// gtest before Xlib, whose macros (Bool, None) break its templates.
#include <gtest/gtest.h>

#include "X11Support.h"
#include "X11TestTools.h"

namespace zorvic::testing {
namespace {

int foreignErrors = 0;
int CountForeign(Display*, XErrorEvent*) {
    ++foreignErrors;
    return 0;
}
int Other(Display*, XErrorEvent*) {
    return 0;
}

// A window id that no client owns: every request on it fails with BadWindow.
constexpr Window kNoWindow = 0x1FFFFF;

TEST(ErrorTrap, KeepsItsConnectionsErrorsAndLeavesOthersToTheHandlerBefore) {
    PrivateDisplay server({.Width = 320, .Height = 240});
    DisplayPtr trapped = Open(server);
    DisplayPtr other = Open(server);
    foreignErrors = 0;
    XSetErrorHandler(CountForeign);
    {
        x11::ErrorTrap trap(trapped.get());
        XMapWindow(trapped.get(), kNoWindow);
        XMapWindow(other.get(), kNoWindow);
        XSync(other.get(), False);
        EXPECT_EQ(trap.Sync(), BadWindow);
        EXPECT_EQ(foreignErrors, 1);
    }
    XMapWindow(trapped.get(), kNoWindow);
    XSync(trapped.get(), False);
    EXPECT_EQ(foreignErrors, 2) << "the handler before the trap is back";

    // One installed while a trap is active (as Qt does when it starts) stays installed.
    {
        x11::ErrorTrap trap(trapped.get());
        XSetErrorHandler(Other);
    }
    EXPECT_EQ(XSetErrorHandler(nullptr), Other);
}

} // namespace
} // namespace zorvic::testing
