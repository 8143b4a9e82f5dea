// gtest before the X11 headers, whose macros (None, Bool) break it.
#include <gtest/gtest.h>

#include "HotKeyGrab.h"
#include "PrivateDisplay.h"
#include "WaitUntil.h"
#include "XTestClient.h"
#include "ZorvicMain.h"
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <poll.h>
#include <string>
#include <unistd.h>

namespace zorvic::testing {
namespace {

class HookLibrary : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ProcessDisplay(); }

    void SetUp() override {
        input_ = std::make_unique<XTestClient>();
        DisableHotKeyHook();
        DisableMouseHook();
        SetMouseDown(false);
        GetDownHotKey();
    }

    // Switches both hooks on and waits until they are live: a click has come through, and the
    // library grabs Ctrl+B before it listens for clicks.
    void EnableBothHooks() {
        EnableHotKeyHook();
        EnableMouseHook();
        ASSERT_TRUE(WaitUntil([this] {
            input_->Click(1);
            return GetMouseDown();
        }));
        // Further clicks of the loop above may still be on their way.
        WaitForHotKeyFence();
        SetMouseDown(false);
    }

    // The library handles its events in order: once a later click is noticed, every key
    // synthesised before it has been handled too.
    void WaitForClickFence() {
        input_->Click(1);
        ASSERT_TRUE(WaitUntil(GetMouseDown));
        SetMouseDown(false);
    }

    // The same with Ctrl+B, for when clicks are what is under test.
    void WaitForHotKeyFence() {
        input_->CtrlB();
        ASSERT_TRUE(WaitUntil(GetDownHotKey));
    }

    // A press of Ctrl+B and a click, both noticed and left unread.
    void RaiseBothFlags() {
        input_->CtrlB();
        WaitForClickFence();
        input_->Click(3);
        ASSERT_TRUE(WaitUntil(GetMouseDown));
    }

    std::unique_ptr<XTestClient> input_;
};

TEST_F(HookLibrary, EachPressOfCtrlBIsReportedExactlyOnce) {
    EnableBothHooks();
    for (int press = 0; press < 2; ++press) {
        input_->CtrlB();
        WaitForClickFence();
        EXPECT_TRUE(GetDownHotKey());
        EXPECT_FALSE(GetDownHotKey());
    }
}

TEST_F(HookLibrary, CtrlBIsNoticedWhateverLockKeysAreOn) {
    EnableBothHooks();
    unsigned numLock = ModifierMaskOf(input_->display(), XK_Num_Lock);
    ASSERT_NE(numLock, 0u);
    for (unsigned locks : {unsigned(LockMask), numLock, LockMask | numLock}) {
        input_->LockModifiers(locks);
        input_->CtrlB();
        WaitForClickFence();
        EXPECT_TRUE(GetDownHotKey()) << "locked modifiers " << locks;
    }
}

TEST_F(HookLibrary, OtherKeysNeverRaiseTheHotKeyFlag) {
    EnableBothHooks();
    input_->Chord({}, XK_b);
    input_->Chord({XK_Control_L}, XK_c);
    input_->Chord({XK_Control_L, XK_Shift_L}, XK_b);
    input_->Chord({XK_Alt_L}, XK_b);
    WaitForClickFence();
    EXPECT_FALSE(GetDownHotKey());
}

TEST_F(HookLibrary, DisablingTheHotKeyIgnoresCtrlBAndReleasesIt) {
    EnableBothHooks();
    DisableHotKeyHook();
    input_->CtrlB();
    WaitForClickFence();
    EXPECT_FALSE(GetDownHotKey());
    EXPECT_TRUE(WaitUntil([this] { return input_->CanGrabCtrlB(); }));
}

// Another program's look at the key (a grab of a moment) may meet the library's grab: the key is
// taken once it comes free, without another enable.
TEST_F(HookLibrary, CtrlBHeldElsewhereAtTheEnableIsTakenOnceItComesFree) {
    XTestClient other;
    Display* display = other.display();
    const KeyCode b = XKeysymToKeycode(display, XK_b);
    XGrabKey(display, b, ControlMask, DefaultRootWindow(display), False, GrabModeAsync,
             GrabModeAsync);
    XSync(display, False);
    EnableHotKeyHook();
    EnableMouseHook();
    // The library tries the key before it listens for clicks.
    ASSERT_TRUE(WaitUntil([this] {
        input_->Click(1);
        return GetMouseDown();
    }));
    input_->CtrlB();
    WaitForClickFence();
    EXPECT_FALSE(GetDownHotKey()) << "the other client holds the key";

    XUngrabKey(display, b, ControlMask, DefaultRootWindow(display));
    XSync(display, False);
    EXPECT_TRUE(WaitUntil(
        [this] {
            input_->CtrlB();
            WaitForClickFence();
            return GetDownHotKey();
        },
        std::chrono::seconds(10)))
        << "Ctrl+B stayed dead after the other client let go";
}

TEST_F(HookLibrary, RepeatedEnableAndDisableAreHarmless) {
    EnableBothHooks();
    RaiseBothFlags();
    // Enabling what is on keeps an unread press and the mouse flag.
    EnableHotKeyHook();
    EnableMouseHook();
    EXPECT_TRUE(GetDownHotKey());
    EXPECT_TRUE(GetMouseDown());

    DisableHotKeyHook();
    DisableHotKeyHook();
    DisableMouseHook();
    DisableMouseHook();
    SetMouseDown(false);
    EnableBothHooks();
    input_->CtrlB();
    WaitForClickFence();
    EXPECT_TRUE(GetDownHotKey());
}

TEST_F(HookLibrary, SwitchingOnAgainDropsWhatWasLeftUnread) {
    EnableBothHooks();
    RaiseBothFlags();
    DisableHotKeyHook();
    DisableMouseHook();
    EnableHotKeyHook();
    EnableMouseHook();
    EXPECT_FALSE(GetDownHotKey());
    EXPECT_FALSE(GetMouseDown());
}

TEST_F(HookLibrary, MouseFlagStaysUpUntilCleared) {
    EnableBothHooks();
    for (unsigned button : {1u, 2u, 3u, 8u}) {
        input_->Click(button);
        WaitForHotKeyFence();
        EXPECT_TRUE(GetMouseDown()) << "button " << button;
        EXPECT_TRUE(GetMouseDown()) << "button " << button;
        SetMouseDown(false);
        EXPECT_FALSE(GetMouseDown());
    }
}

// Sleeps on the notice descriptor as the program does, until a wake-up finds `flag` up; false
// when five seconds pass without one.
bool WokenWithFlagUp(int notice, const std::function<bool()>& flag) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd wait{notice, POLLIN, 0};
        if (left.count() <= 0 || poll(&wait, 1, static_cast<int>(left.count())) != 1) return false;
        std::uint64_t count = 0;
        [[maybe_unused]] ssize_t got = read(notice, &count, sizeof count);
        if (flag()) return true;
    }
}

TEST_F(HookLibrary, NoticeDescriptorWakesASleeperForCtrlBAndForAClick) {
    EnableBothHooks();
    const int notice = GetNoticeDescriptor();
    ASSERT_GE(notice, 0);
    input_->CtrlB();
    EXPECT_TRUE(WokenWithFlagUp(notice, GetDownHotKey));
    input_->Click(3);
    EXPECT_TRUE(WokenWithFlagUp(notice, GetMouseDown));
}

// A window of the test under the pointer, counting the button presses it is given.
class ClickTarget {
public:
    explicit ClickTarget(Display* display) : display_(display) {
        XSetWindowAttributes attributes{};
        attributes.override_redirect = True;
        attributes.event_mask = ButtonPressMask;
        window_ = XCreateWindow(display, DefaultRootWindow(display), 0, 0, 200, 200, 0,
                                CopyFromParent, InputOutput, CopyFromParent,
                                CWOverrideRedirect | CWEventMask, &attributes);
        XMapRaised(display, window_);
        XWarpPointer(display, 0, window_, 0, 0, 0, 0, 100, 100);
        XSync(display, False);
    }
    ~ClickTarget() { XDestroyWindow(display_, window_); }
    int PressesReceived() {
        XSync(display_, False);
        XEvent event;
        int presses = 0;
        while (XCheckTypedWindowEvent(display_, window_, ButtonPress, &event))
            ++presses;
        return presses;
    }

private:
    Display* display_;
    Window window_;
};

TEST_F(HookLibrary, ThePicksClickIsTakenFromTheWindowUnderThePointerUntilTheHookIsOff) {
    ClickTarget target(input_->display());
    EnableBothHooks();
    target.PressesReceived();
    input_->Click(1);
    WaitForHotKeyFence();
    EXPECT_TRUE(GetMouseDown());
    EXPECT_EQ(target.PressesReceived(), 0);

    DisableMouseHook();
    EXPECT_TRUE(WaitUntil([&] {
        input_->Click(1);
        return target.PressesReceived() > 0;
    })) << "clicks still taken after the pick";
}

struct IgnoredClick {
    unsigned button;
    bool mouseHookOn;
};

class HookLibraryIgnoredClick : public HookLibrary,
                                public ::testing::WithParamInterface<IgnoredClick> {};

TEST_P(HookLibraryIgnoredClick, LeavesTheMouseFlagDown) {
    EnableBothHooks();
    if (!GetParam().mouseHookOn) DisableMouseHook();
    input_->Click(GetParam().button);
    WaitForHotKeyFence();
    EXPECT_FALSE(GetMouseDown());
}

INSTANTIATE_TEST_SUITE_P(WheelOrHookOff, HookLibraryIgnoredClick,
                         ::testing::Values(IgnoredClick{1, false}, IgnoredClick{4, true},
                                           IgnoredClick{5, true}, IgnoredClick{6, true}),
                         [](const ::testing::TestParamInfo<IgnoredClick>& info) {
                             return "Button" + std::to_string(info.param.button) +
                                    (info.param.mouseHookOn ? "HookOn" : "HookOff");
                         });

} // namespace
} // namespace zorvic::testing
