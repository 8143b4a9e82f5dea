// gtest before Xlib, whose macros (Bool, None) break its templates.
#include <gtest/gtest.h>

#include "PlatformServices.h"
#include "X11TestTools.h"

#include <X11/Xutil.h>

#include <atomic>
#include <thread>

namespace zorvic::testing {
namespace {

constexpr unsigned long kBelowPixel = 0x20A040;

class RepaintWaitTest : public ::testing::Test {
protected:
    RepaintWaitTest() {
        below = CreatePlainWindow(dpy(), root, {0, 0, 800, 600}, kBelowPixel);
        XSetWindowAttributes attributes{};
        attributes.override_redirect = True;
        XChangeWindowAttributes(dpy(), below, CWOverrideRedirect, &attributes);
        MapAndWait(dpy(), below);
        // A window of a program, put in a frame by the window manager.
        cover = CreatePlainWindow(dpy(), root, {150, 150, 300, 200}, 0xFFFFFF);
        MapAndWait(dpy(), cover);
        XRaiseWindow(dpy(), cover);
        XSync(dpy(), False);
        coverOuter = platform.Windows->OuterRect(cover);
    }
    Display* dpy() const { return display.get(); }
    // Hides as a toolkit does: the window goes, and the window manager is told.
    void Withdraw(Window window) {
        XWithdrawWindow(dpy(), window, DefaultScreen(dpy()));
        XFlush(dpy());
    }
    // The corners and the centre of where the cover stood, its frame included.
    bool AreaShowsBelow() {
        const TRect& r = coverOuter;
        for (const TPoint at : {TPoint{r.Left, r.Top}, TPoint{r.Right - 1, r.Top},
                                TPoint{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2},
                                TPoint{r.Left, r.Bottom - 1}, TPoint{r.Right - 1, r.Bottom - 1}})
            if (RootPixel(dpy(), at.x, at.y) != MakeColor(0x20, 0xA0, 0x40)) return false;
        return true;
    }

    PrivateDisplay server{{.Width = 800, .Height = 600, .WindowManager = true}};
    DisplayPtr display = Open(server);
    Window root = DefaultRootWindow(display.get());
    PlatformServices platform = MakeX11Platform(server.Name().c_str());
    std::shared_ptr<RepaintWait> repaints = platform.Repaints;
    Window below = 0, cover = 0;
    TRect coverOuter;
};

TEST_F(RepaintWaitTest, ReturnsOnceTheWindowAndItsFrameHaveLeftTheScreen) {
    ASSERT_FALSE(AreaShowsBelow());
    bool hidden = false;
    EXPECT_TRUE(repaints->HideAndWait(cover, [&] {
        Withdraw(cover);
        hidden = true;
    }));
    EXPECT_TRUE(hidden);
    EXPECT_TRUE(AreaShowsBelow());
}

TEST_F(RepaintWaitTest, AWindowNotOnTheScreenIsHiddenWithoutWaiting) {
    XIconifyWindow(dpy(), cover, DefaultScreen(dpy()));
    ASSERT_TRUE(WaitUntil([&] {
        XWindowAttributes attributes{};
        XGetWindowAttributes(dpy(), cover, &attributes);
        return attributes.map_state != IsViewable;
    }));
    int hides = 0;
    EXPECT_FALSE(repaints->HideAndWait(cover, [&] { ++hides; }));
    EXPECT_EQ(hides, 1);
    EXPECT_FALSE(repaints->HideAndWait(0, [&] { ++hides; }));
    EXPECT_EQ(hides, 2);
}

TEST_F(RepaintWaitTest, AScreenThatNeverRestsIsWaitedForOnlySoLong) {
    std::atomic<bool> stop{false};
    std::thread animation([&] {
        DisplayPtr own = Open(server);
        const Window clock = CreatePlainWindow(own.get(), DefaultRootWindow(own.get()),
                                               {600, 10, 700, 60}, 0x000000);
        XSetWindowAttributes attributes{};
        attributes.override_redirect = True;
        XChangeWindowAttributes(own.get(), clock, CWOverrideRedirect, &attributes);
        MapAndWait(own.get(), clock);
        GC gc = XCreateGC(own.get(), clock, 0, nullptr);
        for (unsigned long frame = 0; !stop; ++frame) {
            XSetForeground(own.get(), gc, frame * 0x010203);
            XFillRectangle(own.get(), clock, gc, 0, 0, 100, 50);
            XSync(own.get(), False);
        }
        XFreeGC(own.get(), gc);
    });
    EXPECT_TRUE(repaints->HideAndWait(cover, [&] { Withdraw(cover); }));
    stop = true;
    animation.join();
    EXPECT_TRUE(AreaShowsBelow());
}

} // namespace
} // namespace zorvic::testing
