#pragma once
// A real program of ours in a sandbox of its own: settings, home and runtime folders under
// a temporary root, and no outside programs to run, so that a test never reads or changes the
// user's.

#include "TempDir.h"

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <sys/types.h>
#include <vector>

// Xlib's own declarations, without the macros of its header that break Qt's and gtest's.
typedef struct _XDisplay Display;
typedef unsigned long Window;

namespace zorvic {
class XErrorTrap;
}

namespace zorvic::testing {

// What the program finds stored when it starts; the rest as its first run stores it.
struct StartOptions {
    bool IncludeCursor = false;
    bool HideMainWindow = true;
};

class ProgramUnderTest {
public:
    // `executable` runs on the X server `display`, which the window searches use too.
    ProgramUnderTest(std::string executable, Display* display, std::string displayName);
    ~ProgramUnderTest();
    ProgramUnderTest(const ProgramUnderTest&) = delete;
    ProgramUnderTest& operator=(const ProgramUnderTest&) = delete;

    // Starts one copy of the program with `arguments`.
    pid_t Launch(const std::vector<std::string>& arguments = {});
    // Adds the text to the stored settings of the local machine before the program starts.
    void AppendMachineSettings(const std::string& regText);
    // Stores the options for the next start: no sound, saves as BMP, the close box quits.
    void StoreStartOptions(const StartOptions& options);
    const std::string& Root() const { return root_.Path(); }

    // The first window for which `wanted` holds; 0 when none appears in time.
    Window FindWindow(const std::function<bool(Window)>& wanted,
                      std::chrono::milliseconds patience = std::chrono::seconds(30));
    // The first window whose title is `title` (only among mapped ones when `shownOnly`).
    Window FindWindowTitled(const std::string& title, bool shownOnly = false,
                            std::chrono::milliseconds patience = std::chrono::seconds(30));
    std::string TitleOf(Window window);
    bool IsShown(Window window);
    // Whether the window is a dialog kept above another window.
    bool IsTransient(Window window);
    // Asks the window to close as a window manager's close box does.
    void SendCloseRequest(Window window);
    // The exit status once the process ends within `patience`; -1 when it does not.
    static int WaitForExit(pid_t pid, std::chrono::seconds patience = std::chrono::seconds(20));

private:
    Window Search(Window parent, const std::function<bool(Window)>& wanted);

    std::string executable_;
    Display* display_;
    std::string displayName_;
    TTempDir root_;
    // The program's windows come and go while the test looks at them: a window gone between two
    // requests is no failure.
    std::unique_ptr<XErrorTrap> vanishedWindows_;
    std::vector<pid_t> started_;
};

} // namespace zorvic::testing
