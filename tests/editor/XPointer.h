#pragma once
#include <QPoint>

// Xlib's own declaration, without the macros of its header that break Qt's.
typedef struct _XDisplay Display;

namespace zorvic::testing {

// The pointer and its first button on the X server of $DISPLAY, moved and pressed through XTest
// as by a user's hand; each call returns once the server has the event.
class TXPointer {
public:
    TXPointer();
    ~TXPointer();
    TXPointer(const TXPointer&) = delete;
    TXPointer& operator=(const TXPointer&) = delete;

    void MoveTo(QPoint screen);
    void Press();
    void Release();

private:
    Display* display_;
};

} // namespace zorvic::testing
