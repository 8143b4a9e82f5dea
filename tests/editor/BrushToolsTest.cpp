// The spray gun, the magnifier and the blur button, driven as a user drives them.
#include "ColorSwatch.h"
#include "EditorFixture.h"
#include "EditorView.h"
#include "Filters.h"
#include "Magnifier.h"
#include "MessageBoxes.h"
#include "PicMouse.h"
#include "PictureMouse.h"
#include "TestPictures.h"
#include "ToolsPanel.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QToolButton>

#include <functional>
#include <string>
#include <vector>

namespace zorvic::testing {
namespace {

using BrushToolsTest = EditorTest;

TEST_F(BrushToolsTest, SprayDotsLandStrictlyInsideTheReachOfTheRadius) {
    struct Case {
        int radius, reach;
    };
    const Case cases[] = {{1, 1}, {10, 6}, {190, 123}};
    const TBitmap white = Uniform(301, 301, clWhite);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.radius);
        Open(white);
        ChooseTool(*form, &TToolsPanel::SprayGunBtn);
        form->ToolsPanel->ForeGroundColor->SetColor(clRed);
        form->ToolsPanel->Radius->setValue(c.radius);
        TPictureMouse mouse(*form);
        mouse.Press({150, 150});
        EXPECT_TRUE(SamePicture(form->Picture(), white)) << "the press itself paints nothing";
        mouse.Move({150, 150});
        mouse.Release({150, 150});

        int dots = 0;
        for (int y = 0; y < 301; ++y)
            for (int x = 0; x < 301; ++x) {
                if (form->Picture().GetPixel(x, y) == clWhite) continue;
                ++dots;
                EXPECT_EQ(form->Picture().GetPixel(x, y), clRed);
                EXPECT_LT((x - 150) * (x - 150) + (y - 150) * (y - 150), c.reach * c.reach);
            }
        EXPECT_GE(dots, 1);
        EXPECT_LE(dots, c.radius + 1);
        EXPECT_FALSE(form->PicMouse->Spray.Spraying);
        form->close();
    }
}

TEST_F(BrushToolsTest, SprayRadiusThatIsNoWholeNumberIsReportedOnEachMoveAndPaintsNothing) {
    std::vector<std::string> messages;
    const TMessageBoxOverride recordedBoxes(
        [&](const std::string& text) { messages.push_back(text); });
    const TBitmap picture = Pattern(60, 40);
    Open(picture);
    ChooseTool(*form, &TToolsPanel::SprayGunBtn);
    form->ToolsPanel->Radius->findChild<QLineEdit*>()->clear();
    TPictureMouse(*form).Drag({10, 10}, {{12, 12}, {14, 14}, {16, 16}}, {16, 16});
    EXPECT_EQ(messages, std::vector<std::string>(3, "'' is not a valid integer value"));
    EXPECT_TRUE(SamePicture(form->Picture(), picture));
    EXPECT_FALSE(form->PicMouse->Spray.Spraying);
}

TEST(MagnifierWindowTest, SourceRadiusRoundsHalvesToEvenAndIsAtLeastTwo) {
    struct Case {
        int magnification, radius, sourceRadius, halfSize;
        bool raised;
    };
    const Case cases[] = {{2, 30, 15, 30, false}, {4, 10, 2, 8, false},  {50, 30, 2, 100, true},
                          {4, 14, 4, 16, false},  {4, 18, 4, 16, false}, {2, 100, 50, 100, false}};
    for (const Case& c : cases) {
        const TMagnifierWindow window = MagnifierWindow(c.magnification, c.radius);
        EXPECT_EQ(window.SourceRadius, c.sourceRadius) << c.magnification << " " << c.radius;
        EXPECT_EQ(window.HalfSize, c.halfSize);
        EXPECT_EQ(window.Raised, c.raised);
    }
}

// The picture with the magnifier's window at (x, y), worked out pixel by pixel from what the
// window shows: each source pixel an M x M block (the round window: the source square spread
// over the whole mask), a frame or a ring of the colour, black of the round window left out.
TBitmap Magnified(const TBitmap& original, const TMagnifierSettings& s, int x, int y) {
    const TMagnifierWindow window = MagnifierWindow(s.Magnification, s.Radius);
    const int r = window.SourceRadius, h = window.HalfSize;
    TBitmap picture = original;
    if (!s.Round) {
        for (int dy = -h - 1; dy <= h; ++dy)
            for (int dx = -h - 1; dx <= h; ++dx) {
                const bool frame = dx == -h - 1 || dx == h || dy == -h - 1 || dy == h;
                if (frame && s.Border) picture.SetPixel(x + dx, y + dy, s.BorderColor);
                if (frame) continue;
                picture.SetPixel(x + dx, y + dy,
                                 original.GetPixel(x - r + (dx + h) / s.Magnification,
                                                   y - r + (dy + h) / s.Magnification));
            }
        return picture;
    }
    const int side = 2 * h + 8;
    // The disc and the ring, drawn on masks of the window's size: a pixel is in the disc where
    // the first mask is white, in the ring where the second shows the colour.
    auto disc = [side](int inset, TColor fill, TBitmap& mask) {
        mask.Canvas().Pen = TPen{clBlack, TPenStyle::psSolid, 1, TPenMode::pmCopy};
        mask.Canvas().Brush = TBrush{fill, TBrushStyle::bsSolid};
        mask.Canvas().Ellipse(inset, inset, side - inset, side - inset);
    };
    TBitmap inside = Uniform(side, side, clBlack), ring = Uniform(side, side, clBlack);
    disc(4, clWhite, inside);
    disc(2, clWhite, ring);
    disc(4, clBlack, ring);
    for (int my = 0; my < side; ++my)
        for (int mx = 0; mx < side; ++mx) {
            const int px = x - h - 4 + mx, py = y - h - 4 + my;
            if (inside.GetPixel(mx, my) == clWhite) {
                const TColor seen =
                    original.GetPixel(x - r + mx * 2 * r / side, y - r + my * 2 * r / side);
                if (seen != clBlack) picture.SetPixel(px, py, seen);
            }
            if (s.Border && ring.GetPixel(mx, my) == clWhite && s.BorderColor != clBlack)
                picture.SetPixel(px, py, s.BorderColor);
        }
    return picture;
}

// A picture where every pixel differs, with a black block that the round window leaves out.
TBitmap PatternWithBlackBlock() {
    TBitmap picture = Pattern(470, 330);
    for (int y = 140; y < 170; ++y)
        for (int x = 200; x < 260; ++x)
            picture.SetPixel(x, y, clBlack);
    return picture;
}

TEST_F(BrushToolsTest, MagnifierShowsTheEnlargedWindowAndTheReleaseGivesThePictureBack) {
    struct Case {
        TMagnifierSettings settings;
        int radiusShownAfterwards;
    };
    const Case cases[] = {
        {{2, 30, false, true, clRed}, 30},    {{4, 10, true, true, clLime}, 10},
        {{50, 30, false, false, clRed}, 100}, {{3, 40, true, false, clRed}, 40},
        {{2, 30, true, true, clBlue}, 30},    {{5, 40, false, true, clYellow}, 40},
    };
    const TBitmap picture = PatternWithBlackBlock();
    for (const Case& c : cases) {
        const TMagnifierSettings& s = c.settings;
        SCOPED_TRACE(::testing::Message() << s.Magnification << " " << s.Radius << " " << s.Round);
        Open(picture);
        TToolsPanel& page = *form->ToolsPanel;
        ChooseTool(*form, &TToolsPanel::MagnifyingGlassBtn);
        page.MagnificationEdit->setValue(s.Magnification);
        page.RadiusEdit->setValue(s.Radius);
        (s.Round ? page.RoundShape : page.SquareShape)->setChecked(true);
        page.UseBorder->setChecked(s.Border);
        page.ForeGroundColor->SetColor(s.BorderColor);
        TPictureMouse mouse(*form);

        mouse.Press({235, 160});
        EXPECT_EQ(page.RadiusEdit->value(), c.radiusShownAfterwards);
        TMagnifierSettings shown = s;
        shown.Radius = c.radiusShownAfterwards;
        EXPECT_TRUE(SamePicture(form->Picture(), Magnified(picture, shown, 235, 160)));
        mouse.Move({250, 150});
        mouse.Move({228, 171});
        EXPECT_TRUE(SamePicture(form->Picture(), Magnified(picture, shown, 228, 171)))
            << "only the window at the pointer, none of the earlier ones";
        mouse.Release({228, 171});
        EXPECT_TRUE(SamePicture(form->Picture(), picture));
        EXPECT_FALSE(form->PicMouse->Magnifier.Magnifying);
        form->close();
    }
}

// Only a pointer dragged off the picture brings the source square past the edge onto pixels
// of the picture: near the edge, what lies beyond is enlarged onto pixels beyond as well.
TEST_F(BrushToolsTest, MagnifierSeesBlackBeyondThePictureEdge) {
    const TBitmap picture = Pattern(100, 80);
    Open(picture);
    TToolsPanel& page = *form->ToolsPanel;
    ChooseTool(*form, &TToolsPanel::MagnifyingGlassBtn);
    page.UseBorder->setChecked(false);
    for (QRadioButton* shape : {page.SquareShape, page.RoundShape}) {
        shape->setChecked(true);
        TPictureMouse mouse(*form);
        mouse.Press({2, 40});
        EXPECT_TRUE(SamePicture(
            form->Picture(), Magnified(picture, {2, 30, shape == page.RoundShape, false}, 2, 40)))
            << "near the edge all that shows lies in the picture";
        // M 2, R 30 at x -20: picture columns 0..9 show source columns -10..-6.
        mouse.Move({-20, 40});
        for (int x : {0, 9}) {
            if (shape == page.SquareShape)
                EXPECT_EQ(form->Picture().GetPixel(x, 40), clBlack) << "square: black";
            else
                EXPECT_EQ(form->Picture().GetPixel(x, 40), picture.GetPixel(x, 40))
                    << "round: black is left out, so the picture shows through";
        }
        mouse.Release({-20, 40});
        EXPECT_TRUE(SamePicture(form->Picture(), picture));
    }
}

TBitmap WhiteTopRow() {
    TBitmap picture = Uniform(5, 4, clBlack);
    for (int x = 0; x < 5; ++x)
        picture.SetPixel(x, 0, clWhite);
    return picture;
}

TEST_F(BrushToolsTest, BlurButtonBlursThePictureAtOnceAndStaysOutOfTheToolGroup) {
    TBitmap pattern = Pattern(31, 17);
    TBitmap blurredPattern = pattern;
    Convolve3x3(kBlurKernel, kBlurDivisor, blurredPattern);
    struct Case {
        const char* name;
        TBitmap before;
        std::function<void(const TBitmap&)> check;
    };
    const Case cases[] = {
        {"uniform", Uniform(9, 7, MakeColor(10, 200, 30)),
         [](const TBitmap& after) {
             EXPECT_TRUE(SamePicture(after, Uniform(9, 7, MakeColor(10, 200, 30))));
         }},
        {"one pixel", Uniform(1, 1, MakeColor(1, 2, 3)),
         [](const TBitmap& after) { EXPECT_EQ(after.GetPixel(0, 0), MakeColor(1, 2, 3)); }},
        {"white top row", WhiteTopRow(),
         [&](const TBitmap& after) {
             // Below the bottom row lies the top row again: three white neighbours, 6 * 255 / 16.
             for (int x = 1; x < 4; ++x)
                 EXPECT_EQ(after.GetPixel(x, 3), MakeColor(95, 95, 95)) << x;
         }},
        {"pattern", pattern,
         [&](const TBitmap& after) { EXPECT_TRUE(SamePicture(after, blurredPattern)); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Open(c.before);
        ChooseTool(*form, &TToolsPanel::OvalBtn);
        const TBitmap recorded = form->History.BakImage1;
        form->ToolsPanel->FuzzyBtn->click();
        c.check(form->Picture());
        EXPECT_FALSE(form->ToolsPanel->FuzzyBtn->isChecked());
        EXPECT_EQ(form->ToolsPanel->CurrentTool(), TTool::Oval);
        EXPECT_TRUE(form->History.BakImage1.SharesPixelsWith(recorded)) << "no history step";
        form->close();
    }
}

TEST_F(BrushToolsTest, FreeTransformOpensTheRotationPageWhoseButtonTurnsThePicture) {
    Open(Pattern(30, 20));
    form->ToolsPanel->FreeTransformBtn->click();
    EXPECT_EQ(form->ToolsPanel->AttributeToolbox->currentWidget(),
              form->ToolsPanel->sTabArbitraryDegrees);
    form->ToolsPanel->ArbitraryDegreesBtn->click();
    // A turn by any angle gives a square of the longer side.
    EXPECT_EQ(form->Picture().Width(), 30);
    EXPECT_EQ(form->Picture().Height(), 30);
}

} // namespace
} // namespace zorvic::testing
