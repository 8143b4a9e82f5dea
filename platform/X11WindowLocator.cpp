#include "X11Services.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <optional>
#include <vector>

namespace zorvic::x11 {

namespace {

// Xlib's PointerRoot focus: "whatever window the pointer is in", not a window.
constexpr Window kPointerRoot = 1;

class X11WindowLocator final : public WindowLocator {
public:
    explicit X11WindowLocator(std::shared_ptr<Connection> connection)
        : connection_(std::move(connection)), display_(connection_->Display()),
          root_(connection_->Root()), activeAtom_(connection_->InternAtom("_NET_ACTIVE_WINDOW")),
          extentsAtom_(connection_->InternAtom("_NET_FRAME_EXTENTS")),
          wmCheckAtom_(connection_->InternAtom("_NET_SUPPORTING_WM_CHECK")),
          wmStateAtom_(connection_->InternAtom("WM_STATE")) {}

    WindowId WindowAt(TPoint point) override {
        ErrorTrap trap(display_);
        // The server's own hit test follows stacking, mapping and window shapes.
        Window current = root_;
        int x = point.x, y = point.y;
        for (;;) {
            Window child = None;
            int childX = 0, childY = 0;
            if (!XTranslateCoordinates(display_, current, current, x, y, &childX, &childY,
                                       &child) ||
                child == None)
                break;
            XWindowAttributes attributes{};
            // Input-only windows catch clicks but show nothing; the window below them counts.
            if (!XGetWindowAttributes(display_, child, &attributes) ||
                attributes.c_class == InputOnly)
                break;
            Window below = None;
            XTranslateCoordinates(display_, current, child, x, y, &childX, &childY, &below);
            current = child;
            x = childX;
            y = childY;
        }
        if (trap.Sync() != 0 || current == root_) return 0;
        return current;
    }

    WindowId ForegroundWindow() override {
        ErrorTrap trap(display_);
        Window window = None;
        if (WindowManagerRuns()) {
            window =
                static_cast<Window>(ReadCardinal(root_, activeAtom_, 1).value_or(Cardinals{0})[0]);
        } else {
            int revert = 0;
            XGetInputFocus(display_, &window, &revert);
            if (window == kPointerRoot) window = None;
            window = TopLevelOf(window);
        }
        if (trap.Sync() != 0 || window == root_) return 0;
        return window;
    }

    TRect OuterRect(WindowId id) override {
        const auto window = static_cast<Window>(id);
        if (window == None || window == root_) return {};
        ErrorTrap trap(display_);
        TRect rect = RectInRoot(window);
        if (trap.Sync() != 0) return {};
        if (!IsManagedClient(window)) return rect;
        if (const auto extents = ReadCardinal(window, extentsAtom_, 4)) {
            const auto& e = *extents; // left, right, top, bottom
            return {rect.Left - static_cast<int>(e[0]), rect.Top - static_cast<int>(e[2]),
                    rect.Right + static_cast<int>(e[1]), rect.Bottom + static_cast<int>(e[3])};
        }
        // A window manager without the hint: its frame is the client's top-level ancestor.
        const Window frame = TopLevelOf(window);
        const TRect frameRect = frame != window ? RectInRoot(frame) : rect;
        return trap.Sync() != 0 ? rect : frameRect;
    }

    void Activate(WindowId id) override {
        const auto window = static_cast<Window>(id);
        if (window == None) return;
        ErrorTrap trap(display_);
        if (WindowManagerRuns()) {
            XEvent event{};
            event.xclient.type = ClientMessage;
            event.xclient.window = window;
            event.xclient.message_type = activeAtom_;
            event.xclient.format = 32;
            event.xclient.data.l[0] = 2; // the request comes from the user, as a pager's would
            event.xclient.data.l[1] = CurrentTime;
            XSendEvent(display_, root_, False, SubstructureRedirectMask | SubstructureNotifyMask,
                       &event);
        } else {
            XRaiseWindow(display_, window);
            XSetInputFocus(display_, window, RevertToParent, CurrentTime);
        }
        // An unmapped or vanished window cannot take the focus; that is no error to report.
        trap.Sync();
    }

private:
    using Cardinals = std::vector<unsigned long>;

    // A 32-bit property of at least `count` items (Xlib hands them out as longs).
    std::optional<Cardinals> ReadCardinal(Window window, Atom property, int count) {
        Atom type = None;
        int format = 0;
        unsigned long items = 0, remaining = 0;
        unsigned char* raw = nullptr;
        const int status =
            XGetWindowProperty(display_, window, property, 0, count, False, AnyPropertyType, &type,
                               &format, &items, &remaining, &raw);
        const XPtr<unsigned char> data(raw);
        if (status != Success || format != 32 || items < static_cast<unsigned long>(count))
            return std::nullopt;
        const auto* values = reinterpret_cast<const unsigned long*>(data.get());
        return Cardinals(values, values + count);
    }

    // A window manager that follows the desktop conventions names a child window of its own on
    // the root, and that child names itself; a stale root property alone does not count.
    bool WindowManagerRuns() {
        const auto check = ReadCardinal(root_, wmCheckAtom_, 1);
        if (!check) return false;
        const auto self = ReadCardinal(static_cast<Window>((*check)[0]), wmCheckAtom_, 1);
        return self && (*self)[0] == (*check)[0];
    }

    bool IsManagedClient(Window window) {
        Atom type = None;
        int format = 0;
        unsigned long items = 0, remaining = 0;
        unsigned char* raw = nullptr;
        XGetWindowProperty(display_, window, wmStateAtom_, 0, 1, False, AnyPropertyType, &type,
                           &format, &items, &remaining, &raw);
        const XPtr<unsigned char> data(raw);
        return type != None;
    }

    Window TopLevelOf(Window window) { return x11::TopLevelOf(display_, root_, window); }

    // The window's rectangle in root coordinates, its border included.
    TRect RectInRoot(Window window) {
        Window root = None, child = None;
        int x = 0, y = 0, rootX = 0, rootY = 0;
        unsigned width = 0, height = 0, border = 0, depth = 0;
        if (!XGetGeometry(display_, window, &root, &x, &y, &width, &height, &border, &depth))
            return {};
        XTranslateCoordinates(display_, window, root_, 0, 0, &rootX, &rootY, &child);
        const int b = static_cast<int>(border);
        return {rootX - b, rootY - b, rootX + static_cast<int>(width) + b,
                rootY + static_cast<int>(height) + b};
    }

    std::shared_ptr<Connection> connection_;
    Display* display_;
    Window root_;
    Atom activeAtom_;
    Atom extentsAtom_;
    Atom wmCheckAtom_;
    Atom wmStateAtom_;
};

} // namespace

std::shared_ptr<WindowLocator> MakeWindowLocator(std::shared_ptr<Connection> connection) {
    return std::make_shared<X11WindowLocator>(std::move(connection));
}

} // namespace zorvic::x11
