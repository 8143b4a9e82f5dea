#pragma once

namespace zorvic {

// Whether another X client already holds Ctrl+B, so that the hook library's grab would fail and
// the capture hot key would stay dead. Call it before EnableHotKeyHook: once the program's own
// hook holds the key, this reports that grab too. False without an X display.
bool IsHotKeyHeldByAnotherProgram();

} // namespace zorvic
