#pragma once
// libZorvicMain: the global Ctrl+B hot key, a system-wide notice of mouse-button presses and
// the capture sound. Every call returns at once: the work happens on the library's own thread
// with its own X connection, started on the first enable or sound request. No call throws; when
// the thread cannot be started, that is said once on stderr and the next enable tries again.
#ifndef __cplusplus
#include <stdbool.h>
#endif

#define ZORVIC_HOOK_API __attribute__((visibility("default")))

#ifdef __cplusplus
extern "C" {
#endif

// From the next X round trip on, every press of Ctrl+B anywhere raises the hot-key flag, whatever
// lock keys are on. A press left unread from an earlier enabled period is dropped. While another
// program holds Ctrl+B, the grab is tried again until the key comes free; a key still held a
// second on is said once on stderr.
ZORVIC_HOOK_API void EnableHotKeyHook(void);
// Releases Ctrl+B so that it reaches the focused window again.
ZORVIC_HOOK_API void DisableHotKeyHook(void);
// True exactly once per noticed press: reading clears the flag.
ZORVIC_HOOK_API bool GetDownHotKey(void);

// From the next X round trip on, a press of a mouse button (not the wheel) anywhere raises the
// mouse flag; the click still reaches the window under the pointer. Enabling clears the flag.
ZORVIC_HOOK_API void EnableMouseHook(void);
// A level: true from a press until SetMouseDown(false).
ZORVIC_HOOK_API bool GetMouseDown(void);
ZORVIC_HOOK_API void SetMouseDown(bool down);
ZORVIC_HOOK_API void DisableMouseHook(void);

// Starts the desktop's "screen-capture" event sound; silent where there is no sound device.
ZORVIC_HOOK_API void PlayVoice(void);

// A file descriptor that turns readable when the hot-key flag or the mouse flag goes up, for a
// caller that sleeps until then instead of polling the flags. The flag is up before the
// descriptor turns readable; reading its 8 bytes empties it. -1 when the system gave none. It
// stays open, and owned by the library, for the life of the process.
ZORVIC_HOOK_API int GetNoticeDescriptor(void);

#ifdef __cplusplus
}
#endif
