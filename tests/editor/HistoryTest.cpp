#include "DrawShape.h"
#include "EditorFixture.h"
#include "EditorView.h"
#include "OneShotEffects.h"
#include "PictureMouse.h"
#include "ToolsPanel.h"
#include "Transforms.h"

#include <functional>
#include <vector>

namespace zorvic::testing {
namespace {

using HistoryTest = EditorTest;

TEST_F(HistoryTest, OpeningSeedsUndoWithTheCounterClockwiseTurnAndRedoWithThePicture) {
    const TBitmap shown = Pattern(7, 4);
    Open(shown);
    EXPECT_TRUE(SamePicture(form->Picture(), shown));
    EXPECT_EQ(form->Picture().PixelFormat(), TPixelFormat::pf24bit);

    form->UnDoMenuClick();
    EXPECT_TRUE(SamePicture(form->Picture(), Turned(shown, RotateBitmap270)));
    EXPECT_EQ(form->Pic->size(), QSize(4, 7));
    form->ReDoMenuClick();
    EXPECT_TRUE(SamePicture(form->Picture(), shown));
}

// The shortcut of opening must leave exactly what four real quarter turns leave.
TEST_F(HistoryTest, OpeningEqualsFourRecordedQuarterTurns) {
    const TBitmap shown = Pattern(9, 5);
    Open(shown);
    const TEditHistory seeded = form->History;
    // Each turn ends centring at the window's size of that moment.
    form->CenterImage();
    const QRect seededPlace = form->Pic->geometry();
    for (int turn = 0; turn < 4; ++turn)
        form->Degrees90ToolButtonClick();
    EXPECT_TRUE(SamePicture(form->Picture(), shown));
    EXPECT_EQ(form->Pic->geometry(), seededPlace);
    EXPECT_TRUE(SamePicture(form->History.BakImage1, seeded.BakImage1));
    EXPECT_TRUE(SamePicture(form->History.BakImage2, seeded.BakImage2));
    EXPECT_TRUE(SamePicture(form->History.BakImage3, seeded.BakImage3));
}

// A step of a sequence and the picture expected after it, named by the pictures below.
enum class Seen { Before, AfterA, AfterB, Unchanged };

struct Sequence {
    const char* name;
    std::vector<std::function<void(TSaveForm&)>> steps;
    Seen expected;
};

void CommandA(TSaveForm& f) {
    f.AntiColorMenuClick();
}
void CommandB(TSaveForm& f) {
    f.LevelFilpToolButtonClick();
}
void Undo(TSaveForm& f) {
    f.UnDoMenuClick();
}
void Redo(TSaveForm& f) {
    f.ReDoMenuClick();
}
void RotateAnyAngle(TSaveForm& f) {
    f.ArbitraryDegreesBtnClick();
}
void Translate(TSaveForm& f) {
    f.TranslationOKBtnClick();
}
// A line dragged with the line tool: it changes the picture without recording a step.
void DrawLine(TSaveForm& f) {
    ChooseTool(f, &TToolsPanel::LineBtn);
    TPictureMouse(f).Drag({0, 0}, {{3, 6}}, {5, 5});
}

TEST_F(HistoryTest, UndoAndRedoSequences) {
    const std::vector<Sequence> sequences = {
        {"A, Undo", {CommandA, Undo}, Seen::Before},
        {"A, Undo, Undo", {CommandA, Undo, Undo}, Seen::Before},
        {"A, Undo, Undo, Redo", {CommandA, Undo, Undo, Redo}, Seen::AfterA},
        {"A, Undo, Undo, Redo, Redo", {CommandA, Undo, Undo, Redo, Redo}, Seen::AfterA},
        {"A, line, Undo", {CommandA, DrawLine, Undo}, Seen::Before},
        {"A, line, Undo, Redo", {CommandA, DrawLine, Undo, Redo}, Seen::AfterA},
        {"A, line, Redo", {CommandA, DrawLine, Redo}, Seen::AfterA},
        {"A, Undo, B, Undo", {CommandA, Undo, CommandB, Undo}, Seen::Before},
        {"A, Undo, B", {CommandA, Undo, CommandB}, Seen::AfterB},
        {"A, any angle, Undo", {CommandA, RotateAnyAngle, Undo}, Seen::Before},
        {"A, translation, Undo", {CommandA, Translate, Undo}, Seen::Before},
        {"A, translation, Redo", {CommandA, Translate, Redo}, Seen::AfterA},
    };
    const TBitmap before = Pattern(12, 8);
    TBitmap afterA = before;
    InvertColors(afterA);
    const TBitmap afterB = Turned(before, FlipHorizontal);
    for (const Sequence& sequence : sequences) {
        SCOPED_TRACE(sequence.name);
        Open(before);
        for (const auto& step : sequence.steps)
            step(*form);
        const TBitmap& expected = sequence.expected == Seen::Before   ? before
                                  : sequence.expected == Seen::AfterA ? afterA
                                                                      : afterB;
        EXPECT_TRUE(SamePicture(form->Picture(), expected));
        form->close();
    }
}

TEST_F(HistoryTest, DrawingRecordsNoStepButListsTheShape) {
    Open(Pattern(12, 8));
    CommandA(*form);
    const TEditHistory afterA = form->History;
    const TBitmap pictureAfterA = form->Picture();
    DrawLine(*form);
    EXPECT_FALSE(SamePicture(form->Picture(), pictureAfterA)) << "the line is on the picture";
    EXPECT_TRUE(form->History.BakImage1.SharesPixelsWith(afterA.BakImage1));
    EXPECT_TRUE(form->History.BakImage2.SharesPixelsWith(afterA.BakImage2));
    EXPECT_TRUE(form->History.BakImage3.SharesPixelsWith(afterA.BakImage3));
    ASSERT_EQ(form->DrawSteps.Count, 1);
    EXPECT_EQ(form->DrawSteps.EndPoints[1], (TPoint{5, 5}));
}

TEST_F(HistoryTest, UndoAfterZoomShowsThePictureAtItsOwnSizeStillStretched) {
    Open(Pattern(100, 80));
    form->AntiColorMenuClick();
    form->EnlargeToolButtonClick();
    ASSERT_EQ(form->Pic->size(), QSize(125, 100));
    form->UnDoMenuClick();
    EXPECT_EQ(form->Pic->size(), QSize(100, 80));
    EXPECT_TRUE(form->Pic->Stretch());
}

TEST(DrawStepsTest, RecordsSixtyShapesWithTheCanvasPenAndBrushAndIgnoresMore) {
    TBitmap picture(20, 20);
    TCanvas& canvas = picture.Canvas();
    canvas.Pen.Style = TPenStyle::psDot;
    canvas.Pen.Color = clRed;
    canvas.Brush.Style = TBrushStyle::bsCross;
    canvas.Brush.Color = clBlue;
    TDrawSteps steps;
    for (int i = 1; i <= 61; ++i)
        steps.AddStep(TPoint{i, 0}, TPoint{0, i}, static_cast<std::uint8_t>(i % 4), canvas);
    EXPECT_EQ(steps.Count, 60);
    EXPECT_EQ(steps.StartPoints[60], (TPoint{60, 0}));
    EXPECT_EQ(steps.Kinds[60], 0);
    EXPECT_EQ(steps.PenStyles[1], TPenStyle::psDot);
    EXPECT_EQ(steps.BrushStyles[1], TBrushStyle::bsCross);
    EXPECT_EQ(steps.PenColors[1], clRed);
    EXPECT_EQ(steps.BrushColors[1], clBlue);
}

TEST(DrawStepsTest, ReplayPaintsOverAndRedrawsAllButTheLastShape) {
    TBitmap picture = Pattern(30, 20);
    TCanvas& canvas = picture.Canvas();
    TDrawSteps steps;
    canvas.Pen.Color = clRed;
    steps.AddStep(TPoint{2, 2}, TPoint{20, 2}, skLine, canvas);
    canvas.Pen.Color = clBlue;
    canvas.Brush.Color = clLime;
    steps.AddStep(TPoint{2, 5}, TPoint{12, 15}, skRectangle, canvas);
    canvas.Pen.Color = clBlack;
    steps.AddStep(TPoint{0, 0}, TPoint{29, 19}, skEllipse, canvas);

    std::uint8_t shapeKind = skEllipse;
    steps.ReplayShapes(picture, TPoint{30, 20}, shapeKind);

    EXPECT_EQ(steps.Count, 2);
    EXPECT_EQ(shapeKind, skRectangle);
    EXPECT_EQ(canvas.Pen.Color, clBlue);
    EXPECT_EQ(canvas.Pen.Mode, TPenMode::pmCopy);
    TBitmap expected(30, 20);
    expected.Canvas().Pen.Color = clRed;
    DrawShape(expected.Canvas(), skLine, TPoint{2, 2}, TPoint{20, 2}, TPenMode::pmCopy);
    expected.Canvas().Pen.Color = clBlue;
    expected.Canvas().Brush.Color = clLime;
    DrawShape(expected.Canvas(), skRectangle, TPoint{2, 5}, TPoint{12, 15}, TPenMode::pmCopy);
    EXPECT_TRUE(SamePicture(picture, expected));
    EXPECT_EQ(picture.GetPixel(25, 18), clBtnHighlight);
}

TEST(DrawStepsTest, DropLastAndReplayOnAnEmptyListChangeNothing) {
    TBitmap picture = Pattern(5, 5);
    const TBitmap untouched = picture;
    TDrawSteps steps;
    steps.DropLast();
    std::uint8_t shapeKind = skRoundRect;
    steps.ReplayShapes(picture, TPoint{5, 5}, shapeKind);
    EXPECT_EQ(steps.Count, 0);
    EXPECT_EQ(shapeKind, skRoundRect);
    EXPECT_TRUE(SamePicture(picture, untouched));
}

} // namespace
} // namespace zorvic::testing
