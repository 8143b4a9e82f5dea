#include "ConfigPaths.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <pwd.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace zorvic {

namespace {

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// Runs a program found on PATH with a fixed argument list (no shell) and gives its standard
// output, or "" when it cannot be run or fails.
std::string OutputOf(const std::vector<std::string>& arguments) {
    int pipeEnds[2];
    if (pipe2(pipeEnds, O_CLOEXEC) != 0) return "";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid_t child = 0;
    const int spawned = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    std::string output;
    if (spawned == 0) {
        char buffer[4096];
        ssize_t got;
        while ((got = read(pipeEnds[0], buffer, sizeof buffer)) > 0 || (got < 0 && errno == EINTR))
            if (got > 0) output.append(buffer, static_cast<std::size_t>(got));
    }
    close(pipeEnds[0]);
    if (spawned != 0) return "";
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return "";
    return output;
}

} // namespace

std::string HomeDirectory() {
    std::string home = Environment("HOME");
    if (!home.empty()) return home;
    if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir) return entry->pw_dir;
    return "/";
}

std::string XdgConfigHome() {
    // The base-directory rules ignore a relative value.
    const std::string configured = Environment("XDG_CONFIG_HOME");
    if (!configured.empty() && configured.front() == '/') return configured;
    return HomeDirectory() + "/.config";
}

std::string ConfigDirectory() {
    const std::string configured = Environment("ZORVIC_CONFIG_DIR");
    if (!configured.empty()) return configured;
    return XdgConfigHome() + "/zorvic";
}

std::string DocumentsDirectory() {
    std::string folder = OutputOf({"xdg-user-dir", "DOCUMENTS"});
    while (!folder.empty() && (folder.back() == '\n' || folder.back() == '\r'))
        folder.pop_back();
    if (!folder.empty() && folder.front() == '/') return folder;
    return HomeDirectory() + "/Documents";
}

std::string ProgramPath() {
    std::string path(4096, '\0');
    const ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
    if (length <= 0) return "";
    path.resize(static_cast<std::size_t>(length));
    // An executable replaced by an update while running reads as "<path> (deleted)"; the new file
    // at the old path is the one to name.
    const std::string deleted = " (deleted)";
    if (path.size() > deleted.size() && path.ends_with(deleted)) {
        const std::string replaced = path.substr(0, path.size() - deleted.size());
        if (access(replaced.c_str(), X_OK) == 0) return replaced;
    }
    return path;
}

std::string ProgramDirectory() {
    const std::string path = ProgramPath();
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? "/" : path.substr(0, slash + 1);
}

bool MakeDirectories(const std::string& path) {
    for (std::size_t at = path.find('/', 1);; at = path.find('/', at + 1)) {
        const std::string prefix = path.substr(0, at);
        if (!prefix.empty() && mkdir(prefix.c_str(), 0700) != 0 && errno != EEXIST) return false;
        if (at == std::string::npos) break;
    }
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

} // namespace zorvic
