#pragma once

namespace zorvic {

// Tells the program that a flag went up, so that it can sleep until then instead of polling: an
// eventfd that the library's thread adds to and the program reads empty.
class NoticeSignal {
public:
    NoticeSignal();
    ~NoticeSignal();
    NoticeSignal(const NoticeSignal&) = delete;
    NoticeSignal& operator=(const NoticeSignal&) = delete;

    // Readable while a notice is unread; -1 when the system gave no descriptor.
    int Descriptor() const { return descriptor_; }
    // Called after the flag is up, so that whoever wakes finds it.
    void Raise();

private:
    int descriptor_ = -1;
};

} // namespace zorvic
