#include "AviCap.h"

#include "CaptureDrivers.h"
#include "TCaptureWindow.h"

#include <algorithm>
#include <cstring>

namespace zorvic {

TCaptureWindow* capCreateCaptureWindowA(const char* windowName, unsigned style, int x, int y,
                                        int width, int height, QWidget* parent, int /*id*/) {
    if (!parent) return nullptr;
    auto* window = new TCaptureWindow(parent, QRect(x, y, width, height));
    window->setObjectName(QString::fromUtf8(windowName ? windowName : ""));
    if (style & WS_VISIBLE) window->show();
    return window;
}

bool capGetDriverDescriptionA(unsigned index, char* name, int nameSize, char* version,
                              int versionSize) {
    const std::optional<TDriverSource> driver = CaptureDriverAt(index);
    if (!driver) return false;
    if (name && nameSize > 0) {
        std::size_t length = std::min(driver->Description.size(), std::size_t(nameSize - 1));
        // Never cut a character of several bytes in two.
        while (length > 0 && length < driver->Description.size() &&
               (static_cast<unsigned char>(driver->Description[length]) & 0xC0) == 0x80)
            --length;
        std::memcpy(name, driver->Description.data(), length);
        name[length] = '\0';
    }
    if (version && versionSize > 0) version[0] = '\0';
    return true;
}

std::intptr_t SendMessageA(TCaptureWindow* window, unsigned message, std::uintptr_t wParam,
                           std::intptr_t lParam) {
    return window ? window->Perform(message, wParam, lParam) : 0;
}

void DestroyWindow(TCaptureWindow* window) {
    delete window;
}

} // namespace zorvic
