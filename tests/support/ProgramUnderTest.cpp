#include "ProgramUnderTest.h"

#include "PrivateHome.h"
#include "WaitUntil.h"
#include "XErrorTrap.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

namespace zorvic::testing {

using namespace std::chrono_literals;

ProgramUnderTest::ProgramUnderTest(std::string executable, Display* display,
                                   std::string displayName)
    : executable_(std::move(executable)), display_(display), displayName_(std::move(displayName)),
      vanishedWindows_(std::make_unique<XErrorTrap>(display)) {
    for (const auto& [name, folder] : HomeVariables(Root()))
        std::filesystem::create_directories(folder);
    // Where pictures go when no folder is stored, as xdg-user-dir would not be there to say.
    std::filesystem::create_directories(root_.Path("home/Documents"));
    std::filesystem::create_directories(root_.Path("bin"));
    std::filesystem::permissions(root_.Path("runtime"), std::filesystem::perms::owner_all);
}

ProgramUnderTest::~ProgramUnderTest() {
    for (pid_t pid : started_)
        if (waitpid(pid, nullptr, WNOHANG) == 0) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
    XSync(display_, False);
}

pid_t ProgramUnderTest::Launch(const std::vector<std::string>& arguments) {
    std::vector<char*> argv{executable_.data()};
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    const auto home = HomeVariables(Root());
    const std::string path = root_.Path("bin");
    const pid_t pid = fork();
    if (pid == 0) {
        setenv("DISPLAY", displayName_.c_str(), 1);
        for (const auto& [name, folder] : home)
            setenv(name, folder.c_str(), 1);
        // An empty folder: the program finds no opener, no desktop settings tool, no other program.
        setenv("PATH", path.c_str(), 1);
        unsetenv("QT_QPA_PLATFORM");
        execv(executable_.c_str(), argv.data());
        _exit(127);
    }
    started_.push_back(pid);
    return pid;
}

void ProgramUnderTest::AppendMachineSettings(const std::string& regText) {
    std::ofstream(root_.Path("settings/HKLM.reg"), std::ios::app) << regText;
}

void ProgramUnderTest::StoreStartOptions(const StartOptions& options) {
    auto flag = [](bool on) { return on ? std::string("\"1\"") : std::string("\"0\""); };
    AppendMachineSettings(
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Zorvic]\n\"Ver\"=\"V1.5\"\n\n"
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Zorvic\\Settings\\Conventional]\n"
        "\"Sound\"=\"0\"\n\"Mouse\"=" +
        flag(options.IncludeCursor) + "\n\"Hide\"=" + flag(options.HideMainWindow) +
        "\n\"Delay\"=dword:00000000\n\"Width\"=\"600\"\n\"Height\"=\"400\"\n\n"
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Zorvic\\Settings\\Save]\n"
        "\"Comp\"=\"80\"\n\"Dir\"=\"\"\n\"Temp\"=\"截图\"\n\"Time\"=\"0\"\n\"Type\"=\"0\"\n\n"
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Zorvic\\Settings\\High]\n"
        "\"Quit\"=dword:00000001\n");
}

Window ProgramUnderTest::FindWindow(const std::function<bool(Window)>& wanted,
                                    std::chrono::milliseconds patience) {
    Window found = 0;
    // Each look walks the whole window tree.
    WaitUntil([&] { return (found = Search(DefaultRootWindow(display_), wanted)) != 0; }, patience,
              50ms);
    return found;
}

Window ProgramUnderTest::FindWindowTitled(const std::string& title, bool shownOnly,
                                          std::chrono::milliseconds patience) {
    return FindWindow(
        [&](Window window) { return TitleOf(window) == title && (!shownOnly || IsShown(window)); },
        patience);
}

std::string ProgramUnderTest::TitleOf(Window window) {
    // The UTF-8 title first: the old property cannot hold Chinese titles.
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, left = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display_, window, XInternAtom(display_, "_NET_WM_NAME", False), 0, 1024,
                           False, XInternAtom(display_, "UTF8_STRING", False), &type, &format,
                           &count, &left, &data) == Success &&
        data) {
        std::string title(reinterpret_cast<char*>(data), count);
        XFree(data);
        if (format == 8) return title;
    }
    char* name = nullptr;
    if (!XFetchName(display_, window, &name) || !name) return {};
    std::string title = name;
    XFree(name);
    return title;
}

bool ProgramUnderTest::IsTransient(Window window) {
    Window owner = 0;
    return XGetTransientForHint(display_, window, &owner) && owner != 0;
}

bool ProgramUnderTest::IsShown(Window window) {
    XWindowAttributes attributes{};
    return XGetWindowAttributes(display_, window, &attributes) &&
           attributes.map_state == IsViewable;
}

void ProgramUnderTest::SendCloseRequest(Window window) {
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

int ProgramUnderTest::WaitForExit(pid_t pid, std::chrono::seconds patience) {
    int status = 0;
    if (!WaitUntil([&] { return waitpid(pid, &status, WNOHANG) == pid; }, patience)) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
}

Window ProgramUnderTest::Search(Window parent, const std::function<bool(Window)>& wanted) {
    Window root = 0, up = 0, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display_, parent, &root, &up, &children, &count)) return 0;
    Window found = 0;
    for (unsigned i = 0; i < count && !found; ++i)
        found = wanted(children[i]) ? children[i] : Search(children[i], wanted);
    if (children) XFree(children);
    return found;
}

} // namespace zorvic::testing
