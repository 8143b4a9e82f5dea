#include "AtomicFile.h"

#include "Errors.h"
#include "PieceCursor.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>
#include <vector>

namespace zorvic {

namespace {

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

} // namespace

TAtomicFile::TAtomicFile(std::string target) : target_(std::move(target)) {
    std::string pattern = FolderOf(target_) + "/.zorvic-XXXXXX";
    const int fd = mkstemp(pattern.data());
    if (fd < 0)
        throw EFileError(
            FormatMessage("Cannot create file \"%s\". %s", {target_, std::strerror(errno)}));
    // mkstemp creates 0600; a saved picture gets the usual permissions of a new file.
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
    temporary_ = pattern;
    file_ = fdopen(fd, "wb");
    if (!file_) {
        const int error = errno;
        close(fd);
        unlink(temporary_.c_str());
        throw EFileError(
            FormatMessage("Cannot create file \"%s\". %s", {target_, std::strerror(error)}));
    }
    // Writers that hand over a few hundred bytes at a time (giflib) would otherwise cost a
    // system call every 4 KB.
    setvbuf(file_, buffer_.get(), _IOFBF, kBufferBytes);
}

TAtomicFile::~TAtomicFile() {
    if (file_) {
        std::fclose(file_);
        unlink(temporary_.c_str());
    }
}

void TAtomicFile::Fail(const char* what) const {
    throw EFileError(FormatMessage("Cannot write file \"%s\". %s", {target_, what}));
}

void TAtomicFile::Write(const void* data, std::size_t size) {
    if (size > 0 && std::fwrite(data, 1, size, file_) != size) Fail(std::strerror(errno));
}

void TAtomicFile::WritePieces(std::span<const std::span<const std::uint8_t>> pieces) {
    // Straight to the descriptor, after whatever the stream still buffers.
    if (std::fflush(file_) != 0) Fail(std::strerror(errno));
    const int fd = fileno(file_);
    std::vector<iovec> all;
    all.reserve(pieces.size());
    for (const std::span<const std::uint8_t> piece : pieces)
        all.push_back({const_cast<std::uint8_t*>(piece.data()), piece.size()});
    for (TPieceCursor cursor(std::move(all)); !cursor.Done();) {
        const std::span<const iovec> next = cursor.Next();
        const ssize_t written = writev(fd, next.data(), static_cast<int>(next.size()));
        if (written < 0 && errno == EINTR) continue;
        // Nothing written of a request that was not empty is as much a failure as an error.
        if (written <= 0) Fail(std::strerror(written < 0 ? errno : EIO));
        cursor.Advance(static_cast<std::size_t>(written));
    }
    // The stream takes up where the descriptor now is.
    const off_t end = lseek(fd, 0, SEEK_CUR);
    if (end < 0 || std::fseek(file_, end, SEEK_SET) != 0) Fail(std::strerror(errno));
}

long TAtomicFile::Position() const {
    return std::ftell(file_);
}

void TAtomicFile::Seek(long position) {
    if (std::fseek(file_, position, SEEK_SET) != 0) Fail(std::strerror(errno));
}

void TAtomicFile::Commit() {
    if (std::fflush(file_) != 0 || fsync(fileno(file_)) != 0) Fail(std::strerror(errno));
    std::FILE* file = file_;
    file_ = nullptr;
    if (std::fclose(file) != 0) {
        const int error = errno;
        unlink(temporary_.c_str());
        Fail(std::strerror(error));
    }
    if (std::rename(temporary_.c_str(), target_.c_str()) != 0) {
        const int error = errno;
        unlink(temporary_.c_str());
        Fail(std::strerror(error));
    }
}

} // namespace zorvic
