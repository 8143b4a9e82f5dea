// Recording in the camera window: Video.avi in the current directory, read back by FFmpeg's own
// tools; the red panel, the frame limit and the other ways a recording ends.
#include "CameraWindowFixture.h"

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

class RecordingTest : public CameraWindowTest {
protected:
    bool PanelIsRed() const {
        return form->OuterPanel->palette().color(QPalette::Window) == QColor(Qt::red);
    }
    bool Recording() const { return !form->StartVideoBtn->isEnabled(); }
    void StartRecording(int seconds) {
        form->VideoTime->setValue(seconds);
        QTest::mouseClick(form->StartVideoBtn, Qt::LeftButton);
    }
    // Waits for a status text that begins with `start`.
    bool StatusBecomes(const std::string& start) {
        return QTest::qWaitFor([&] { return StatusText().rfind(start, 0) == 0; }, 15000);
    }
    // Waits until the recording has written at least `frames` frames.
    bool FramesWritten(int frames) {
        return QTest::qWaitFor(
            [&] {
                const std::optional<int> count = StatusFrameCount(StatusText());
                return StatusText().rfind("正在录像", 0) == 0 && count && *count >= frames;
            },
            15000);
    }
    // A clip FFmpeg reads whole: as many frames decoded as its header says.
    void ExpectWholeClip(int frames) {
        const std::string clip = folder.Path("Video.avi");
        EXPECT_GT(frames, 0);
        EXPECT_EQ(VideoStreamSummary(clip), "mjpeg 640 480 15/1");
        EXPECT_EQ(HeaderFrameCount(clip), frames);
        EXPECT_EQ(DecodedFrameCount(clip), frames);
        EXPECT_TRUE(FfmpegDecodesCleanly(clip));
    }
};

TEST_F(RecordingTest, ARecordingOfOneSecondStopsItselfAtFifteenFramesAndPlaysElsewhere) {
    ShowWindow();
    StartRecording(1);
    EXPECT_TRUE(PanelIsRed());
    EXPECT_TRUE(form->StopVideoBtn->isEnabled());
    EXPECT_FALSE(form->StartVideoBtn->isEnabled());
    EXPECT_EQ(FrameLimit(), 15);

    // RecordingStopped puts the window back.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Recording(); }, 15000));
    EXPECT_FALSE(PanelIsRed());
    EXPECT_FALSE(form->StopVideoBtn->isEnabled());
    ASSERT_TRUE(StatusBecomes("录像结束"));
    EXPECT_EQ(StatusText().rfind("录像结束：共 15 帧", 0), 0u) << StatusText();
    ExpectWholeClip(15);
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(CapWindow()->Previewing());
}

TEST_F(RecordingTest, TheStopButtonEndsARecordingWithAWholeClip) {
    ShowWindow();
    StartRecording(30);
    ASSERT_TRUE(FramesWritten(4));
    QTest::mouseClick(form->StopVideoBtn, Qt::LeftButton);
    EXPECT_FALSE(PanelIsRed());
    EXPECT_TRUE(form->StartVideoBtn->isEnabled());
    const int frames = HeaderFrameCount(folder.Path("Video.avi"));
    EXPECT_GE(frames, 4);
    EXPECT_LT(frames, 450);
    ExpectWholeClip(frames);
}

TEST_F(RecordingTest, EscEndsARecording) {
    ShowWindow();
    StartRecording(30);
    ASSERT_TRUE(FramesWritten(2));
    QTest::keyClick(form.get(), Qt::Key_Escape);
    ASSERT_TRUE(StatusBecomes("录像结束"));
    ExpectWholeClip(HeaderFrameCount(folder.Path("Video.avi")));
}

TEST_F(RecordingTest, ALimitOfZeroStopsAtTheFirstFrame) {
    ShowWindow();
    StartRecording(0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Recording(); }, 15000));
    ASSERT_TRUE(StatusBecomes("录像结束"));
    ExpectWholeClip(1);
}

TEST_F(RecordingTest, ARecordingOverwritesTheClipUnderEitherSpelling) {
    WriteText(folder.Path("VIDEO.AVI"), "an older clip");
    ShowWindow();
    StartRecording(0);
    ASSERT_TRUE(StatusBecomes("录像结束"));
    EXPECT_FALSE(fs::exists(folder.Path("Video.avi")));
    EXPECT_EQ(DecodedFrameCount(folder.Path("VIDEO.AVI")), 1);
}

TEST_F(RecordingTest, ACurrentDirectoryThatCannotBeWrittenGivesOneMessage) {
    TTempDir gone;
    TCurrentDirectory inside(gone.Path(""));
    fs::remove(gone.Path(""));
    ShowWindow();
    StartRecording(1);
    EXPECT_EQ(messages, std::vector<std::string>{
                            "Cannot create file \"Video.avi\". No such file or directory"});
    EXPECT_FALSE(Recording());
    EXPECT_FALSE(PanelIsRed());
}

TEST_F(RecordingTest, AClipThatCannotBeWrittenIsNamedInTheMessage) {
    fs::create_directory(folder.Path("Video.avi"));
    ShowWindow();
    StartRecording(1);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].rfind("Cannot create file \"" + folder.Path("Video.avi") + "\". ", 0), 0u)
        << messages[0];
    EXPECT_FALSE(Recording());
}

TEST_F(RecordingTest, LeavingTheWindowAndComingBackDuringARecordingKeepsRecording) {
    ShowWindow();
    StartRecording(30);
    ASSERT_TRUE(FramesWritten(3));
    const TCaptureWindow* recorder = CapWindow();
    ASSERT_TRUE(LeaveAndComeBack());
    EXPECT_EQ(CapWindow(), recorder);
    EXPECT_TRUE(PanelIsRed());
    const int before = *StatusFrameCount(StatusText());
    ASSERT_TRUE(FramesWritten(before + 3)) << "the clip goes on after the window is back";
    QTest::mouseClick(form->StopVideoBtn, Qt::LeftButton);
    ASSERT_TRUE(StatusBecomes("录像结束"));
    ExpectWholeClip(HeaderFrameCount(folder.Path("Video.avi")));
}

TEST_F(RecordingTest, ClosingTheWindowDuringARecordingFinishesTheClip) {
    ShowWindow();
    StartRecording(30);
    ASSERT_TRUE(FramesWritten(3));
    form->close();
    EXPECT_FALSE(PanelIsRed());
    EXPECT_TRUE(form->StartVideoBtn->isEnabled());
    ExpectWholeClip(HeaderFrameCount(folder.Path("Video.avi")));
}

} // namespace
} // namespace zorvic::test
