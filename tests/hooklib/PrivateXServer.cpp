#include "PrivateXServer.h"
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <string>
#include <sys/prctl.h>
#include <thread>
#include <unistd.h>

namespace zorvic::testing {
namespace {

std::string StartXvfb() {
    int ends[2];
    if (pipe(ends) != 0) throw std::runtime_error("pipe failed");
    std::string fd = std::to_string(ends[1]);
    // -noreset: a server that resets when its last client leaves refuses connections meanwhile.
    const char* argv[] = {"Xvfb",     "-displayfd", fd.c_str(),  "-screen",
                          "0",        "640x480x24", "-nolisten", "tcp",
                          "-noreset", "+extension", "XTEST",     nullptr};
    pid_t parent = getpid();
    pid_t child = fork();
    if (child == 0) {
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (getppid() != parent) _exit(1);
        int quiet = open("/dev/null", O_WRONLY);
        dup2(quiet, STDOUT_FILENO);
        dup2(quiet, STDERR_FILENO);
        close(ends[0]);
        execvp("Xvfb", const_cast<char* const*>(argv));
        _exit(127);
    }
    close(ends[1]);
    // The server writes the number and the newline separately, and dies if the pipe closes early.
    std::string name = ":";
    pollfd wait{ends[0], POLLIN, 0};
    char digit = 0;
    while (child > 0 && poll(&wait, 1, 20000) == 1 && read(ends[0], &digit, 1) == 1 &&
           digit != '\n')
        name += digit;
    close(ends[0]);
    if (digit != '\n') throw std::runtime_error("Xvfb did not start");
    return name;
}

} // namespace

void UsePrivateXServer() {
    static const std::string display = StartXvfb();
    setenv("DISPLAY", display.c_str(), 1);
}

bool Eventually(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

} // namespace zorvic::testing
