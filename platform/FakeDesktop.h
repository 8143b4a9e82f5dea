#pragma once
#include "PlatformServices.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace zorvic {

// An in-memory desktop for tests: set its fields, hand its Services() to the code under test,
// read back what that code did.
class FakeDesktop : public std::enable_shared_from_this<FakeDesktop> {
public:
    struct Window {
        WindowId Id = 0;
        TRect Outer;
    };

    // Starts with a 1920 x 1080 black screen, no cursor and no windows.
    FakeDesktop();

    TRect Primary{0, 0, 1920, 1080};
    TBitmap Screen;
    TPoint CursorPosition;
    std::optional<CursorImage> Cursor;
    // Bottom-most first; WindowAt gives the last one containing the point.
    std::vector<Window> Windows;
    WindowId Foreground = 0;

    std::vector<WindowId> Activated;
    std::vector<SynthKeyEvent> SentKeys;
    std::optional<TBitmap> ClipboardImage;
    std::string WallpaperPath;
    // Each window hidden for a grab with a wait for the screen, in order.
    std::vector<WindowId> HiddenAndWaitedFor;
    // Runs while the screen repaints after such a hide.
    std::function<void()> WhileRepainting;

    // Services that read and record through this object; they keep it alive.
    PlatformServices Services();
};

} // namespace zorvic
