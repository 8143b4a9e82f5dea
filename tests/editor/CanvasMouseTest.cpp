// The picture's mouse handlers: the read-out, the shape tools' rubber band and shape list, the
// colour picker, the text tool, the hand, and what a zoomed view, a drag that leaves the picture
// and a lost release do.
#include "ColorSwatch.h"
#include "DrawShape.h"
#include "EditorFixture.h"
#include "EditorStatusBar.h"
#include "EditorView.h"
#include "PicMouse.h"
#include "PictureMouse.h"
#include "PixelArt.h"
#include "PointerReadout.h"
#include "TestPictures.h"
#include "ToolsPanel.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QToolButton>

#include <string>

namespace zorvic::testing {
namespace {

class CanvasMouseTest : public EditorTest {
protected:
    TToolsPanel& Palette() { return *form->ToolsPanel; }
    void Choose(QToolButton* TToolsPanel::*button) { ChooseTool(*form, button); }
    QString Panel(int index) { return form->PicStatusBar->PanelText(index); }
    TBitmap WithShape(TBitmap picture, std::uint8_t kind, TPoint start, TPoint finish,
                      int width = 1) {
        picture.Canvas().Pen.Width = width;
        DrawShape(picture.Canvas(), kind, start, finish, TPenMode::pmCopy);
        return picture;
    }
};

TEST(PointerReadoutTest, NamesTheStandardColoursAndWritesOthersInHexadecimal) {
    const std::pair<TColor, const char*> cases[] = {
        {0x000000, "clBlack"},   {0x000080, "clMaroon"},  {0x008000, "clGreen"},
        {0x008080, "clOlive"},   {0x800000, "clNavy"},    {0x800080, "clPurple"},
        {0x808000, "clTeal"},    {0x808080, "clGray"},    {0xC0C0C0, "clSilver"},
        {0xA4A0A0, "clMedGray"}, {0x0000FF, "clRed"},     {0x00FF00, "clLime"},
        {0x00FFFF, "clYellow"},  {0xFF0000, "clBlue"},    {0xFF00FF, "clFuchsia"},
        {0xFFFF00, "clAqua"},    {0xFFFFFF, "clWhite"},   {0xC0DCC0, "clMoneyGreen"},
        {0xF0CAA6, "clSkyBlue"}, {0xF0FBFF, "clCream"},   {0xFF8040, "$00FF8040"},
        {0x000001, "$00000001"}, {0xA4A0A1, "$00A4A0A1"},
    };
    for (const auto& [color, name] : cases)
        EXPECT_EQ(ColorName(color).toStdString(), name);
}

TEST_F(CanvasMouseTest, EveryMoveReadsOutColourAndPositionWhateverTheTool) {
    TBitmap picture = Uniform(40, 30, clWhite);
    picture.SetPixel(1, 2, clBlack);
    picture.SetPixel(3, 4, clRed);
    picture.SetPixel(12, 24, MakeColor(64, 128, 255));
    Open(picture);
    struct Case {
        QToolButton* TToolsPanel::*tool;
        QPoint at;
        const char* colour;
        const char* position;
    };
    const Case cases[] = {
        {nullptr, {1, 2}, "R：0 G：0 B：0  clBlack", "坐标 x：1 y：2"},
        {&TToolsPanel::RectangularBtn, {3, 4}, "R：255 G：0 B：0  clRed", "坐标 x：3 y：4"},
        {&TToolsPanel::HandleBtn, {12, 24}, "R：64 G：128 B：255  $00FF8040", "坐标 x：12 y：24"},
        {&TToolsPanel::SprayGunBtn, {39, 29}, "R：255 G：255 B：255  clWhite", "坐标 x：39 y：29"},
    };
    TPictureMouse mouse(*form);
    for (const Case& c : cases) {
        Choose(c.tool);
        mouse.Move(c.at);
        EXPECT_EQ(Panel(1).toStdString(), c.colour);
        EXPECT_EQ(Panel(2).toStdString(), c.position);
    }
    // Reading pixels never copied the picture away from the history copy it shares.
    EXPECT_TRUE(form->Picture().SharesPixelsWith(form->History.BakImage1));

    // A drag that leaves the picture has no colour to show, but still shows where it is.
    Choose(&TToolsPanel::LineBtn);
    mouse.Press({5, 5});
    mouse.Move({-3, 50});
    EXPECT_EQ(Panel(1).toStdString(), "R： G： B：");
    EXPECT_EQ(Panel(2).toStdString(), "坐标 x：-3 y：50");
    mouse.Release({-3, 50});
}

// "边框粗细" is the width of the outline the shape tools draw, rubber band and finished shape.
TEST_F(CanvasMouseTest, OutlineWidthBoxSetsTheWidthOfTheDrawnShapes) {
    const TBitmap picture = Pattern(60, 40);
    for (const int width : {0, 1, 5}) {
        SCOPED_TRACE(width);
        Open(picture);
        Palette().PenSize->setValue(width);
        Choose(&TToolsPanel::RectangularBtn);
        TPictureMouse(*form).Drag({10, 10}, {{50, 30}, {30, 35}}, {40, 20});
        EXPECT_TRUE(SamePicture(form->Picture(), WithShape(picture, skRectangle, {10, 10}, {40, 20},
                                                           std::max(width, 1))));
        form->close();
    }
    EXPECT_FALSE(SamePicture(WithShape(picture, skRectangle, {10, 10}, {40, 20}, 5),
                             WithShape(picture, skRectangle, {10, 10}, {40, 20}, 1)));
}

TEST_F(CanvasMouseTest, RubberBandLeavesOnlyTheFinishedShapeWhereverTheReleaseIs) {
    struct Case {
        QToolButton* TToolsPanel::*tool;
        std::uint8_t kind;
    };
    const Case tools[] = {{&TToolsPanel::LineBtn, skLine},
                          {&TToolsPanel::RectangularBtn, skRectangle},
                          {&TToolsPanel::OvalBtn, skEllipse},
                          {&TToolsPanel::RoundedRectangularBtn, skRoundRect}};
    // The release at the last move's point, and elsewhere.
    const QPoint releases[] = {{40, 20}, {45, 26}};
    const TBitmap picture = Pattern(60, 40);
    int listed = 0;
    for (const Case& tool : tools) {
        for (QPoint release : releases) {
            SCOPED_TRACE(::testing::Message() << int(tool.kind) << " released at " << release.x());
            Open(picture);
            Choose(tool.tool);
            TPictureMouse mouse(*form);
            mouse.Drag({10, 10}, {{50, 30}, {30, 35}, {40, 20}}, release);

            const TPoint end{release.x(), release.y()};
            EXPECT_TRUE(SamePicture(form->Picture(), WithShape(picture, tool.kind, {10, 10}, end)));
            EXPECT_FALSE(form->PicMouse->Shapes.ShapeDragging);
            const TDrawSteps& steps = form->DrawSteps;
            ASSERT_EQ(steps.Count, ++listed);
            EXPECT_EQ(steps.StartPoints[listed], (TPoint{10, 10}));
            EXPECT_EQ(steps.EndPoints[listed], end);
            EXPECT_EQ(steps.Kinds[listed], tool.kind);
            form->close();
        }
    }
}

TEST_F(CanvasMouseTest, RoundedRectangleCornersAreTheSignedHalvesOfTheDrag) {
    struct Case {
        TPoint from, to;
        int cornerWidth, cornerHeight;
    };
    // Halves truncate toward zero: -79 / 2 is -39, whose figure equals the 39 of the other way.
    const Case cases[] = {{{100, 100}, {20, 40}, 40, 30},
                          {{20, 40}, {100, 100}, -40, -30},
                          {{100, 100}, {21, 41}, 39, 29},
                          {{21, 41}, {100, 100}, -39, -29}};
    const TBitmap picture = Pattern(120, 110);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cornerWidth);
        Open(picture);
        Choose(&TToolsPanel::RoundedRectangularBtn);
        TPictureMouse(*form).Drag({c.from.x, c.from.y}, {}, {c.to.x, c.to.y});
        TBitmap expected = picture;
        expected.Canvas().RoundRect(c.from.x, c.from.y, c.to.x, c.to.y, c.cornerWidth,
                                    c.cornerHeight);
        EXPECT_TRUE(SamePicture(form->Picture(), expected));
        form->close();
    }
}

TEST_F(CanvasMouseTest, LineClickWithoutMovementDrawsNothingButIsListed) {
    const TBitmap picture = Pattern(20, 20);
    Open(picture);
    Choose(&TToolsPanel::LineBtn);
    TPictureMouse(*form).Click({7, 9});
    EXPECT_TRUE(SamePicture(form->Picture(), picture));
    ASSERT_EQ(form->DrawSteps.Count, 1);
    EXPECT_EQ(form->DrawSteps.StartPoints[1], (TPoint{7, 9}));
    EXPECT_EQ(form->DrawSteps.EndPoints[1], (TPoint{7, 9}));
    EXPECT_EQ(form->DrawSteps.Kinds[1], skLine);
}

TEST_F(CanvasMouseTest, StrawTakesTheColourIntoTheSwatchButNotIntoTheNextOutline) {
    TBitmap picture = Uniform(20, 20, clWhite);
    picture.SetPixel(5, 5, clRed);
    Open(picture);
    Choose(&TToolsPanel::StrawBtn);
    TPictureMouse mouse(*form);
    mouse.Click({5, 5});
    EXPECT_EQ(Palette().ForeGroundColor->Color(), clRed);

    Choose(&TToolsPanel::RectangularBtn);
    mouse.Drag({8, 8}, {}, {15, 15});
    EXPECT_EQ(form->Picture().GetPixel(8, 8), clBlack);
    EXPECT_EQ(form->Picture().GetPixel(14, 14), clBlack);
}

// A font of blocks: each character a 4 x 6 cell with a 2 x 4 glyph in its middle.
TTextMask BlockFont(const std::string& utf8, const TFont&) {
    const int characters = static_cast<int>(QString::fromStdString(utf8).size());
    TTextMask mask{4 * characters, 6, {}};
    mask.Coverage.assign(static_cast<std::size_t>(mask.Width) * mask.Height, 0);
    for (int c = 0; c < characters; ++c)
        for (int y = 1; y <= 4; ++y)
            for (int x = 1; x <= 2; ++x)
                mask.Coverage[static_cast<std::size_t>(y) * mask.Width + 4 * c + x] = 255;
    return mask;
}

TEST_F(CanvasMouseTest, TextToolWritesTheTextBoxTextOnTheBrushOrOnThePicture) {
    const TTextRasterizerOverride blockFont(BlockFont);
    Palette().SetFontChooser([](QWidget*, const TFont& preset) {
        TFont red = preset;
        red.Color = clRed;
        return std::optional<TFont>(red);
    });
    Palette().TextPropertiesBtnClick();
    struct Case {
        int brushButton;
        const char* art;
    };
    const Case cases[] = {
        {0, "..........|"
            "..oooooooo|"
            "..o##oo##o|"
            "..o##oo##o|"
            "..o##oo##o|"
            "..o##oo##o|"
            "..oooooooo|"
            ".........."},
        {1, "..........|"
            "..........|"
            "...##..##.|"
            "...##..##.|"
            "...##..##.|"
            "...##..##.|"
            "..........|"
            ".........."},
    };
    const TBitmap black = Uniform(10, 8, clBlack);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.brushButton);
        Open(black);
        Palette().BrushButtons[c.brushButton]->click();
        Choose(&TToolsPanel::TextToolBtn);
        Palette().TextEdit->setText(QStringLiteral("字a"));
        TPictureMouse(*form).Click({2, 1});
        EXPECT_EQ(test::Art(form->Picture(), {{clBlack, '.'}, {clWhite, 'o'}, {clRed, '#'}}),
                  c.art);

        Palette().TextEdit->clear();
        const TBitmap written = form->Picture();
        TPictureMouse(*form).Click({0, 0});
        EXPECT_TRUE(SamePicture(form->Picture(), written)) << "an empty box writes nothing";
        form->close();
    }
}

TEST_F(CanvasMouseTest, HandDragMovesThePictureAndKeepsTheGrabbedPointUnderThePointer) {
    Open(Pattern(200, 150));
    Choose(&TToolsPanel::HandleBtn);
    const QPoint before = form->Pic->pos();
    TPictureMouse mouse(*form);
    mouse.Press({10, 10});
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::SizeAllCursor);
    mouse.Move({40, 10});
    EXPECT_EQ(form->Pic->pos(), before + QPoint(30, 0));
    // The control moved with the pointer, which is now over the grabbed point again.
    mouse.Move({10, 10});
    mouse.Release({10, 10});
    EXPECT_EQ(form->Pic->pos(), before + QPoint(30, 0));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_FALSE(form->PicMouse->Hand.HandDragging);
}

TEST_F(CanvasMouseTest, DragPointerShapesLastUntilTheRelease) {
    struct Case {
        QToolButton* TToolsPanel::*tool;
        bool useCursor;
        Qt::CursorShape shape;
    };
    const Case cases[] = {{&TToolsPanel::HandleBtn, true, Qt::SizeAllCursor},
                          {&TToolsPanel::MagnifyingGlassBtn, true, Qt::CrossCursor},
                          {&TToolsPanel::MagnifyingGlassBtn, false, Qt::BlankCursor}};
    Open(Pattern(100, 80));
    for (const Case& c : cases) {
        Choose(c.tool);
        Palette().UseCursor->setChecked(c.useCursor);
        TPictureMouse mouse(*form);
        mouse.Press({50, 40});
        ASSERT_NE(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), c.shape);
        mouse.Release({50, 40});
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    }
}

TEST_F(CanvasMouseTest, ZoomedViewDrawsAndReadsUnderThePointer) {
    const TBitmap picture = Pattern(100, 80);
    Open(picture);
    form->EnlargeToolButtonClick();
    form->EnlargeToolButtonClick();
    ASSERT_EQ(form->Pic->size(), QSize(156, 125));
    TPictureMouse mouse(*form);

    // Control (78, 62) shows picture pixel (78 * 100 / 156, 62 * 80 / 125) = (50, 39).
    mouse.Move({78, 62});
    EXPECT_EQ(Panel(2).toStdString(), "坐标 x：50 y：39");
    Choose(&TToolsPanel::StrawBtn);
    mouse.Click({78, 62});
    EXPECT_EQ(Palette().ForeGroundColor->Color(), picture.GetPixel(50, 39));

    Choose(&TToolsPanel::RectangularBtn);
    mouse.Drag({15, 15}, {{100, 100}}, {140, 110});
    EXPECT_TRUE(SamePicture(form->Picture(), WithShape(picture, skRectangle, {9, 9}, {89, 70})));
    EXPECT_EQ(form->DrawSteps.EndPoints[1], (TPoint{89, 70}));
}

TEST_F(CanvasMouseTest, DragReleasedOutsideThePictureEndsThereAndIsClipped) {
    const TBitmap picture = Pattern(40, 30);
    Open(picture);
    Choose(&TToolsPanel::OvalBtn);
    TPictureMouse(*form).Drag({20, 15}, {{35, 25}, {60, 0}}, {70, -20});
    EXPECT_FALSE(form->PicMouse->Shapes.ShapeDragging);
    EXPECT_TRUE(SamePicture(form->Picture(), WithShape(picture, skEllipse, {20, 15}, {70, -20})));
    EXPECT_EQ(form->DrawSteps.EndPoints[1], (TPoint{70, -20}));
}

TEST_F(CanvasMouseTest, LostReleaseOrSecondButtonLeavesNoRubberBandBehind) {
    const TBitmap picture = Pattern(40, 30);
    Open(picture);
    Choose(&TToolsPanel::RectangularBtn);
    TPictureMouse mouse(*form);
    mouse.Press({5, 5});
    mouse.Move({30, 20});
    // The release went to a message box: the next move over the picture has no button held,
    // and the drag ends there.
    TPictureMouse(*form).Move({25, 15});
    EXPECT_FALSE(form->PicMouse->Shapes.ShapeDragging);
    EXPECT_TRUE(SamePicture(form->Picture(), WithShape(picture, skRectangle, {5, 5}, {25, 15})));

    Open(picture);
    TPictureMouse hands(*form);
    hands.Press({5, 5});
    hands.Move({30, 20});
    hands.Press({30, 20}, Qt::RightButton);
    hands.Move({25, 15});
    hands.Release({25, 15}, Qt::RightButton);
    EXPECT_TRUE(form->PicMouse->Shapes.ShapeDragging) << "the left button is still held";
    hands.Move({20, 12});
    hands.Release({20, 12});
    EXPECT_TRUE(SamePicture(form->Picture(), WithShape(picture, skRectangle, {5, 5}, {20, 12})));
    EXPECT_EQ(form->DrawSteps.Count, 2);
}

} // namespace
} // namespace zorvic::testing
