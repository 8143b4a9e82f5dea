#pragma once
// Header-only so that the hot-key probe of the platform layer shares it without linking the hook
// library, whose internals are hidden.
#include <X11/Xlib.h>
#include <atomic>

namespace zorvic {

// Records the X errors of one connection while it lives; errors of every other connection go on
// to the handler that was installed before. Xlib's handler is process-wide, so this chains instead
// of replacing, and it is only installed around a few requests (followed by XSync), so it never
// outlives this object: a handler left behind in an unloaded library would be fatal. Errors are
// reported on the thread that reads the connection, hence the thread-local record.
class XErrorTrap {
public:
    explicit XErrorTrap(Display* display) : display_(display), outer_(active_) {
        active_ = this;
        previous_ = XSetErrorHandler(&Record);
        if (previous_ != &Record) chained_ = previous_;
    }
    ~XErrorTrap() {
        active_ = outer_;
        // Someone may have installed a handler meanwhile (Qt does when QApplication starts):
        // then theirs stays.
        XErrorHandler current = XSetErrorHandler(previous_);
        if (current != &Record) XSetErrorHandler(current);
    }
    XErrorTrap(const XErrorTrap&) = delete;
    XErrorTrap& operator=(const XErrorTrap&) = delete;

    bool SawBadAccess() const { return sawBadAccess_; }

private:
    static int Record(Display* display, XErrorEvent* error) {
        for (XErrorTrap* trap = active_; trap; trap = trap->outer_) {
            if (trap->display_ != display) continue;
            trap->sawBadAccess_ = trap->sawBadAccess_ || error->error_code == BadAccess;
            return 0;
        }
        XErrorHandler next = chained_;
        return next ? next(display, error) : 0;
    }

    static inline thread_local XErrorTrap* active_ = nullptr;
    // The handler that was there before any trap, for the errors of other connections and threads.
    static inline std::atomic<XErrorHandler> chained_ = nullptr;
    Display* display_;
    XErrorTrap* outer_;
    XErrorHandler previous_ = nullptr;
    bool sawBadAccess_ = false;
};

} // namespace zorvic
