#include "DrawShape.h"

namespace zorvic {

void DrawShape(TCanvas& canvas, std::uint8_t kind, TPoint start, TPoint finish, TPenMode mode) {
    canvas.Pen.Mode = mode;
    switch (kind) {
    case skLine:
        canvas.MoveTo(start.x, start.y);
        canvas.LineTo(finish.x, finish.y);
        break;
    case skRectangle:
        canvas.Rectangle(start.x, start.y, finish.x, finish.y);
        break;
    case skEllipse:
        canvas.Ellipse(start.x, start.y, finish.x, finish.y);
        break;
    case skRoundRect:
        // Signed halves of the drag, truncated toward zero.
        canvas.RoundRect(start.x, start.y, finish.x, finish.y, (start.x - finish.x) / 2,
                         (start.y - finish.y) / 2);
        break;
    default:
        break;
    }
}

} // namespace zorvic
