#pragma once
#include "TPoint.h"

#include <QPoint>
#include <Qt>

namespace zorvic {

// Where the pointer is: in the image control, and the picture pixel under it (they differ
// while the view is zoomed).
struct TPointerAt {
    QPoint Control;
    TPoint Picture;
};

// A tool of the palette as the picture's mouse handlers drive it: a press starts what it does,
// moves carry it on while its drag lasts, the release ends it.
class TCanvasTool {
public:
    virtual ~TCanvasTool() = default;
    virtual void MouseDown(const TPointerAt& at) = 0;
    virtual void MouseMove(const TPointerAt&) {}
    virtual void MouseUp(const TPointerAt&) {}
    // A press of this tool is waiting for its release.
    virtual bool Dragging() const { return false; }
};

// The pointer shape a drag shows over the whole application, and the default shape back when
// it ends.
class TDragPointer {
public:
    TDragPointer() = default;
    TDragPointer(const TDragPointer&) = delete;
    TDragPointer& operator=(const TDragPointer&) = delete;
    ~TDragPointer() { Release(); }

    void Show(Qt::CursorShape shape);
    void Release();

private:
    bool shown_ = false;
};

} // namespace zorvic
