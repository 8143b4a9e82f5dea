// The editor on a real X server: real window, real input events through the menus' shortcuts
// and the tool bar, the picture on the screen, and files read back by ImageMagick.
#include "EditorFixture.h"
#include "EditorView.h"
#include "MessageBoxes.h"
#include "OneShotEffects.h"
#include "Transforms.h"

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <string>
#include <vector>

namespace zorvic::testing {
namespace {

using EditorEndToEndTest = EditorTest;

// What ImageMagick's identify reads from a file: "FORMAT WIDTHxHEIGHT".
std::string Identify(const QString& path) {
    QProcess identify;
    identify.start(QStringLiteral("identify"),
                   {QStringLiteral("-format"), QStringLiteral("%m %wx%h"), path});
    identify.waitForFinished(30000);
    return QString::fromUtf8(identify.readAllStandardOutput()).trimmed().toStdString();
}

// The pixels the X server shows where the image control is.
QImage ShownPicture(const TSaveForm& form) {
    QApplication::processEvents();
    QTest::qWait(200);
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
    QTest::qWait(100);
    EXPECT_TRUE(ShowsPicture(ShownPicture(*form), pattern));

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
    EXPECT_TRUE(ShowsPicture(ShownPicture(*form), inverted));

    QTemporaryDir folder;
    host.Settings.SaveDirectory = folder.path().toStdString();
    // ImageMagick names a version-3 bitmap file BMP3.
    const std::vector<std::string> formats = {"BMP3", "JPEG", "GIF", "TIFF"};
    const QStringList extensions = {".bmp", ".jpg", ".gif", ".tif"};
    std::vector<std::string> messages;
    SetMessageBoxHandler([&](const std::string& text) { messages.push_back(text); });
    for (int format = 0; format < 4; ++format) {
        host.Settings.FormatIndex = format;
        QTest::mouseClick(form->ToolBar.SaveToolButton, Qt::LeftButton);
        const QStringList written =
            QDir(folder.path()).entryList({QStringLiteral("*") + extensions[format]});
        ASSERT_EQ(written.size(), 1);
        EXPECT_EQ(Identify(folder.filePath(written.first())), formats[format] + " 200x300");
    }
    EXPECT_EQ(messages, std::vector<std::string>(4, "已经保存到指定目录下！"));

    QTest::mouseClick(form->ToolBar.CancelToolButton, Qt::LeftButton);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(host.ClosedCount, 1);
}

} // namespace
} // namespace zorvic::testing
