// The preview panel in the real editor window on this suite's own X server, driven by key and
// button events through XTest as a user's hands give them; the saved file is read back by
// ImageMagick.
#include "EditorFixture.h"
#include "EditorStatusBar.h"
#include "EditorView.h"
#include "MessageBoxes.h"
#include "PanelPreview.h"

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QScreen>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

// Xlib after Qt, whose headers its macros break.
#include "X11TestTools.h"

#include <X11/keysym.h>

#include <chrono>
#include <string>

namespace zorvic::testing {
namespace {

// Lets Qt handle what the server sent until the condition holds; generous, for a loaded machine.
bool PumpUntil(const std::function<bool()>& condition) {
    return WaitUntil(
        [&] {
            QCoreApplication::processEvents();
            return condition();
        },
        std::chrono::seconds(20));
}

// Every pixel of a picture file as ImageMagick reads it: rows of red, green, blue bytes.
QByteArray MagickPixels(const QString& path) {
    QProcess convert;
    convert.start(QStringLiteral("convert"),
                  {path, QStringLiteral("-depth"), QStringLiteral("8"), QStringLiteral("rgb:-")});
    convert.waitForFinished(30000);
    return convert.readAllStandardOutput();
}

class PreviewEndToEndTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        display.reset(XOpenDisplay(nullptr));
        ASSERT_TRUE(display);
    }
    void Tap(std::initializer_list<KeySym> modifiers, KeySym key) {
        TapChord(display.get(), modifiers, key);
    }
    // Whether the window manager has put the window where Qt believes it is, so that a click
    // aimed by Qt's coordinates lands on the widget meant.
    bool PlacedOnServer(const QWidget& window) {
        int x = 0, y = 0;
        Window child = 0;
        XTranslateCoordinates(display.get(), window.winId(), DefaultRootWindow(display.get()), 0, 0,
                              &x, &y, &child);
        return window.mapToGlobal(QPoint(0, 0)) == QPoint(x, y);
    }
    // Whether key events go to the window: the server's focus and Qt's active window agree.
    bool HasKeyboard(const QWidget& window) {
        Window focus = 0;
        int revert = 0;
        XGetInputFocus(display.get(), &focus, &revert);
        return focus == window.winId() && window.isActiveWindow();
    }
    void Click(const QWidget& widget) {
        const QPoint centre = widget.mapToGlobal(widget.rect().center());
        MovePointer(display.get(), {centre.x(), centre.y()});
        PressButton(display.get(), true);
        PressButton(display.get(), false);
    }
    // Whether the server shows the bitmap where the widget is.
    static bool OnScreen(const QWidget& widget, const TBitmap& bitmap) {
        const QImage screen = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
        const QPoint at = widget.mapToGlobal(QPoint(0, 0));
        for (int y = 0; y < bitmap.Height(); ++y)
            for (int x = 0; x < bitmap.Width(); ++x) {
                const QRgb shown = screen.pixel(at.x() + x, at.y() + y);
                const TColor wanted = bitmap.GetPixel(x, y);
                if (qRed(shown) != RedOf(wanted) || qGreen(shown) != GreenOf(wanted) ||
                    qBlue(shown) != BlueOf(wanted))
                    return false;
            }
        return true;
    }

    DisplayPtr display;
};

TEST_F(PreviewEndToEndTest, MosaicChosenByShortcutAndKeyboardIsSavedAsBlocks) {
    constexpr int kWidth = 203, kHeight = 141, kBlock = 8;
    const TBitmap shown = Pattern(kWidth, kHeight);
    QTemporaryDir folder;
    host.Settings.SaveDirectory = folder.path().toStdString();
    host.Settings.FormatIndex = 0;
    std::vector<std::string> messages;
    const TMessageBoxOverride recordedBoxes(
        [&](const std::string& text) { messages.push_back(text); });
    form->LoadPicture(shown);
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    ASSERT_TRUE(PumpUntil([&] { return PlacedOnServer(*form); }));
    // The window manager gives the keyboard to the window a user clicks; the status bar is a
    // place where a click does nothing else.
    Click(*form->PicStatusBar);
    ASSERT_TRUE(PumpUntil([&] { return HasKeyboard(*form); }));

    Tap({XK_Control_L, XK_Alt_L}, XK_m);
    TPanelPreview& panel = *form->PanelPreview;
    QSlider* bar = panel.Page(TAdjustableEffect::Mosaic).TrackBars[0];
    ASSERT_TRUE(PumpUntil([&] { return panel.isVisible(); }));
    ASSERT_TRUE(PumpUntil([&] { return bar->hasFocus(); }))
        << "the keyboard is on "
        << (QApplication::focusWidget() ? QApplication::focusWidget()->objectName().toStdString()
                                        : "no widget");
    for (int step = 0; step < kBlock; ++step)
        Tap({}, XK_Right);
    ASSERT_TRUE(PumpUntil([&] { return bar->value() == kBlock; }));
    EXPECT_TRUE(PumpUntil(
        [&] { return OnScreen(*panel.ImageafterChange, panel.ImageafterChange->Picture()); }));
    const QString keep = qEnvironmentVariable("ZORVIC_PREVIEW_SCREENSHOT");
    if (!keep.isEmpty()) QGuiApplication::primaryScreen()->grabWindow(0).save(keep);

    Tap({}, XK_Return);
    ASSERT_TRUE(PumpUntil([&] { return !panel.isVisible(); }));
    EXPECT_TRUE(PumpUntil([&] { return OnScreen(*form->Pic, form->Picture()); }));

    Click(*form->ToolBar.SaveToolButton);
    QStringList saved;
    ASSERT_TRUE(PumpUntil([&] {
        saved = QDir(folder.path()).entryList({QStringLiteral("*.bmp")});
        return !saved.isEmpty() && !messages.empty();
    }));
    EXPECT_EQ(messages, std::vector<std::string>{"已经保存到指定目录下！"});
    const QByteArray pixels = MagickPixels(folder.filePath(saved.first()));
    ASSERT_EQ(pixels.size(), kWidth * kHeight * 3);
    // Every pixel has the colour the top-left pixel of its block had, blocks clipped at the
    // right and bottom edges.
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const TColor corner = shown.GetPixel(x - x % kBlock, y - y % kBlock);
            const char* rgb = pixels.constData() + (static_cast<qsizetype>(y) * kWidth + x) * 3;
            ASSERT_EQ(MakeColor(static_cast<std::uint8_t>(rgb[0]),
                                static_cast<std::uint8_t>(rgb[1]),
                                static_cast<std::uint8_t>(rgb[2])),
                      corner)
                << x << ", " << y;
        }
}

} // namespace
} // namespace zorvic::testing
