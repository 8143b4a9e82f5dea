// Each case runs the library in a child process, so that it starts afresh (displayless, say) and
// so that its end at exit can be watched.
#include <gtest/gtest.h>

#include "Files.h"
#include "PrivateDisplay.h"
#include "TempDir.h"
#include "WaitUntil.h"
#include "XTestClient.h"
#include "ZorvicMain.h"
#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace zorvic::testing {
namespace {

struct ChildResult {
    bool exited = false; // on its own, in time, through exit()
    int status = -1;
    std::string stderrText;
};

// Runs `body` in a child whose stderr goes to a file, then ends the child with exit(), which
// stops the library's thread.
ChildResult RunInChild(const std::function<int()>& body) {
    const TTempDir folder;
    const std::string path = folder.Path("stderr");
    const int file = open(path.c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0600);
    std::fflush(nullptr);
    pid_t child = fork();
    if (child == 0) {
        dup2(file, STDERR_FILENO);
        std::exit(body());
    }
    close(file);
    ChildResult result;
    int status = 0;
    result.exited = WaitUntil([&] { return waitpid(child, &status, WNOHANG) == child; },
                              std::chrono::seconds(20));
    if (!result.exited) {
        kill(child, SIGKILL);
        waitpid(child, &status, 0);
    }
    result.exited = result.exited && WIFEXITED(status);
    result.status = result.exited ? WEXITSTATUS(status) : -1;
    result.stderrText = ReadText(path);
    return result;
}

TEST(HookLibraryLifecycle, ExitStopsTheThreadQuietlyAndReleasesCtrlB) {
    ProcessDisplay();
    ChildResult child = RunInChild([] {
        XTestClient input;
        // No sound device here: the request must neither block nor print. Asked for before the
        // hooks, it is handled before the first click is.
        PlayVoice();
        EnableHotKeyHook();
        EnableMouseHook();
        bool live = WaitUntil([&] {
            input.Click(1);
            return GetMouseDown();
        });
        return live ? 0 : 1;
    });
    EXPECT_TRUE(child.exited);
    EXPECT_EQ(child.status, 0);
    EXPECT_EQ(child.stderrText, "");
    XTestClient others;
    EXPECT_TRUE(WaitUntil([&] { return others.CanGrabCtrlB(); }));
}

// Xlib's default handler would end the process on the grab's BadAccess. A key held for good is
// told once it has been held a second, and only once.
TEST(HookLibraryLifecycle, CtrlBHeldByAnotherClientIsReportedOnceAndNotFatal) {
    ProcessDisplay();
    XTestClient holder;
    Display* display = holder.display();
    KeyCode b = XKeysymToKeycode(display, XK_b);
    XGrabKey(display, b, ControlMask, DefaultRootWindow(display), False, GrabModeAsync,
             GrabModeAsync);
    XSync(display, False);
    ChildResult child = RunInChild([] {
        XTestClient input;
        bool live = true;
        for (int round = 0; round < 2; ++round) {
            DisableHotKeyHook();
            DisableMouseHook();
            EnableHotKeyHook();
            EnableMouseHook();
            // The library grabs the key before it listens for clicks.
            live = live && WaitUntil([&] {
                       input.Click(1);
                       return GetMouseDown();
                   });
            live =
                live &&
                WaitUntil(
                    [] {
                        return ReadText("/proc/self/fd/2").find("another program holds Ctrl+B") !=
                               std::string::npos;
                    },
                    std::chrono::seconds(10));
        }
        return live ? 0 : 1;
    });
    EXPECT_TRUE(child.exited);
    EXPECT_EQ(child.status, 0);
    EXPECT_NE(child.stderrText.find("another program holds Ctrl+B"), std::string::npos)
        << child.stderrText;
    EXPECT_EQ(std::count(child.stderrText.begin(), child.stderrText.end(), '\n'), 1)
        << child.stderrText;
}

// The process's address space in use now, in bytes.
rlim_t AddressSpaceInUse() {
    unsigned long pages = 0;
    std::ifstream("/proc/self/statm") >> pages;
    return static_cast<rlim_t>(pages) * static_cast<rlim_t>(sysconf(_SC_PAGESIZE));
}

// The entry points are called as C: an exception leaving one would unwind through a caller that
// knows nothing of them.
TEST(HookLibraryLifecycle, AThreadThatCannotStartIsReportedAndStartedLater) {
    ProcessDisplay();
    ChildResult child = RunInChild([] {
        XTestClient input;
        rlimit unlimited{};
        getrlimit(RLIMIT_AS, &unlimited);
        // Room for small allocations, none for a thread's stack.
        rlimit tight = unlimited;
        tight.rlim_cur = AddressSpaceInUse() + (1 << 20);
        setrlimit(RLIMIT_AS, &tight);
        try {
            EnableHotKeyHook();
            EnableMouseHook();
            PlayVoice();
        } catch (...) {
            return 2;
        }
        setrlimit(RLIMIT_AS, &unlimited);
        EnableHotKeyHook();
        const bool live = WaitUntil([&] {
            input.CtrlB();
            return GetDownHotKey();
        });
        return live ? 0 : 1;
    });
    EXPECT_TRUE(child.exited);
    EXPECT_EQ(child.status, 0);
    EXPECT_NE(child.stderrText.find("cannot start"), std::string::npos) << child.stderrText;
    EXPECT_EQ(std::count(child.stderrText.begin(), child.stderrText.end(), '\n'), 1)
        << child.stderrText;
}

TEST(HookLibraryLifecycle, WithoutADisplayEverythingIsInertAndSaidOnce) {
    ChildResult child = RunInChild([] {
        unsetenv("DISPLAY");
        EnableHotKeyHook();
        EnableMouseHook();
        PlayVoice();
        DisableHotKeyHook();
        EnableHotKeyHook();
        SetMouseDown(false);
        DisableMouseHook();
        EnableMouseHook();
        return GetDownHotKey() || GetMouseDown() ? 1 : 0;
    });
    EXPECT_TRUE(child.exited);
    EXPECT_EQ(child.status, 0);
    EXPECT_NE(child.stderrText.find("no X display"), std::string::npos) << child.stderrText;
    EXPECT_EQ(std::count(child.stderrText.begin(), child.stderrText.end(), '\n'), 1)
        << child.stderrText;
}

} // namespace
} // namespace zorvic::testing
