#pragma once
#include "PlatformServices.h"

#include <QWidget>

namespace zorvic {

// The blue frame window that marks the rectangle about to be picked. Created once, hidden. Only
// a ring 3 pixels wide, between 2 and 5 pixels from its edges, belongs to it, and the pointer
// passes through even that, so the window under the mouse is never the frame itself.
class TSelectAreaForm : public QWidget {
    Q_OBJECT
public:
    explicit TSelectAreaForm(QWidget* parent = nullptr);

    // Frames the innermost window under the pointer: its rectangle is exactly the hole. Over the
    // bare desktop there is nothing to frame: the frame is hidden and the result is false.
    bool ShowControlFrame(PlatformServices& platform);
    // Frames a fixedWidth x fixedHeight hole whose centre lies 5 pixels right of and below the
    // pointer.
    void ShowFixedFrame(int fixedWidth, int fixedHeight, PlatformServices& platform);

    // Moves, sizes, reshapes and shows the frame; coordinates on the desktop.
    void PlaceFrame(int left, int top, int width, int height);
};

// The ring of a frame window of the given size, in its own coordinates.
QRegion FrameRing(int width, int height);

// The program's one frame window.
extern TSelectAreaForm* SelectAreaForm;

} // namespace zorvic
