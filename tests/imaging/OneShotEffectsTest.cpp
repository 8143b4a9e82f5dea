#include "OneShotEffects.h"

#include "TestPictures.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zorvic {
namespace {

using testing::FirstDifference;
using testing::Grey;
using testing::ProgressLog;
using testing::RandomPicture;
using testing::Uniform;

TColor After(void (*effect)(TBitmap&), TColor before) {
    TBitmap picture = Uniform(1, 1, before);
    effect(picture);
    return picture.GetPixel(0, 0);
}

TEST(InvertColors, InvertsEveryChannelAndTwiceRestores) {
    EXPECT_EQ(After(InvertColors, MakeColor(0, 128, 255)), MakeColor(255, 127, 0));
    const TBitmap original = RandomPicture(601, 450);
    TBitmap picture = original;
    InvertColors(picture);
    InvertColors(picture);
    EXPECT_EQ(FirstDifference(picture, original), "");
}

TEST(TwoColors, ThresholdsTheRoundedLuminance) {
    EXPECT_EQ(After(TwoColors, Grey(128)), clBlack);
    EXPECT_EQ(After(TwoColors, Grey(129)), clWhite);
    EXPECT_EQ(After(TwoColors, MakeColor(255, 0, 0)), clBlack); // round(76.5) = 76
    EXPECT_EQ(After(TwoColors, MakeColor(0, 255, 0)), clWhite); // 150
}

TEST(TwoColors, MatchesTheExtendedPrecisionDefinitionAtTheThreshold) {
    // Every colour whose exact luminance is 128.5, where only the extended value decides.
    int checked = 0;
    for (int r = 0; r < 256; ++r) {
        for (int g = 0; g < 256; ++g) {
            const int rest = 12850 - 30 * r - 59 * g;
            if (rest < 0 || rest % 11 != 0 || rest / 11 > 255) continue;
            const int b = rest / 11;
            const long double luminance = 0.3L * r + 0.59L * g + 0.11L * b;
            const TColor expected = std::nearbyintl(luminance) > 128 ? clWhite : clBlack;
            EXPECT_EQ(After(TwoColors, MakeColor(r, g, b)), expected) << r << "," << g << "," << b;
            ++checked;
        }
    }
    EXPECT_GT(checked, 10);
}

TEST(Grayscale, AveragesAndCapsAt240) {
    EXPECT_EQ(After(Grayscale, clWhite), Grey(240));
    EXPECT_EQ(After(Grayscale, MakeColor(30, 60, 90)), Grey(60));
    EXPECT_EQ(After(Grayscale, MakeColor(0, 1, 1)), Grey(0));
}

TEST(Exposure, ReflectsChannelsBelow128AndReportsProgress) {
    TBitmap picture = Uniform(2, 3, MakeColor(100, 200, 127));
    picture.SetPixel(1, 2, Grey(128));
    ProgressLog progress;
    Exposure(picture, &progress);
    EXPECT_EQ(picture.GetPixel(0, 0), MakeColor(155, 200, 128));
    EXPECT_EQ(picture.GetPixel(1, 2), Grey(128));
    EXPECT_EQ(progress.calls, (std::vector<std::string>{"max 2", "at 0", "at 1", "at 2"}));
}

TEST(Emboss, FlatPictureTurns128ExceptTheLastRow) {
    for (auto effect : {Sculpture, Relief}) {
        TBitmap picture = Uniform(5, 4, MakeColor(10, 180, 90));
        ProgressLog progress;
        effect(picture, &progress);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 5; ++x)
                ASSERT_EQ(picture.GetPixel(x, y), y < 3 ? Grey(128) : MakeColor(10, 180, 90));
        EXPECT_EQ(progress.calls, (std::vector<std::string>{"max 2", "at 0", "at 1", "at 2"}));
    }
}

TEST(Emboss, ComparesWithTheOriginalPixelDownRightOrStraightBelowInTheLastColumn) {
    const TColor a = Grey(100), b = MakeColor(200, 0, 60), c = Grey(90), d = Grey(50);
    TBitmap sculpture = testing::FromColors(2, 2, {a, b, c, d});
    TBitmap relief = sculpture;
    Sculpture(sculpture, nullptr);
    Relief(relief, nullptr);
    // (0, 0) against d: 100 - 50 + 128 = 178 per channel; relief 50 - 100 + 128 = 78.
    EXPECT_EQ(sculpture.GetPixel(0, 0), Grey(178));
    EXPECT_EQ(relief.GetPixel(0, 0), Grey(78));
    // (1, 0) against d too: clamp(278) = 255, 78, 138 -> 471 / 3 = 157; relief 0, 178, 118 -> 98.
    EXPECT_EQ(sculpture.GetPixel(1, 0), Grey(157));
    EXPECT_EQ(relief.GetPixel(1, 0), Grey(98));
    EXPECT_EQ(sculpture.GetPixel(0, 1), c);
}

TEST(Emboss, SingleRowStaysUnchanged) {
    const TBitmap original = RandomPicture(6, 1);
    TBitmap picture = original;
    Sculpture(picture, nullptr);
    EXPECT_EQ(FirstDifference(picture, original), "");
}

} // namespace
} // namespace zorvic
