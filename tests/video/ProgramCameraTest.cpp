// The real program with the test-pattern device, on an X server of its own with a window
// manager, driven by XTest as a user's hand: the camera button opens the camera window, which
// shows the live picture, saves a picture, records a clip, and gives the main window back when
// it closes.
#include "VideoTestSupport.h"

#include <gtest/gtest.h>

// After gtest: Xlib's macros break its headers.
#include "ProgramUnderTest.h"
#include "X11TestTools.h"

#include <cstdlib>
#include <filesystem>

namespace zorvic::testing {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

// The main window's client height below its menu bar, and where its camera button sits.
constexpr int kMainClientHeight = 288;
constexpr TPoint kCameraButton{69, 209};
// Places in the camera window: on the live picture's first (red) bar, and the controls.
constexpr TPoint kRedBar{30, 200};
constexpr TPoint kPanelBevel{1, 200};
constexpr TPoint kSaveSinglePicture{509, 25};
constexpr TPoint kStartRecording{500, 69};

class ProgramCameraTest : public ::testing::Test {
protected:
    ProgramCameraTest() { setenv("ZORVIC_TEST_CAMERA", "1", 1); }

    // The window's client area's top-left corner on the screen.
    TPoint Origin(Window window) {
        int x = 0, y = 0;
        Window child = 0;
        XTranslateCoordinates(display.get(), window, DefaultRootWindow(display.get()), 0, 0, &x, &y,
                              &child);
        return {x, y};
    }
    void Click(Window window, TPoint at) {
        const TPoint origin = Origin(window);
        MovePointer(display.get(), {origin.x + at.x, origin.y + at.y});
        PressButton(display.get(), true);
        PressButton(display.get(), false);
    }
    std::optional<fs::path> FileNamed(const std::string& name) {
        for (const auto& entry : fs::recursive_directory_iterator(program.Root()))
            if (entry.path().filename() == name) return entry.path();
        return std::nullopt;
    }

    PrivateDisplay server{{.Width = 1024, .Height = 768, .WindowManager = true}};
    DisplayPtr display = Open(server);
    ProgramUnderTest program{ZORVIC_EXECUTABLE, display.get(), server.Name()};
    test::TTempDir work;
    test::TCurrentDirectory current{work.Path("")};
};

TEST_F(ProgramCameraTest,
       TheCameraButtonOpensTheLiveCameraThatSavesRecordsAndGivesTheMainWindowBack) {
    program.StoreStartOptions({});
    program.Launch();
    const Window main = program.FindWindowTitled("ZorvicV1.5", true);
    ASSERT_NE(main, 0u) << "the main window did not appear";
    XWindowAttributes attributes{};
    XGetWindowAttributes(display.get(), main, &attributes);
    Click(main, {kCameraButton.x, attributes.height - kMainClientHeight + kCameraButton.y});

    const Window camera = program.FindWindowTitled("摄像头捕捉", true, 10s);
    ASSERT_NE(camera, 0u) << "the camera window did not appear";
    EXPECT_TRUE(WaitUntil([&] { return !program.IsShown(main); }, 5s)) << "the main window stays";
    auto red = [&](TPoint at) {
        const TPoint origin = Origin(camera);
        const TColor pixel = RootPixel(display.get(), origin.x + at.x, origin.y + at.y);
        return RedOf(pixel) > 180 && GreenOf(pixel) < 80 && BlueOf(pixel) < 80;
    };
    EXPECT_TRUE(WaitUntil([&] { return red(kRedBar); }, 10s)) << "no live picture";

    Click(camera, kSaveSinglePicture);
    std::optional<fs::path> picture;
    EXPECT_TRUE(WaitUntil([&] { return (picture = FileNamed("截图1.bmp")).has_value(); }, 10s));
    if (picture) {
        EXPECT_EQ(test::Identify("%m %w %h", picture->string()), "BMP3 640 480");
    }

    // The window's own maximum, 3 seconds; the panel's bevel is red meanwhile.
    Click(camera, kStartRecording);
    EXPECT_TRUE(WaitUntil([&] { return red(kPanelBevel); }, 5s)) << "no red panel";
    EXPECT_TRUE(WaitUntil([&] { return !red(kPanelBevel); }, 20s)) << "the recording went on";
    const std::string clip = work.Path("Video.avi");
    EXPECT_EQ(test::HeaderFrameCount(clip), 45);
    EXPECT_EQ(test::DecodedFrameCount(clip), 45);

    program.SendCloseRequest(camera);
    EXPECT_TRUE(WaitUntil([&] { return program.IsShown(main); }, 10s))
        << "the main window did not come back";
}

} // namespace
} // namespace zorvic::testing
