#include "Distortions.h"
#include "EditorFixture.h"
#include "EditorStatusBar.h"
#include "EditorView.h"
#include "Errors.h"
#include "MessageBoxes.h"
#include "OneShotEffects.h"
#include "ToolsPanel.h"
#include "Transforms.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>

#include <functional>
#include <string>
#include <vector>

namespace zorvic::testing {
namespace {

using CommandsTest = EditorTest;

QLineEdit* AngleText(TSaveForm& form) {
    return form.ToolsPanel->ArbitraryDegreesText->lineEdit();
}

struct RecordedCommand {
    const char* name;
    std::function<QAction*(const TEditorMenus&)> item;
    std::function<void(TBitmap&)> routine;
};

TEST_F(CommandsTest, EachMenuCommandAppliesItsRoutineAndRecordsOneStep) {
    const std::vector<RecordedCommand> commands = {
        {"invert", [](auto& m) { return m.AntiColorMenu; }, InvertColors},
        {"two colours", [](auto& m) { return m.TwoColorMenu; }, TwoColors},
        {"grey", [](auto& m) { return m.GrayMenu; }, Grayscale},
        {"exposure", [](auto& m) { return m.ExposureMenu; },
         [](TBitmap& b) { Exposure(b, nullptr); }},
        {"sculpture", [](auto& m) { return m.SculptureMenu; },
         [](TBitmap& b) { Sculpture(b, nullptr); }},
        {"relief", [](auto& m) { return m.ReliefMenu; }, [](TBitmap& b) { Relief(b, nullptr); }},
        {"twist", [](auto& m) { return m.DistortionMenu; },
         [](TBitmap& b) {
             TBitmap out;
             Twist(b, out, 150);
             b = out;
         }},
        {"wave", [](auto& m) { return m.WaveMenu; }, [](TBitmap& b) { Wave(b, 2, 6, 2); }},
        {"far view", [](auto& m) { return m.LongViewMenu; },
         [](TBitmap& b) {
             TBitmap out;
             FarView(b, out, 300, 600);
             b = out;
         }},
        {"turn 90", [](auto& m) { return m.Degrees90Menu; }, RotateBitmap90},
        {"turn 180", [](auto& m) { return m.Degrees180Menu; }, RotateBitmap180},
        {"turn 270", [](auto& m) { return m.Degrees270Menu; }, RotateBitmap270},
        {"flip left-right", [](auto& m) { return m.LevelFilpMenu; }, FlipHorizontal},
        {"flip upside-down", [](auto& m) { return m.VerticalFilpMenu; }, FlipVertical},
        {"mirror left-right", [](auto& m) { return m.LevelMirrorMenu; }, MirrorHorizontal},
        {"mirror upside-down", [](auto& m) { return m.VerticalMirrorMenu; }, MirrorVertical},
        {"symmetrical mirror", [](auto& m) { return m.SymmetricalMirrorMenu; }, MirrorSymmetrical},
    };
    const TBitmap before = Pattern(23, 17);
    for (const RecordedCommand& command : commands) {
        SCOPED_TRACE(command.name);
        Open(before);
        form->AntiColorMenuClick();
        const TBitmap previous = form->Picture();
        TBitmap expected = previous;
        command.routine(expected);

        command.item(form->Menus)->trigger();

        EXPECT_TRUE(SamePicture(form->Picture(), expected));
        EXPECT_TRUE(SamePicture(form->History.BakImage1, expected));
        EXPECT_TRUE(SamePicture(form->History.BakImage2, expected));
        EXPECT_TRUE(SamePicture(form->History.BakImage3, previous));
        EXPECT_EQ(form->Pic->size(), QSize(expected.Width(), expected.Height()));
        form->close();
    }
}

TEST_F(CommandsTest, TwistAndWaveReportTheirTimeInPanelThree) {
    Open(Pattern(40, 30));
    form->DistortionMenuClick();
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^完成时间: \\d+毫秒$"))
                    .match(form->PicStatusBar->PanelText(3))
                    .hasMatch())
        << form->PicStatusBar->PanelText(3).toStdString();
    form->WaveMenuClick();
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^完成时间:\\d+毫秒$"))
                    .match(form->PicStatusBar->PanelText(3))
                    .hasMatch())
        << form->PicStatusBar->PanelText(3).toStdString();
}

TEST_F(CommandsTest, ExposureDrivesTheProgressBarAndHidesItAfterwards) {
    Open(Pattern(20, 33));
    form->ExposureMenuClick(1);
    EXPECT_FALSE(form->ProgressBar->isVisible());
    EXPECT_EQ(form->ProgressBar->maximum(), 32);
    EXPECT_EQ(form->ProgressBar->value(), 32);
}

TEST_F(CommandsTest, AngleThatIsNoWholeNumberIsReportedAndLeavesThePictureAndTheCursor) {
    const TBitmap shown = Pattern(30, 20);
    Open(shown);
    std::vector<std::string> shownErrors;
    const TMessageBoxOverride recordedBoxes(
        [&](const std::string& text) { shownErrors.push_back(text); });
    for (const char* text : {"", "-", "4.5", "abc"}) {
        SCOPED_TRACE(text);
        shownErrors.clear();
        AngleText(*form)->setText(QString::fromLatin1(text));
        form->ToolsPanel->ArbitraryDegreesBtn->click();
        std::string expected = "'";
        expected.append(text).append("' is not a valid integer value");
        EXPECT_EQ(shownErrors, std::vector<std::string>{expected});
        EXPECT_TRUE(SamePicture(form->Picture(), shown));
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    }
}

TEST_F(CommandsTest, AnyAngleInstallsTheRotationWithoutAStepAndKeepsThePictureReachable) {
    const TBitmap shown = Pattern(100, 50);
    Open(shown);
    AngleText(*form)->setText(QStringLiteral("0"));
    form->ToolsPanel->ArbitraryDegreesBtn->click();
    TBitmap expected;
    RotateBitmap(shown, expected, 0);
    EXPECT_TRUE(SamePicture(form->Picture(), expected));
    EXPECT_TRUE(SamePicture(form->History.BakImage1, shown));
    EXPECT_EQ(form->Pic->pos(), QPoint(form->width() / 2 - 50, form->height() / 2 - 50));

    Open(Pattern(1500, 40));
    form->ArbitraryDegreesBtnClick();
    EXPECT_EQ(form->Picture().Width(), 1500);
    EXPECT_GE(form->Pic->x(), 0);
    EXPECT_GE(form->Pic->y(), 0);
}

TEST_F(CommandsTest, TranslationReadsNonNumbersAsZeroAndRecordsNoStep) {
    const TBitmap shown = Pattern(100, 80);
    Open(shown);
    form->ToolsPanel->TransverseEdit->lineEdit()->setText(QStringLiteral("abc"));
    form->ToolsPanel->LongitudinalAxisEdit->lineEdit()->setText(QStringLiteral("0"));
    form->ToolsPanel->TranslationOKBtn->click();
    EXPECT_TRUE(SamePicture(form->Picture(), shown));

    form->ToolsPanel->TransverseEdit->lineEdit()->setText(QStringLiteral("10"));
    form->ToolsPanel->LongitudinalAxisEdit->lineEdit()->setText(QStringLiteral("-7"));
    form->ToolsPanel->TranslationOKBtn->click();
    TBitmap expected = shown;
    Translate(expected, 10, -7);
    EXPECT_TRUE(SamePicture(form->Picture(), expected));
    EXPECT_TRUE(SamePicture(form->History.BakImage1, shown));
}

TEST_F(CommandsTest, MenuShortcutsAreExactlyTheseKeys) {
    const TEditorMenus& m = form->Menus;
    const std::vector<std::pair<QAction*, const char*>> shortcuts = {
        {m.SaveASMenu, "Ctrl+S"},
        {m.CopyToClipMenu, "Ctrl+C"},
        {m.UnDoMenu, "Ctrl+Z"},
        {m.ReDoMenu, "Ctrl+Shift+Z"},
        {m.LevelFilpMenu, "Ctrl+Alt+L"},
        {m.VerticalFilpMenu, "Ctrl+Alt+V"},
        {m.Degrees90Menu, "Ctrl+D"},
        {m.LevelMirrorMenu, "Ctrl+L"},
        {m.VerticalMirrorMenu, "Ctrl+V"},
        {m.AntiColorMenu, "Ctrl+Alt+O"},
        {m.TwoColorMenu, "Ctrl+Alt+T"},
        {m.SculptureMenu, "Ctrl+Alt+S"},
        {m.ReliefMenu, "Ctrl+Alt+R"},
        {m.MosaicMenu, "Ctrl+Alt+M"},
        {m.SetWallPaperMenu, "Ctrl+Alt+W"},
        {m.AboutMenu, "Ctrl+A"},
    };
    int withShortcut = 0;
    for (QAction* item : form->findChildren<QAction*>())
        if (!item->shortcut().isEmpty()) ++withShortcut;
    for (const auto& [item, keys] : shortcuts)
        EXPECT_EQ(item->shortcut(), QKeySequence(QString::fromLatin1(keys)))
            << item->objectName().toStdString();
    EXPECT_EQ(withShortcut, static_cast<int>(shortcuts.size()));
    EXPECT_FALSE(m.SizeMenu->isVisible());
}

} // namespace
} // namespace zorvic::testing
