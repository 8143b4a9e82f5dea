// The hidden player page, reached through its handlers: the recorded clip played back, followed
// on the track bar, looped, and single frames saved from it.
#include "CameraWindowFixture.h"

#include "TCaptureWindow.h"
#include "TVideoPlayer.h"
#include "VideoCap.h"
#include "VideoMci.h"

#include <QCheckBox>
#include <QFrame>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

#include <filesystem>

namespace zorvic::test {
namespace {

namespace fs = std::filesystem;

class PlayerPageTest : public CameraWindowTest {
protected:
    // A clip of ten frames where the camera would have recorded it, then the page selected.
    void OpenPlayer(int frames = 10) {
        MakeAvi(folder.Path("Video.avi"), frames);
        ShowWindow();
        form->VideoRadioBtnClick();
    }
    bool Playing() const { return form->StopDspBtn->isEnabled(); }
    TVideoPlayer* Player() const { return form->VideoArea->findChild<TVideoPlayer*>(); }
    // The frame ffmpeg decodes at `index`, against the saved Image2.bmp: mean difference.
    double DifferenceFromFrame(int index) {
        const std::string reference = folder.Path("frame.bmp");
        FfmpegFrameToFile(folder.Path("Video.avi"), index, reference);
        return MeanAbsoluteError(folder.Path("Image2.bmp"), reference);
    }
};

TEST_F(PlayerPageTest, TheRecordedClipOpensUnderEitherSpellingWithItsLengthOnTheTrackBar) {
    OpenPlayer();
    EXPECT_EQ(form->sPageVideo->currentWidget(), form->sTabVideo);
    EXPECT_EQ(CapWindow(), nullptr) << "the live picture goes away";
    EXPECT_EQ(MciFileName(), "VIDEO.AVI");
    EXPECT_TRUE(MciOpened());
    EXPECT_EQ(AviFrameCount(), 10);
    EXPECT_EQ(form->VideoTBar->minimum(), 0);
    EXPECT_EQ(form->VideoTBar->maximum(), 9);
    EXPECT_EQ(form->VideoTBar->value(), 0);
    EXPECT_TRUE(form->VideoTBar->isEnabled());
    EXPECT_TRUE(form->StoreVideoFrameBBtn->isEnabled());
    ASSERT_NE(Player(), nullptr);
    EXPECT_EQ(Player()->geometry(), QRect(-3, -3, 438, 411));
    // The clip's first frame, on the screen: FFmpeg's test picture begins with a white bar.
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            const QRgb pixel = VideoAreaOnScreen().pixel(20, 200);
            return qRed(pixel) > 180 && qGreen(pixel) > 180 && qBlue(pixel) > 180;
        },
        10000));
}

TEST_F(PlayerPageTest, TheTrackBarSeeksTheVideo) {
    OpenPlayer();
    form->VideoTBar->setValue(6);
    EXPECT_EQ(MciPosition(), 6);
    form->VideoTBar->setValue(2);
    EXPECT_EQ(MciPosition(), 2);
}

TEST_F(PlayerPageTest, PlayingRunsToTheEndAndPutsTheTrackBarBackToTheStart) {
    OpenPlayer();
    form->VideoTBar->setValue(5);
    form->StartDspBtn->click();
    EXPECT_TRUE(Playing());
    EXPECT_FALSE(form->StartDspBtn->isEnabled());
    EXPECT_FALSE(form->VideoTBar->isEnabled());
    EXPECT_FALSE(form->StoreVideoFrameBBtn->isEnabled());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Playing(); }, 10000));
    EXPECT_TRUE(form->StartDspBtn->isEnabled());
    EXPECT_TRUE(form->VideoTBar->isEnabled());
    EXPECT_EQ(form->VideoTBar->value(), 0);
}

TEST_F(PlayerPageTest, WithLoopTickedPlayingStartsAgainUntilStopped) {
    OpenPlayer(4);
    form->LoopCBox->setChecked(true);
    form->StartDspBtn->click();
    int highest = 0;
    bool wrapped = false;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            const int position = MciPosition();
            wrapped |= position < highest;
            highest = std::max(highest, position);
            return wrapped;
        },
        10000));
    EXPECT_TRUE(Playing());
    form->StopDspBtn->click();
    EXPECT_FALSE(form->LoopCBox->isChecked());
    QCoreApplication::sendPostedEvents();
    EXPECT_FALSE(Playing()) << "the stop's own notification does not start it again";
    EXPECT_FALSE(Player()->Playing());
    EXPECT_EQ(form->VideoTBar->value(), MciPosition());
}

TEST_F(PlayerPageTest, SavingAFrameWritesItAsImage2BmpEachTimeAnew) {
    OpenPlayer();
    form->VideoTBar->setValue(6);
    form->StoreVideoFrameBBtn->click();
    EXPECT_EQ(Identify("%m %w %h", folder.Path("Image2.bmp")), "BMP3 320 240");
    EXPECT_LT(DifferenceFromFrame(6), 0.02);
    form->VideoTBar->setValue(1);
    form->StoreVideoFrameBBtn->click();
    EXPECT_LT(DifferenceFromFrame(1), 0.02);
    EXPECT_GT(DifferenceFromFrame(6), DifferenceFromFrame(1));
    EXPECT_TRUE(messages.empty());
}

TEST_F(PlayerPageTest, AClipThatIsCutShortOrHasNoVideoHasNoFrames) {
    MakeAvi(folder.Path("whole.avi"), 10);
    CopyTruncated(folder.Path("whole.avi"), folder.Path("Video.avi"), 5000);
    MakeSoundOnlyAvi(folder.Path("sound.avi"));
    ShowWindow();
    for (const char* source : {"", "sound.avi", "missing"}) {
        if (*source) {
            fs::remove(folder.Path("Video.avi"));
            if (fs::exists(folder.Path(source)))
                fs::copy_file(folder.Path(source), folder.Path("Video.avi"));
        }
        form->VideoRadioBtnClick();
        EXPECT_EQ(AviFrameCount(), -1) << source;
        EXPECT_FALSE(form->VideoTBar->isEnabled()) << source;
        EXPECT_FALSE(form->StoreVideoFrameBBtn->isEnabled()) << source;
        EXPECT_FALSE(MciOpened()) << source;
        form->StartDspBtnClick();
        form->StopDspBtnClick();
        form->StoreVideoFrameBBtnClick();
        EXPECT_FALSE(fs::exists(folder.Path("Image2.bmp"))) << source;
        form->CameraRadioBtnClick();
    }
    EXPECT_TRUE(messages.empty());

    // A whole clip afterwards has its frames again.
    fs::copy_file(folder.Path("whole.avi"), folder.Path("Video.avi"));
    form->VideoRadioBtnClick();
    EXPECT_TRUE(form->VideoTBar->isEnabled());
    EXPECT_TRUE(form->StoreVideoFrameBBtn->isEnabled());
    EXPECT_EQ(form->VideoTBar->maximum(), 9);
}

TEST_F(PlayerPageTest, AFrameThatCannotBeSavedGivesOneMessage) {
    OpenPlayer();
    const std::string target = folder.Path("Image2.bmp");
    fs::create_directory(target);
    form->StoreVideoFrameBBtn->click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find(target), std::string::npos) << messages[0];
}

TEST_F(PlayerPageTest, TheClipTheCameraRecordsIsThePlayersVideo) {
    ShowWindow();
    form->VideoTime->setValue(1);
    form->StartVideoBtn->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->StartVideoBtn->isEnabled(); }, 15000));
    form->VideoRadioBtnClick();
    EXPECT_EQ(form->VideoTBar->maximum(), 14);
    form->CameraRadioBtnClick();
    EXPECT_EQ(Player(), nullptr) << "leaving the page closes the player";
    EXPECT_EQ(form->sPageVideo->currentWidget(), form->sTabCamera);
    ASSERT_NE(CapWindow(), nullptr);
    EXPECT_TRUE(QTest::qWaitFor([&] { return ShowsTestPattern(VideoAreaOnScreen()); }, 10000))
        << "the live picture is on the screen again";
}

} // namespace
} // namespace zorvic::test
