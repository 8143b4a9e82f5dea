#include "Adjustments.h"

#include "TestPictures.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace zorvic {
namespace {

using testing::FirstDifference;
using testing::ProgressLog;
using testing::RandomPicture;
using testing::Uniform;

TColor OnePixel(TBitmap bmp) {
    return bmp.GetPixel(0, 0);
}

struct ChannelCase {
    TColor before;
    int dr, dg, db;
    TColor after;
};

TEST(AdjustRGB, AddsEachDeltaToItsOwnChannelAndClamps) {
    const ChannelCase cases[] = {
        {MakeColor(250, 10, 100), 10, -20, 5, MakeColor(255, 0, 105)},
        {MakeColor(0, 255, 128), -128, 127, 0, MakeColor(0, 255, 128)},
        {MakeColor(1, 2, 3), 0, 0, 0, MakeColor(1, 2, 3)},
        {MakeColor(200, 100, 50), -100, 100, -60, MakeColor(100, 200, 0)},
    };
    for (const ChannelCase& c : cases) {
        TBitmap picture = Uniform(1, 1, c.before);
        TBitmap preview(1, 1);
        AdjustRGBTo(picture, preview, c.dr, c.dg, c.db);
        EXPECT_EQ(OnePixel(preview), c.after);
        EXPECT_EQ(OnePixel(picture), c.before) << "the preview form leaves its source alone";
        AdjustRGB(picture, c.dr, c.dg, c.db, nullptr);
        EXPECT_EQ(OnePixel(picture), c.after);
    }
}

// Every byte value under deltas of both signs and the extremes, in a picture wide and high
// enough for the vector loops and both threads, in place and into another picture.
TEST(AdjustRGB, EveryValueOnTheWholeRowLoops) {
    TBitmap picture(771, 400);
    for (int y = 0; y < picture.Height(); ++y)
        for (int i = 0; i < 3 * picture.Width(); ++i)
            picture.ScanLine(y)[i] = static_cast<std::uint8_t>(i * 7 + y);
    for (const auto& [red, green, blue] :
         {std::array{-128, 127, 0}, std::array{127, -1, 1}, std::array{-255, 254, -77}}) {
        SCOPED_TRACE(std::to_string(red) + "," + std::to_string(green) + "," +
                     std::to_string(blue));
        TBitmap preview;
        AdjustRGBTo(picture, preview, red, green, blue);
        TBitmap inPlace = picture;
        AdjustRGB(inPlace, red, green, blue, nullptr);
        const int deltas[3] = {blue, green, red};
        for (int y = 0; y < picture.Height(); ++y)
            for (int i = 0; i < 3 * picture.Width(); ++i) {
                const int expected = ClampByte(picture.ScanLine(y)[i] + deltas[i % 3]);
                ASSERT_EQ(preview.ScanLine(y)[i], expected) << y << " " << i;
                ASSERT_EQ(inPlace.ScanLine(y)[i], expected) << y << " " << i;
            }
    }
}

TEST(AdjustBrightness, ClampsAtBothEnds) {
    const ChannelCase cases[] = {
        {MakeColor(1, 1, 1), 254, 0, 0, MakeColor(255, 255, 255)},
        {MakeColor(255, 255, 255), -255, 0, 0, MakeColor(0, 0, 0)},
        {MakeColor(10, 100, 250), 10, 0, 0, MakeColor(20, 110, 255)},
        {MakeColor(10, 100, 250), -20, 0, 0, MakeColor(0, 80, 230)},
    };
    for (const ChannelCase& c : cases) {
        TBitmap preview;
        AdjustBrightnessTo(Uniform(1, 1, c.before), preview, c.dr);
        EXPECT_EQ(OnePixel(preview), c.after);
        TBitmap picture = Uniform(1, 1, c.before);
        AdjustBrightness(picture, c.dr, nullptr);
        EXPECT_EQ(OnePixel(picture), c.after);
    }
}

TEST(AdjustContrast, WorkedValues) {
    struct Case {
        int amount, before, after;
    };
    const Case cases[] = {
        {255, 128, 255}, {255, 127, 0},  {100, 200, 250},  {100, 100, 50},   {100, 128, 178},
        {100, 30, 0},    {-255, 0, 127}, {-255, 255, 127}, {-128, 255, 191}, // d = -64
        {-128, 0, 63},                                                       // d = -63
    };
    for (const Case& c : cases) {
        TBitmap picture = Uniform(1, 1, MakeColor(c.before, c.before, c.before));
        AdjustContrast(picture, c.amount);
        EXPECT_EQ(OnePixel(picture), MakeColor(c.after, c.after, c.after))
            << "amount " << c.amount << " on " << c.before;
    }
}

TEST(ParameterZero, LeavesThePictureUnchanged) {
    const TBitmap original = RandomPicture(23, 17);
    TBitmap picture = original;
    AdjustContrast(picture, 0);
    AdjustBrightness(picture, 0, nullptr);
    AdjustRGB(picture, 0, 0, 0, nullptr);
    EXPECT_EQ(FirstDifference(picture, original), "");
}

TEST(AdjustSaturation, WorkedValues) {
    struct Case {
        TColor before;
        int amount;
        TColor after;
    };
    const Case cases[] = {
        {MakeColor(30, 60, 90), 0, MakeColor(60, 60, 60)},
        {MakeColor(255, 0, 0), 510, MakeColor(255, 0, 0)},        // Gray = -84, red -84 + 508
        {MakeColor(100, 150, 200), 400, MakeColor(72, 150, 228)}, // Gray = 150 - 234
    };
    for (const Case& c : cases) {
        TBitmap preview;
        AdjustSaturationTo(Uniform(1, 1, c.before), preview, c.amount);
        EXPECT_EQ(OnePixel(preview), c.after) << "amount " << c.amount;
    }
}

TEST(AdjustSaturation, At256LeavesEveryPixelUnchanged) {
    const TBitmap original = RandomPicture(31, 29);
    TBitmap picture = original;
    AdjustSaturation(picture, 256, nullptr);
    EXPECT_EQ(FirstDifference(picture, original), "");
}

TEST(PreviewAndApplyForms, AgreeOnALargePicture) {
    // Large enough for the preview form to split its rows over two threads.
    const TBitmap original = RandomPicture(601, 449, 7);
    TBitmap preview, picture;
    AdjustSaturationTo(original, preview, 400);
    picture = original;
    AdjustSaturation(picture, 400, nullptr);
    EXPECT_EQ(FirstDifference(preview, picture), "");

    AdjustBrightnessTo(original, preview, -77);
    picture = original;
    ProgressLog progress;
    AdjustBrightness(picture, -77, &progress);
    EXPECT_EQ(FirstDifference(preview, picture), "");
    // Both halves ran, yet every row was reported in order from this thread.
    std::vector<std::string> expected = {"max 448"};
    for (int y = 0; y < 449; ++y)
        expected.push_back("at " + std::to_string(y));
    EXPECT_EQ(progress.calls, expected);
}

TEST(Progress, ReportsTheMaximumFirstThenEachRow) {
    TBitmap picture = RandomPicture(4, 3);
    ProgressLog rgb;
    AdjustRGB(picture, 1, 2, 3, &rgb);
    EXPECT_EQ(rgb.calls, (std::vector<std::string>{"max 2", "at 0", "at 1", "at 2"}));
    ProgressLog saturation;
    AdjustSaturation(picture, 100, &saturation);
    EXPECT_EQ(saturation.calls,
              (std::vector<std::string>{"at 0", "max 2", "at 0", "at 1", "at 2"}));
}

TEST(PreviewForms, SizeTheDestinationLikeTheSource) {
    const TBitmap source = RandomPicture(9, 5);
    TBitmap preview(2, 2, TPixelFormat::pf32bit);
    AdjustRGBTo(source, preview, 0, 0, 0);
    EXPECT_EQ(FirstDifference(preview, source), "");
    EXPECT_EQ(preview.PixelFormat(), TPixelFormat::pf24bit);
}

} // namespace
} // namespace zorvic
