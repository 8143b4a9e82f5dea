// The real program on an X server of its own with a window manager: each capture mode, started
// by the hot key or the Capture button, opens the editor with the right picture. The picture
// is read back through the editor's copy to the clipboard, by a second X client.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

// After gtest and Qt: Xlib's macros break their headers.
#include "Commands.h"
#include "ProgramUnderTest.h"
#include "X11TestTools.h"

#include <X11/keysym.h>

#include <cstdlib>
#include <memory>

namespace zorvic::testing {
namespace {

using namespace std::chrono_literals;

constexpr int kScreenWidth = 1024, kScreenHeight = 768;
// The main window's client area below its menu bar.
constexpr int kClientHeight = 288;
constexpr unsigned long kPlainPixel = 0x3060A0;
// Where the pointer waits between the test's moves: over no window.
constexpr TPoint kRestingPlace{kScreenWidth - 1, kScreenHeight - 1};

enum ModeButton { ActiveWindowBtn, FullScreenBtn, RegionBtn, FixRegionBtn, AxtiveObjectBtn };
enum class Trigger { HotKey, CaptureButton };

// Pixels of `picture` that differ from what a pattern window with its top-left corner at
// `window` shows over the screen area `area`; `origin` is where the picture's (0, 0) was.
int PatternMismatches(const QImage& picture, QPoint origin, QRect area, QPoint window) {
    int mismatches = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const TColor expected = PatternAt(x - window.x(), y - window.y());
            const QRgb got = picture.pixel(x - origin.x(), y - origin.y());
            if (qRed(got) != RedOf(expected) || qGreen(got) != GreenOf(expected) ||
                qBlue(got) != BlueOf(expected))
                ++mismatches;
        }
    return mismatches;
}

// Where two pictures differ, or nothing when they are the same.
std::string Differences(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return "sizes differ";
    int count = 0;
    std::string first;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if ((a.pixel(x, y) & 0xFFFFFF) != (b.pixel(x, y) & 0xFFFFFF) && count++ == 0)
                first = "first at (" + std::to_string(x) + ", " + std::to_string(y) + ")";
    return count ? std::to_string(count) + " pixels differ, " + first : "";
}

int PixelsOtherThan(const QImage& picture, QRect area, QRgb colour) {
    int others = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if ((picture.pixel(x, y) & 0xFFFFFF) != (colour & 0xFFFFFF)) ++others;
    return others;
}

class CaptureEndToEndTest : public ::testing::TestWithParam<Trigger> {
protected:
    void Start(bool includeCursor = false) {
        program.StoreStartOptions({.IncludeCursor = includeCursor});
        program.Launch();
        main = program.FindWindowTitled("ZorvicV1.5", true);
        ASSERT_NE(main, 0u) << "the main window did not appear";
        // The hook library grabs Ctrl+B on a thread of its own. A look of ours may meet its grab
        // half-way; it then grabs again, and only a key held under every lock state counts.
        ASSERT_TRUE(WaitUntil([&] { return CtrlBHeldElsewhere(display.get()); }, 10s))
            << "no hot key";
        // The hand rests off the window, so that no hover or tool tip changes how it looks.
        MovePointer(kRestingPlace);
    }

    // The main window's client area on the screen.
    QRect MainWindowRect() {
        XWindowAttributes attributes{};
        XGetWindowAttributes(display.get(), main, &attributes);
        int x = 0, y = 0;
        Window child = 0;
        XTranslateCoordinates(display.get(), main, DefaultRootWindow(display.get()), 0, 0, &x, &y,
                              &child);
        return {x, y, attributes.width, attributes.height};
    }
    // A managed window with the window manager's frame around it, borders included.
    QRect OuterRect(Window window) {
        const Window root = DefaultRootWindow(display.get());
        Window parent = 0, up = 0, *children = nullptr;
        unsigned count = 0;
        while (XQueryTree(display.get(), window, &up, &parent, &children, &count) &&
               parent != root) {
            if (children) XFree(children);
            children = nullptr;
            window = parent;
        }
        if (children) XFree(children);
        XWindowAttributes outer{};
        XGetWindowAttributes(display.get(), window, &outer);
        return {outer.x, outer.y, outer.width + 2 * outer.border_width,
                outer.height + 2 * outer.border_width};
    }
    // A point of the mode panel, given in the panel's own coordinates.
    TPoint PanelPoint(int x, int y) {
        const QRect window = MainWindowRect();
        const int menuBarHeight = window.height() - kClientHeight;
        return {window.x() + x, window.y() + menuBarHeight + y};
    }
    // What the server shows of a mode button, inside its edges.
    std::vector<unsigned long> ModeButtonLook(ModeButton button) {
        const TPoint centre = PanelPoint(69, 19 + 38 * button);
        return ScreenPixels(display.get(),
                            {centre.x - 40, centre.y - 10, centre.x + 40, centre.y + 10});
    }
    // Chooses a mode and waits until the program has taken the click. The press shows the
    // button down (and takes the focus from the others); only the release, once handled, draws
    // the Region button, down since the start, up again.
    void ClickModeButton(ModeButton button) {
        const std::vector<unsigned long> up = ModeButtonLook(button);
        MovePointer(PanelPoint(69, 19 + 38 * button));
        Button(true);
        ASSERT_TRUE(WaitUntil([&] { return ModeButtonLook(button) != up; })) << "no press";
        const std::vector<unsigned long> regionDown = ModeButtonLook(RegionBtn);
        Button(false);
        ASSERT_TRUE(WaitUntil([&] { return ModeButtonLook(RegionBtn) != regionDown; }))
            << "the mode was not chosen";
        MovePointer(kRestingPlace);
    }
    TPoint CaptureButtonPoint() { return PanelPoint(67, 248); }

    void MovePointer(TPoint to) { testing::MovePointer(display.get(), to); }
    void Button(bool down) { PressButton(display.get(), down); }
    void Click(TPoint at) {
        MovePointer(at);
        Button(true);
        Button(false);
    }
    void PressCtrlAnd(KeySym key) { TapChord(display.get(), {XK_Control_L}, key); }

    // Starts a capture as the test's parameter says, the pointer then resting at `pointer`.
    void StartCapture(TPoint pointer) {
        if (GetParam() == Trigger::HotKey) {
            MovePointer(pointer);
            PressCtrlAnd(XK_b);
        } else {
            // In the modes that grab at once the pointer's place at the grab is not known: those
            // tests keep it on the button (CaptureButtonPoint). The hand leaves the button only
            // once the program has taken the click, which hides the main window: a window
            // manager that replays the press would otherwise see the pointer already gone.
            Click(CaptureButtonPoint());
            ASSERT_TRUE(WaitUntil([&] { return !program.IsShown(main); }, 10s))
                << "the Capture button was not taken";
            MovePointer(pointer);
        }
    }

    // What `zorvic-cli capture ARGUMENTS` writes, read back by Qt.
    QImage CliCapture(const std::string& arguments) {
        const std::string file = program.Root() + "/cli.bmp";
        const TCommandResult result =
            testing::Run("DISPLAY=" + server.Name() + " " ZORVIC_CLI_EXECUTABLE " capture " +
                         arguments + " -o " + Quoted(file));
        EXPECT_EQ(result.exitCode, 0) << arguments << ": " << result.output;
        return QImage(QString::fromStdString(file)).convertToFormat(QImage::Format_RGB32);
    }

    Window WaitForEditor() { return program.FindWindowTitled("图像编辑", true, 10s); }

    // Whether the pick's frame window comes to be shown over exactly `rect`.
    bool FrameShownAt(const TRect& rect) {
        return program.FindWindow(
                   [&](Window window) {
                       XWindowAttributes attributes{};
                       return XGetWindowAttributes(display.get(), window, &attributes) &&
                              attributes.override_redirect && program.IsShown(window) &&
                              attributes.x == rect.Left && attributes.y == rect.Top &&
                              attributes.width == rect.Width() &&
                              attributes.height == rect.Height();
                   },
                   10s) != 0;
    }

    // What the shown editor holds: copied with Ctrl+C and read from the clipboard by xclip. The
    // program reads the focus change before the key, in the order the server sent them.
    QImage CopyFromEditor(Window editor) {
        XSetInputFocus(display.get(), editor, RevertToParent, CurrentTime);
        XSync(display.get(), False);
        PressCtrlAnd(XK_c);
        const Window box = program.FindWindow(
            [&](Window window) {
                return program.TitleOf(window) == "Zorvic" && program.IsShown(window) &&
                       program.IsTransient(window);
            },
            10s);
        EXPECT_NE(box, 0u) << "no message after copying";
        const std::string png =
            testing::Run("DISPLAY=" + server.Name() + " xclip -selection clipboard -t image/png -o",
                         false)
                .output;
        if (box) program.SendCloseRequest(box);
        return QImage::fromData(reinterpret_cast<const uchar*>(png.data()),
                                static_cast<int>(png.size()), "PNG")
            .convertToFormat(QImage::Format_RGB32);
    }

    void CloseEditor(Window editor) {
        program.SendCloseRequest(editor);
        EXPECT_TRUE(WaitUntil([&] { return !program.IsShown(editor); }));
    }

    Window Unmanaged(Window window) {
        XSetWindowAttributes attributes{};
        attributes.override_redirect = True;
        XChangeWindowAttributes(display.get(), window, CWOverrideRedirect, &attributes);
        return window;
    }
    // Shows a window of the test's own below the program's, where a user's windows would be:
    // the main window stays clickable, and it has to hide to leave the window in the capture.
    void ShowBelow(Window window) {
        // Lowered before it is mapped, it never covers the program's windows for a moment: the
        // main window is not exposed and drawn again while the test goes on clicking it.
        XLowerWindow(display.get(), Unmanaged(window));
        MapAndWait(display.get(), window);
    }
    void ShowPattern(const TRect& rect) {
        ShowBelow(CreatePatternWindow(display.get(), DefaultRootWindow(display.get()), rect));
    }
    void ShowPlain(const TRect& rect) {
        ShowBelow(
            CreatePlainWindow(display.get(), DefaultRootWindow(display.get()), rect, kPlainPixel));
    }

    PrivateDisplay server{{.Width = kScreenWidth, .Height = kScreenHeight, .WindowManager = true}};
    DisplayPtr display = Open(server);
    ProgramUnderTest program{ZORVIC_EXECUTABLE, display.get(), server.Name()};
    Window main = 0;
};

TEST_P(CaptureEndToEndTest, FullScreenLeavesTheMainWindowOutAndGivesItBackAfterwards) {
    ASSERT_NO_FATAL_FAILURE(Start());
    ClickModeButton(FullScreenBtn);
    ShowPattern({40, 30, 240, 180});
    const QRect mainWindow = OuterRect(main);
    QImage fromCli = CliCapture("full");
    StartCapture({900, 700});
    const Window editor = WaitForEditor();
    ASSERT_NE(editor, 0u);
    const QImage picture = CopyFromEditor(editor);
    ASSERT_EQ(picture.size(), QSize(kScreenWidth, kScreenHeight));
    EXPECT_EQ(PatternMismatches(picture, {0, 0}, QRect(40, 30, 200, 150), {40, 30}), 0);
    // Hidden before the grab, as the option asks: the desktop shows where it stood.
    EXPECT_EQ(PixelsOtherThan(picture, mainWindow, picture.pixel(kScreenWidth - 1, 0)), 0);
    // The command-line companion, run while the main window was up, grabs the same pixels
    // everywhere else.
    ASSERT_EQ(fromCli.size(), picture.size());
    QPainter(&fromCli).fillRect(mainWindow, picture.pixel(kScreenWidth - 1, 0));
    EXPECT_EQ(Differences(picture, fromCli), "");
    CloseEditor(editor);
    EXPECT_TRUE(WaitUntil([&] { return program.IsShown(main); })) << "main window not back";
}

TEST_P(CaptureEndToEndTest, FullScreenHasTheCursorWhenAsked) {
    ASSERT_NO_FATAL_FAILURE(Start(true));
    ClickModeButton(FullScreenBtn);
    // Also under the main window, where the Capture button is.
    ShowPlain({200, 150, 900, 700});
    // The capture is taken with the pointer where the hand is: on the button it clicked.
    TPoint at{400, 300};
    if (GetParam() == Trigger::HotKey) {
        StartCapture(at);
    } else {
        at = CaptureButtonPoint();
        MovePointer(at);
        Button(true);
        Button(false);
    }
    const Window editor = WaitForEditor();
    ASSERT_NE(editor, 0u);
    const QImage picture = CopyFromEditor(editor);
    ASSERT_EQ(picture.size(), QSize(kScreenWidth, kScreenHeight));
    // The arrow's hot spot is its tip: the cursor lies below and to the right of the pointer.
    EXPECT_GT(PixelsOtherThan(picture, QRect(at.x, at.y, 16, 16), 0xFF3060A0), 10);
    EXPECT_EQ(PixelsOtherThan(picture, QRect(300, 200, 90, 90), 0xFF3060A0), 0);
    CloseEditor(editor);
}

// With the Capture button the main window is the active one, and it hides for the grab; the hot
// key is how a user captures another window.
using ActiveWindowCapture = CaptureEndToEndTest;

TEST_F(ActiveWindowCapture, HotKeyCapturesTheActiveWindowWithItsFrame) {
    ASSERT_NO_FATAL_FAILURE(Start());
    ClickModeButton(ActiveWindowBtn);
    const Window root = DefaultRootWindow(display.get());
    // Clear of the main window, which the companion (run first) sees behind the frame's rounded
    // corners while the capture hides it.
    const Window client = CreatePatternWindow(display.get(), root, {10, 10, 210, 140});
    MapAndWait(display.get(), client);
    // Focus by a click, as a user would; the window manager puts its frame around the window.
    int clientX = 0, clientY = 0;
    Window child = 0;
    ASSERT_TRUE(WaitUntil([&] {
        XTranslateCoordinates(display.get(), client, root, 0, 0, &clientX, &clientY, &child);
        return clientX > 0;
    }));
    Click({clientX + 100, clientY + 60});
    ASSERT_TRUE(WaitUntil([&] {
        Window focus = 0;
        int revert = 0;
        XGetInputFocus(display.get(), &focus, &revert);
        return focus == client;
    })) << "the click did not focus the window";
    // The window manager redraws the frame of the window it has just focused.
    WaitForWindowManager(display.get());
    const QRect outer = OuterRect(client);

    const QImage fromCli = CliCapture("active");
    PressCtrlAnd(XK_b);
    const Window editor = WaitForEditor();
    ASSERT_NE(editor, 0u);
    const QImage picture = CopyFromEditor(editor);
    ASSERT_EQ(picture.size(), outer.size());
    EXPECT_EQ(PatternMismatches(picture, outer.topLeft(), QRect(clientX, clientY, 200, 130),
                                {clientX, clientY}),
              0);
    // The command-line companion cuts the same window out of the same screen.
    EXPECT_EQ(Differences(picture, fromCli), "");
    CloseEditor(editor);
}

TEST_P(CaptureEndToEndTest, RegionDragCapturesTheScreenPixelsUnderTheBand) {
    ASSERT_NO_FATAL_FAILURE(Start());
    ShowPattern({250, 200, 600, 450});
    StartCapture({500, 400});
    // Again at once: the first press switched the hot key off, so one overlay only.
    PressCtrlAnd(XK_b);
    // The overlay shows the screen as it was, so only the server can tell it is there.
    ASSERT_NE(program.FindWindow(
                  [&](Window window) {
                      XWindowAttributes attributes{};
                      return program.TitleOf(window) == "Zorvic" && program.IsShown(window) &&
                             XGetWindowAttributes(display.get(), window, &attributes) &&
                             attributes.width == kScreenWidth;
                  },
                  10s),
              0u)
        << "no overlay";
    // The command-line companion, run over the overlay once it shows the frozen screen.
    QImage fromCli;
    ASSERT_TRUE(WaitUntil(
        [&] {
            fromCli = CliCapture("rect 300 250 200 150");
            return PatternMismatches(fromCli, {300, 250}, QRect(300, 250, 200, 150), {250, 200}) ==
                   0;
        },
        10s));
    const TPoint start{500, 400};
    MovePointer(start);
    Button(true);
    for (const TPoint at : {TPoint{450, 350}, TPoint{380, 300}, TPoint{300, 250}}) {
        MovePointer(at);
        // The band's side through the pointer, in yellow exclusive-or over the frozen pattern.
        const TPoint side{at.x, (at.y + start.y) / 2};
        ASSERT_TRUE(WaitUntil([&] {
            return RootPixel(display.get(), side.x, side.y) ==
                   (PatternAt(side.x - 250, side.y - 200) ^ clYellow);
        })) << "no band to "
            << at.x << "," << at.y;
    }
    Button(false);
    const Window editor = WaitForEditor();
    ASSERT_NE(editor, 0u);
    const QImage picture = CopyFromEditor(editor);
    ASSERT_EQ(picture.size(), QSize(200, 150));
    EXPECT_EQ(Differences(picture, fromCli), "");
    CloseEditor(editor);
}

TEST_P(CaptureEndToEndTest, FixedRegionFrameFollowsThePointerAndTheClickCapturesItsHole) {
    ASSERT_NO_FATAL_FAILURE(Start());
    ClickModeButton(FixRegionBtn);
    ShowPattern({100, 80, 1000, 700});
    StartCapture({512, 384});
    // The 600 x 400 frame, centred on the pointer, follows it.
    ASSERT_TRUE(FrameShownAt({212, 184, 822, 594})) << "no frame at the pointer";
    MovePointer({500, 380});
    ASSERT_TRUE(FrameShownAt({200, 180, 810, 590})) << "the frame did not follow";
    Button(true);
    Button(false);
    const Window editor = WaitForEditor();
    ASSERT_NE(editor, 0u);
    const QImage picture = CopyFromEditor(editor);
    ASSERT_EQ(picture.size(), QSize(600, 400));
    // The hole lies 5 pixels inside the frame, which is centred on the pointer.
    EXPECT_EQ(PatternMismatches(picture, {205, 185}, QRect(205, 185, 600, 400), {100, 80}), 0);
    CloseEditor(editor);
}

TEST_P(CaptureEndToEndTest, ControlPickCapturesTheWindowUnderThePointer) {
    ASSERT_NO_FATAL_FAILURE(Start());
    ClickModeButton(AxtiveObjectBtn);
    const Window root = DefaultRootWindow(display.get());
    const Window parent = CreatePlainWindow(display.get(), root, {60, 60, 700, 600}, kPlainPixel);
    XMapWindow(display.get(), CreatePatternWindow(display.get(), parent, {100, 80, 340, 230}));
    ShowBelow(parent);
    StartCapture({250, 200});
    // The frame rings the window under the pointer, 5 pixels out.
    ASSERT_TRUE(FrameShownAt({155, 135, 405, 295})) << "no frame around the window";
    Button(true);
    Button(false);
    const Window editor = WaitForEditor();
    ASSERT_NE(editor, 0u);
    const QImage picture = CopyFromEditor(editor);
    ASSERT_EQ(picture.size(), QSize(240, 150));
    EXPECT_EQ(PatternMismatches(picture, {160, 140}, QRect(160, 140, 240, 150), {160, 140}), 0);
    CloseEditor(editor);
}

INSTANTIATE_TEST_SUITE_P(ByHotKeyAndButton, CaptureEndToEndTest,
                         ::testing::Values(Trigger::HotKey, Trigger::CaptureButton),
                         [](const ::testing::TestParamInfo<Trigger>& info) {
                             return info.param == Trigger::HotKey ? "HotKey" : "CaptureButton";
                         });

} // namespace
} // namespace zorvic::testing
