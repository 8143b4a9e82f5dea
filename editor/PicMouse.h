#pragma once
#include "HandTool.h"
#include "MagnifierTool.h"
#include "PointTools.h"
#include "ShapeTool.h"

#include <QObject>

class QMouseEvent;

namespace zorvic {

class TSaveForm;

// The picture control's three mouse handlers. Every move reads the colour and the position
// under the pointer out into the status bar; the tool that is down in the palette decides what
// a press, a move and a release do. Any mouse button acts.
class TPicMouse : public QObject {
    Q_OBJECT
public:
    explicit TPicMouse(TSaveForm& form);

    void PicMouseDown(QPoint control);
    void PicMouseMove(QPoint control, bool buttonHeld);
    void PicMouseUp(QPoint control);

    THandTool Hand;
    TMagnifierTool Magnifier;
    TSprayTool Spray;
    TStrawTool Straw;
    TShapeTool Shapes;
    TTextTool Text;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TCanvasTool* CurrentTool();
    TPointerAt At(QPoint control) const;
    void Dispatch(const QMouseEvent& event);

    TSaveForm& form_;
};

} // namespace zorvic
