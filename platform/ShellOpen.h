#pragma once
#include <string>

namespace zorvic {

// Hands a file or folder, a mail address or a web address to the desktop's opener, xdg-open,
// as its one argument: nothing goes through a shell command line, so no path or address can be
// taken for a command. The call returns at once. When the opener is missing, or finds nothing to
// open the item with, the user is told in a message box what could not be opened.
void OpenFileWithDesktop(const std::string& path);
void OpenMailComposer(const std::string& address, const std::string& subject);
void OpenWebAddress(const std::string& address);

} // namespace zorvic
