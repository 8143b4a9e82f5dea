// Drivers as they come and go: a device that vanishes while previewing or recording, no device
// at all, and the layer's requests to the capture window.
#include "CameraWindowFixture.h"

#include "AviCap.h"
#include "SaveNames.h"
#include "TCaptureWindow.h"
#include "VideoCap.h"

#include <QFrame>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include <filesystem>

namespace zorvic::test {
namespace {

namespace fs = std::filesystem;

// A test picture that ends after `seconds`, as a camera pulled out.
TDriverSource VanishingDevice(int seconds) {
    return {"Vanishing camera", TDriverSource::TKind::FilterGraph,
            "testsrc2=size=640x480:rate=25:duration=" + std::to_string(seconds) + ",realtime"};
}

// The reports the capture window gives, kept in order.
std::vector<std::pair<int, std::string>> reports;
bool KeepReport(TCaptureWindow*, int id, const char* text) {
    reports.emplace_back(id, text);
    return true;
}

int ReportsWithId(int id) {
    int count = 0;
    for (const auto& report : reports)
        count += report.first == id;
    return count;
}

class DevicesTest : public CameraWindowTest {
protected:
    DevicesTest() { reports.clear(); }
    // Reports go to the test from here on, besides the label.
    void ListenToReports() {
        SendMessageA(CapWindow(), WM_CAP_SET_CALLBACK_STATUSA, 0,
                     reinterpret_cast<std::intptr_t>(&KeepReport));
    }
};

TEST_F(DevicesTest, ADeviceThatVanishesEndsThePreviewAndIsReportedOnce) {
    UseDrivers({VanishingDevice(2)});
    ShowWindow();
    ListenToReports();
    ASSERT_TRUE(QTest::qWaitFor([] { return ReportsWithId(IDS_CAP_DEVICE_LOST) > 0; }, 10000));
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(ReportsWithId(IDS_CAP_DEVICE_LOST), 1);
    EXPECT_EQ(reports.back().second, "视频设备已断开：画面已结束");
    EXPECT_FALSE(CapWindow()->Previewing());
    EXPECT_FALSE(ShowsTestPattern(VideoAreaImage()));

    // Grabs and recordings find no picture, and say nothing.
    form->SaveSinglePicBtn->click();
    form->StartVideoBtn->click();
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(fs::is_empty(pictures));
    EXPECT_FALSE(fs::exists(folder.Path("Video.avi")));
}

TEST_F(DevicesTest, ADeviceThatVanishesWhileRecordingLeavesAWholeClipAndIsReportedOnce) {
    UseDrivers({VanishingDevice(3)});
    ShowWindow();
    ListenToReports();
    form->VideoTime->setValue(30);
    form->StartVideoBtn->click();
    ASSERT_TRUE(QTest::qWaitFor([] { return ReportsWithId(IDS_CAP_DEVICE_LOST) > 0; }, 15000));
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(ReportsWithId(IDS_CAP_DEVICE_LOST), 1);
    EXPECT_EQ(ReportsWithId(IDS_CAP_END), 0);
    const std::string& text = reports.back().second;
    EXPECT_EQ(text.rfind("视频设备已断开，录像已结束：共 ", 0), 0u) << text;
    const std::string clip = folder.Path("Video.avi");
    EXPECT_NE(text.find(clip), std::string::npos) << text;
    const int frames = HeaderFrameCount(clip);
    // However busy the machine was, what was recorded is kept.
    EXPECT_GE(frames, 1);
    EXPECT_LE(frames, 46);
    EXPECT_EQ(DecodedFrameCount(clip), frames);
    EXPECT_TRUE(FfmpegDecodesCleanly(clip));
}

TEST_F(DevicesTest, WithNoDeviceTheWindowStaysEmptyAndNothingFails) {
    UseDrivers({});
    ShowWindow(false);
    ASSERT_NE(CapWindow(), nullptr) << "the capture window exists, empty";
    EXPECT_EQ(CapWindow()->Device(), nullptr);
    EXPECT_FALSE(form->VideoSourceBtn->isEnabled());
    EXPECT_FALSE(form->VideoFormatBtn->isEnabled());
    EXPECT_FALSE(form->VideoDisplayBtn->isEnabled());
    const QImage empty = VideoAreaImage();
    EXPECT_EQ(empty.copy(0, 0, 1, 1).scaled(empty.size()), empty) << "nothing shown";

    form->SaveSinglePicBtn->click();
    form->IntervalSpinEdit->setValue(10);
    form->SetTimeUnitIndex(0);
    form->ContinuousPicBtn->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->PicCount() >= 2; }, 5000));
    form->StopContinuousPicBtn->click();
    form->StartVideoBtn->click();
    form->StopVideoBtn->click();
    form->VideoSourceBtn->click();
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(fs::is_empty(pictures));
    EXPECT_FALSE(fs::exists(folder.Path("Video.avi")));
    EXPECT_EQ(SaveCounter, 2);
}

TEST_F(DevicesTest, TheFirstDriverThereIsIsConnectedAndTheLayerSetsItsRecordingParameters) {
    UseDrivers({{}, {}, {}, TestPatternDriver(), {}, TestPatternDriver()});
    ShowWindow();
    TCapDriverCaps caps;
    ASSERT_TRUE(SendMessageA(CapWindow(), WM_CAP_DRIVER_GET_CAPS, sizeof caps,
                             reinterpret_cast<std::intptr_t>(&caps)));
    EXPECT_EQ(caps.wDeviceIndex, 3u);
    EXPECT_FALSE(SendMessageA(CapWindow(), WM_CAP_DRIVER_GET_CAPS, sizeof caps - 4,
                              reinterpret_cast<std::intptr_t>(&caps)));
    TCaptureParms parms;
    parms.dwRequestMicroSecPerFrame = 1;
    ASSERT_TRUE(SendMessageA(CapWindow(), WM_CAP_GET_SEQUENCE_SETUP, sizeof parms,
                             reinterpret_cast<std::intptr_t>(&parms)));
    EXPECT_EQ(parms.dwRequestMicroSecPerFrame, 66667u);
    EXPECT_TRUE(parms.fYield);
    EXPECT_FALSE(parms.fCaptureAudio);
    EXPECT_EQ(parms.vKeyAbort, VK_ESCAPE);
    EXPECT_FALSE(parms.fAbortLeftMouse);
    EXPECT_FALSE(parms.fAbortRightMouse);
    EXPECT_FALSE(parms.fLimitEnabled);
    EXPECT_FALSE(parms.fMCIControl);
}

TEST_F(DevicesTest, WithoutACaptureWindowEveryOperationDoesNothingAndTheDialogsCount) {
    CapRelease();
    CapRelease();
    EXPECT_EQ(CapWindow(), nullptr);
    CapStartPreview();
    CapGrabToFile();
    CapStartRecording();
    CapStopRecording();
    CapSourceDialog();
    EXPECT_TRUE(CapHasSourceDialog());
    EXPECT_TRUE(CapHasFormatDialog());
    EXPECT_TRUE(CapHasDisplayDialog());
    CapSetParent(nullptr);
    EXPECT_FALSE(CapConnect());
    EXPECT_EQ(CapWindow(), nullptr);
}

TEST_F(DevicesTest, AGrabWritesARealBmpOfTheDevicesPicture) {
    ShowWindow();
    const std::string bmp = folder.Path("grab.bmp");
    CapSetImageFileName(bmp);
    CapGrabToFile();
    EXPECT_FALSE(CapWindow()->Previewing()) << "a grab stops the live picture";
    EXPECT_EQ(Identify("%m %w %h %z", bmp), "BMP3 640 480 8");
    const QImage grabbed(QString::fromStdString(bmp));
    EXPECT_TRUE(ShowsTestPattern(grabbed.scaled(438, 411)));
    CapRestartPreview();
    EXPECT_TRUE(CapWindow()->Previewing());
}

} // namespace
} // namespace zorvic::test
