// gtest before Xlib, whose macros (Bool, None) break its templates.
#include <gtest/gtest.h>

#include "FakeDesktop.h"
#include "PlatformServices.h"
#include "X11TestTools.h"

#include <X11/XKBlib.h>
#include <X11/keysym.h>

#include <vector>

namespace zorvic::testing {
namespace {

const std::vector<SynthKeyEvent> kHotKeyPress = {{SynthKey::Control, true},
                                                 {SynthKey::B, true},
                                                 {SynthKey::B, false},
                                                 {SynthKey::Control, false}};

TEST(CaptureHotKey, IsCtrlDownBDownBUpCtrlUp) {
    auto desktop = std::make_shared<FakeDesktop>();
    SendCaptureHotKey(*desktop->Services().Keys);
    EXPECT_EQ(desktop->SentKeys, kHotKeyPress);
}

TEST(CaptureHotKey, ReachesTheFocusedWindowAsCtrlB) {
    PrivateDisplay server({.Width = 640, .Height = 480});
    DisplayPtr display = Open(server);
    const Window window =
        CreatePlainWindow(display.get(), DefaultRootWindow(display.get()), {10, 10, 210, 210});
    MapAndWait(display.get(), window);
    XSelectInput(display.get(), window, KeyPressMask | KeyReleaseMask);
    XSetInputFocus(display.get(), window, RevertToParent, CurrentTime);
    XSync(display.get(), False);

    PlatformServices platform = MakeX11Platform(server.Name().c_str());
    SendCaptureHotKey(*platform.Keys);

    struct Seen {
        int type;
        KeySym symbol;
        bool control;
    };
    std::vector<Seen> seen;
    for (int i = 0; i < 4; ++i) {
        XEvent event;
        XWindowEvent(display.get(), window, KeyPressMask | KeyReleaseMask, &event);
        seen.push_back({event.type, XkbKeycodeToKeysym(display.get(), event.xkey.keycode, 0, 0),
                        (event.xkey.state & ControlMask) != 0});
    }
    EXPECT_EQ(seen[0].type, KeyPress);
    EXPECT_EQ(seen[0].symbol, static_cast<KeySym>(XK_Control_L));
    EXPECT_EQ(seen[1].type, KeyPress);
    EXPECT_EQ(seen[1].symbol, static_cast<KeySym>(XK_b));
    EXPECT_TRUE(seen[1].control) << "b must arrive with Ctrl held";
    EXPECT_EQ(seen[2].type, KeyRelease);
    EXPECT_EQ(seen[2].symbol, static_cast<KeySym>(XK_b));
    EXPECT_EQ(seen[3].type, KeyRelease);
    EXPECT_EQ(seen[3].symbol, static_cast<KeySym>(XK_Control_L));
}

} // namespace
} // namespace zorvic::testing
