#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <span>
#include <string>

namespace zorvic {

// Writes a file so that the target is either its old self or the complete new content, never a
// torn mix: the bytes go to a temporary file in the target's folder, which is flushed and renamed
// over the target by Commit(). A writer destroyed without Commit() removes its temporary file.
// Errors throw EFileError: creating gives "Cannot create file "<target>". <reason>", writing and
// committing give "Cannot write file "<target>". <reason>".
class TAtomicFile {
public:
    explicit TAtomicFile(std::string target);
    ~TAtomicFile();
    TAtomicFile(const TAtomicFile&) = delete;
    TAtomicFile& operator=(const TAtomicFile&) = delete;

    void Write(const void* data, std::size_t size);
    // The pieces one after another, in as few system calls as the system's limit on pieces per
    // call allows: the rows of a large picture go out in a few calls instead of one or two each.
    void WritePieces(std::span<const std::span<const std::uint8_t>> pieces);
    // Current write position, for formats that record offsets.
    long Position() const;
    void Seek(long position);
    void Commit();

    const std::string& Target() const { return target_; }

private:
    [[noreturn]] void Fail(const char* what) const;

    static constexpr std::size_t kBufferBytes = std::size_t{1} << 16;
    std::string target_;
    std::string temporary_;
    std::unique_ptr<char[]> buffer_ = std::make_unique<char[]>(kBufferBytes);
    std::FILE* file_ = nullptr; // after the buffer it uses: closed before that goes
};

} // namespace zorvic
