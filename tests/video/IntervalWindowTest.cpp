// Interval capture in the camera window: pictures every interval with their memo lines, the
// statistics block, and runs that leave earlier pictures alone.
#include "CameraWindowFixture.h"

#include "SaveNames.h"
#include "TCaptureWindow.h"
#include "VideoCap.h"

#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include <filesystem>

namespace zorvic::test {
namespace {

namespace fs = std::filesystem;
enum Unit { Millisecond = 0, Day = 4 };

class IntervalWindowTest : public CameraWindowTest {
protected:
    void StartRun(int value, int unit) {
        form->IntervalSpinEdit->setValue(value);
        form->SetTimeUnitIndex(unit);
        QTest::mouseClick(form->ContinuousPicBtn, Qt::LeftButton);
    }
    // Waits for the run to hold `pictures` pictures and stops it there.
    void StopAfter(int pictures) {
        ASSERT_TRUE(QTest::qWaitFor([&] { return form->PicCount() >= pictures; }, 10000));
        QTest::mouseClick(form->StopContinuousPicBtn, Qt::LeftButton);
        ASSERT_EQ(form->PicCount(), pictures);
    }
    // The number of a statistics line such as "图像采集时间1213毫秒".
    static long NumberIn(const std::string& line, const std::string& before) {
        EXPECT_EQ(line.rfind(before, 0), 0u) << line;
        return std::stol(line.substr(before.size()));
    }
};

TEST_F(IntervalWindowTest, ARunTakesAPictureEveryIntervalAndEndsWithItsStatistics) {
    ShowWindow();
    StartRun(100, Millisecond);
    EXPECT_TRUE(form->StopContinuousPicBtn->isEnabled());
    EXPECT_EQ(form->ImageTimer->interval(), 100);
    StopAfter(3);
    EXPECT_FALSE(form->ImageTimer->isActive());

    const std::vector<std::string> lines = MemoLines();
    ASSERT_EQ(lines.size(), 8u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(lines[i], Picture("截图" + std::to_string(i) + ".bmp"));
        EXPECT_EQ(Identify("%m %w %h", Picture("截图" + std::to_string(i) + ".jpg")),
                  "JPEG 640 480");
        EXPECT_FALSE(fs::exists(lines[i])) << "the BMP gives way to the JPEG";
    }
    EXPECT_EQ(lines[3], "-------------------");
    EXPECT_EQ(lines[4], "输出图片3张");
    const long elapsed = NumberIn(lines[6], "图像采集时间");
    EXPECT_EQ(lines[6], "图像采集时间" + std::to_string(elapsed) + "毫秒");
    // Three intervals, less the moment between starting the timer and reading the clock.
    EXPECT_GE(elapsed, 295);
    EXPECT_EQ(NumberIn(lines[5], "平均每张耗时"), elapsed / 3);
    EXPECT_EQ(lines[7], "-------------------");
    EXPECT_EQ(SaveCounter, 1) << "the editor's numbering is not touched";
}

TEST_F(IntervalWindowTest, ASecondRunKeepsTheFirstRunsPictures) {
    ShowWindow();
    host.Settings.FormatIndex = 0;
    StartRun(100, Millisecond);
    StopAfter(2);
    const std::vector<std::uint8_t> first = ReadBytes(Picture("截图0.bmp"));
    StartRun(100, Millisecond);
    StopAfter(2);
    EXPECT_EQ(ReadBytes(Picture("截图0.bmp")), first);
    for (const char* name : {"截图0.bmp", "截图1.bmp", "截图2.bmp", "截图3.bmp"})
        EXPECT_EQ(Identify("%m %w %h", Picture(name)), "BMP3 640 480") << name;
    const std::vector<std::string> lines = MemoLines();
    ASSERT_EQ(lines.size(), 14u);
    EXPECT_EQ(lines[7], Picture("截图2.bmp"));
    EXPECT_EQ(lines[8], Picture("截图3.bmp"));
}

TEST_F(IntervalWindowTest, StoppingBeforeTheFirstPictureShowsAnAverageOfZeroAsOftenAsPressed) {
    ShowWindow();
    StartRun(1, Day);
    form->StopContinuousPicBtn->click();
    form->StopContinuousPicBtn->click();
    const std::vector<std::string> lines = MemoLines();
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[1], "输出图片0张");
    EXPECT_EQ(lines[2], "平均每张耗时0");
    EXPECT_EQ(lines[6], "输出图片0张");
    EXPECT_TRUE(form->StopContinuousPicBtn->isEnabled());
}

TEST_F(IntervalWindowTest, TwentyFiveDaysRaiseTheOverflowErrorAndNothingStarts) {
    ShowWindow();
    StartRun(25, Day);
    EXPECT_EQ(messages, std::vector<std::string>{"Integer overflow"});
    EXPECT_FALSE(form->ImageTimer->isActive());
    EXPECT_FALSE(form->StopContinuousPicBtn->isEnabled());

    StartRun(24, Day);
    EXPECT_TRUE(form->ImageTimer->isActive());
    EXPECT_EQ(form->ImageTimer->interval(), 2073600000);
    EXPECT_EQ(messages.size(), 1u);
}

TEST_F(IntervalWindowTest, AnIntervalOfZeroOrBelowTakesNoPictures) {
    ShowWindow();
    for (int value : {0, -5}) {
        StartRun(value, Millisecond);
        EXPECT_FALSE(form->ImageTimer->isActive()) << value;
        form->StopContinuousPicBtn->click();
    }
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(MemoLines()[1], "输出图片0张");
}

TEST_F(IntervalWindowTest, ClosingTheWindowStopsTheRun) {
    ShowWindow();
    bool closed = false;
    QObject::connect(form.get(), &TVideoForm::Closed, [&] { closed = true; });
    StartRun(100, Millisecond);
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->PicCount() >= 1; }, 10000));
    form->close();
    EXPECT_TRUE(closed);
    EXPECT_FALSE(form->ImageTimer->isActive());
    EXPECT_EQ(CapWindow(), nullptr);
}

TEST_F(IntervalWindowTest, APictureThatCannotBeWrittenEndsTheRunWithOneMessage) {
    ShowWindow();
    host.Settings.SaveDirectory = folder.Path("missing");
    StartRun(50, Millisecond);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !messages.empty(); }, 10000));
    EXPECT_FALSE(form->ImageTimer->isActive());
    EXPECT_EQ(messages,
              std::vector<std::string>{"Cannot create file \"" + folder.Path("missing/截图0.bmp") +
                                       "\". No such file or directory"});
    EXPECT_TRUE(MemoLines().empty());
    EXPECT_TRUE(CapWindow()->Previewing());
}

} // namespace
} // namespace zorvic::test
