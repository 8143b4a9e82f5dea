#pragma once
#include <QStringList>

namespace zorvic {

// The program: one running copy, the five windows, the event loop. Returns the exit code.
int RunZorvic(int argc, char** argv);

// Creates the program's five windows once, in order, and shows or parks the main window as the
// command line asks. An application object must exist.
void CreateProgramWindows(const QStringList& arguments);
void DestroyProgramWindows();

} // namespace zorvic
