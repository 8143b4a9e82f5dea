#include "X11Services.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>
#include <poll.h>

#include <algorithm>
#include <chrono>

namespace zorvic::x11 {

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// Long enough for the windows below to answer their expose events with a repaint.
constexpr milliseconds kQuietTime{20};
// What a screen that never rests (a video, a clock with seconds) costs at most once the frame is
// gone.
constexpr milliseconds kRepaintCeiling{200};
// A grab before the frame has gone would show the window: a busy window manager is waited for
// that long, one that keeps the frame up no longer.
constexpr milliseconds kLeavingCeiling{1000};

// Follows the window's frame leaving and every drawing on the screen (DAMAGE on the root covers
// its inferiors), on a connection of its own so that its events meet no other service's.
class X11RepaintWait final : public RepaintWait {
public:
    explicit X11RepaintWait(const std::string& displayName)
        : connection_(displayName.empty() ? nullptr : displayName.c_str()),
          display_(connection_.Display()), root_(connection_.Root()) {
        int errorBase = 0;
        hasDamage_ = XDamageQueryExtension(display_, &damageEventBase_, &errorBase);
    }

    bool HideAndWait(WindowId id, const std::function<void()>& hide) override {
        const Window frame = WatchFrameOf(static_cast<Window>(id));
        hide();
        if (frame == None) return false;
        WaitUntilRepainted(frame);
        Forget(frame);
        return true;
    }

private:
    // Starts following the frame and the screen when the window is on the screen; None otherwise.
    Window WatchFrameOf(Window window) {
        ErrorTrap trap(display_);
        XWindowAttributes attributes{};
        if (!XGetWindowAttributes(display_, window, &attributes) ||
            attributes.map_state != IsViewable)
            return None;
        const Window frame = TopLevelOf(display_, root_, window);
        if (frame == None) return None;
        // Before the hide, so that neither the frame's unmap nor the repaints are missed.
        XSelectInput(display_, frame, StructureNotifyMask);
        if (hasDamage_) damage_ = XDamageCreate(display_, root_, XDamageReportNonEmpty);
        if (trap.Sync() == 0) return frame;
        Forget(frame);
        return None;
    }

    void WaitUntilRepainted(Window frame) {
        Clock::time_point deadline = Clock::now() + kLeavingCeiling;
        bool frameGone = false;
        Clock::time_point lastDrawn = Clock::now();
        for (;;) {
            bool drawn = false, leftNow = false;
            while (XPending(display_) > 0) {
                XEvent event;
                XNextEvent(display_, &event);
                if ((event.type == UnmapNotify && event.xunmap.window == frame) ||
                    (event.type == DestroyNotify && event.xdestroywindow.window == frame))
                    leftNow = drawn = true;
                else if (hasDamage_ && event.type == damageEventBase_ + XDamageNotify)
                    drawn = true;
            }
            const Clock::time_point now = Clock::now();
            if (leftNow && !frameGone) {
                frameGone = true;
                deadline = now + kRepaintCeiling;
            }
            if (drawn) {
                lastDrawn = now;
                // Reports the next drawing again.
                if (damage_) XDamageSubtract(display_, damage_, None, None);
                XFlush(display_);
            }
            if (now >= deadline || (frameGone && now - lastDrawn >= kQuietTime)) return;
            const Clock::time_point until =
                frameGone ? std::min(deadline, lastDrawn + kQuietTime) : deadline;
            pollfd readable{ConnectionNumber(display_), POLLIN, 0};
            poll(&readable, 1,
                 static_cast<int>(std::chrono::ceil<milliseconds>(until - now).count()));
        }
    }

    void Forget(Window frame) {
        ErrorTrap trap(display_);
        if (damage_) XDamageDestroy(display_, damage_);
        damage_ = 0;
        // The frame may be destroyed by now, which is no error to report.
        XSelectInput(display_, frame, NoEventMask);
        trap.Sync();
        // What came meanwhile belongs to this wait only.
        XEvent event;
        while (XPending(display_) > 0)
            XNextEvent(display_, &event);
    }

    Connection connection_;
    Display* display_;
    Window root_;
    bool hasDamage_ = false;
    int damageEventBase_ = 0;
    Damage damage_ = 0;
};

} // namespace

std::shared_ptr<RepaintWait> MakeRepaintWait(const std::string& displayName) {
    return std::make_shared<X11RepaintWait>(displayName);
}

} // namespace zorvic::x11
