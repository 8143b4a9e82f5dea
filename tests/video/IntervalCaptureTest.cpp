// The interval capture's arithmetic and names: the units, the 32-bit overflow, the picture names
// of a run and the statistics block.
#include "IntervalCapture.h"
#include "Errors.h"
#include "FormatsTestSupport.h"
#include "SaveNames.h"

#include <gtest/gtest.h>

#include <climits>

namespace zorvic {
namespace {

enum Unit { Millisecond, Second, Minute, Hour, Day };

TEST(IntervalMilliseconds, TheLargestValueOfEachUnitFitsAndOneMoreOverflows) {
    struct TCase {
        Unit unit;
        int largest;
        int milliseconds;
    };
    const TCase cases[] = {{Millisecond, INT_MAX, INT_MAX},
                           {Second, 2147483, 2147483000},
                           {Minute, 35791, 2147460000},
                           {Hour, 596, 2145600000},
                           {Day, 24, 2073600000}};
    for (const TCase& c : cases) {
        EXPECT_EQ(IntervalMilliseconds(c.largest, c.unit), c.milliseconds) << c.unit;
        if (c.largest < INT_MAX) {
            EXPECT_THROW(IntervalMilliseconds(c.largest + 1, c.unit), EZorvicError) << c.unit;
        }
    }
}

TEST(IntervalMilliseconds, TwentyFiveDaysRaiseTheOverflowError) {
    try {
        IntervalMilliseconds(25, Day);
        FAIL() << "no error";
    } catch (const EZorvicError& error) {
        EXPECT_STREQ(error.what(), "Integer overflow");
    }
}

TEST(IntervalMilliseconds, ZeroAndNegativeValuesMultiplyAsTheyAre) {
    EXPECT_EQ(IntervalMilliseconds(0, Day), 0);
    EXPECT_EQ(IntervalMilliseconds(-3, Second), -3000);
    EXPECT_THROW(IntervalMilliseconds(-25, Day), EZorvicError);
}

TEST(IntervalStatistics, CountAverageAndTimeRunTogetherBetweenRules) {
    const std::vector<std::string> expected = {"-------------------", "输出图片4张",
                                               "平均每张耗时3086", "图像采集时间12345毫秒",
                                               "-------------------"};
    EXPECT_EQ(IntervalStatistics(4, 12345), expected);
}

TEST(IntervalStatistics, NoPictureGivesAnAverageOfZero) {
    EXPECT_EQ(IntervalStatistics(0, 900)[2], "平均每张耗时0");
}

class IntervalPicturePathTest : public ::testing::Test {
protected:
    TSaveSettings Settings(int format) {
        TSaveSettings settings;
        settings.SaveDirectory = folder.Path("");
        settings.SaveDirectory.pop_back();
        settings.FormatIndex = format;
        return settings;
    }
    test::TTempDir folder;
};

TEST_F(IntervalPicturePathTest, ARunCountsFromZeroInBmpNames) {
    const TSaveSettings settings = Settings(1);
    int next = 0;
    EXPECT_EQ(IntervalPicturePath(settings, next), folder.Path("截图0.bmp"));
    EXPECT_EQ(IntervalPicturePath(settings, next), folder.Path("截图1.bmp"));
    EXPECT_EQ(next, 2);
}

TEST_F(IntervalPicturePathTest, NumbersWhosePictureExistsInEitherFormIsPassedOver) {
    test::WriteText(folder.Path("截图0.jpg"), "earlier run");
    test::WriteText(folder.Path("截图1.bmp"), "earlier run, not converted");
    test::WriteText(folder.Path("截图2.gif"), "another format");
    int next = 0;
    EXPECT_EQ(IntervalPicturePath(Settings(1), next), folder.Path("截图2.bmp"));
    EXPECT_EQ(IntervalPicturePath(Settings(1), next), folder.Path("截图3.bmp"));
}

TEST_F(IntervalPicturePathTest, TimeNamesAreTheEditorsWithABmpExtensionAndNeverOverwrite) {
    TSaveSettings settings = Settings(2);
    settings.NameByTime = true;
    int next = 0;
    const QDateTime when(QDate(2008, 10, 1), QTime(10, 10, 10));
    EXPECT_EQ(IntervalPicturePath(settings, next, when), folder.Path("2008-10-01_10-10-10.bmp"));
    EXPECT_EQ(next, 0);
    // Several pictures a second: the one converted already and the one not yet converted both
    // keep their names.
    test::WriteText(folder.Path("2008-10-01_10-10-10.gif"), "converted");
    test::WriteText(folder.Path("2008-10-01_10-10-10_2.bmp"), "not converted yet");
    EXPECT_EQ(IntervalPicturePath(settings, next, when), folder.Path("2008-10-01_10-10-10_3.bmp"));
}

TEST(WithExtension, ReplacesFromTheLastDotOfTheFileName) {
    EXPECT_EQ(WithExtension("/a/截图0.bmp", ".jpg"), "/a/截图0.jpg");
    EXPECT_EQ(WithExtension("/a.b/name", ".gif"), "/a.b/name.gif");
    EXPECT_EQ(WithExtension("/a/1.10.2008_10-10-10.bmp", ".tif"), "/a/1.10.2008_10-10-10.tif");
}

} // namespace
} // namespace zorvic
