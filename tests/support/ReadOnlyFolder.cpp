#include "ReadOnlyFolder.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zorvic::testing {

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
