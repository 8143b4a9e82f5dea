#include "SettingsSandbox.h"

#include "RegistryStore.h"

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <linux/fs.h>
#include <sstream>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zorvic::testing {

void SettingsSandbox::SetUp() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "zorvic-settings-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    root_ = pattern;
    home_ = root_ + "/home";
    configHome_ = root_ + "/config";
    settingsDir_ = root_ + "/settings";
    std::filesystem::create_directories(home_);
    environment_.push_back(std::make_unique<TScopedEnvironment>("HOME", home_));
    environment_.push_back(std::make_unique<TScopedEnvironment>("XDG_CONFIG_HOME", configHome_));
    environment_.push_back(std::make_unique<TScopedEnvironment>("ZORVIC_CONFIG_DIR", settingsDir_));
    SetSettingsProblemReporter([this](const std::string& problem) { reports_.push_back(problem); });
}

void SettingsSandbox::TearDown() {
    SetSettingsProblemReporter({});
    environment_.clear();
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

std::string ReadText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

void WriteText(const std::string& path, const std::string& text) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

bool FileExists(const std::string& path) {
    return access(path.c_str(), F_OK) == 0;
}

TScopedEnvironment::TScopedEnvironment(const char* name, const std::string& value) : name_(name) {
    const char* old = std::getenv(name);
    hadValue_ = old != nullptr;
    if (old) oldValue_ = old;
    setenv(name, value.c_str(), 1);
}

TScopedEnvironment::~TScopedEnvironment() {
    if (hadValue_)
        setenv(name_.c_str(), oldValue_.c_str(), 1);
    else
        unsetenv(name_.c_str());
}

TReadOnlyFolder::TReadOnlyFolder(std::string path) : path_(std::move(path)) {
    chmod(path_.c_str(), 0555);
    if (geteuid() == 0) SetImmutable(true);
    const std::string probe = path_ + "/.probe";
    const int fd = open(probe.c_str(), O_CREAT | O_WRONLY, 0600);
    works_ = fd < 0;
    if (fd >= 0) {
        close(fd);
        unlink(probe.c_str());
    }
}

TReadOnlyFolder::~TReadOnlyFolder() {
    if (immutable_) SetImmutable(false);
    chmod(path_.c_str(), 0700);
}

void TReadOnlyFolder::SetImmutable(bool on) {
    const int fd = open(path_.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    int flags = 0;
    if (ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
        flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
        if (ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0) immutable_ = on;
    }
    close(fd);
}

} // namespace zorvic::testing
