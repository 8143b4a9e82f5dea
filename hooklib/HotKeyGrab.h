#pragma once
// Header-only, shared with the platform layer's hot-key probe (see XErrorTrap.h).
#include "XErrorTrap.h"
#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <algorithm>
#include <memory>
#include <vector>

namespace zorvic {

// The modifier bit (Mod1Mask..Mod5Mask, LockMask) that a key such as Num_Lock sets; 0 if none.
inline unsigned ModifierMaskOf(Display* display, KeySym keysym) {
    KeyCode keycode = XKeysymToKeycode(display, keysym);
    if (keycode == 0) return 0;
    std::unique_ptr<XModifierKeymap, decltype(&XFreeModifiermap)> map(XGetModifierMapping(display),
                                                                      &XFreeModifiermap);
    if (!map) return 0;
    for (int modifier = 0; modifier < 8; ++modifier) {
        for (int i = 0; i < map->max_keypermod; ++i) {
            if (map->modifiermap[modifier * map->max_keypermod + i] == keycode)
                return 1u << modifier;
        }
    }
    return 0;
}

// Ctrl+B as grabbed: the key and every modifier state it was grabbed under.
struct HotKeyGrab {
    KeyCode keycode = 0;
    std::vector<unsigned> modifierStates;
    // Some state could not be grabbed because another client holds Ctrl+B.
    bool heldElsewhere = false;
};

// Control with every combination of Caps Lock, Num Lock and Scroll Lock, because a passive grab
// matches the modifier state exactly.
inline std::vector<unsigned> HotKeyModifierStates(Display* display) {
    std::vector<unsigned> locks{LockMask};
    for (KeySym lock : {XK_Num_Lock, XK_Scroll_Lock}) {
        unsigned mask = ModifierMaskOf(display, lock);
        if (mask != 0 && std::find(locks.begin(), locks.end(), mask) == locks.end())
            locks.push_back(mask);
    }
    std::vector<unsigned> states;
    for (unsigned subset = 0; subset < (1u << locks.size()); ++subset) {
        unsigned state = ControlMask;
        for (size_t i = 0; i < locks.size(); ++i) {
            if (subset & (1u << i)) state |= locks[i];
        }
        states.push_back(state);
    }
    return states;
}

// Grabs Ctrl+B on `root` and waits for the server's answer, so that a clash with another client
// is known on return.
inline HotKeyGrab GrabHotKey(Display* display, Window root) {
    HotKeyGrab grab;
    grab.keycode = XKeysymToKeycode(display, XK_b);
    if (grab.keycode == 0) return grab;
    grab.modifierStates = HotKeyModifierStates(display);
    XErrorTrap trap(display);
    for (unsigned state : grab.modifierStates)
        XGrabKey(display, grab.keycode, state, root, False, GrabModeAsync, GrabModeAsync);
    XSync(display, False);
    grab.heldElsewhere = trap.SawBadAccess();
    return grab;
}

// Releases what GrabHotKey took; the other client's grabs are not touched.
inline void UngrabHotKey(Display* display, Window root, const HotKeyGrab& grab) {
    for (unsigned state : grab.modifierStates)
        XUngrabKey(display, grab.keycode, state, root);
    XFlush(display);
}

} // namespace zorvic
