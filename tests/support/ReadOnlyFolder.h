#pragma once
#include <string>

namespace zorvic::testing {

// Makes a folder refuse new entries while the object lives: mode 0555 and, for root (whom modes
// do not stop), the immutable attribute. Works() is false where neither is possible.
class TReadOnlyFolder {
public:
    explicit TReadOnlyFolder(std::string path);
    ~TReadOnlyFolder();
    TReadOnlyFolder(const TReadOnlyFolder&) = delete;
    TReadOnlyFolder& operator=(const TReadOnlyFolder&) = delete;

    bool Works() const { return works_; }

private:
    void SetImmutable(bool on);

    std::string path_;
    bool immutable_ = false;
    bool works_ = false;
};

} // namespace zorvic::testing
