#pragma once
#include <string>
#include <sys/types.h>

namespace zorvic::testing {

// An X server of the test's own (and a window manager when asked), so that pointer moves, key
// presses, grabs, focus and the clipboard of one test never meet those of another running at
// once. The server and the window manager end with the test process at the latest, even when it
// crashes.
class PrivateDisplay {
public:
    struct Options {
        int Width = 1920;
        int Height = 1080;
        int Depth = 24;
        bool SharedMemory = true;
        bool WindowManager = false;
    };

    explicit PrivateDisplay(Options options);
    PrivateDisplay() : PrivateDisplay(Options{}) {}
    ~PrivateDisplay();
    PrivateDisplay(const PrivateDisplay&) = delete;
    PrivateDisplay& operator=(const PrivateDisplay&) = delete;

    // ":N", for XOpenDisplay or $DISPLAY.
    const std::string& Name() const { return name_; }

private:
    void StartWindowManager();

    std::string name_;
    pid_t server_ = 0;
    pid_t windowManager_ = 0;
};

// The X server of the whole test program, started by the first call with its options and named
// in $DISPLAY. It runs until the process ends, after every connection to it has closed: the hook
// library's thread closes its own only then, and a server gone earlier would make Xlib end the
// process from that thread.
const PrivateDisplay& ProcessDisplay(PrivateDisplay::Options options = {});

} // namespace zorvic::testing
