// The real program on the suite's X server: it starts, shows its titled main window, keeps a
// second copy from starting, and quits from the close box when told to.
#include <gtest/gtest.h>
// After gtest: Xlib defines None as a macro.
#include <X11/Xlib.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;

class EndToEndTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(std::getenv("DISPLAY"), nullptr) << "needs the suite's X server";
        std::string pattern =
            (std::filesystem::temp_directory_path() / "zorvic-e2e-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        root_ = pattern;
        for (const char* folder : {"/home", "/config", "/settings", "/runtime"})
            std::filesystem::create_directories(root_ + folder);
        std::filesystem::permissions(root_ + "/runtime", std::filesystem::perms::owner_all);
        display_ = XOpenDisplay(nullptr);
        ASSERT_NE(display_, nullptr);
    }

    void TearDown() override {
        for (pid_t pid : started_)
            if (waitpid(pid, nullptr, WNOHANG) == 0) {
                kill(pid, SIGKILL);
                waitpid(pid, nullptr, 0);
            }
        if (display_) XCloseDisplay(display_);
        std::filesystem::remove_all(root_);
    }

    pid_t Launch() {
        const pid_t pid = fork();
        if (pid == 0) {
            setenv("HOME", (root_ + "/home").c_str(), 1);
            setenv("XDG_CONFIG_HOME", (root_ + "/config").c_str(), 1);
            setenv("ZORVIC_CONFIG_DIR", (root_ + "/settings").c_str(), 1);
            setenv("XDG_RUNTIME_DIR", (root_ + "/runtime").c_str(), 1);
            unsetenv("QT_QPA_PLATFORM");
            execl(ZORVIC_EXECUTABLE, ZORVIC_EXECUTABLE, static_cast<char*>(nullptr));
            _exit(127);
        }
        started_.push_back(pid);
        return pid;
    }

    // The first window whose title is `title` (a search among all top-level clients).
    Window FindWindowTitled(const std::string& title, std::chrono::seconds patience = 30s) {
        const auto deadline = std::chrono::steady_clock::now() + patience;
        while (std::chrono::steady_clock::now() < deadline) {
            if (Window found = Search(DefaultRootWindow(display_), title)) return found;
            std::this_thread::sleep_for(100ms);
        }
        return 0;
    }

    // Asks the window to close as a window manager's close box does.
    void SendCloseRequest(Window window) {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = window;
        event.xclient.message_type = XInternAtom(display_, "WM_PROTOCOLS", False);
        event.xclient.format = 32;
        event.xclient.data.l[0] = XInternAtom(display_, "WM_DELETE_WINDOW", False);
        event.xclient.data.l[1] = CurrentTime;
        XSendEvent(display_, window, False, NoEventMask, &event);
        XFlush(display_);
    }

    // The exit status once the process ends within `patience`; -1 when it does not.
    static int WaitForExit(pid_t pid, std::chrono::seconds patience = 20s) {
        const auto deadline = std::chrono::steady_clock::now() + patience;
        while (std::chrono::steady_clock::now() < deadline) {
            int status = 0;
            if (waitpid(pid, &status, WNOHANG) == pid)
                return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
            std::this_thread::sleep_for(100ms);
        }
        return -1;
    }

    void SetCloseActionToExit() {
        std::ofstream(root_ + "/settings/HKLM.reg", std::ios::app)
            << "\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Zorvic\\Settings\\High]\n"
               "\"Quit\"=dword:00000001\n";
    }

    std::string root_;
    Display* display_ = nullptr;
    std::vector<pid_t> started_;

private:
    Window Search(Window parent, const std::string& title) {
        Window root = 0, up = 0, *children = nullptr;
        unsigned count = 0;
        if (!XQueryTree(display_, parent, &root, &up, &children, &count)) return 0;
        Window found = 0;
        for (unsigned i = 0; i < count && !found; ++i) {
            char* name = nullptr;
            if (XFetchName(display_, children[i], &name) && name) {
                if (title == name) found = children[i];
                XFree(name);
            }
            if (!found) found = Search(children[i], title);
        }
        if (children) XFree(children);
        return found;
    }
};

TEST_F(EndToEndTest, ProgramShowsItsMainWindowAndQuitsFromTheCloseBox) {
    const pid_t program = Launch();
    const Window main = FindWindowTitled("ZorvicV1.5");
    ASSERT_NE(main, 0u) << "no window titled ZorvicV1.5";
    XWindowAttributes attributes{};
    XGetWindowAttributes(display_, main, &attributes);
    EXPECT_EQ(attributes.map_state, IsViewable);

    // A second copy hands over to the first and ends at once.
    EXPECT_EQ(WaitForExit(Launch()), 0);
    EXPECT_EQ(waitpid(program, nullptr, WNOHANG), 0) << "the first copy ended";

    SetCloseActionToExit();
    SendCloseRequest(main);
    EXPECT_EQ(WaitForExit(program), 0);
}

} // namespace
