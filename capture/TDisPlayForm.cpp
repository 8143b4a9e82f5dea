#include "TDisPlayForm.h"

#include "CaptureEditor.h"
#include "CaptureHost.h"
#include "QtBitmapView.h"

#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

#include <cstdlib>

namespace zorvic {

TDisPlayForm* DisPlayForm = nullptr;

namespace {

TPoint PointOf(const QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    return {at.x(), at.y()};
}

// The image control: the frozen screen at 1:1 under a cross cursor, the mouse passed on.
class TPictImage final : public QWidget {
public:
    TPictImage(TDisPlayForm& form) : QWidget(&form), form_(form) {
        setCursor(Qt::CrossCursor);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter painter(this);
        // A fresh view each time: every band drawn may have given the picture a new store.
        painter.drawImage(event->rect(), BitmapImageView(form_.Picture()), event->rect());
    }
    void mousePressEvent(QMouseEvent* event) override { form_.PictMouseDown(PointOf(event)); }
    void mouseMoveEvent(QMouseEvent* event) override { form_.PictMouseMove(PointOf(event)); }
    void mouseReleaseEvent(QMouseEvent* event) override { form_.PictMouseUp(PointOf(event)); }

private:
    TDisPlayForm& form_;
};

QLabel* ReadOutLabel(QWidget* panel, int y) {
    auto* label = new QLabel(panel);
    label->move(1, y);
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(12);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::blue);
    label->setPalette(palette);
    return label;
}

QColor ToQColor(TColor color) {
    return QColor(RedOf(color), GreenOf(color), BlueOf(color));
}

} // namespace

TDisPlayForm::TDisPlayForm(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                          Qt::X11BypassWindowManagerHint) {
    Pict = new TPictImage(*this);
    Panel = new QFrame(this);
    Panel->setFrameShape(QFrame::NoFrame);
    Panel->setAutoFillBackground(true);
    Panel->setPalette(QPalette(ToQColor(clSkyBlue)));
    Panel->resize(37, 25);
    Panel->hide();
    LbX = ReadOutLabel(Panel, 0);
    LbY = ReadOutLabel(Panel, 11);
    LbX->setText(QStringLiteral("宽:"));
    LbY->setText(QStringLiteral("高:"));
}

void TDisPlayForm::Connect(ICaptureHost& host, ICaptureEditor& editor) {
    host_ = &host;
    editor_ = &editor;
}

void TDisPlayForm::ShowFrozen(const TBitmap& capture, const QRect& screen) {
    setGeometry(screen);
    Pict->setGeometry(rect());
    show();
    // Both share the grab's pixels until the first band is drawn.
    frozen_ = capture;
    picture_ = capture;
    cancelling_ = false;
    Pict->update();
    raise();
    activateWindow();
    // Unmanaged windows get no focus from a window manager; Escape still has to reach us.
    grabKeyboard();
}

void TDisPlayForm::PictMouseDown(TPoint point) {
    if (cancelling_) return;
    // Another button during a drag starts it afresh, without the band drawn so far.
    if (Panel->isVisible()) EraseBand();
    band_.Start(picture_, point);
    selEnd_ = point;
    ShowReadOut(point);
    Panel->show();
}

void TDisPlayForm::PictMouseMove(TPoint point) {
    if (!Panel->isVisible()) return;
    ShowReadOut(point);
    RepaintBand(band_.SelLast);
    band_.MoveTo(picture_, point);
    RepaintBand(point);
}

void TDisPlayForm::PictMouseUp(TPoint point) {
    if (cancelling_) {
        if (QGuiApplication::mouseButtons() == Qt::NoButton) Cancel();
        return;
    }
    // The overlay stays behind the editor: without its band, as the screen was.
    EraseBand();
    selEnd_ = point;
    releaseKeyboard();
    if (host_->CheckedMode() == CaptureMode::Region)
        editor_->LoadSelection(frozen_, band_.SelStart, selEnd_);
    Panel->hide();
    // The overlay bypasses the window manager and would stay above the editor; it waits below
    // the managed windows, still covering the live screen, until the editor closes.
    lower();
    editor_->ShowModal();
    Dismiss();
}

void TDisPlayForm::keyPressEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Escape) return QWidget::keyPressEvent(event);
    if (cancelling_) return;
    if (!Panel->isVisible()) return Cancel();
    // Gone now, the overlay would let the button's release fall through to the desktop.
    EraseBand();
    Panel->hide();
    cancelling_ = true;
}

void TDisPlayForm::Cancel() {
    // Cancelling drops the selection; the next capture brings a new picture.
    cancelling_ = false;
    releaseKeyboard();
    Dismiss();
    host_->CaptureCancelled();
}

void TDisPlayForm::Dismiss() {
    hide();
    // The frozen screen shares its pixels with the capture's own bitmap; holding on to it would
    // make the next grab copy a whole screen before it can write.
    frozen_ = TBitmap();
    picture_ = TBitmap();
}

void TDisPlayForm::EraseBand() {
    RepaintBand(band_.SelLast);
    band_.Erase(picture_);
}

void TDisPlayForm::RepaintBand(TPoint corner) {
    const TRect box = band_.Bounds(corner);
    const QRect outer(box.Left, box.Top, box.Width(), box.Height());
    // Only the band's four lines change; the inside stays as it is.
    Pict->update(QRegion(outer) - QRegion(outer.adjusted(1, 1, -1, -1)));
}

void TDisPlayForm::ShowReadOut(TPoint point) {
    LbX->setText(QStringLiteral("宽:%1").arg(std::abs(point.x - band_.SelStart.x)));
    LbY->setText(QStringLiteral("高:%1").arg(std::abs(point.y - band_.SelStart.y)));
    LbX->adjustSize();
    LbY->adjustSize();
    // The panel grows with the numbers rather than cutting off their last digits.
    Panel->resize(std::max(37, std::max(LbX->width(), LbY->width()) + 2), 25);
    Panel->move(point.x + 5, point.y + 5);
}

} // namespace zorvic
