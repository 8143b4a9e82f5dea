#include "ToolsPanel.h"
#include "ColorSwatch.h"
#include "TBitmap.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>

namespace zorvic::testing {
namespace {

// A panel drawing on a picture of its own, with dialogs that answer from a queue and record the
// preset they were opened with.
class ToolsPanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        panel.SetCanvasProvider([this]() -> TCanvas& { return picture.Canvas(); });
        panel.SetColorChooser([this](QWidget*, TColor preset) {
            colorPresets.push_back(preset);
            const std::optional<TColor> answer = colorAnswers.front();
            colorAnswers.pop_front();
            return answer;
        });
        panel.SetFontChooser([this](QWidget*, const TFont& preset) {
            fontPresets.push_back(preset);
            return fontAnswer;
        });
    }

    TCanvas& Canvas() { return picture.Canvas(); }
    QWidget* Page() const { return panel.AttributeToolbox->currentWidget(); }

    TBitmap picture{8, 8};
    TToolsPanel panel;
    std::deque<std::optional<TColor>> colorAnswers;
    std::vector<TColor> colorPresets;
    std::optional<TFont> fontAnswer;
    std::vector<TFont> fontPresets;
};

TEST_F(ToolsPanelTest, StartsWithTheGivenDefaults) {
    EXPECT_EQ(panel.width(), 129);
    EXPECT_EQ(panel.ForeGroundColor->Color(), clBlack);
    EXPECT_EQ(panel.BackGroundColor->Color(), clWhite);
    EXPECT_EQ(panel.ForeGroundColor->geometry(), QRect(31, 9, 35, 35));
    EXPECT_EQ(panel.CurrentTool(), TTool::None);
    EXPECT_EQ(panel.ShapeKind, 0);
    EXPECT_EQ(Page(), panel.sTabLineAndSoOn);
    EXPECT_EQ(panel.sTabSprayGun->windowTitle(), QStringLiteral("喷枪属性 "));

    const std::tuple<QSpinBox*, int, int, int> numbers[] = {
        {panel.Radius, 1, 500, 10},
        {panel.MagnificationEdit, 2, 50, 2},
        {panel.RadiusEdit, 10, 100, 30},
        {panel.PenSize, 0, 100, 1},
        {panel.ArbitraryDegreesText, -360, 360, 90},
    };
    for (const auto& [box, minimum, maximum, value] : numbers) {
        EXPECT_EQ(box->minimum(), minimum);
        EXPECT_EQ(box->maximum(), maximum);
        EXPECT_EQ(box->value(), value);
    }
    EXPECT_EQ(panel.ArbitraryDegreesText->lineEdit()->text(), QStringLiteral("90"));
    EXPECT_EQ(panel.TransverseEdit->lineEdit()->text(), QStringLiteral("10"));
    EXPECT_EQ(panel.LongitudinalAxisEdit->lineEdit()->text(), QStringLiteral("10"));
    EXPECT_EQ(panel.MagnifierShape(), 0);
    EXPECT_TRUE(panel.UseBorder->isChecked());
    EXPECT_TRUE(panel.UseCursor->isChecked());
    EXPECT_TRUE(panel.PenButtons[0]->isChecked());
    EXPECT_TRUE(panel.BrushButtons[0]->isChecked());
    EXPECT_EQ(panel.TextEdit->text(), QStringLiteral("请输入您想要的文字"));
    EXPECT_EQ(panel.ActualSizeBtn->text(), QStringLiteral("实际大小"));
}

TEST_F(ToolsPanelTest, EachToolButtonShowsItsPageAndShapeKind) {
    struct Case {
        QToolButton* button;
        TTool tool;
        QWidget* page;
        int shapeKind;
    };
    const Case cases[] = {
        {panel.SprayGunBtn, TTool::SprayGun, panel.sTabSprayGun, 0},
        {panel.RectangularBtn, TTool::Rectangle, panel.sTabLineAndSoOn, 1},
        {panel.MagnifyingGlassBtn, TTool::MagnifyingGlass, panel.sTabMagnifyingGlass, 1},
        {panel.OvalBtn, TTool::Oval, panel.sTabLineAndSoOn, 2},
        {panel.ImageScalingBtn, TTool::ImageScaling, panel.sTabImageScaling, 2},
        {panel.RoundedRectangularBtn, TTool::RoundedRectangle, panel.sTabLineAndSoOn, 3},
        {panel.FreeTransformBtn, TTool::FreeTransform, panel.sTabArbitraryDegrees, 3},
        {panel.TranslationBtn, TTool::Translation, panel.sTabTranslation, 3},
        {panel.TextToolBtn, TTool::TextTool, panel.sTabTextTool, 3},
        {panel.StrawBtn, TTool::Straw, panel.sTabTextTool, 3},
        {panel.HandleBtn, TTool::Handle, panel.sTabTextTool, 3},
        {panel.LineBtn, TTool::Line, panel.sTabLineAndSoOn, 0},
    };
    for (const Case& c : cases) {
        c.button->click();
        EXPECT_EQ(panel.CurrentTool(), c.tool) << c.button->toolTip().toStdString();
        EXPECT_EQ(Page(), c.page) << c.button->toolTip().toStdString();
        EXPECT_EQ(panel.ShapeKind, c.shapeKind) << c.button->toolTip().toStdString();
        const QList<QToolButton*> tools = panel.sPanelTools->findChildren<QToolButton*>();
        const auto down = std::count_if(tools.begin(), tools.end(),
                                        [](QToolButton* b) { return b->isChecked(); });
        EXPECT_EQ(down, 1) << c.button->toolTip().toStdString();
    }
}

TEST_F(ToolsPanelTest, ClickingTheDownToolRaisesItAndStillRunsItsHandler) {
    panel.RectangularBtn->click();
    panel.TextToolBtn->click();
    panel.RectangularBtn->click();
    panel.RectangularBtn->click();
    EXPECT_EQ(panel.CurrentTool(), TTool::None);
    EXPECT_FALSE(panel.RectangularBtn->isChecked());
    EXPECT_EQ(panel.ShapeKind, 1);
    EXPECT_EQ(Page(), panel.sTabLineAndSoOn);
}

TEST_F(ToolsPanelTest, PenAndBrushButtonsSetTheCanvasStyleCodes) {
    for (int code = 5; code >= 0; --code) {
        panel.PenButtons[code]->click();
        EXPECT_EQ(static_cast<int>(Canvas().Pen.Style), code);
    }
    for (int code = 7; code >= 0; --code) {
        panel.BrushButtons[code]->click();
        EXPECT_EQ(static_cast<int>(Canvas().Brush.Style), code);
    }
    panel.PenButtons[3]->click();
    panel.PenButtons[3]->click();
    EXPECT_TRUE(panel.PenButtons[3]->isChecked()) << "one pen button is always down";
    EXPECT_FALSE(panel.PenButtons[0]->isChecked());
}

TEST_F(ToolsPanelTest, ColourDialogSetsSwatchAndCanvasAndRemembersItsLastColour) {
    colorAnswers = {clRed, std::nullopt, clBlue};
    panel.BackGroundColorMouseDown();
    EXPECT_EQ(panel.BackGroundColor->Color(), clRed);
    EXPECT_EQ(Canvas().Brush.Color, clRed);

    panel.ForeGroundColorMouseDown(); // cancelled
    EXPECT_EQ(panel.ForeGroundColor->Color(), clBlack);
    EXPECT_EQ(Canvas().Pen.Color, clBlack);

    panel.ForeGroundColorMouseDown();
    EXPECT_EQ(panel.ForeGroundColor->Color(), clBlue);
    EXPECT_EQ(Canvas().Pen.Color, clBlue);
    EXPECT_EQ(colorPresets, (std::vector<TColor>{clBlack, clRed, clRed}));
}

TEST_F(ToolsPanelTest, ExchangeSwapsTheSwatchesButNotTheCanvasColours) {
    colorAnswers = {clYellow};
    panel.ForeGroundColorMouseDown();
    panel.ExchangeColorBtn->click();
    EXPECT_EQ(panel.ForeGroundColor->Color(), clWhite);
    EXPECT_EQ(panel.BackGroundColor->Color(), clYellow);
    EXPECT_EQ(Canvas().Pen.Color, clYellow);
    EXPECT_EQ(Canvas().Brush.Color, clWhite);
}

TEST_F(ToolsPanelTest, FontDialogStartsAtTahomaAndAppliesOnlyWhenConfirmed) {
    TFont chosen;
    chosen.Name = "DejaVu Sans";
    chosen.Height = -16;
    chosen.Bold = true;
    chosen.Color = clGreen;
    fontAnswer = chosen;
    panel.TextPropertiesBtn->click();
    EXPECT_EQ(Canvas().Font.Name, "DejaVu Sans");
    EXPECT_EQ(Canvas().Font.Height, -16);
    EXPECT_TRUE(Canvas().Font.Bold);
    EXPECT_EQ(Canvas().Font.Color, clGreen);

    fontAnswer.reset();
    panel.TextPropertiesBtnClick();
    EXPECT_EQ(Canvas().Font.Name, "DejaVu Sans");

    ASSERT_EQ(fontPresets.size(), 2u);
    EXPECT_EQ(fontPresets[0].Name, "Tahoma");
    EXPECT_EQ(fontPresets[0].Height, -11);
    EXPECT_FALSE(fontPresets[0].Bold);
    EXPECT_EQ(fontPresets[0].Color, clWindowText);
    EXPECT_EQ(fontPresets[1].Name, "DejaVu Sans");
}

TEST_F(ToolsPanelTest, TextBoxClearsOnlyItsPromptOnTheFirstVisit) {
    panel.show();
    panel.TextToolBtn->click();
    QApplication::setActiveWindow(&panel);
    auto visit = [this](Qt::FocusReason reason) {
        panel.TextPropertiesBtn->setFocus(Qt::OtherFocusReason);
        panel.TextEdit->setFocus(reason);
        QApplication::processEvents();
    };
    visit(Qt::MouseFocusReason);
    EXPECT_TRUE(panel.TextEdit->text().isEmpty()) << "the prompt goes";
    panel.TextEdit->setText(QStringLiteral("截图说明"));
    // Clicking in again, the window activated again, a dialog giving the focus back.
    for (Qt::FocusReason reason :
         {Qt::MouseFocusReason, Qt::ActiveWindowFocusReason, Qt::PopupFocusReason})
        visit(reason);
    EXPECT_EQ(panel.TextEdit->text(), QStringLiteral("截图说明"));
}

// Runs the real font dialog and, once it is up, types `key` into one of its font lists or
// boxes; whether the key closed the whole dialog, and what it answered.
struct TFontDialogAnswer {
    bool closedByKey = false;
    std::optional<TFont> font;
    QString colourButtonStyle;
};
template <class Field>
TFontDialogAnswer AnswerFontDialogWithKey(int field, Qt::Key key, TColor presetColour) {
    TFontDialogAnswer answer;
    QTimer::singleShot(0, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        for (QPushButton* button : dialog->findChildren<QPushButton*>())
            if (button->text() == QStringLiteral("颜色"))
                answer.colourButtonStyle = button->styleSheet();
        const QList<Field*> fields = dialog->findChildren<Field*>();
        ASSERT_GT(fields.size(), field);
        fields[field]->setFocus();
        QTest::keyClick(fields[field], key);
        answer.closedByKey = !dialog->isVisible();
        // A dialog the key left open is closed here, so the test goes on to report it.
        if (!answer.closedByKey) static_cast<QDialog*>(dialog)->reject();
    });
    TFont preset;
    preset.Color = presetColour;
    answer.font = RunFontDialog(nullptr, preset);
    return answer;
}

TEST(FontDialogTest, EnterConfirmsAndEscapeCancelsTheWholeDialogFromEachList) {
    // The face, style and size lists, and the boxes above them.
    for (int field = 0; field < 3; ++field) {
        for (const auto& answer :
             {AnswerFontDialogWithKey<QListView>(field, Qt::Key_Return, clBlack),
              AnswerFontDialogWithKey<QLineEdit>(field, Qt::Key_Enter, clBlack)}) {
            EXPECT_TRUE(answer.closedByKey) << field;
            EXPECT_TRUE(answer.font.has_value()) << field;
        }
        for (const auto& answer :
             {AnswerFontDialogWithKey<QListView>(field, Qt::Key_Escape, clWhite),
              AnswerFontDialogWithKey<QLineEdit>(field, Qt::Key_Escape, clWhite)}) {
            EXPECT_TRUE(answer.closedByKey) << field;
            EXPECT_FALSE(answer.font.has_value()) << field;
        }
    }
}

TEST(FontDialogTest, ColourButtonCaptionStandsOutFromItsColour) {
    EXPECT_TRUE(AnswerFontDialogWithKey<QListView>(0, Qt::Key_Escape, clBlack)
                    .colourButtonStyle.contains(QStringLiteral("color: white")));
    EXPECT_TRUE(AnswerFontDialogWithKey<QListView>(0, Qt::Key_Escape, clWhite)
                    .colourButtonStyle.contains(QStringLiteral("color: black")));
}

} // namespace
} // namespace zorvic::testing
