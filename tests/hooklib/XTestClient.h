#pragma once
#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <initializer_list>

namespace zorvic::testing {

// The test's own X client: keys and clicks synthesised with XTest as a user would make them (every
// call waits until the server has taken the events), and a look at who holds Ctrl+B.
class XTestClient {
public:
    XTestClient(); // on DISPLAY; throws without one
    ~XTestClient();
    XTestClient(const XTestClient&) = delete;
    XTestClient& operator=(const XTestClient&) = delete;

    Display* display() const { return display_; }

    // Presses the modifiers in order, taps the key, releases the modifiers in reverse order.
    void Chord(std::initializer_list<KeySym> modifiers, KeySym key);
    void CtrlB() { Chord({XK_Control_L}, XK_b); }
    void Click(unsigned button);
    // Sets the locked modifiers (Caps Lock, Num Lock...) to exactly `mask`.
    void LockModifiers(unsigned mask);
    // Whether this client could grab Ctrl+B, i.e. nobody else holds it (the grab is undone).
    bool CanGrabCtrlB();

private:
    void Key(KeySym key, bool down);

    Display* display_;
};

} // namespace zorvic::testing
