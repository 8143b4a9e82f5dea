#pragma once
#include "TPoint.h"

#include <initializer_list>

// Xlib's own declarations, without the macros of its header that break Qt's and gtest's.
typedef struct _XDisplay Display;
typedef unsigned long KeySym;

namespace zorvic::testing {

// The test's own X client on $DISPLAY: keys, the pointer and its buttons synthesised with XTest as
// a user's hand makes them (every call returns once the server has the events), and a look at who
// holds the Ctrl+B hot key.
class XTestClient {
public:
    XTestClient(); // throws without a display
    ~XTestClient();
    XTestClient(const XTestClient&) = delete;
    XTestClient& operator=(const XTestClient&) = delete;

    Display* display() const { return display_; }

    // Presses the modifiers in order, taps the key, releases the modifiers in reverse order.
    void Chord(std::initializer_list<KeySym> modifiers, KeySym key);
    void CtrlB();
    void MoveTo(TPoint to);
    void Press(unsigned button = 1);
    void Release(unsigned button = 1);
    void Click(unsigned button = 1);
    // Sets the locked modifiers (Caps Lock, Num Lock...) to exactly `mask`.
    void LockModifiers(unsigned mask);

    // Whether nobody holds Ctrl+B under any lock state, or another client holds it under every
    // one of them. Each look tries a grab of this client's own, undone at once.
    bool CanGrabCtrlB();
    bool CtrlBHeldElsewhere();

private:
    Display* display_;
};

} // namespace zorvic::testing
