#include "ZorvicMain.h"
#include "HookService.h"

using zorvic::HookService;

void EnableHotKeyHook(void) {
    HookService::Instance().SetHotKeyWanted(true);
}
void DisableHotKeyHook(void) {
    HookService::Instance().SetHotKeyWanted(false);
}
bool GetDownHotKey(void) {
    return HookService::Instance().TakeHotKeyPress();
}

void EnableMouseHook(void) {
    HookService::Instance().SetMouseWanted(true);
}
bool GetMouseDown(void) {
    return HookService::Instance().MouseDown();
}
void SetMouseDown(bool down) {
    HookService::Instance().SetMouseDown(down);
}
void DisableMouseHook(void) {
    HookService::Instance().SetMouseWanted(false);
}

void PlayVoice(void) {
    HookService::Instance().RequestSound();
}
