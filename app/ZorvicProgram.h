#pragma once
#include "HookCalls.h"
#include "PlatformServices.h"

#include <QStringList>

namespace zorvic {

// The program: one running copy, the five windows, the event loop. Returns the exit code.
int RunZorvic(int argc, char** argv);

// Creates the program's five windows once, in order, and shows or parks the main window as the
// command line asks; the hot key and the capture go through `hooks`, on the desktop of
// `platform`. An application object must exist.
void CreateProgramWindows(const QStringList& arguments, const THookCalls& hooks,
                          const PlatformServices& platform);
void DestroyProgramWindows();

} // namespace zorvic
