// The preview-and-apply panel of the adjustable effects, offscreen: opening, thumbnails, the
// after-image of every bar move, OK, Cancel and the keyboard.
#include "Adjustments.h"
#include "EditorFixture.h"
#include "EditorView.h"
#include "Filters.h"
#include "MessageBoxes.h"
#include "Noise.h"
#include "PanelPreview.h"
#include "Random.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QStackedWidget>
#include <QTest>

#include <algorithm>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace zorvic::testing {
namespace {

using E = TAdjustableEffect;

// One effect as a user meets it, with what the routines themselves make of it.
struct EffectCase {
    const char* name;
    QAction* TEditorMenus::*menu;
    E effect;
    const char* previewName;
    const char* pageName;
    std::vector<const char*> barNames;
    int min, max, opening;
    const char* designCaption;
    std::vector<int> values;
    std::vector<const char*> valueTexts;
    std::function<void(TBitmap&)> routine;
};

template <void (*Routine)(TBitmap&, int)> std::function<void(TBitmap&)> With(int value) {
    return [value](TBitmap& b) { Routine(b, value); };
}

const std::vector<EffectCase>& Effects() {
    static const std::vector<EffectCase> effects = {
        {"contrast",
         &TEditorMenus::ContrastMenu,
         E::Contrast,
         "对比度",
         "sTabcontrast",
         {"trackbarcontrast"},
         -255,
         255,
         0,
         "255",
         {-90},
         {"-90"},
         With<AdjustContrast>(-90)},
        {"saturation",
         &TEditorMenus::SaturationMenu,
         E::Saturation,
         "饱和度",
         "sTabSaturation",
         {"trackbarsaturation"},
         0,
         510,
         255,
         "255",
         {400},
         {"400"},
         [](TBitmap& b) { AdjustSaturation(b, 400, nullptr); }},
        {"brightness",
         &TEditorMenus::BrightnessMenu,
         E::Brightness,
         "亮度",
         "sTabBrightness",
         {"TrackBarBrightness"},
         -255,
         254,
         0,
         "255",
         {37},
         {"+37"},
         [](TBitmap& b) { AdjustBrightness(b, 37, nullptr); }},
        {"rgb",
         &TEditorMenus::RGBMenu,
         E::RGB,
         "RGB",
         "sTabRGB",
         {"TrackBarRed", "TrackBarGreen", "TrackBarBlue"},
         -128,
         127,
         0,
         "255",
         {20, -10, 5},
         {"+20", "-10", "+5"},
         [](TBitmap& b) { AdjustRGB(b, 20, -10, 5, nullptr); }},
        {"sharpen",
         &TEditorMenus::SharpeningMenu,
         E::Sharpen,
         "锐化",
         "sTabSharpening",
         {"TrackBarsharpen"},
         0,
         200,
         0,
         "200",
         {150},
         {"+150"},
         With<Sharpen>(150)},
        {"noise",
         &TEditorMenus::BlackAndWhiteNoiseMenu,
         E::MonoNoise,
         "黑白噪点",
         "sTabnoise",
         {"TrackBarnoise"},
         0,
         510,
         0,
         "255",
         {300},
         {"300"},
         With<MonoNoise>(300)},
        {"colour noise",
         &TEditorMenus::ColorNoiseMenu,
         E::ColorNoise,
         "彩色噪点",
         "sTabColorNoise",
         {"TrackBarColorNoise"},
         0,
         510,
         0,
         "255",
         {120},
         {"120"},
         With<ColorNoise>(120)},
        {"splash",
         &TEditorMenus::SplashMenu,
         E::Splash,
         "喷溅",
         "sTabSpray",
         {"TrackBarSpray"},
         0,
         32,
         0,
         "255",
         {6},
         {"6"},
         With<Splash>(6)},
        {"mosaic",
         &TEditorMenus::MosaicMenu,
         E::Mosaic,
         "马赛克",
         "sTabMosaic",
         {"TrackBarMosaic"},
         0,
         64,
         0,
         "255",
         {7},
         {"+7"},
         With<Mosaic>(7)},
        {"neon",
         &TEditorMenus::NeonMenu,
         E::Neon,
         "霓虹",
         "sTabNeon",
         {"TrackBarNeon"},
         -20,
         20,
         0,
         "20",
         {-3},
         {"-3"},
         With<Neon>(-3)},
    };
    return effects;
}

// The noise and splash routines draw from the shared generator: every comparison starts both
// sides from this seed.
constexpr std::uint32_t kSeed = 4242;

class PreviewTest : public EditorTest {
protected:
    TPanelPreview& Panel() { return *form->PanelPreview; }
    QSlider* Bar(E effect, int index = 0) { return Panel().Page(effect).TrackBars[index]; }
    QString ValueLabel(E effect, int index = 0) {
        return Panel().Page(effect).ValueLabels[index]->text();
    }
    const TBitmap& Before() { return Panel().ImageBeforeChange->Picture(); }
    const TBitmap& After() { return Panel().ImageafterChange->Picture(); }
    void Choose(QAction* TEditorMenus::*menu) { (form->Menus.*menu)->trigger(); }
    // Moves the bars as a user would, after seeding the generator the preview draws from.
    void MoveBars(const EffectCase& c) {
        SetRandomSeed(kSeed);
        for (std::size_t i = 0; i < c.values.size(); ++i)
            Bar(c.effect, static_cast<int>(i))->setValue(c.values[i]);
    }
    void PressOK() {
        SetRandomSeed(kSeed);
        Panel().ParametersOKBtn->click();
    }
};

TBitmap Applied(const TBitmap& picture, const std::function<void(TBitmap&)>& routine) {
    TBitmap result = picture;
    SetRandomSeed(kSeed);
    routine(result);
    return result;
}

TEST_F(PreviewTest, ThumbnailsTakeTheLongerSideTo180PixelsByNearestPixel) {
    const struct {
        int width, height, thumbWidth, thumbHeight;
    } cases[] = {
        {1000, 500, 180, 90}, {500, 1000, 90, 180}, {300, 300, 180, 180}, {1000, 999, 180, 179},
        {40, 20, 180, 90},    {1000, 3, 180, 1},    {3, 1000, 1, 180},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
        const TBitmap picture = Pattern(c.width, c.height);
        Open(picture);
        Choose(&TEditorMenus::BrightnessMenu);
        ASSERT_EQ(Before().Width(), c.thumbWidth);
        ASSERT_EQ(Before().Height(), c.thumbHeight);
        EXPECT_EQ(Before().PixelFormat(), TPixelFormat::pf24bit);
        EXPECT_EQ(Panel().ImageBeforeChange->size(), QSize(c.thumbWidth, c.thumbHeight));
        EXPECT_EQ(Panel().ImageafterChange->size(), QSize(c.thumbWidth, c.thumbHeight));
        EXPECT_TRUE(SamePicture(After(), Before()));
        for (int y = 0; y < c.thumbHeight; ++y)
            for (int x = 0; x < c.thumbWidth; ++x)
                ASSERT_EQ(Before().GetPixel(x, y), picture.GetPixel(x * c.width / c.thumbWidth,
                                                                    y * c.height / c.thumbHeight))
                    << x << ", " << y;
        form->close();
    }
}

TEST_F(PreviewTest, EachMenuItemOpensItsPageAndEveryBarMovePreviewsWithTheEffectsRoutine) {
    Open(Pattern(61, 47));
    for (const EffectCase& c : Effects()) {
        SCOPED_TRACE(c.name);
        Choose(c.menu);
        ASSERT_TRUE(Panel().isVisible());
        EXPECT_EQ(Panel().LabelPreview->text(), QString::fromUtf8(c.previewName));
        EXPECT_EQ(Panel().sPagePreview->currentWidget()->objectName(), c.pageName);
        for (std::size_t i = 0; i < c.barNames.size(); ++i) {
            const QSlider* bar = Bar(c.effect, static_cast<int>(i));
            EXPECT_EQ(bar->objectName(), c.barNames[i]);
            EXPECT_EQ(bar->minimum(), c.min);
            EXPECT_EQ(bar->maximum(), c.max);
            EXPECT_EQ(bar->value(), c.opening);
            EXPECT_EQ(ValueLabel(c.effect, static_cast<int>(i)), c.designCaption);
        }
        EXPECT_TRUE(SamePicture(After(), Before()));

        MoveBars(c);
        for (std::size_t i = 0; i < c.values.size(); ++i)
            EXPECT_EQ(ValueLabel(c.effect, static_cast<int>(i)), c.valueTexts[i]);
        EXPECT_TRUE(SamePicture(After(), Applied(Before(), c.routine)));
    }
}

TEST_F(PreviewTest, OpeningBrightnessAtZeroFiresNoChangeAndTheLabelKeepsItsCaption) {
    Open(Pattern(50, 40));
    Choose(&TEditorMenus::BrightnessMenu);
    EXPECT_EQ(ValueLabel(E::Brightness), "255");
    EXPECT_TRUE(SamePicture(After(), Before()));

    Bar(E::Brightness)->setValue(-15);
    EXPECT_EQ(ValueLabel(E::Brightness), "-15");
    Panel().ParametersCancelBtn->click();
    // Standing elsewhere, the bar's reset is a change: the label shows the plain 0.
    Choose(&TEditorMenus::BrightnessMenu);
    EXPECT_EQ(Bar(E::Brightness)->value(), 0);
    EXPECT_EQ(ValueLabel(E::Brightness), "0");
    EXPECT_TRUE(SamePicture(After(), Before()));
}

TEST_F(PreviewTest, SaturationOpensAt255And256LeavesTheColoursWhile0MakesThemGrey) {
    Open(Pattern(50, 40));
    Choose(&TEditorMenus::SaturationMenu);
    EXPECT_EQ(Bar(E::Saturation)->value(), 255);
    Bar(E::Saturation)->setValue(256);
    EXPECT_TRUE(SamePicture(After(), Before()));
    Bar(E::Saturation)->setValue(0);
    for (int y = 0; y < After().Height(); ++y)
        for (int x = 0; x < After().Width(); ++x) {
            const TColor pixel = After().GetPixel(x, y);
            ASSERT_TRUE(RedOf(pixel) == GreenOf(pixel) && GreenOf(pixel) == BlueOf(pixel))
                << x << ", " << y;
        }
}

TEST_F(PreviewTest, ReopenedRGBResetsAllThreeBarsAndShowsThePictureUnchanged) {
    Open(Pattern(50, 40));
    const EffectCase& rgb = Effects()[3];
    ASSERT_EQ(rgb.effect, E::RGB);
    Choose(rgb.menu);
    MoveBars(rgb);
    Panel().ParametersCancelBtn->click();

    Choose(rgb.menu);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(Bar(E::RGB, i)->value(), 0);
        EXPECT_EQ(ValueLabel(E::RGB, i), "0");
    }
    EXPECT_TRUE(SamePicture(After(), Before()));
    EXPECT_EQ(QApplication::focusWidget(), Bar(E::RGB, 0));
}

TEST_F(PreviewTest, OKAppliesEachEffectToThePictureAsOneUndoableStep) {
    const TBitmap shown = Pattern(61, 47);
    for (const EffectCase& c : Effects()) {
        SCOPED_TRACE(c.name);
        Open(shown);
        const TBitmap undoBefore = form->History.BakImage1;
        Choose(c.menu);
        MoveBars(c);
        PressOK();

        const TBitmap expected = Applied(shown, c.routine);
        EXPECT_FALSE(SamePicture(expected, shown));
        EXPECT_TRUE(SamePicture(form->Picture(), expected));
        EXPECT_FALSE(Panel().isVisible());
        EXPECT_FALSE(form->ProgressBar->isVisible());
        EXPECT_TRUE(form->History.BakImage3.SharesPixelsWith(undoBefore));
        EXPECT_TRUE(form->History.BakImage1.SharesPixelsWith(form->Picture()));
        EXPECT_TRUE(form->History.BakImage2.SharesPixelsWith(form->Picture()));

        form->UnDoMenuClick();
        EXPECT_TRUE(SamePicture(form->Picture(), shown));
        form->ReDoMenuClick();
        EXPECT_TRUE(SamePicture(form->Picture(), expected));
        form->close();
    }
}

TEST_F(PreviewTest, SwitchingFromContrastToMosaicAppliesMosaicWithItsOwnBar) {
    const TBitmap shown = Pattern(61, 47);
    Open(shown);
    Choose(&TEditorMenus::ContrastMenu);
    Bar(E::Contrast)->setValue(120);
    Choose(&TEditorMenus::MosaicMenu);
    EXPECT_EQ(Panel().LabelPreview->text(), "马赛克");
    Bar(E::Mosaic)->setValue(9);
    PressOK();
    EXPECT_TRUE(SamePicture(form->Picture(), Applied(shown, With<Mosaic>(9))));
}

TEST_F(PreviewTest, CancelAfterDraggingLeavesPictureAndHistoryAndTheBarWhereItWas) {
    Open(Pattern(61, 47));
    const TBitmap picture = form->Picture();
    const TEditHistory history = form->History;
    Choose(&TEditorMenus::NeonMenu);
    Bar(E::Neon)->setValue(5);
    Panel().ParametersCancelBtn->click();

    EXPECT_FALSE(Panel().isVisible());
    EXPECT_TRUE(form->Picture().SharesPixelsWith(picture));
    EXPECT_TRUE(form->History.BakImage1.SharesPixelsWith(history.BakImage1));
    EXPECT_TRUE(form->History.BakImage2.SharesPixelsWith(history.BakImage2));
    EXPECT_TRUE(form->History.BakImage3.SharesPixelsWith(history.BakImage3));
    EXPECT_EQ(Bar(E::Neon)->value(), 5);
    Choose(&TEditorMenus::NeonMenu);
    EXPECT_EQ(Bar(E::Neon)->value(), 0);
}

TEST_F(PreviewTest, OnlyRGBBrightnessAndSaturationMoveTheProgressBar) {
    const struct {
        QAction* TEditorMenus::*menu;
        int lastPosition;
    } cases[] = {
        {&TEditorMenus::BrightnessMenu, 32}, {&TEditorMenus::RGBMenu, 32},
        {&TEditorMenus::SaturationMenu, 32}, {&TEditorMenus::MosaicMenu, 0},
        {&TEditorMenus::NeonMenu, 0},
    };
    Open(Pattern(20, 33));
    std::vector<int> seen;
    bool shownWhileMoving = false;
    QObject::connect(form->ProgressBar, &QProgressBar::valueChanged, [&](int value) {
        // The reset to 0 comes before the bar is shown.
        if (!seen.empty()) shownWhileMoving = shownWhileMoving && form->ProgressBar->isVisible();
        seen.push_back(value);
    });
    for (const auto& c : cases) {
        SCOPED_TRACE((form->Menus.*c.menu)->objectName().toStdString());
        form->ProgressBar->setValue(17);
        seen.clear();
        shownWhileMoving = true;
        Choose(c.menu);
        PressOK();
        // From the reset to 0 up to the last row; rows in between may be passed over.
        ASSERT_FALSE(seen.empty());
        EXPECT_EQ(seen.front(), 0);
        EXPECT_EQ(seen.back(), c.lastPosition);
        EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
        EXPECT_EQ(seen.size() > 1, c.lastPosition > 0);
        EXPECT_TRUE(shownWhileMoving);
        EXPECT_FALSE(form->ProgressBar->isVisible());
    }
}

TEST_F(PreviewTest, PictureWithoutRowsOpensNothing) {
    Open(TBitmap(40, 0));
    for (const EffectCase& c : Effects()) {
        SCOPED_TRACE(c.name);
        Choose(c.menu);
        EXPECT_FALSE(Panel().isVisible());
    }
}

TEST_F(PreviewTest, ThinPictureGetsAOnePixelThumbnailAndOKStillApplies) {
    const TBitmap shown = Pattern(1000, 3);
    Open(shown);
    Choose(&TEditorMenus::MosaicMenu);
    Bar(E::Mosaic)->setValue(2);
    EXPECT_EQ(After().Height(), 1);
    PressOK();
    EXPECT_TRUE(SamePicture(form->Picture(), Applied(shown, With<Mosaic>(2))));
}

TEST_F(PreviewTest, FailingRoutineLeavesPictureAndHistoryAndIsReportedOnce) {
    Open(Pattern(20, 33));
    const TBitmap picture = form->Picture();
    const TEditHistory history = form->History;
    std::vector<std::string> reported;
    const TMessageBoxOverride recordedBoxes(
        [&](const std::string& text) { reported.push_back(text); });
    // Fails as the routine reports a row, after rows were already changed.
    QObject::connect(form->ProgressBar, &QProgressBar::valueChanged, [](int row) {
        if (row > 0) throw std::runtime_error("out of memory");
    });
    Choose(&TEditorMenus::BrightnessMenu);
    Bar(E::Brightness)->setValue(60);
    PressOK();

    EXPECT_EQ(reported, std::vector<std::string>{"out of memory"});
    EXPECT_TRUE(form->Picture().SharesPixelsWith(picture));
    EXPECT_TRUE(SamePicture(form->Picture(), Pattern(20, 33)));
    EXPECT_TRUE(form->History.BakImage1.SharesPixelsWith(history.BakImage1));
    EXPECT_TRUE(form->History.BakImage3.SharesPixelsWith(history.BakImage3));
    EXPECT_FALSE(form->ProgressBar->isVisible());
    // The panel stays open for another try or Cancel.
    EXPECT_TRUE(Panel().isVisible());
}

TEST_F(PreviewTest, KeyboardMovesTheBarAndEnterOrEscapeAnswerThePanel) {
    const TBitmap shown = Pattern(61, 47);
    Open(shown);
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    QTest::keyClick(form.get(), Qt::Key_M, Qt::ControlModifier | Qt::AltModifier);
    ASSERT_TRUE(Panel().isVisible());
    QSlider* mosaic = Bar(E::Mosaic);
    ASSERT_EQ(QApplication::focusWidget(), mosaic);
    const struct {
        Qt::Key key;
        int position;
        const char* label;
    } moves[] = {
        {Qt::Key_Right, 1, "+1"}, {Qt::Key_Right, 2, "+2"},  {Qt::Key_End, 64, "+64"},
        {Qt::Key_Home, 0, "0"},   {Qt::Key_PageUp, 6, "+6"},
    };
    for (const auto& move : moves) {
        QTest::keyClick(QApplication::focusWidget(), move.key);
        EXPECT_EQ(mosaic->value(), move.position);
        EXPECT_EQ(ValueLabel(E::Mosaic), move.label);
    }
    // The editor's shortcuts still reach their items while the bar has the keyboard.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(SamePicture(form->Picture(), form->History.BakImage3));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z,
                    Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_FALSE(Panel().isVisible());
    EXPECT_TRUE(SamePicture(form->Picture(), Applied(shown, With<Mosaic>(6))));

    const TBitmap applied = form->Picture();
    form->RGBMenuClick();
    ASSERT_EQ(QApplication::focusWidget(), Bar(E::RGB, 0));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_FALSE(Panel().isVisible());
    EXPECT_TRUE(form->Picture().SharesPixelsWith(applied));

    // Enter on a focused button presses that button.
    form->NeonMenuClick();
    Bar(E::Neon)->setValue(4);
    Panel().ParametersCancelBtn->setFocus();
    QTest::keyClick(Panel().ParametersCancelBtn, Qt::Key_Return);
    EXPECT_FALSE(Panel().isVisible());
    EXPECT_TRUE(form->Picture().SharesPixelsWith(applied));
}

} // namespace
} // namespace zorvic::testing
