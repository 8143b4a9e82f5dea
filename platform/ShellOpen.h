#pragma once
#include <string>

namespace zorvic {

// Hands a file, a mail address or a web address to the desktop's own handler. Nothing goes
// through a shell command line, so no path or address can be taken for a command. Failures are
// not reported: a missing file or mail client simply opens nothing.
void OpenFileWithDesktop(const std::string& path);
void OpenMailComposer(const std::string& address, const std::string& subject);
void OpenWebAddress(const std::string& address);

} // namespace zorvic
