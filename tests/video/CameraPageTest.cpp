// The camera window as a user meets it: its controls, the live picture on every activation, the
// single picture and the driver dialogs.
#include "CameraWindowFixture.h"

#include "FormatConversion.h"
#include "SaveNames.h"
#include "TCaptureWindow.h"
#include "VideoCap.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <filesystem>

namespace zorvic::test {
namespace {

namespace fs = std::filesystem;

TEST_F(CameraWindowTest, TheWindowHasItsControlsCaptionsAndDefaults) {
    EXPECT_EQ(form->windowTitle(), "摄像头捕捉");
    EXPECT_EQ(form->size(), QSize(711, 415));
    EXPECT_EQ(form->OuterPanel->geometry(), QRect(0, 0, 442, 415));
    EXPECT_EQ(form->VideoArea->geometry(), QRect(2, 2, 438, 411));
    EXPECT_EQ(form->OperationPanel->geometry(), QRect(442, 0, 269, 415));
    // The status label sits under the panel, which hides it.
    EXPECT_EQ(form->VideoLabel->pos(), QPoint(16, 344));
    EXPECT_NE(form->childAt(20, 348), form->VideoLabel);

    const std::pair<QAbstractButton*, const char*> captions[] = {
        {form->SaveSinglePicBtn, "保存单个图像"},
        {form->StartVideoBtn, "开始录像"},
        {form->StopVideoBtn, "停止录像"},
        {form->ContinuousPicBtn, "采集图片"},
        {form->StopContinuousPicBtn, "停止采集"},
        {form->VideoDisplayBtn, "视频显示器"},
        {form->VideoFormatBtn, "视频格式"},
        {form->VideoSourceBtn, "视频资源"},
        {form->CameraRadioBtn, "捕捉摄像头"},
        {form->VideoRadioBtn, "捕捉视频"},
        {form->StoreVideoFrameBBtn, "保存单个图像"},
        {form->StartDspBtn, "开始"},
        {form->StopDspBtn, "停止"},
        {form->LoopCBox, "循环播放"}};
    for (const auto& [button, caption] : captions)
        EXPECT_EQ(button->text(), QString::fromUtf8(caption)) << caption;

    EXPECT_TRUE(form->StartVideoBtn->isEnabled());
    EXPECT_TRUE(form->StopVideoBtn->isEnabled());
    EXPECT_TRUE(form->ContinuousPicBtn->isEnabled());
    EXPECT_FALSE(form->StopContinuousPicBtn->isEnabled());
    EXPECT_EQ(form->VideoTime->value(), 3);
    EXPECT_EQ(form->VideoTime->minimum(), 0);
    EXPECT_EQ(form->VideoTime->maximum(), 30);
    EXPECT_EQ(form->IntervalSpinEdit->value(), 3);
    EXPECT_EQ(form->TimeRadio->title(), "单位");
    EXPECT_EQ(form->TimeUnitIndex(), 1);
    QStringList units;
    for (QRadioButton* unit : form->TimeRadio->findChildren<QRadioButton*>())
        units << unit->text();
    EXPECT_EQ(units, QStringList({"毫秒", "秒", "分", "时", "天"}));
    EXPECT_FALSE(form->LoopCBox->isChecked());
    EXPECT_FALSE(form->ImageTimer->isActive());

    // Only the camera page can be reached.
    EXPECT_FALSE(form->CameraRadioBtn->isVisibleTo(form.get()));
    EXPECT_FALSE(form->VideoRadioBtn->isVisibleTo(form.get()));
    EXPECT_FALSE(form->sPageVideo->tabBar()->isVisibleTo(form.get()));
    EXPECT_EQ(form->sPageVideo->currentWidget(), form->sTabCamera);
}

TEST_F(CameraWindowTest, ShowingTheWindowStartsTheLivePictureOfTheTestPattern) {
    ShowWindow();
    ASSERT_NE(CapWindow(), nullptr);
    EXPECT_TRUE(CapWindow()->Previewing());
    EXPECT_EQ(CapWindow()->parentWidget(), form->VideoArea);
    EXPECT_EQ(CapWindow()->geometry(), QRect(0, 0, 438, 411));
    EXPECT_EQ(DriverName(), "Test pattern");
    EXPECT_EQ(FrameLimit(), 45);
    EXPECT_EQ(StatusText(), "实时预览：Test pattern 640x480");
    // The test pattern has nothing to set; what it shows can be told.
    EXPECT_FALSE(form->VideoSourceBtn->isEnabled());
    EXPECT_FALSE(form->VideoFormatBtn->isEnabled());
    EXPECT_TRUE(form->VideoDisplayBtn->isEnabled());

    EXPECT_TRUE(QTest::qWaitFor([&] { return ShowsTestPattern(VideoAreaOnScreen()); }, 5000))
        << "on the screen, too";
    // The picture moves: it is live, not one frame.
    const QImage first = VideoAreaImage();
    EXPECT_TRUE(QTest::qWaitFor([&] { return VideoAreaImage() != first; }, 5000));
}

TEST_F(CameraWindowTest, EveryActivationConnectsAnewInPlaceOfTheCaptureWindowBefore) {
    ShowWindow();
    const QPointer<TCaptureWindow> before = CapWindow();
    ASSERT_TRUE(LeaveAndComeBack());
    EXPECT_TRUE(before.isNull()) << "the capture window before is released";
    EXPECT_NE(CapWindow(), nullptr);
    EXPECT_EQ(form->VideoArea->findChildren<TCaptureWindow*>().size(), 1);
    EXPECT_TRUE(CapWindow()->Previewing());
}

TEST_F(CameraWindowTest, ASinglePictureIsNamedByTheEditorsRuleAndConvertedInEachFormat) {
    ShowWindow();
    SaveCounter = 7;
    const std::pair<int, const char*> formats[] = {{0, "BMP3 640 480"},
                                                   {1, "JPEG 640 480"},
                                                   {2, "GIF 640 480"},
                                                   {3, "TIFF 640 480"},
                                                   {4, "PNG 640 480"}};
    int number = 7;
    for (const auto& [format, identified] : formats) {
        host.Settings.FormatIndex = format;
        QTest::mouseClick(form->SaveSinglePicBtn, Qt::LeftButton);
        const std::string name = "截图" + std::to_string(number++);
        const std::string file = Picture(name + ExtensionOfFormat(format));
        EXPECT_EQ(ImageFileName(), Picture(name + ".bmp")) << "grabbed as BMP first";
        EXPECT_EQ(Identify("%m %w %h", file), identified) << file;
        if (format != 0) {
            EXPECT_FALSE(fs::exists(Picture(name + ".bmp"))) << name;
        }
        EXPECT_TRUE(CapWindow()->Previewing()) << "the live picture comes back after a grab";
    }
    EXPECT_EQ(SaveCounter, 12);
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(MemoLines().empty());
}

TEST_F(CameraWindowTest, ASinglePictureByTimeIsNamedAfterTheMoment) {
    ShowWindow();
    host.Settings.NameByTime = true;
    const QDateTime before = QDateTime::currentDateTime();
    form->SaveSinglePicBtn->click();
    const QDateTime after = QDateTime::currentDateTime();
    const bool named = fs::exists(Picture(TimeStampName(before) + ".jpg")) ||
                       fs::exists(Picture(TimeStampName(after) + ".jpg"));
    EXPECT_TRUE(named);
    EXPECT_EQ(SaveCounter, 2) << "the counter goes up in both naming modes";
}

TEST_F(CameraWindowTest, ASaveFolderThatCannotBeWrittenGivesOneMessageAndThePictureGoesOn) {
    ShowWindow();
    host.Settings.SaveDirectory = folder.Path("missing/deeper");
    form->SaveSinglePicBtn->click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "Cannot create file \"" + folder.Path("missing/deeper/截图1.bmp") +
                               "\". No such file or directory");
    EXPECT_TRUE(CapWindow()->Previewing());
}

TEST_F(CameraWindowTest, TheDisplayDialogTellsWhatTheTestPatternSendsAndHowItIsShown) {
    ShowWindow();
    QStringList shown;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        for (QLabel* label : dialog->findChildren<QLabel*>())
            shown << label->text();
        dialog->reject();
    });
    form->VideoDisplayBtn->click();
    for (const char* expected : {"Test pattern", "yuv420p", "640x480", "25 帧/秒", "每 40 毫秒一帧",
                                 "缩放到窗口 438x411", "正常"})
        EXPECT_TRUE(shown.contains(QString::fromUtf8(expected))) << expected;
}

} // namespace
} // namespace zorvic::test
