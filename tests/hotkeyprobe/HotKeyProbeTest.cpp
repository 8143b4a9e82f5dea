// gtest before the X11 headers, whose macros (None, Bool) break it.
#include <gtest/gtest.h>

#include "HotKeyGrab.h"
#include "HotKeyProbe.h"
#include "PrivateDisplay.h"
#include "WaitUntil.h"
#include "XTestClient.h"
#include <cstdlib>

namespace zorvic::testing {
namespace {

class HotKeyProbe : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ProcessDisplay(); }
};

TEST_F(HotKeyProbe, FindsCtrlBFreeOnACleanServerAndLeavesItFree) {
    XTestClient client;
    EXPECT_FALSE(IsHotKeyHeldByAnotherProgram());
    EXPECT_TRUE(client.CanGrabCtrlB());
}

// Another program may hold Ctrl+B under one lock state only; the probe must still see it.
TEST_F(HotKeyProbe, SeesCtrlBHeldByAnotherClient) {
    XTestClient holder;
    Display* display = holder.display();
    Window root = DefaultRootWindow(display);
    KeyCode b = XKeysymToKeycode(display, XK_b);
    unsigned numLock = ModifierMaskOf(display, XK_Num_Lock);
    for (unsigned state : {unsigned(ControlMask), ControlMask | numLock}) {
        XGrabKey(display, b, state, root, False, GrabModeAsync, GrabModeAsync);
        XSync(display, False);
        EXPECT_TRUE(IsHotKeyHeldByAnotherProgram()) << "held under state " << state;
        XUngrabKey(display, b, state, root);
        XSync(display, False);
    }
    EXPECT_FALSE(IsHotKeyHeldByAnotherProgram());
}

TEST(HotKeyProbeWithoutDisplay, SaysFree) {
    const char* display = std::getenv("DISPLAY");
    std::string saved = display ? display : "";
    unsetenv("DISPLAY");
    EXPECT_FALSE(IsHotKeyHeldByAnotherProgram());
    if (display) setenv("DISPLAY", saved.c_str(), 1);
}

} // namespace
} // namespace zorvic::testing
