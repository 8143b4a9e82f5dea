#pragma once

namespace zorvic {

// True on the Windows generation whose window picking disabled the fixed-region and control
// buttons. Picking works on X11, so this is always false here.
bool IsWindows6OrLater();

} // namespace zorvic
