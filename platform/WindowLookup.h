#pragma once
#include <string>

class QWidget;

namespace zorvic {

// The program's first top-level window whose title is exactly `title`, or nullptr.
QWidget* FindTopLevelWindow(const std::string& title);

// Hide or show the window found by title, leaving its place, size and stacking alone; a title
// that matches nothing makes these do nothing.
void HideWindowTitled(const std::string& title);
void ShowWindowTitled(const std::string& title);

} // namespace zorvic
