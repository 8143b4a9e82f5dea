#pragma once
#include <string>
#include <sys/types.h>

namespace zorvic::testing {

// An X server of the test's own (and a window manager when asked), so that pointer moves, key
// presses, focus and the clipboard of one test never meet those of another running at once.
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
    std::string wmConfig_;
    pid_t server_ = 0;
    pid_t windowManager_ = 0;
};

} // namespace zorvic::testing
