#include "ChildProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

extern char** environ;

namespace zorvic {

bool ProgramOnPath(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::istringstream folders(path ? path : "");
    std::string folder;
    while (std::getline(folders, folder, ':')) {
        const std::filesystem::path candidate = std::filesystem::path(folder) / name;
        if (!folder.empty() && access(candidate.c_str(), X_OK) == 0) return true;
    }
    return false;
}

namespace {

// Reads the child's output until it closes it or the deadline passes; false on the deadline.
bool ReadUntilClosed(int fd, std::string& output, std::chrono::steady_clock::time_point deadline) {
    char buffer[4096];
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return false;
        pollfd ready{fd, POLLIN, 0};
        if (poll(&ready, 1, static_cast<int>(left.count())) <= 0) continue;
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got <= 0) return true;
        output.append(buffer, static_cast<std::size_t>(got));
    }
}

} // namespace

ProgramResult RunProgram(const std::vector<std::string>& argv, std::chrono::milliseconds timeout) {
    ProgramResult result;
    if (argv.empty()) return result;
    std::vector<char*> args;
    for (const std::string& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);

    int pipeEnds[2];
    if (pipe2(pipeEnds, O_CLOEXEC) != 0) return result;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    const int failed = posix_spawnp(&child, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    if (failed != 0) {
        close(pipeEnds[0]);
        return result;
    }
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    bool finished = ReadUntilClosed(pipeEnds[0], result.Output, deadline);
    close(pipeEnds[0]);
    int status = 0;
    // A program may close its output and go on running; it gets the same deadline.
    while (finished && waitpid(child, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() >= deadline)
            finished = false;
        else
            usleep(1000);
    }
    if (!finished) {
        kill(child, SIGKILL);
        waitpid(child, &status, 0);
    }
    if (finished && WIFEXITED(status)) result.ExitCode = WEXITSTATUS(status);
    return result;
}

} // namespace zorvic
