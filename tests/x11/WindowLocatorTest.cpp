// gtest before Xlib, whose macros (Bool, None) break its templates.
#include <gtest/gtest.h>

#include "PlatformServices.h"
#include "X11TestTools.h"

#include <X11/Xatom.h>

namespace zorvic::testing {
namespace {

class WindowsWithoutManager : public ::testing::Test {
protected:
    WindowsWithoutManager() {
        top = CreatePlainWindow(dpy(), root, {100, 100, 500, 400}, 0x808080, 2);
        child = CreatePlainWindow(dpy(), top, {50, 40, 150, 120});
        grandchild = CreatePlainWindow(dpy(), child, {10, 10, 30, 30});
        XMapWindow(dpy(), grandchild);
        XMapWindow(dpy(), child);
        // Catches clicks over the lower right part of the top-level window but shows nothing.
        const Window inputOnly = XCreateWindow(dpy(), top, 300, 200, 100, 100, 0, 0, InputOnly,
                                               CopyFromParent, 0, nullptr);
        XMapWindow(dpy(), inputOnly);
        MapAndWait(dpy(), top);
    }
    Display* dpy() const { return display.get(); }

    PrivateDisplay server{{.Width = 800, .Height = 600}};
    DisplayPtr display = Open(server);
    Window root = DefaultRootWindow(display.get());
    Window top = 0, child = 0, grandchild = 0;
    PlatformServices platform = MakeX11Platform(server.Name().c_str());
};

TEST_F(WindowsWithoutManager, FindTheInnermostWindowAndItsRectangleInRootCoordinates) {
    // The top-level window's inside starts at (102, 102) past its 2-pixel border.
    const struct {
        TPoint point;
        Window expected;
        TRect outer;
    } cases[] = {
        {{102 + 50 + 10 + 5, 102 + 40 + 10 + 5}, grandchild, {162, 152, 182, 172}},
        {{102 + 50 + 90, 102 + 40 + 70}, child, {152, 142, 252, 222}},
        {{110, 300}, top, {100, 100, 504, 404}},
        {{100, 100}, top, {100, 100, 504, 404}},
        {{102 + 350, 102 + 250}, top, {100, 100, 504, 404}},
        {{700, 500}, 0, {}},
    };
    for (const auto& c : cases) {
        const WindowId found = platform.Windows->WindowAt(c.point);
        EXPECT_EQ(found, c.expected) << "at " << c.point.x << "," << c.point.y;
        EXPECT_EQ(platform.Windows->OuterRect(found), c.outer)
            << "at " << c.point.x << "," << c.point.y;
    }
}

TEST_F(WindowsWithoutManager, ForegroundIsTheTopLevelWindowOfTheFocus) {
    XSetInputFocus(dpy(), PointerRoot, RevertToPointerRoot, CurrentTime);
    XSync(dpy(), False);
    EXPECT_EQ(platform.Windows->ForegroundWindow(), 0u);

    XSetInputFocus(dpy(), grandchild, RevertToParent, CurrentTime);
    XSync(dpy(), False);
    EXPECT_EQ(platform.Windows->ForegroundWindow(), top);

    XSetInputFocus(dpy(), None, RevertToNone, CurrentTime);
    XSync(dpy(), False);
    EXPECT_EQ(platform.Windows->ForegroundWindow(), 0u);

    platform.Windows->Activate(top);
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(dpy(), &focus, &revert);
    EXPECT_EQ(focus, top);
}

TEST_F(WindowsWithoutManager, VanishedWindowsGiveNothingAndNoError) {
    XDestroyWindow(dpy(), top);
    XSync(dpy(), False);
    EXPECT_EQ(platform.Windows->OuterRect(child), TRect{});
    EXPECT_NO_THROW(platform.Windows->Activate(child));
    EXPECT_EQ(platform.Windows->WindowAt({150, 150}), 0u);
    EXPECT_EQ(platform.Windows->OuterRect(0), TRect{});
}

Window ActiveWindow(Display* display) {
    Atom type = None;
    int format = 0;
    unsigned long items = 0, remaining = 0;
    unsigned char* data = nullptr;
    XGetWindowProperty(display, DefaultRootWindow(display),
                       XInternAtom(display, "_NET_ACTIVE_WINDOW", False), 0, 1, False, XA_WINDOW,
                       &type, &format, &items, &remaining, &data);
    const Window active = items == 1 ? *reinterpret_cast<Window*>(data) : 0;
    if (data) XFree(data);
    return active;
}

TEST(WindowsWithManager, ForegroundWindowRectangleIncludesTheFrame) {
    PrivateDisplay server({.Width = 800, .Height = 600, .WindowManager = true});
    DisplayPtr display = Open(server);
    PlatformServices platform = MakeX11Platform(server.Name().c_str());
    const Window client =
        CreatePlainWindow(display.get(), DefaultRootWindow(display.get()), {200, 150, 500, 350});
    MapAndWait(display.get(), client);

    platform.Windows->Activate(client);
    ASSERT_TRUE(WaitUntil([&] { return ActiveWindow(display.get()) == client; }));
    EXPECT_EQ(platform.Windows->ForegroundWindow(), client);

    // The frame is the client's parent, a child of the root.
    Window rootReturn = 0, frame = 0, *children = nullptr;
    unsigned count = 0;
    XQueryTree(display.get(), client, &rootReturn, &frame, &children, &count);
    if (children) XFree(children);
    int x = 0, y = 0;
    unsigned width = 0, height = 0, border = 0, depth = 0;
    XGetGeometry(display.get(), frame, &rootReturn, &x, &y, &width, &height, &border, &depth);
    const TRect frameRect{x, y, x + static_cast<int>(width + 2 * border),
                          y + static_cast<int>(height + 2 * border)};
    ASSERT_NE(frame, DefaultRootWindow(display.get()));
    ASSERT_TRUE(WaitUntil([&] { return platform.Windows->OuterRect(client) == frameRect; }))
        << "outer " << platform.Windows->OuterRect(client).Left << ","
        << platform.Windows->OuterRect(client).Top << " frame " << frameRect.Left << ","
        << frameRect.Top;
    EXPECT_GT(frameRect.Width(), 300);
    EXPECT_GT(frameRect.Height(), 200);
}

} // namespace
} // namespace zorvic::testing
