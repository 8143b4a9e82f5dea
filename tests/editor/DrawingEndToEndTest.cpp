// A user's hand on the editor, on an X server of this test's own: the rectangle tool chosen by
// its button, a rectangle dragged out past the picture and back, the picture saved, and the file
// read back by ImageMagick.
#include "Commands.h"
#include "DrawShape.h"
#include "EditorFixture.h"
#include "EditorStatusBar.h"
#include "EditorToolBar.h"
#include "EditorView.h"
#include "PicMouse.h"
#include "ToolsPanel.h"
#include "XTestClient.h"

#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <sstream>

namespace zorvic::testing {
namespace {

using DrawingEndToEndTest = EditorTest;

// A picture file's pixels as ImageMagick reads them; empty when it cannot.
TBitmap ReadWithImageMagick(const std::string& path) {
    int width = 0, height = 0;
    std::istringstream(Identify("%w %h", path)) >> width >> height;
    const std::string rgb = Run("convert " + Quoted(path) + " -depth 8 rgb:-", false).output;
    if (width <= 0 || rgb.size() != 3u * width * height) return TBitmap();
    TBitmap picture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const char* p = rgb.data() + 3 * (y * width + x);
            picture.SetPixel(x, y,
                             MakeColor(static_cast<std::uint8_t>(p[0]),
                                       static_cast<std::uint8_t>(p[1]),
                                       static_cast<std::uint8_t>(p[2])));
        }
    return picture;
}

// Whether the X server shows the picture where the image control is.
bool ScreenShows(const TSaveForm& form, const TBitmap& picture) {
    const QImage screen = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
    const QString keep = qEnvironmentVariable("ZORVIC_EDITOR_SCREENSHOT");
    if (!keep.isEmpty()) screen.save(keep);
    const QPoint at = form.Pic->mapToGlobal(QPoint(0, 0));
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x) {
            const QRgb shown = screen.pixel(at + QPoint(x, y));
            if (MakeColor(qRed(shown), qGreen(shown), qBlue(shown)) != picture.GetPixel(x, y))
                return false;
        }
    return true;
}

TEST_F(DrawingEndToEndTest, RectangleDraggedOutAndBackIsSavedAsExactlyTheFinalRectangle) {
    const TBitmap pattern = Pattern(300, 200);
    form->LoadPicture(pattern);
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    XTestClient hand;
    const auto moveTo = [&hand](QPoint at) { hand.MoveTo({at.x(), at.y()}); };
    const auto click = [&](QWidget* widget) {
        moveTo(widget->mapToGlobal(widget->rect().center()));
        hand.Click();
    };
    // Moves the pointer over a point of the image control and waits for the read-out to say so.
    const auto moveOver = [&](QPoint at) {
        moveTo(form->Pic->mapToGlobal(at));
        const QString position = QStringLiteral("坐标 x：%1 y：%2").arg(at.x()).arg(at.y());
        return QTest::qWaitFor([&] { return form->PicStatusBar->PanelText(2) == position; });
    };
    const TShapeTool& shapes = form->PicMouse->Shapes;

    click(form->ToolsPanel->RectangularBtn);
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return form->ToolsPanel->CurrentTool() == TTool::Rectangle; }));
    ASSERT_TRUE(moveOver({40, 30}));
    hand.Press();
    ASSERT_TRUE(QTest::qWaitFor([&] { return shapes.ShapeDragging; }));
    ASSERT_TRUE(moveOver({280, 190}));
    ASSERT_TRUE(moveOver({340, 260})) << "past the picture the control still has the pointer";
    ASSERT_TRUE(moveOver({150, 40}));
    ASSERT_TRUE(moveOver({120, 90}));
    hand.Release();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !shapes.ShapeDragging; }));

    TBitmap expected = pattern;
    DrawShape(expected.Canvas(), skRectangle, {40, 30}, {120, 90}, TPenMode::pmCopy);
    ASSERT_TRUE(SamePicture(form->Picture(), expected));
    EXPECT_TRUE(QTest::qWaitFor([&] { return ScreenShows(*form, expected); }));

    QTemporaryDir folder;
    host.Settings.SaveDirectory = folder.path().toStdString();
    host.Settings.FormatIndex = 0;
    click(form->ToolBar.SaveToolButton);
    QStringList written;
    ASSERT_TRUE(QTest::qWaitFor([&] {
        written = QDir(folder.path()).entryList({QStringLiteral("*.bmp")});
        return !written.isEmpty();
    }));
    EXPECT_TRUE(
        SamePicture(ReadWithImageMagick(folder.filePath(written.first()).toStdString()), expected));
    EXPECT_EQ(form->DrawSteps.Count, 1);
}

} // namespace
} // namespace zorvic::testing
