#include "PrivateDisplay.h"

#include "Files.h"
#include "TempDir.h"
#include "WaitUntil.h"

#include <X11/Xlib.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace zorvic::testing {

namespace {

// Where PATH named the program when this process started: a test may have put stand-ins for the
// desktop's programs in its place since.
std::string FoundOnStartingPath(const std::string& name) {
    std::istringstream environment(ReadText("/proc/self/environ"));
    std::string path;
    for (std::string variable; std::getline(environment, variable, '\0');)
        if (variable.starts_with("PATH=")) path = variable.substr(5);
    std::istringstream folders(path);
    for (std::string folder; std::getline(folders, folder, ':');)
        if (access((folder + "/" + name).c_str(), X_OK) == 0) return folder + "/" + name;
    throw std::runtime_error("no " + name + " on PATH");
}

// Starts a program with its output silenced, to be ended by the kernel if this process ends first.
pid_t Spawn(std::vector<std::string> argv, int keepOpen = -1) {
    const std::string program = FoundOnStartingPath(argv[0]);
    std::vector<char*> args;
    for (std::string& arg : argv)
        args.push_back(arg.data());
    args.push_back(nullptr);
    const pid_t parent = getpid();
    const pid_t child = fork();
    if (child < 0) throw std::runtime_error("cannot start " + argv[0]);
    if (child == 0) {
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (getppid() != parent) _exit(1);
        const int quiet = open("/dev/null", O_WRONLY);
        dup2(quiet, STDOUT_FILENO);
        dup2(quiet, STDERR_FILENO);
        for (int fd = STDERR_FILENO + 1; fd < 1024; ++fd)
            if (fd != keepOpen) close(fd);
        execv(program.c_str(), args.data());
        _exit(127);
    }
    return child;
}

void Stop(pid_t pid) {
    if (pid <= 0) return;
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
}

// The display number Xvfb writes once it accepts connections, or "" when it fails to start.
std::string ReadDisplayNumber(int fd) {
    std::string number;
    pollfd ready{fd, POLLIN, 0};
    char c = 0;
    while (poll(&ready, 1, 20000) > 0 && read(fd, &c, 1) == 1 && c != '\n')
        number += c;
    return c == '\n' && !number.empty() ? ":" + number : "";
}

bool WindowManagerReady(Display* display) {
    const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", False);
    Atom type = None;
    int format = 0;
    unsigned long items = 0, remaining = 0;
    unsigned char* data = nullptr;
    XGetWindowProperty(display, DefaultRootWindow(display), check, 0, 1, False, AnyPropertyType,
                       &type, &format, &items, &remaining, &data);
    if (data) XFree(data);
    return items == 1;
}

} // namespace

PrivateDisplay::PrivateDisplay(Options options) {
    int ends[2];
    if (pipe(ends) != 0) throw std::runtime_error("pipe failed");
    const std::string screen = std::to_string(options.Width) + "x" +
                               std::to_string(options.Height) + "x" + std::to_string(options.Depth);
    // -noreset: a server that resets when its last client leaves refuses connections meanwhile.
    server_ = Spawn({"Xvfb", "-displayfd", std::to_string(ends[1]), "-screen", "0", screen,
                     "-nolisten", "tcp", "-noreset", "+extension", "XTEST",
                     options.SharedMemory ? "+extension" : "-extension", "MIT-SHM"},
                    ends[1]);
    close(ends[1]);
    name_ = ReadDisplayNumber(ends[0]);
    close(ends[0]);
    if (name_.empty()) {
        Stop(server_);
        throw std::runtime_error("Xvfb did not start");
    }
    if (!options.WindowManager) return;
    try {
        StartWindowManager();
    } catch (...) {
        Stop(windowManager_);
        Stop(server_);
        throw;
    }
}

void PrivateDisplay::StartWindowManager() {
    // Read once at start: the folder goes as soon as the window manager is up.
    const TTempDir folder;
    const std::string config = folder.Path("jwmrc");
    std::ofstream(config) << "<?xml version=\"1.0\"?>\n<JWM><FocusModel>click</FocusModel>"
                             "<Desktops width=\"1\" height=\"1\"/></JWM>\n";
    windowManager_ = Spawn({"jwm", "-display", name_, "-f", config});
    Display* display = XOpenDisplay(name_.c_str());
    const bool ready =
        display && WaitUntil([&] { return WindowManagerReady(display); }, std::chrono::seconds(20));
    if (display) XCloseDisplay(display);
    if (!ready) throw std::runtime_error("jwm did not start");
}

PrivateDisplay::~PrivateDisplay() {
    Stop(windowManager_);
    Stop(server_);
}

const PrivateDisplay& ProcessDisplay(PrivateDisplay::Options options) {
    // Never destroyed: the kernel ends the server with the process.
    static const PrivateDisplay* const display = new PrivateDisplay(options);
    setenv("DISPLAY", display->Name().c_str(), 1);
    return *display;
}

} // namespace zorvic::testing
