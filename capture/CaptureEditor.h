#pragma once
#include "TBitmap.h"
#include "TPoint.h"

namespace zorvic {

// Where a capture ends up: the editor, as the capture code sees it.
class ICaptureEditor {
public:
    virtual ~ICaptureEditor() = default;
    virtual void LoadFullScreen(const TBitmap& screenCapture) = 0;
    // The editor cuts the selection spanned by the two points out of the frozen screen.
    virtual void LoadSelection(const TBitmap& frozenScreen, TPoint selStart, TPoint selEnd) = 0;
    virtual void LoadPicture(const TBitmap& picture) = 0;
    virtual void Show() = 0;
    // Returns when the editor has been closed.
    virtual void ShowModal() = 0;
};

} // namespace zorvic
