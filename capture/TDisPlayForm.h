#pragma once
#include "RubberBand.h"
#include "TBitmap.h"

#include <QWidget>

class QFrame;
class QLabel;

namespace zorvic {

class ICaptureEditor;
class ICaptureHost;

// The overlay over the frozen screen on which a region is dragged. Created once, hidden; it
// covers the primary screen from its top-left corner, so picture and screen coordinates agree.
// Escape cancels; in the middle of a drag the overlay stays until the button comes up, so that
// the release never reaches the window below.
class TDisPlayForm : public QWidget {
    Q_OBJECT
public:
    explicit TDisPlayForm(QWidget* parent = nullptr);

    // Where the finished selection goes; set once before the first capture.
    void Connect(ICaptureHost& host, ICaptureEditor& editor);
    // Covers `screen` (the primary screen on the desktop) and shows `capture` frozen on it.
    void ShowFrozen(const TBitmap& capture, const QRect& screen);

    // What the overlay shows: the frozen screen with the rubber band drawn in.
    const TBitmap& Picture() const { return picture_; }

    // Components.
    QWidget* Pict = nullptr;
    QFrame* Panel = nullptr;
    QLabel* LbX = nullptr;
    QLabel* LbY = nullptr;

    // The mouse protocol of the picture; positions in picture pixels.
    void PictMouseDown(TPoint point);
    void PictMouseMove(TPoint point);
    void PictMouseUp(TPoint point);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Repaints where the band reaching `corner` lies.
    void RepaintBand(TPoint corner);
    void EraseBand();
    void ShowReadOut(TPoint point);
    void Cancel();
    void Dismiss();

    ICaptureHost* host_ = nullptr;
    ICaptureEditor* editor_ = nullptr;
    // The screen as grabbed, which the editor cuts from: no band ever touches it.
    TBitmap frozen_;
    TBitmap picture_;
    // Escape came during a drag; the release of the last button ends the capture.
    bool cancelling_ = false;
    TRubberBand band_;
    TPoint selEnd_;
};

// The program's one selection overlay.
extern TDisPlayForm* DisPlayForm;

} // namespace zorvic
