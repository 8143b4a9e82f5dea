#include "CameraWindowFixture.h"

#include "MessageBoxes.h"
#include "SaveNames.h"
#include "VideoCap.h"

#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTest>

#include <filesystem>

namespace zorvic::test {

CameraWindowTest::CameraWindowTest() {
    std::filesystem::create_directories(pictures);
    host.Settings.SaveDirectory = pictures;
    host.Settings.FormatIndex = 1;
    SaveCounter = 1;
    form = std::make_unique<TVideoForm>();
    form->SetHost(&host);
}

CameraWindowTest::~CameraWindowTest() {
    form.reset();
    SetCaptureDriverTable(nullptr);
}

void CameraWindowTest::ShowWindow(bool expectPicture) {
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get())) << "the window did not become active";
    if (!expectPicture) return;
    ASSERT_TRUE(QTest::qWaitFor([&] { return ShowsTestPattern(VideoAreaImage()); }, 10000))
        << "no live picture";
}

void CameraWindowTest::UseDrivers(std::vector<TDriverSource> drivers) {
    SetCaptureDriverTable([drivers](unsigned index) -> std::optional<TDriverSource> {
        if (index < drivers.size() && !drivers[index].Input.empty()) return drivers[index];
        return std::nullopt;
    });
}

std::vector<std::string> CameraWindowTest::MemoLines() const {
    std::vector<std::string> lines;
    for (const QString& line : form->imageList->toPlainText().split(u'\n', Qt::SkipEmptyParts))
        lines.push_back(line.toStdString());
    return lines;
}

::testing::AssertionResult CameraWindowTest::LeaveAndComeBack() {
    QWidget other;
    other.show();
    other.activateWindow();
    if (!QTest::qWaitForWindowActive(&other))
        return ::testing::AssertionFailure() << "the other window never became active";
    form->activateWindow();
    if (!QTest::qWaitForWindowActive(form.get()))
        return ::testing::AssertionFailure() << "the camera window never became active again";
    return ::testing::AssertionSuccess();
}

std::string CameraWindowTest::StatusText() const {
    return form->VideoLabel->text().toStdString();
}

QImage CameraWindowTest::VideoAreaImage() const {
    return form->VideoArea->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QImage CameraWindowTest::VideoAreaOnScreen() const {
    const QPoint corner = form->VideoArea->mapToGlobal(QPoint(0, 0));
    const QSize size = form->VideoArea->size();
    return form->screen()
        ->grabWindow(0, corner.x(), corner.y(), size.width(), size.height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

bool CameraWindowTest::ShowsTestPattern(const QImage& image) {
    // The test picture's first bars, red and green, each a seventh of the width.
    auto share = [&](int left, int right, auto wanted) {
        int hits = 0, all = 0;
        for (int y = 0; y < image.height(); y += 4)
            for (int x = left; x < right; x += 4, ++all)
                hits += wanted(image.pixel(x, y));
        return all ? static_cast<double>(hits) / all : 0;
    };
    const int seventh = image.width() / 7;
    const double red = share(
        4, seventh - 4, [](QRgb p) { return qRed(p) > 180 && qGreen(p) < 80 && qBlue(p) < 80; });
    const double green = share(seventh + 4, 2 * seventh - 4, [](QRgb p) {
        return qGreen(p) > 180 && qRed(p) < 80 && qBlue(p) < 80;
    });
    return red > 0.6 && green > 0.6;
}

} // namespace zorvic::test
