#pragma once
#include "TBitmap.h"

#include <memory>

namespace zorvic {

class Clipboard {
public:
    virtual ~Clipboard() = default;
    // Offers the picture to other programs as an image. The content lives as long as this
    // process: X keeps no copy of its own.
    virtual void SetImage(const TBitmap& picture) = 0;
};

// Through the Qt application's clipboard; needs a QGuiApplication when used.
std::shared_ptr<Clipboard> MakeQtClipboard();

} // namespace zorvic
