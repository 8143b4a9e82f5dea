#pragma once
#include <functional>
#include <string>

namespace zorvic {

// A plain information box with one OK button, captioned with the program's title "Zorvic".
void ShowMessage(const std::string& text);

// Replaces the box (tests record the text instead of blocking on a modal box); an empty
// function brings the real box back.
void SetMessageBoxHandler(std::function<void(const std::string&)> handler);

} // namespace zorvic
