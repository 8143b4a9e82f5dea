// The editor on a real X server: real window, real input events through the menus' shortcuts
// and the tool bar, the picture on the screen, and files read back by ImageMagick.
#include "Commands.h"
#include "EditorFixture.h"
#include "EditorView.h"
#include "MessageBoxes.h"
#include "OneShotEffects.h"
#include "Transforms.h"

#include "ToolsPanel.h"

#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <string>
#include <vector>

// After gtest and Qt: Xlib's macros break their headers.
#include "X11TestTools.h"

#include <X11/keysym.h>

namespace zorvic::testing {
namespace {

using EditorEndToEndTest = EditorTest;

// The pixels the X server shows where the image control is.
QImage ShownPicture(const TSaveForm& form) {
    const QImage screen = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
    const QString keep = qEnvironmentVariable("ZORVIC_EDITOR_SCREENSHOT");
    if (!keep.isEmpty()) screen.save(keep);
    const QPoint at = form.Pic->mapToGlobal(QPoint(0, 0));
    return screen.copy(QRect(at, form.Pic->size()));
}

::testing::AssertionResult ShowsPicture(const QImage& shown, const TBitmap& picture) {
    if (shown.size() != QSize(picture.Width(), picture.Height()))
        return ::testing::AssertionFailure() << "shown size differs";
    for (int y = 0; y < picture.Height(); y += 7)
        for (int x = 0; x < picture.Width(); x += 5) {
            const QRgb pixel = shown.pixel(x, y);
            const TColor colour = picture.GetPixel(x, y);
            if (qRed(pixel) != RedOf(colour) || qGreen(pixel) != GreenOf(colour) ||
                qBlue(pixel) != BlueOf(colour))
                return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ")";
        }
    return ::testing::AssertionSuccess();
}

TEST_F(EditorEndToEndTest, TurnInvertUndoRedoThenSaveInEveryFormat) {
    const TBitmap pattern = Pattern(300, 200);
    form->LoadPicture(pattern);
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    EXPECT_TRUE(QTest::qWaitFor([&] { return ShowsPicture(ShownPicture(*form), pattern); }));

    QTest::mouseClick(form->ToolBar.Degrees90ToolButton, Qt::LeftButton);
    const TBitmap turned = Turned(pattern, RotateBitmap90);
    ASSERT_TRUE(SamePicture(form->Picture(), turned));

    QTest::keyClick(form.get(), Qt::Key_O, Qt::ControlModifier | Qt::AltModifier);
    const TBitmap inverted = Turned(turned, InvertColors);
    ASSERT_TRUE(SamePicture(form->Picture(), inverted));
    QTest::keyClick(form.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(SamePicture(form->Picture(), turned));
    QTest::keyClick(form.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(SamePicture(form->Picture(), inverted));
    EXPECT_TRUE(QTest::qWaitFor([&] { return ShowsPicture(ShownPicture(*form), inverted); }));

    QTemporaryDir folder;
    host.Settings.SaveDirectory = folder.path().toStdString();
    // ImageMagick names a version-3 bitmap file BMP3.
    const std::vector<std::string> formats = {"BMP3", "JPEG", "GIF", "TIFF", "PNG"};
    const QStringList extensions = {".bmp", ".jpg", ".gif", ".tif", ".png"};
    std::vector<std::string> messages;
    const TMessageBoxOverride recordedBoxes(
        [&](const std::string& text) { messages.push_back(text); });
    for (int format = 0; format < 5; ++format) {
        host.Settings.FormatIndex = format;
        QTest::mouseClick(form->ToolBar.SaveToolButton, Qt::LeftButton);
        const QStringList written =
            QDir(folder.path()).entryList({QStringLiteral("*") + extensions[format]});
        ASSERT_EQ(written.size(), 1);
        EXPECT_EQ(Identify("%m %wx%h", folder.filePath(written.first()).toStdString()),
                  formats[format] + " 200x300");
    }
    EXPECT_EQ(messages, std::vector<std::string>(5, "已经保存到指定目录下！"));
    // PNG is lossless: the file holds the picture on the screen.
    const QImage png(folder.filePath(QDir(folder.path()).entryList({QStringLiteral("*.png")})[0]));
    EXPECT_TRUE(ShowsPicture(png, inverted));

    QTest::mouseClick(form->ToolBar.CancelToolButton, Qt::LeftButton);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(host.ClosedCount, 1);
}

// A click of the first button on the middle of `widget`, as a hand makes it.
void ClickOn(Display* display, const QWidget* widget) {
    const QPoint at = widget->mapToGlobal(widget->rect().center());
    MovePointer(display, TPoint{at.x(), at.y()});
    PressButton(display, true);
    PressButton(display, false);
}

TEST_F(EditorEndToEndTest, MenuShortcutsWinOverThePalettesBoxesWhichTakeNoFocusByThemselves) {
    const DisplayPtr display(XOpenDisplay(nullptr));
    ASSERT_NE(display, nullptr);
    const TBitmap pattern = Pattern(120, 90);
    form->LoadPicture(pattern);
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    TToolsPanel& palette = *form->ToolsPanel;

    // Switching the tool's page never puts the keyboard focus into the new page's boxes, even
    // when it was in a box of the old page.
    ClickOn(display.get(), palette.PenSize);
    ASSERT_TRUE(QTest::qWaitFor([&] { return palette.PenSize->hasFocus(); }));
    const std::pair<QToolButton*, QWidget*> pages[] = {
        {palette.SprayGunBtn, palette.sTabSprayGun},
        {palette.MagnifyingGlassBtn, palette.sTabMagnifyingGlass},
        {palette.FreeTransformBtn, palette.sTabArbitraryDegrees},
        {palette.TranslationBtn, palette.sTabTranslation},
        {palette.LineBtn, palette.sTabLineAndSoOn},
        {palette.SprayGunBtn, palette.sTabSprayGun}};
    for (const auto& [button, page] : pages) {
        ClickOn(display.get(), button);
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return palette.AttributeToolbox->currentWidget() == page; }));
        const QWidget* focus = QApplication::focusWidget();
        EXPECT_FALSE(focus && palette.AttributeToolbox->isAncestorOf(focus))
            << button->toolTip().toStdString() << " gave the focus to "
            << focus->metaObject()->className();
    }

    // In a box the user has clicked into, the menus' shortcuts still act on the picture.
    ClickOn(display.get(), palette.Radius);
    ASSERT_TRUE(QTest::qWaitFor([&] { return palette.Radius->hasFocus(); }));
    std::vector<std::string> messages;
    const TMessageBoxOverride recordedBoxes(
        [&](const std::string& text) { messages.push_back(text); });
    const TBitmap inverted = Turned(pattern, InvertColors);
    const struct {
        std::initializer_list<KeySym> modifiers;
        KeySym key;
        TBitmap picture;
    } steps[] = {{{XK_Control_L, XK_Alt_L}, XK_o, inverted},
                 {{XK_Control_L}, XK_z, pattern},
                 {{XK_Control_L, XK_Shift_L}, XK_z, inverted},
                 {{XK_Control_L}, XK_v, Turned(inverted, MirrorVertical)}};
    for (const auto& step : steps) {
        TapChord(display.get(), step.modifiers, step.key);
        EXPECT_TRUE(QTest::qWaitFor([&] {
            return bool(SamePicture(form->Picture(), step.picture));
        })) << XKeysymToString(step.key);
    }
    TapChord(display.get(), {XK_Control_L}, XK_c);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !messages.empty(); }));
    EXPECT_EQ(messages, std::vector<std::string>{"已成功复制到剪贴板！"});
    TapChord(display.get(), {XK_Control_L}, XK_a);
    EXPECT_TRUE(QTest::qWaitFor([&] { return host.ReadmeCount == 1; }));
    EXPECT_EQ(palette.Radius->value(), 10);
    EXPECT_TRUE(palette.Radius->hasFocus());
}

} // namespace
} // namespace zorvic::testing
