#include "DispatchFixture.h"
#include "RubberBand.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QTest>

namespace zorvic::testing {
namespace {

TEST(RubberBand, XorsAYellowOutlineThatDrawingAgainRemoves) {
    const TBitmap screen = PatternScreen(64, 48);
    TBitmap picture = screen;
    TRubberBand band;
    band.Start(picture, {40, 30});
    band.MoveTo(picture, {10, 5});
    for (const TPoint corner : {TPoint{40, 30}, TPoint{10, 30}, TPoint{10, 5}, TPoint{40, 5},
                                TPoint{25, 30}, TPoint{10, 17}})
        EXPECT_EQ(picture.GetPixel(corner.x, corner.y),
                  ScreenPattern(corner.x, corner.y) ^ clYellow)
            << corner.x << "," << corner.y;
    EXPECT_EQ(picture.GetPixel(25, 17), ScreenPattern(25, 17));
    band.MoveTo(picture, {50, 40});
    band.MoveTo(picture, {41, 31});
    band.Erase(picture);
    EXPECT_TRUE(IsScreenPart(picture, screen, {0, 0, 64, 48}));
}

class Overlay : public DispatchFixture {
protected:
    Overlay() {
        PressHotKeyAndTick();
        log.clear();
    }
    const TBitmap& screen = desktop->Screen;
};

TEST_F(Overlay, DragShowsTheSizeBesideThePointerAndHandsTheCleanPictureOver) {
    bool overlayShownDuringEdit = false;
    editor.WhileModal = [&] { overlayShownDuringEdit = overlay.isVisible(); };
    overlay.PictMouseDown({500, 400});
    overlay.PictMouseMove({180, 300});
    EXPECT_EQ(overlay.LbX->text(), QStringLiteral("宽:320"));
    EXPECT_EQ(overlay.LbY->text(), QStringLiteral("高:100"));
    EXPECT_EQ(overlay.Panel->pos(), QPoint(185, 305));
    EXPECT_NE(overlay.Picture().GetPixel(180, 350), screen.GetPixel(180, 350));

    overlay.PictMouseMove({300, 250});
    overlay.PictMouseUp({300, 250});
    EXPECT_EQ(log, (CallLog{"LoadSelection", "ShowModal"}));
    EXPECT_EQ(editor.SelStart, (TPoint{500, 400}));
    EXPECT_EQ(editor.SelEnd, (TPoint{300, 250}));
    EXPECT_TRUE(IsScreenPart(editor.Received, screen, {0, 0, 1920, 1080}));
    EXPECT_TRUE(overlayShownDuringEdit);
    EXPECT_FALSE(overlay.isVisible());
    EXPECT_FALSE(overlay.Panel->isVisible());
}

TEST_F(Overlay, ReleaseAwayFromTheLastMoveStillHandsNoBandOver) {
    overlay.PictMouseDown({100, 100});
    overlay.PictMouseMove({400, 300});
    overlay.PictMouseUp({200, 200});
    EXPECT_EQ(editor.SelEnd, (TPoint{200, 200}));
    EXPECT_TRUE(IsScreenPart(editor.Received, screen, {0, 0, 1920, 1080}));
}

TEST_F(Overlay, ClickWithoutMovingGivesAnEmptySelection) {
    overlay.PictMouseDown({640, 480});
    overlay.PictMouseUp({640, 480});
    EXPECT_EQ(editor.SelStart, editor.SelEnd);
    EXPECT_TRUE(IsScreenPart(editor.Received, screen, {0, 0, 1920, 1080}));
}

TEST_F(Overlay, MovingBeforeAnyButtonChangesNothing) {
    overlay.PictMouseMove({300, 300});
    EXPECT_TRUE(IsScreenPart(overlay.Picture(), screen, {0, 0, 1920, 1080}));
    EXPECT_FALSE(overlay.Panel->isVisible());
}

TEST_F(Overlay, ReleaseOutsideRegionModeOpensTheEditorWithoutASelection) {
    host.Mode = CaptureMode::FullScreen;
    overlay.PictMouseDown({10, 10});
    overlay.PictMouseUp({20, 20});
    EXPECT_EQ(log, (CallLog{"ShowModal"}));
}

void PressEscape(QWidget& window) {
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&window, &escape);
}

TEST_F(Overlay, EscapeCancelsAndGivesTheWatchBack) {
    PressEscape(overlay);
    EXPECT_EQ(log, (CallLog{"CaptureCancelled"}));
    EXPECT_FALSE(overlay.isVisible());
    // The next capture starts from a clean state.
    dispatcher.StartHotKeyWatch();
    PressHotKeyAndTick();
    EXPECT_FALSE(overlay.Panel->isVisible());
    EXPECT_TRUE(IsScreenPart(overlay.Picture(), screen, {0, 0, 1920, 1080}));
}

// The overlay holds the pointer until the button comes up: gone earlier, it would let the
// release fall through to the desktop below.
TEST_F(Overlay, EscapeDuringADragEndsItAtTheRelease) {
    overlay.PictMouseDown({10, 10});
    overlay.PictMouseMove({200, 100});
    PressEscape(overlay);
    EXPECT_TRUE(overlay.isVisible());
    EXPECT_FALSE(overlay.Panel->isVisible());
    EXPECT_TRUE(IsScreenPart(overlay.Picture(), screen, {0, 0, 1920, 1080}));
    overlay.PictMouseMove({300, 300});
    EXPECT_TRUE(IsScreenPart(overlay.Picture(), screen, {0, 0, 1920, 1080}));
    EXPECT_TRUE(log.empty());
    overlay.PictMouseUp({300, 300});
    EXPECT_EQ(log, (CallLog{"CaptureCancelled"}));
    EXPECT_FALSE(overlay.isVisible());
}

TEST_F(Overlay, SecondButtonRestartsTheDragWithoutLeavingTheOldBand) {
    overlay.PictMouseDown({100, 100});
    overlay.PictMouseMove({400, 300});
    overlay.PictMouseDown({500, 500});
    EXPECT_TRUE(IsScreenPart(overlay.Picture(), screen, {0, 0, 1920, 1080}));
    overlay.PictMouseMove({600, 650});
    overlay.PictMouseUp({600, 650});
    EXPECT_EQ(editor.SelStart, (TPoint{500, 500}));
    EXPECT_TRUE(IsScreenPart(editor.Received, screen, {0, 0, 1920, 1080}));
}

} // namespace
} // namespace zorvic::testing
