#include "DispatchFixture.h"
#include "Errors.h"
#include "MessageBoxes.h"
#include "ScreenCapture.h"
#include "TCanvas.h"

#include <QTest>

#include <algorithm>

namespace zorvic::testing {
namespace {

using Dispatch = DispatchFixture;

struct ModeSequence {
    CaptureMode Mode;
    CallLog Calls;
    bool TimerKeepsRunning;
};

class HotKeySequence : public DispatchFixture,
                       public ::testing::WithParamInterface<ModeSequence> {};

TEST_P(HotKeySequence, RunsTheModesStepsInOrder) {
    host.Mode = GetParam().Mode;
    // A window under the pointer, for the control pick to frame.
    desktop->Windows = {{1, {0, 0, 1920, 1080}}};
    PressHotKeyAndTick();
    EXPECT_EQ(log, GetParam().Calls);
    EXPECT_EQ(host.Timer1Running, GetParam().TimerKeepsRunning);
    EXPECT_FALSE(hooks.HotKeyHookOn);
    EXPECT_EQ(overlay.isVisible(), GetParam().Mode == CaptureMode::Region);
    EXPECT_EQ(frame.isVisible(), dispatcher.PickArmed);
}

INSTANTIATE_TEST_SUITE_P(
    EachMode, HotKeySequence,
    ::testing::Values(ModeSequence{CaptureMode::Region, {"DisableHotKeyHook", "StopTimer1"}, false},
                      ModeSequence{CaptureMode::FullScreen,
                                   {"DisableHotKeyHook", "StopTimer1", "LoadFullScreen", "Show"},
                                   false},
                      ModeSequence{CaptureMode::ActiveWindow,
                                   {"LoadPicture", "DisableHotKeyHook", "StopTimer1", "Show"},
                                   false},
                      ModeSequence{CaptureMode::AxtiveObject,
                                   {"EnableMouseHook", "DisableHotKeyHook", "StartTimer1"},
                                   true},
                      ModeSequence{CaptureMode::FixRegion,
                                   {"EnableMouseHook", "DisableHotKeyHook", "StartTimer1"},
                                   true}));

TEST_F(Dispatch, IdleTicksDoNothing) {
    for (int tick = 0; tick < 3; ++tick)
        dispatcher.Timer1Timer();
    EXPECT_TRUE(log.empty());
    EXPECT_FALSE(overlay.isVisible() || frame.isVisible() || dispatcher.PickArmed);
}

TEST_F(Dispatch, FullScreenDrawsTheCursorOnlyWhenIncludeCursorIsChecked) {
    host.Mode = CaptureMode::FullScreen;
    desktop->Cursor = CursorImage{2, 2, {1, 1}, std::vector<std::uint32_t>(4, 0xFFFF0000)};
    desktop->CursorPosition = {101, 51};
    for (const bool include : {false, true}) {
        host.IncludeCursor = include;
        PressHotKeyAndTick();
        EXPECT_EQ(editor.Received.GetPixel(100, 50), include ? clRed : ScreenPattern(100, 50));
        EXPECT_EQ(editor.Received.GetPixel(102, 52), ScreenPattern(102, 52));
        dispatcher.StartHotKeyWatch(); // the editor closing
    }
}

TEST_F(Dispatch, ActiveWindowCutsTheForegroundWindowWithItsOffScreenPartBlack) {
    host.Mode = CaptureMode::ActiveWindow;
    desktop->Windows = {{7, {-20, 100, 300, 340}}};
    desktop->Foreground = 7;
    PressHotKeyAndTick();
    ASSERT_EQ(editor.Received.Width(), 320);
    ASSERT_EQ(editor.Received.Height(), 240);
    EXPECT_EQ(editor.Received.GetPixel(19, 0), clBlack);
    EXPECT_EQ(editor.Received.GetPixel(20, 0), ScreenPattern(0, 100));
    EXPECT_EQ(editor.Received.GetPixel(319, 239), ScreenPattern(299, 339));
}

TEST_F(Dispatch, SecondHotKeyInRegionModeKeepsTheFirstOverlay) {
    PressHotKeyAndTick();
    const TBitmap first = desktop->Screen;
    desktop->Screen.Canvas().FillRect({0, 0, 1920, 1080});
    // The hot key went off in the first tick: the press is not noticed at all.
    PressHotKeyAndTick();
    EXPECT_TRUE(IsScreenPart(overlay.Picture(), first, {0, 0, 1920, 1080}));
    EXPECT_EQ(std::count(log.begin(), log.end(), "DisableHotKeyHook"), 1);
}

TEST_F(Dispatch, HotKeyWhileEditingDoesNothingUntilTheEditorCloses) {
    host.Mode = CaptureMode::FullScreen;
    PressHotKeyAndTick();
    PressHotKeyAndTick();
    EXPECT_EQ(std::count(log.begin(), log.end(), "LoadFullScreen"), 1);
    dispatcher.StartHotKeyWatch();
    PressHotKeyAndTick();
    EXPECT_EQ(std::count(log.begin(), log.end(), "LoadFullScreen"), 2);
}

TEST_F(Dispatch, CaptureButtonSendsCtrlB) {
    dispatcher.CutBtnClick();
    const std::vector<SynthKeyEvent> expected{{SynthKey::Control, true},
                                              {SynthKey::B, true},
                                              {SynthKey::B, false},
                                              {SynthKey::Control, false}};
    EXPECT_EQ(desktop->SentKeys, expected);
    EXPECT_TRUE(log.empty());
}

TEST_F(Dispatch, FixedRegionFrameFollowsTheMouseUntilAPressCapturesItsHole) {
    host.Mode = CaptureMode::FixRegion;
    desktop->CursorPosition = {1000, 500};
    PressHotKeyAndTick();
    EXPECT_EQ(frame.geometry(), QRect(700, 300, 610, 410));

    desktop->CursorPosition = {900, 450};
    dispatcher.Timer1Timer();
    EXPECT_EQ(frame.geometry(), QRect(600, 250, 610, 410));
    EXPECT_TRUE(dispatcher.PickArmed);

    log.clear();
    hooks.PressMouse();
    dispatcher.Timer1Timer();
    EXPECT_TRUE(IsScreenPart(editor.Received, desktop->Screen, {605, 255, 1205, 655}));
    EXPECT_FALSE(dispatcher.PickArmed);
    EXPECT_FALSE(frame.isVisible());
    EXPECT_EQ(log, (CallLog{"LoadPicture", "Show", "SetMouseDown(false)", "DisableMouseHook",
                            "StopTimer1"}));
    EXPECT_FALSE(hooks.HotKeyHookOn || hooks.MouseHookOn);
}

TEST_F(Dispatch, OddFixedSizesAreHalvedTowardZero) {
    host.Mode = CaptureMode::FixRegion;
    host.Width = 301;
    host.Height = 201;
    desktop->CursorPosition = {1000, 500};
    PressHotKeyAndTick();
    EXPECT_EQ(frame.geometry(), QRect(850, 400, 311, 211));
}

TEST_F(Dispatch, ControlPickFramesTheInnermostWindowAndCapturesIt) {
    host.Mode = CaptureMode::AxtiveObject;
    desktop->Windows = {{1, {100, 100, 900, 700}}, {2, {200, 150, 320, 180}}};
    desktop->CursorPosition = {250, 160};
    PressHotKeyAndTick();
    EXPECT_EQ(frame.geometry(), QRect(195, 145, 130, 40));
    hooks.PressMouse();
    dispatcher.Timer1Timer();
    EXPECT_TRUE(IsScreenPart(editor.Received, desktop->Screen, {200, 150, 320, 180}));
}

TEST_F(Dispatch, ChoosingAModeOutsideThePickModesDropsAnArmedPick) {
    host.Mode = CaptureMode::FixRegion;
    desktop->CursorPosition = {1000, 500};
    PressHotKeyAndTick();
    log.clear();
    host.Mode = CaptureMode::FullScreen;
    dispatcher.StartHotKeyWatch(); // selecting a mode
    EXPECT_FALSE(dispatcher.PickArmed);
    EXPECT_FALSE(frame.isVisible());
    EXPECT_FALSE(hooks.MouseHookOn);
    EXPECT_TRUE(hooks.HotKeyHookOn);
    EXPECT_FALSE(host.Timer1Running);
    // A click is nobody's business any more; the hot key captures in the new mode.
    hooks.PressMouse();
    dispatcher.Timer1Timer();
    EXPECT_EQ(std::count(log.begin(), log.end(), "LoadPicture"), 0);
    PressHotKeyAndTick();
    EXPECT_TRUE(IsScreenPart(editor.Received, desktop->Screen, {0, 0, 1920, 1080}));
}

TEST_F(Dispatch, ChoosingTheOtherPickModeKeepsThePick) {
    host.Mode = CaptureMode::FixRegion;
    desktop->Windows = {{2, {200, 150, 320, 180}}};
    desktop->CursorPosition = {250, 160};
    PressHotKeyAndTick();
    host.Mode = CaptureMode::AxtiveObject;
    dispatcher.StartHotKeyWatch();
    EXPECT_TRUE(dispatcher.PickArmed);
    EXPECT_TRUE(hooks.MouseHookOn);
    hooks.PressMouse();
    dispatcher.Timer1Timer();
    EXPECT_TRUE(IsScreenPart(editor.Received, desktop->Screen, {200, 150, 320, 180}));
}

TEST_F(Dispatch, ControlPickOverTheBareDesktopShowsNoFrameAndTakesNoClick) {
    host.Mode = CaptureMode::AxtiveObject;
    desktop->Windows = {{2, {200, 150, 320, 180}}};
    desktop->CursorPosition = {900, 700};
    PressHotKeyAndTick();
    EXPECT_FALSE(frame.isVisible());
    hooks.PressMouse();
    dispatcher.Timer1Timer();
    EXPECT_EQ(std::count(log.begin(), log.end(), "LoadPicture"), 0);
    EXPECT_TRUE(dispatcher.PickArmed);
    // That click is spent: over a window, only the next one captures.
    desktop->CursorPosition = {250, 160};
    dispatcher.Timer1Timer();
    EXPECT_EQ(frame.geometry(), QRect(195, 145, 130, 40));
    EXPECT_EQ(std::count(log.begin(), log.end(), "LoadPicture"), 0);
    hooks.PressMouse();
    dispatcher.Timer1Timer();
    EXPECT_TRUE(IsScreenPart(editor.Received, desktop->Screen, {200, 150, 320, 180}));
}

void WaitForPendingCapture(const TCaptureDispatcher& dispatcher) {
    EXPECT_TRUE(QTest::qWaitFor([&] { return !dispatcher.CapturePending(); }, 5000))
        << "the delayed capture never came";
}

TEST_F(Dispatch, DelayGrabsLaterWithTheHotKeyOffMeanwhile) {
    host.Mode = CaptureMode::FullScreen;
    host.DelaySeconds = 1;
    PressHotKeyAndTick();
    EXPECT_TRUE(dispatcher.CapturePending());
    EXPECT_EQ(log, (CallLog{"DisableHotKeyHook", "StopTimer1"}));
    // The screen as it is when the delay has passed is the one captured.
    desktop->Screen.Canvas().FillRect({0, 0, 1920, 1080});
    PressHotKeyAndTick();
    WaitForPendingCapture(dispatcher);
    EXPECT_EQ(std::count(log.begin(), log.end(), "LoadFullScreen"), 1);
    EXPECT_EQ(editor.Received.GetPixel(500, 500), clWhite);
}

TEST_F(Dispatch, HidingTheMainWindowGrabsOnceTheScreenHasRepainted) {
    host.Mode = CaptureMode::Region;
    host.HideMainForm = true;
    host.Window.show();
    desktop->WhileRepainting = [&] {
        EXPECT_FALSE(host.Window.isVisible());
        desktop->Screen.Canvas().FillRect({0, 0, 1920, 1080});
    };
    PressHotKeyAndTick();
    EXPECT_EQ(desktop->HiddenAndWaitedFor, std::vector<WindowId>{host.Window.winId()});
    EXPECT_TRUE(overlay.isVisible());
    EXPECT_EQ(overlay.Picture().GetPixel(500, 500), clWhite);
    // Not brought back by the capture: that is the editor's closing.
    EXPECT_FALSE(host.Window.isVisible());
}

TEST_F(Dispatch, AMainWindowOffTheScreenIsHiddenWithoutWaiting) {
    host.Mode = CaptureMode::FullScreen;
    host.HideMainForm = true;
    PressHotKeyAndTick();
    dispatcher.StartHotKeyWatch(); // the editor closing
    host.Window.showMinimized();
    PressHotKeyAndTick();
    EXPECT_TRUE(desktop->HiddenAndWaitedFor.empty());
    EXPECT_FALSE(host.Window.isVisible());
    EXPECT_EQ(std::count(log.begin(), log.end(), "LoadFullScreen"), 2);
}

TEST_F(Dispatch, TheHookLibrarysNoticeRunsTheTickWithNoTimerRunning) {
    hooks.PressHotKey();
    EXPECT_TRUE(QTest::qWaitFor([&] { return overlay.isVisible(); }));
    EXPECT_FALSE(host.Timer1Running);
}

TEST_F(Dispatch, Timer1RunsOnlyWhileAPickFollowsTheMouse) {
    host.Mode = CaptureMode::FixRegion;
    hooks.PressHotKey();
    ASSERT_TRUE(QTest::qWaitFor([&] { return dispatcher.PickArmed; }));
    EXPECT_TRUE(host.Timer1Running);
    // The click's notice takes the capture, without waiting for a tick of the timer.
    hooks.PressMouse();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !dispatcher.PickArmed; }));
    EXPECT_FALSE(host.Timer1Running);
    EXPECT_EQ(std::count(log.begin(), log.end(), "LoadPicture"), 1);
    dispatcher.StartHotKeyWatch(); // the editor closing
    EXPECT_FALSE(host.Timer1Running);
}

TEST_F(Dispatch, WithoutNoticesTheTimerPollsWheneverTheHotKeyIsWatched) {
    THookCalls polled = hooks.Calls();
    polled.NoticeDescriptor = nullptr;
    TCaptureDispatcher polling{host, editor, overlay, frame, polled, platform};
    EXPECT_TRUE(host.Timer1Running);
    host.Mode = CaptureMode::FullScreen;
    hooks.PressHotKey();
    polling.Timer1Timer();
    EXPECT_FALSE(host.Timer1Running);
    polling.StartHotKeyWatch(); // the editor closing
    EXPECT_TRUE(host.Timer1Running);
}

// A screen that cannot be read, as when the X server refuses the grab.
class UnreadableScreen final : public ScreenGrabber {
public:
    TRect PrimaryScreen() override { return {0, 0, 1920, 1080}; }
    void Grab(TBitmap&) override { throw EZorvicError("无法读取屏幕"); }
};

class FailedGrab : public DispatchFixture {
protected:
    FailedGrab() { platform.Screen = std::make_shared<UnreadableScreen>(); }

    TMessageBoxOverride reports{
        [this](const std::string& text) { log.push_back("Report " + text); }};
};

TEST_F(FailedGrab, DelayedCaptureGivesTheWatchBackBeforeReporting) {
    host.Mode = CaptureMode::FullScreen;
    host.DelaySeconds = 1;
    PressHotKeyAndTick();
    WaitForPendingCapture(dispatcher);
    EXPECT_EQ(log, (CallLog{"DisableHotKeyHook", "StopTimer1", "EnableHotKeyHook",
                            "CaptureCancelled", "Report 无法读取屏幕"}));
}

TEST_F(FailedGrab, PickDropsItselfBeforeTheErrorIsReported) {
    host.Mode = CaptureMode::FixRegion;
    PressHotKeyAndTick();
    hooks.PressMouse();
    EXPECT_THROW(dispatcher.Timer1Timer(), EZorvicError);
    EXPECT_FALSE(dispatcher.PickArmed);
    EXPECT_FALSE(frame.isVisible());
    EXPECT_FALSE(hooks.MouseHookOn);
    EXPECT_TRUE(hooks.HotKeyHookOn);
    EXPECT_EQ(log.back(), "CaptureCancelled");
}

TEST_F(Dispatch, PickModesHideTheMainWindowAndArmAtOnce) {
    host.Mode = CaptureMode::AxtiveObject;
    host.HideMainForm = true;
    host.DelaySeconds = 3;
    desktop->Windows = {{1, {0, 0, 1920, 1080}}};
    host.Window.show();
    PressHotKeyAndTick();
    EXPECT_FALSE(host.Window.isVisible());
    EXPECT_TRUE(dispatcher.PickArmed);
    EXPECT_TRUE(frame.isVisible());
}

} // namespace
} // namespace zorvic::testing
