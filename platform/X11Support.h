#pragma once
// Shared by the X11 implementations only; callers use the service interfaces.
#include <cstdint>
#include <memory>
#include <string>

struct _XDisplay;
struct _XImage;

namespace zorvic::x11 {

// One Xlib connection. Every call that may fail on it runs inside an ErrorTrap, since Xlib's
// default handler ends the process on any error (a window vanishing is enough).
class Connection {
public:
    // Throws EZorvicError when the display cannot be opened.
    explicit Connection(const char* displayName = nullptr);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    _XDisplay* Display() const { return display_; }
    unsigned long Root() const;
    unsigned long InternAtom(const char* name) const;

private:
    _XDisplay* display_;
};

struct FreeDeleter {
    void operator()(void* data) const;
};
// Memory that Xlib hands out (properties, replies, cursor images): released with XFree.
template <class T> using XPtr = std::unique_ptr<T, FreeDeleter>;

struct ImageDeleter {
    void operator()(_XImage* image) const;
};
using ImagePtr = std::unique_ptr<_XImage, ImageDeleter>;

// Catches the X errors of one connection for its lifetime; errors of other connections go on to
// the handler that was installed before.
class ErrorTrap {
public:
    explicit ErrorTrap(_XDisplay* display);
    ~ErrorTrap();
    ErrorTrap(const ErrorTrap&) = delete;
    ErrorTrap& operator=(const ErrorTrap&) = delete;

    // Waits for the server's answers to everything sent so far; 0 when nothing failed.
    int Sync();
    // As Sync, throwing EZorvicError("<what>: <X error text>") on a failure.
    void ThrowIfFailed(const std::string& what);

    int ErrorCode() const { return errorCode_; }
    void Record(int errorCode);

private:
    _XDisplay* display_;
    int errorCode_ = 0;
};

// The ancestor of `window` that is a child of the root: the window manager's frame when one runs,
// else the window itself; 0 when the window is gone.
unsigned long TopLevelOf(_XDisplay* display, unsigned long root, unsigned long window);

// One channel of a true-colour pixel value, selected by its visual mask, scaled to 0..255 and
// back, for visuals of any channel width (5 or 6 bits at depth 16).
std::uint8_t ChannelFromPixel(unsigned long pixel, unsigned long mask);
unsigned long PixelFromChannel(int value, unsigned long mask);

} // namespace zorvic::x11
