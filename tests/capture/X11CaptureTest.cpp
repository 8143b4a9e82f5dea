// Qt before Xlib, whose macros (KeyPress, None, Bool) break Qt's and gtest's headers.
#include "DispatchFixture.h"
#include "HookCalls.h"
#include "ScreenCapture.h"

#include <QCoreApplication>
#include <QFrame>

#include "X11TestTools.h"

#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace zorvic::testing {

namespace {

// Lets the Qt side handle what the server sent until the condition holds.
bool PumpUntil(const std::function<bool()>& condition) {
    return WaitUntil([&] {
        QCoreApplication::processEvents();
        return condition();
    });
}

class X11Capture : public DispatchFixture {
protected:
    X11Capture() : DispatchFixture(MakeX11Platform(ProcessDisplay().Name().c_str())) {}

    void MovePointer(TPoint to) { testing::MovePointer(display.get(), to); }
    void Button(bool down) { PressButton(display.get(), down); }
    TBitmap GrabNow() {
        TBitmap screen;
        GrabScreen(screen, platform);
        return screen;
    }
    // Where the server has a Qt window now, in root coordinates.
    QRect ServerGeometry(const QWidget& widget) {
        XWindowAttributes attributes{};
        XGetWindowAttributes(display.get(), widget.winId(), &attributes);
        return {attributes.x, attributes.y, attributes.width, attributes.height};
    }

    // Test windows stay where they are put, out of the window manager's hands.
    Window Unmanaged(Window window) {
        XSetWindowAttributes attributes{};
        attributes.override_redirect = True;
        XChangeWindowAttributes(display.get(), window, CWOverrideRedirect, &attributes);
        return window;
    }

    // Whether this client could take the pointer now, as any program's menu or drag would.
    bool PointerIsFree() {
        const bool free =
            XGrabPointer(display.get(), DefaultRootWindow(display.get()), False, ButtonPressMask,
                         GrabModeAsync, GrabModeAsync, None, None, CurrentTime) == GrabSuccess;
        XUngrabPointer(display.get(), CurrentTime);
        XSync(display.get(), False);
        return free;
    }

    DisplayPtr display = Open(ProcessDisplay());
};

TEST_F(X11Capture, OverlayDragHandsTheFrozenScreenAndBothCornersToTheEditor) {
    MapAndWait(display.get(),
               Unmanaged(CreatePatternWindow(display.get(), DefaultRootWindow(display.get()),
                                             {100, 100, 900, 700})));
    // The editor, a managed window, must come up in front of the overlay.
    QWidget editorWindow;
    editorWindow.setGeometry(1200, 300, 300, 200);
    editorWindow.setPalette(QPalette(Qt::red));
    editorWindow.setAutoFillBackground(true);
    bool editorInFront = false;
    editor.WhileModal = [&] {
        editorWindow.show();
        editorInFront = PumpUntil([&] { return GrabNow().GetPixel(1350, 400) == clRed; });
    };
    const TBitmap before = GrabNow();
    PressHotKeyAndTick();
    ASSERT_TRUE(PumpUntil([&] { return overlay.isVisible() && ServerGeometry(overlay).width(); }));

    MovePointer({500, 400});
    Button(true);
    for (const TPoint at : {TPoint{450, 350}, TPoint{380, 300}, TPoint{300, 250}})
        MovePointer(at);
    ASSERT_TRUE(PumpUntil([&] { return overlay.Panel->pos() == QPoint(305, 255); }));
    // The band is on the screen, XORed into the frozen picture.
    ASSERT_TRUE(PumpUntil(
        [&] { return GrabNow().GetPixel(400, 250) == (before.GetPixel(400, 250) ^ clYellow); }));
    EXPECT_EQ(GrabNow().GetPixel(400, 300), before.GetPixel(400, 300));

    Button(false);
    ASSERT_TRUE(PumpUntil([&] { return !overlay.isVisible(); }));
    EXPECT_EQ(editor.SelStart, (TPoint{500, 400}));
    EXPECT_EQ(editor.SelEnd, (TPoint{300, 250}));
    EXPECT_TRUE(IsScreenPart(editor.Received, before, {0, 0, 1920, 1080}));
    EXPECT_TRUE(editorInFront);
}

TEST_F(X11Capture, EscapeOnTheKeyboardCancelsTheOverlay) {
    PressHotKeyAndTick();
    ASSERT_TRUE(PumpUntil([&] { return overlay.isVisible() && ServerGeometry(overlay).width(); }));
    const KeyCode escape = XKeysymToKeycode(display.get(), XK_Escape);
    XTestFakeKeyEvent(display.get(), escape, True, CurrentTime);
    XTestFakeKeyEvent(display.get(), escape, False, CurrentTime);
    XSync(display.get(), False);
    EXPECT_TRUE(PumpUntil([&] { return !overlay.isVisible(); }));
    EXPECT_EQ(log, (CallLog{"DisableHotKeyHook", "StopTimer1", "CaptureCancelled"}));
}

TEST_F(X11Capture, EscapeDuringADragKeepsTheReleaseFromTheDesktop) {
    const Window root = DefaultRootWindow(display.get());
    PressHotKeyAndTick();
    ASSERT_TRUE(PumpUntil([&] { return overlay.isVisible() && ServerGeometry(overlay).width(); }));
    MovePointer({500, 400});
    Button(true);
    MovePointer({300, 250});
    ASSERT_TRUE(PumpUntil([&] { return overlay.Panel->pos() == QPoint(305, 255); }));
    TapChord(display.get(), {}, XK_Escape);
    ASSERT_TRUE(PumpUntil([&] { return !overlay.Panel->isVisible(); }));
    // The window manager's desktop menu would open on a release that reaches the root.
    XSelectInput(display.get(), root, ButtonReleaseMask);
    XSync(display.get(), False);
    Button(false);
    XEvent release;
    EXPECT_FALSE(XCheckTypedWindowEvent(display.get(), root, ButtonRelease, &release));
    XSelectInput(display.get(), root, NoEventMask);
    EXPECT_TRUE(PumpUntil([&] { return !overlay.isVisible(); }));
    EXPECT_EQ(log, (CallLog{"DisableHotKeyHook", "StopTimer1", "CaptureCancelled"}));
}

// With the hook library itself, which holds the pointer while a pick is armed.
TEST_F(X11Capture, ChoosingAModeOutsideThePickModesLetsThePointerGo) {
    TCaptureDispatcher picker{host, editor, overlay, frame, LibraryHookCalls(), platform};
    host.Mode = CaptureMode::FixRegion;
    picker.StartHotKeyWatch();
    // The library grabs Ctrl+B on a thread of its own, some time after it is asked to.
    ASSERT_TRUE(PumpUntil([&] {
        TapChord(display.get(), {XK_Control_L}, XK_b);
        picker.Timer1Timer();
        return picker.PickArmed;
    }));
    ASSERT_TRUE(PumpUntil([&] { return !PointerIsFree(); }));

    host.Mode = CaptureMode::FullScreen;
    picker.StartHotKeyWatch(); // selecting a mode
    EXPECT_FALSE(picker.PickArmed);
    EXPECT_FALSE(frame.isVisible());
    EXPECT_TRUE(PumpUntil([&] { return PointerIsFree(); }));
    picker.StopHotKeyWatch();
}

TEST_F(X11Capture, FixedRegionFrameShowsABlueRingAndCapturesItsHole) {
    MapAndWait(display.get(),
               Unmanaged(CreatePatternWindow(display.get(), DefaultRootWindow(display.get()),
                                             {600, 200, 1500, 900})));
    const TBitmap before = GrabNow();
    MovePointer({1000, 500});
    host.Mode = CaptureMode::FixRegion;
    PressHotKeyAndTick();
    ASSERT_TRUE(PumpUntil([&] { return ServerGeometry(frame) == QRect(700, 300, 610, 410); }));
    ASSERT_TRUE(PumpUntil([&] { return GrabNow().GetPixel(702, 302) == clBlue; }));
    const TBitmap shown = GrabNow();
    for (const TPoint ring : {TPoint{704, 400}, TPoint{1000, 302}, TPoint{1307, 707}})
        EXPECT_EQ(shown.GetPixel(ring.x, ring.y), clBlue);
    for (const TPoint clear : {TPoint{701, 400}, TPoint{705, 305}, TPoint{1000, 500},
                               TPoint{1304, 704}, TPoint{1308, 710}})
        EXPECT_EQ(shown.GetPixel(clear.x, clear.y), before.GetPixel(clear.x, clear.y));
    // The pointer passes through the ring to the window below.
    EXPECT_NE(platform.Windows->WindowAt({703, 400}), frame.winId());

    hooks.PressMouse();
    dispatcher.Timer1Timer();
    EXPECT_TRUE(IsScreenPart(editor.Received, before, {705, 305, 1305, 705}));
}

TEST_F(X11Capture, ControlPickHugsTheChildWindowUnderThePointer) {
    const Window root = DefaultRootWindow(display.get());
    const Window parent =
        Unmanaged(CreatePlainWindow(display.get(), root, {100, 100, 900, 700}, 0x203040));
    const Window child = CreatePatternWindow(display.get(), parent, {50, 40, 250, 100});
    XMapWindow(display.get(), child);
    MapAndWait(display.get(), parent);
    const TBitmap before = GrabNow();
    host.Mode = CaptureMode::AxtiveObject;
    MovePointer({200, 160});
    PressHotKeyAndTick();
    ASSERT_TRUE(PumpUntil([&] { return ServerGeometry(frame) == QRect(145, 135, 210, 70); }));

    // On the frame's own ring the parent is under the pointer, not the frame.
    MovePointer({148, 150});
    dispatcher.Timer1Timer();
    EXPECT_TRUE(PumpUntil([&] { return ServerGeometry(frame) == QRect(95, 95, 810, 610); }));

    MovePointer({300, 190});
    hooks.PressMouse();
    dispatcher.Timer1Timer();
    EXPECT_TRUE(IsScreenPart(editor.Received, before, {150, 140, 350, 200}));
}

} // namespace
} // namespace zorvic::testing
