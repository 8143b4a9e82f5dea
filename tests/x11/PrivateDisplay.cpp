#include "PrivateDisplay.h"

#include <X11/Xlib.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <thread>
#include <vector>

extern char** environ;

namespace zorvic::testing {

namespace {

pid_t Spawn(std::vector<std::string> argv) {
    std::vector<char*> args;
    for (std::string& arg : argv)
        args.push_back(arg.data());
    args.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int failed = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failed) throw std::runtime_error("cannot start " + argv[0]);
    return pid;
}

void Stop(pid_t pid) {
    if (pid <= 0) return;
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
}

// The display number Xvfb writes once it accepts connections.
std::string ReadDisplayNumber(int fd) {
    std::string number;
    pollfd ready{fd, POLLIN, 0};
    char c = 0;
    while (poll(&ready, 1, 20000) > 0 && read(fd, &c, 1) == 1 && c != '\n')
        number += c;
    if (number.empty()) throw std::runtime_error("Xvfb did not start");
    return ":" + number;
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
    server_ = Spawn({"Xvfb", "-displayfd", std::to_string(ends[1]), "-screen", "0", screen,
                     "-nolisten", "tcp", "+extension", "XTEST",
                     options.SharedMemory ? "+extension" : "-extension", "MIT-SHM"});
    close(ends[1]);
    try {
        name_ = ReadDisplayNumber(ends[0]);
    } catch (...) {
        close(ends[0]);
        Stop(server_);
        throw;
    }
    close(ends[0]);
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
    char path[] = "/tmp/zorvic-jwmrc.XXXXXX";
    const int fd = mkstemp(path);
    const std::string config = "<?xml version=\"1.0\"?>\n<JWM><FocusModel>click</FocusModel>"
                               "<Desktops width=\"1\" height=\"1\"/></JWM>\n";
    if (fd < 0 || write(fd, config.data(), config.size()) != static_cast<ssize_t>(config.size()))
        throw std::runtime_error("cannot write the window manager's configuration");
    close(fd);
    wmConfig_ = path;
    windowManager_ = Spawn({"jwm", "-display", name_, "-f", wmConfig_});
    Display* display = XOpenDisplay(name_.c_str());
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (display && !WindowManagerReady(display) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    const bool ready = display && WindowManagerReady(display);
    if (display) XCloseDisplay(display);
    if (!ready) throw std::runtime_error("jwm did not start");
}

PrivateDisplay::~PrivateDisplay() {
    Stop(windowManager_);
    Stop(server_);
    if (!wmConfig_.empty()) std::remove(wmConfig_.c_str());
}

} // namespace zorvic::testing
