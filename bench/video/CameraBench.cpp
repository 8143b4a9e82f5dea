// The camera window with the test-pattern device (640x480, 25 frames a second) on a private X
// server: what the live picture costs, whether a recording at 15 frames a second keeps every
// frame while the picture runs, and whether interval pictures every 100 ms keep up.
//
//     bench_camera [SECONDS]     (how long each part runs; the interval part runs 30 s at least)
#include "EditorHost.h"
#include "PrivateDisplay.h"
#include "TCaptureWindow.h"
#include "TVideoForm.h"
#include "VideoCap.h"

#include <QApplication>
#include <QEventLoop>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace zorvic {
namespace {

using Clock = std::chrono::steady_clock;

class BenchHost final : public IEditorHost {
public:
    TSaveSettings Settings;
    TSaveSettings SaveSettings() const override { return Settings; }
    bool CaptureSoundWanted() const override { return false; }
    void PlayCaptureSound() override {}
    void EditorClosed() override {}
    void OpenReadme() override {}
    void OpenMail() override {}
};

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void RunEventsFor(double seconds) {
    QEventLoop loop;
    QTimer::singleShot(static_cast<int>(seconds * 1000), &loop, &QEventLoop::quit);
    loop.exec();
}

void RunEventsUntil(const std::function<bool()>& done, double patience) {
    const auto deadline = Clock::now() + std::chrono::duration<double>(patience);
    while (!done() && Clock::now() < deadline)
        RunEventsFor(0.02);
}

// Counts the pictures the capture window paints.
class PaintCounter : public QObject {
public:
    int Paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++Paints;
        return false;
    }
};

// Runs `seconds` of events and reports this process's share of one core and the pictures
// painted a second.
void MeasureLivePicture(const char* what, double seconds) {
    PaintCounter counter;
    CapWindow()->installEventFilter(&counter);
    const double cpu = CpuSeconds();
    const auto start = Clock::now();
    RunEventsFor(seconds);
    const double wall = std::chrono::duration<double>(Clock::now() - start).count();
    CapWindow()->removeEventFilter(&counter);
    std::printf("%-44s %5.1f %% of a core, %4.1f pictures/s\n", what,
                100 * (CpuSeconds() - cpu) / wall, counter.Paints / wall);
}

} // namespace
} // namespace zorvic

int main(int argc, char** argv) {
    using namespace zorvic;
    const double seconds = argc > 1 ? std::max(1.0, std::atof(argv[1])) : 10;
    testing::PrivateDisplay server({.Width = 1024, .Height = 768, .WindowManager = true});
    setenv("DISPLAY", server.Name().c_str(), 1);
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    setenv("ZORVIC_TEST_CAMERA", "1", 1);
    const std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                         ("zorvic-bench-camera-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder / "pictures");
    std::filesystem::current_path(folder);

    QApplication application(argc, argv);
    BenchHost host;
    host.Settings.SaveDirectory = (folder / "pictures").string();
    host.Settings.FormatIndex = 1;
    TVideoForm form;
    form.SetHost(&host);
    form.show();
    form.activateWindow();
    RunEventsUntil(
        [] { return CapWindow() && CapWindow()->Device() && CapWindow()->Device()->Latest(); }, 10);
    if (!CapWindow() || !CapWindow()->Device()) {
        std::fprintf(stderr, "no test-pattern device\n");
        return 1;
    }
    RunEventsFor(1); // settle
    std::printf("test pattern 640x480 at 25/s, picture scaled to 438x411, %g s each\n", seconds);
    MeasureLivePicture("live picture", seconds);

    // A recording of the same length, with the live picture running beside it.
    const int recordSeconds = std::min(30, static_cast<int>(seconds));
    form.VideoTime->setValue(recordSeconds);
    form.StartVideoBtn->click();
    MeasureLivePicture("live picture while recording at 15/s", recordSeconds - 0.5);
    RunEventsUntil([&] { return form.VideoLabel->text().startsWith("录像结束"); }, 30);
    std::printf("recording of %d s: %s\n", recordSeconds,
                form.VideoLabel->text().toStdString().c_str());

    // Interval pictures every 100 ms for 30 s, as JPEG.
    const double intervalSeconds = std::max(30.0, seconds);
    form.IntervalSpinEdit->setValue(100);
    form.SetTimeUnitIndex(0);
    const double cpu = CpuSeconds();
    const auto start = Clock::now();
    form.ContinuousPicBtn->click();
    RunEventsFor(intervalSeconds);
    form.StopContinuousPicBtn->click();
    const double wall = std::chrono::duration<double>(Clock::now() - start).count();
    int written = 0;
    for (int number = 0; number < form.PicCount(); ++number)
        written += std::filesystem::exists(folder / "pictures" /
                                           ("截图" + std::to_string(number) + ".jpg"));
    std::printf("interval pictures every 100 ms for %.1f s: %d taken (%d due), %d written, "
                "%.1f %% of a core\n",
                wall, form.PicCount(), static_cast<int>(wall * 10), written,
                100 * (CpuSeconds() - cpu) / wall);
    form.close();
    std::filesystem::remove_all(folder);
    return written == form.PicCount() ? 0 : 1;
}
