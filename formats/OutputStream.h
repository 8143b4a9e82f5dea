#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace zorvic {

class TAtomicFile;

// A writable, seekable byte sink. The TIFF writer notes offsets as it goes and fixes one up at the
// end, so it needs seeking; the same writers serve files and memory (tests, clipboard) alike.
// Failures throw EZorvicError or one of its kinds.
class TOutputStream {
public:
    virtual ~TOutputStream() = default;
    virtual void Write(const void* data, std::size_t size) = 0;
    virtual std::uint64_t Position() const = 0;
    virtual void Seek(std::uint64_t position) = 0;
};

// Bytes in memory. Writing over existing bytes replaces them; seeking past the end and writing
// there fills the gap with zeros.
class TMemoryStream final : public TOutputStream {
public:
    void Write(const void* data, std::size_t size) override;
    std::uint64_t Position() const override { return position_; }
    void Seek(std::uint64_t position) override { position_ = position; }

    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
    std::uint64_t position_ = 0;
};

// A stream over a TAtomicFile: the target only appears when the owner commits the file.
class TAtomicFileStream final : public TOutputStream {
public:
    explicit TAtomicFileStream(TAtomicFile& file) : file_(file) {}
    void Write(const void* data, std::size_t size) override;
    std::uint64_t Position() const override;
    void Seek(std::uint64_t position) override;

private:
    TAtomicFile& file_;
};

// Runs `write` on a stream over a temporary file in the target's folder and renames that file over
// `target` only when `write` returned normally: a failure leaves no partial target and any earlier
// file of that name as it was. Throws EFileError "Cannot create file "<target>". <reason>" when
// the temporary file cannot be created.
void WriteFileAtomically(const std::string& target,
                         const std::function<void(TOutputStream&)>& write);

} // namespace zorvic
