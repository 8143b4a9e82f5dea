// capture grabs the screen of an X server of the test's own; the BMP files it writes are read
// back and compared pixel for pixel with what the server shows.
// gtest before Xlib, whose macros (Bool, None) break its templates.
#include <gtest/gtest.h>

#include "BmpFile.h"
#include "CliHarness.h"
#include "X11TestTools.h"

#include <iomanip>
#include <sstream>

namespace zorvic::test {
namespace {

using zorvic::testing::CreatePatternWindow;
using zorvic::testing::DisplayPtr;
using zorvic::testing::MapAndWait;
using zorvic::testing::PatternAt;
using zorvic::testing::PrivateDisplay;
using zorvic::testing::WaitUntil;

using Expected = std::function<TColor(int x, int y)>;

bool Contains(const TRect& rect, int x, int y) {
    return x >= rect.Left && x < rect.Right && y >= rect.Top && y < rect.Bottom;
}

// Compares `area` of the picture with `expected`, counting the pixels that differ and naming
// the first of them.
::testing::AssertionResult PixelsMatch(const TBitmap& picture, const TRect& area,
                                       const Expected& expected) {
    long differing = 0;
    std::ostringstream first;
    first << std::hex << std::setfill('0');
    for (int y = area.Top; y < area.Bottom; ++y) {
        for (int x = area.Left; x < area.Right; ++x) {
            const TColor found = picture.GetPixel(x, y);
            if (found == expected(x, y)) continue;
            if (differing++ == 0)
                first << std::dec << "(" << x << "," << y << ") is 0x" << std::hex << std::setw(6)
                      << found << ", expected 0x" << std::setw(6) << expected(x, y);
        }
    }
    if (differing == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << differing << " pixels differ; " << first.str();
}

// The whole file: its size, then every pixel.
::testing::AssertionResult FileShows(const fs::path& file, int width, int height,
                                     const Expected& expected) {
    const TBitmap picture = LoadBmpFile(file.string());
    if (picture.Width() != width || picture.Height() != height)
        return ::testing::AssertionFailure()
               << "the picture is " << picture.Width() << "x" << picture.Height() << ", expected "
               << width << "x" << height;
    return PixelsMatch(picture, {0, 0, width, height}, expected);
}

CliResult RunCapture(std::vector<std::string> arguments, const fs::path& output,
                     const std::string& display) {
    arguments.insert(arguments.begin(), "capture");
    arguments.insert(arguments.end(), {"-o", output.string()});
    return RunCli(arguments, display);
}

// A screen filled by one pattern window, with a child window showing a pattern of its own.
class Capture : public ::testing::Test {
protected:
    static constexpr int kWidth = 320;
    static constexpr int kHeight = 240;
    static constexpr TRect kScreen{0, 0, kWidth, kHeight};
    static constexpr TRect kChild{60, 50, 160, 130};

    Capture() {
        XMapWindow(dpy(), child_);
        MapAndWait(dpy(), parent_);
    }

    Display* dpy() const { return display_.get(); }

    // What the server shows at a screen point.
    static TColor Shown(int x, int y) {
        return Contains(kChild, x, y) ? PatternAt(x - kChild.Left, y - kChild.Top)
                                      : PatternAt(x, y);
    }

    // Runs `capture ARGUMENTS -o <name>` on this server and insists it succeeded quietly.
    fs::path Run(const std::vector<std::string>& arguments, const std::string& name = "out.bmp") {
        const fs::path output = folder_ / name;
        const CliResult result = RunCapture(arguments, output, server_.Name());
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.err, "");
        return output;
    }

    void MovePointer(int x, int y) {
        XWarpPointer(dpy(), 0, DefaultRootWindow(dpy()), 0, 0, 0, 0, x, y);
        XSync(dpy(), False);
    }

    PrivateDisplay server_{{.Width = kWidth, .Height = kHeight}};
    DisplayPtr display_ = zorvic::testing::Open(server_);
    Window parent_ = CreatePatternWindow(dpy(), DefaultRootWindow(dpy()), kScreen);
    Window child_ = CreatePatternWindow(dpy(), parent_, kChild);
    TTempDir folder_;
};

TEST_F(Capture, FullAndRectangleCopyTheScreenWithBlackBeyondIt) {
    const struct {
        std::vector<std::string> arguments;
        TRect area;
    } cases[] = {
        {{"full"}, kScreen},
        {{"rect", "10", "20", "90", "45"}, {10, 20, 100, 65}},
        {{"rect", "-15", "-10", "40", "30"}, {-15, -10, 25, 20}},
        {{"rect", "300", "220", "50", "30"}, {300, 220, 350, 250}},
        {{"rect", "-30", "-20", "380", "280"}, {-30, -20, 350, 260}},
        {{"rect", "400", "-50", "6", "5"}, {400, -50, 406, -45}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.arguments));
        const fs::path output = Run(c.arguments);
        EXPECT_TRUE(FileShows(output, c.area.Width(), c.area.Height(), [&](int x, int y) {
            const int screenX = c.area.Left + x, screenY = c.area.Top + y;
            return Contains(kScreen, screenX, screenY) ? Shown(screenX, screenY) : clBlack;
        }));
    }
    const fs::path full = Run({"full"});
    EXPECT_EQ(Identify(full), "BMP3 320 240");
    EXPECT_EQ(ReadBytes(full).at(28), 24); // bits per pixel: the editor's depth for captures
    EXPECT_EQ(Identify(Run({"full", "--quality", "35"}, "out.JPG"), "%m %w %h %Q"),
              "JPEG 320 240 35");
}

TEST_F(Capture, UnderMouseCapturesTheInnermostWindowUnderThePointer) {
    const struct {
        TPoint pointer;
        TRect window;
    } cases[] = {
        {{100, 90}, kChild},
        {{kChild.Left, kChild.Bottom - 1}, kChild},
        {{kChild.Left - 1, 90}, kScreen},
        {{300, 200}, kScreen},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.pointer.x) + "," + std::to_string(c.pointer.y));
        MovePointer(c.pointer.x, c.pointer.y);
        EXPECT_TRUE(
            FileShows(Run({"under-mouse"}), c.window.Width(), c.window.Height(),
                      [&](int x, int y) { return Shown(c.window.Left + x, c.window.Top + y); }));
    }
}

TEST_F(Capture, CursorIsDrawnAtThePointerOnlyWhenAsked) {
    const TPoint pointer{200, 150};
    MovePointer(pointer.x, pointer.y);
    const TRect nearPointer{pointer.x - 32, pointer.y - 32, pointer.x + 32, pointer.y + 32};

    EXPECT_TRUE(FileShows(Run({"full"}), kWidth, kHeight, Shown));

    const TBitmap withCursor = LoadBmpFile(Run({"full", "--cursor"}).string());
    EXPECT_FALSE(PixelsMatch(withCursor, nearPointer, Shown));
    for (const TRect away :
         {TRect{0, 0, kWidth, nearPointer.Top}, TRect{0, nearPointer.Bottom, kWidth, kHeight},
          TRect{0, nearPointer.Top, nearPointer.Left, nearPointer.Bottom},
          TRect{nearPointer.Right, nearPointer.Top, kWidth, nearPointer.Bottom}})
        EXPECT_TRUE(PixelsMatch(withCursor, away, Shown));

    // The cursor is drawn on the screen before the rectangle is cut from it.
    EXPECT_TRUE(FileShows(Run({"--cursor", "rect", "180", "130", "40", "40"}), 40, 40,
                          [&](int x, int y) { return withCursor.GetPixel(180 + x, 130 + y); }));
}

TEST_F(Capture, NoWindowToCaptureFailsAndWritesNothing) {
    XUnmapWindow(dpy(), parent_);
    XSync(dpy(), False);
    MovePointer(100, 90);
    const struct {
        std::string area;
        std::string needle;
    } cases[] = {{"active", "no window has the keyboard focus"},
                 {"under-mouse", "no window is under the mouse pointer"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.area);
        ExpectFailure(RunCapture({c.area}, folder_ / "out.bmp", server_.Name()), 1, c.needle);
    }
    EXPECT_EQ(folder_.Files(), std::vector<std::string>{});
}

// Asks the window manager, as a pager would, to activate the window.
void RequestActivation(Display* display, Window window) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "_NET_ACTIVE_WINDOW", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = 2;
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, DefaultRootWindow(display), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &event);
    XFlush(display);
}

// The window manager's frame around the client, in root coordinates.
TRect FrameRect(Display* display, Window client) {
    Window root = 0, frame = 0, *children = nullptr;
    unsigned count = 0;
    XQueryTree(display, client, &root, &frame, &children, &count);
    if (children) XFree(children);
    int x = 0, y = 0;
    unsigned width = 0, height = 0, border = 0, depth = 0;
    XGetGeometry(display, frame, &root, &x, &y, &width, &height, &border, &depth);
    return {x, y, x + static_cast<int>(width + 2 * border),
            y + static_cast<int>(height + 2 * border)};
}

TEST(CaptureWithWindowManager, ActiveCapturesTheFocusedWindowWithItsFrame) {
    PrivateDisplay server({.Width = 640, .Height = 480, .WindowManager = true});
    DisplayPtr display = zorvic::testing::Open(server);
    Display* dpy = display.get();
    const TRect clientRect{150, 100, 450, 320};
    const Window client = CreatePatternWindow(dpy, DefaultRootWindow(dpy), clientRect);
    MapAndWait(dpy, client);
    // Away from the window, so that the pointer cannot be what chooses it.
    XWarpPointer(dpy, 0, DefaultRootWindow(dpy), 0, 0, 0, 0, 635, 475);
    RequestActivation(dpy, client);
    ASSERT_TRUE(WaitUntil([&] {
        Window focus = 0;
        int revert = 0;
        XGetInputFocus(dpy, &focus, &revert);
        return focus == client;
    }));
    const TRect frame = FrameRect(dpy, client);
    ASSERT_GT(frame.Width(), clientRect.Width());
    int clientX = 0, clientY = 0;
    Window ignored = 0;
    XTranslateCoordinates(dpy, client, DefaultRootWindow(dpy), 0, 0, &clientX, &clientY, &ignored);

    TTempDir folder;
    const CliResult result = RunCapture({"active"}, folder / "active.bmp", server.Name());
    ASSERT_EQ(result.status, 0) << result.err;
    const TBitmap picture = LoadBmpFile((folder / "active.bmp").string());
    EXPECT_EQ(picture.Width(), frame.Width());
    EXPECT_EQ(picture.Height(), frame.Height());
    const TPoint inFrame{clientX - frame.Left, clientY - frame.Top};
    EXPECT_TRUE(PixelsMatch(
        picture,
        {inFrame.x, inFrame.y, inFrame.x + clientRect.Width(), inFrame.y + clientRect.Height()},
        [&](int x, int y) { return PatternAt(x - inFrame.x, y - inFrame.y); }));
}

TEST(CaptureWithoutDisplay, FailsWithStatusOneAndWritesNothing) {
    const struct {
        std::string display;
        std::string needle;
    } cases[] = {{"", "capture needs an X display, but $DISPLAY is not set"},
                 {":65000", "Cannot open the X display \":65000\""}};
    TTempDir folder;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.display);
        for (const std::string area : {"full", "active"})
            ExpectFailure(RunCapture({area}, folder / "out.bmp", c.display), 1, c.needle);
    }
    EXPECT_EQ(folder.Files(), std::vector<std::string>{});
}

} // namespace
} // namespace zorvic::test
