#include "OsVersion.h"

namespace zorvic {

bool IsWindows6OrLater() {
    return false;
}

} // namespace zorvic
