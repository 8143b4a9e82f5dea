// What one mouse move over a 3840 x 2160 picture costs with each drawing tool, through the
// editor's own mouse handlers (the repaint they ask for is not included unless named).
#include "EditorStatusBar.h"
#include "EditorView.h"
#include "FakeDesktop.h"
#include "Magnifier.h"
#include "PicMouse.h"
#include "TSaveForm.h"
#include "ToolsPanel.h"

#include <QApplication>
#include <QMouseEvent>
#include <QRadioButton>
#include <QToolButton>

#include <benchmark/benchmark.h>

namespace {

using zorvic::FakeDesktop;
using zorvic::TBitmap;
using zorvic::TSaveForm;
using zorvic::TToolsPanel;

TBitmap Capture() {
    TBitmap picture(3840, 2160);
    for (int y = 0; y < picture.Height(); ++y) {
        std::uint8_t* row = picture.ScanLine(y);
        for (int i = 0; i < 3 * picture.Width(); ++i)
            row[i] = static_cast<std::uint8_t>(i * 7 + y);
    }
    return picture;
}

// The editor with a 4K capture, as after Ctrl+B, and a mouse on its image control.
class TDrawingSession {
public:
    explicit TDrawingSession(QToolButton* TToolsPanel::*tool) {
        form.LoadPicture(Capture());
        form.FormShow();
        form.FormActivate();
        if (tool) (form.ToolsPanel->*tool)->click();
    }
    void Send(QEvent::Type type, QPoint at, Qt::MouseButtons held) {
        QMouseEvent event(type, QPointF(at), QPointF(at),
                          type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held,
                          Qt::NoModifier);
        QApplication::sendEvent(form.Pic, &event);
    }
    void Press(QPoint at) { Send(QEvent::MouseButtonPress, at, Qt::LeftButton); }
    void Move(QPoint at, bool held = true) {
        Send(QEvent::MouseMove, at, held ? Qt::LeftButton : Qt::NoButton);
    }
    void Release(QPoint at) { Send(QEvent::MouseButtonRelease, at, Qt::NoButton); }

    TSaveForm form{std::make_shared<FakeDesktop>()->Services()};
};

// The pointer wanders a little, as a hand does between two events.
QPoint Wander(QPoint origin, std::int64_t step) {
    return origin + QPoint(static_cast<int>(step % 7) * 3, static_cast<int>(step % 5) * 2);
}

void BM_PointerReadout(benchmark::State& state) {
    TDrawingSession session(nullptr);
    std::int64_t step = 0;
    for (auto _ : state)
        session.Move(Wander({1900, 1000}, ++step), false);
    if (!session.form.Picture().SharesPixelsWith(session.form.ActivationSnapshot))
        state.SkipWithError("the read-out copied the picture");
}
BENCHMARK(BM_PointerReadout)->Unit(benchmark::kMicrosecond);

// Argument: the rectangle's size; 1 for a solid white fill (the default brush, which not-xor
// leaves as it is), 0 for a solid red fill, which not-xor changes.
void BM_RubberBandMove(benchmark::State& state) {
    TDrawingSession session(&TToolsPanel::RectangularBtn);
    if (state.range(1) == 0) session.form.Pic->Picture().Canvas().Brush.Color = zorvic::clRed;
    const QPoint start(1000, 800);
    session.Press(start);
    const int size = static_cast<int>(state.range(0));
    std::int64_t step = 0;
    for (auto _ : state)
        session.Move(Wander(start + QPoint(size, size * 3 / 4), ++step));
    session.Release(start + QPoint(size, size * 3 / 4));
}
BENCHMARK(BM_RubberBandMove)
    ->Args({400, 1})
    ->Args({1600, 1})
    ->Args({400, 0})
    ->Args({1600, 0})
    ->Unit(benchmark::kMicrosecond);

// Argument: the radius.
void BM_SprayMove(benchmark::State& state) {
    TDrawingSession session(&TToolsPanel::SprayGunBtn);
    session.form.ToolsPanel->Radius->setValue(static_cast<int>(state.range(0)));
    session.Press({1900, 1000});
    std::int64_t step = 0;
    for (auto _ : state)
        session.Move(Wander({1900, 1000}, ++step));
    session.Release({1900, 1000});
}
BENCHMARK(BM_SprayMove)->Arg(10)->Arg(500)->Unit(benchmark::kMicrosecond);

// Arguments: magnification, radius, round (1) or square (0).
void BM_MagnifierMove(benchmark::State& state) {
    TDrawingSession session(&TToolsPanel::MagnifyingGlassBtn);
    TToolsPanel& page = *session.form.ToolsPanel;
    page.MagnificationEdit->setValue(static_cast<int>(state.range(0)));
    page.RadiusEdit->setValue(static_cast<int>(state.range(1)));
    (state.range(2) ? page.RoundShape : page.SquareShape)->setChecked(true);
    session.Press({1900, 1000});
    std::int64_t step = 0;
    for (auto _ : state)
        session.Move(Wander({1900, 1000}, ++step));
    session.Release({1900, 1000});
}
BENCHMARK(BM_MagnifierMove)
    ->Args({2, 30, 0})
    ->Args({2, 30, 1})
    ->Args({2, 100, 0})
    ->Args({2, 100, 1})
    ->Unit(benchmark::kMicrosecond);

// The press takes the snapshot and draws the first window, which gives the picture pixels of
// its own; the release puts the snapshot back.
void BM_MagnifierPressAndRelease(benchmark::State& state) {
    TDrawingSession session(&TToolsPanel::MagnifyingGlassBtn);
    for (auto _ : state) {
        session.Press({1900, 1000});
        session.Release({1900, 1000});
    }
}
BENCHMARK(BM_MagnifierPressAndRelease)->Unit(benchmark::kMicrosecond);

// The same step done the straightforward way: a fresh copy of the snapshot per move, the
// window drawn on it, the copy installed as the picture.
void BM_MagnifierMoveOnWholeCopies(benchmark::State& state) {
    const TBitmap snapshot = Capture();
    TBitmap picture = snapshot;
    const zorvic::TMagnifierSettings settings;
    std::int64_t step = 0;
    for (auto _ : state) {
        TBitmap copy = snapshot;
        copy.SetPixel(0, 0, copy.GetPixel(0, 0)); // the first write copies all the pixels
        zorvic::TMagnifier magnifier;
        const QPoint at = Wander({1900, 1000}, ++step);
        magnifier.Magnify(copy, snapshot, settings, {at.x(), at.y()});
        picture = copy;
        benchmark::DoNotOptimize(picture);
    }
}
BENCHMARK(BM_MagnifierMoveOnWholeCopies)->Unit(benchmark::kMicrosecond);

} // namespace
