// The AVI writer and reader, checked against FFmpeg's own tools.
#include "AviDecoder.h"
#include "AviRecorder.h"
#include "Errors.h"
#include "VideoTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace zorvic {
namespace {

using test::TTempDir;

constexpr TColor kFrameColours[] = {0x0000FF, 0x00FF00, 0xFF0000, 0xFFFFFF, 0x000000, 0x00FFFF};

std::shared_ptr<TVideoFrame> Solid(int width, int height, TColor colour) {
    auto frame = std::make_shared<TVideoFrame>(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint8_t* pixel = frame->Row(y) + 4 * x;
            pixel[0] = BlueOf(colour);
            pixel[1] = GreenOf(colour);
            pixel[2] = RedOf(colour);
        }
    return frame;
}

bool Near(int a, int b) {
    return std::abs(a - b) <= 8;
}

TEST(AviRecorder, WritesAMotionJpegAviThatFfmpegReadsFrameForFrame) {
    TTempDir folder;
    const std::string path = folder.Path("clip.avi");
    {
        TAviRecorder recorder(path, 64, 48, 15, 1);
        for (TColor colour : kFrameColours)
            recorder.Write(*Solid(64, 48, colour));
        recorder.Finish();
        EXPECT_EQ(recorder.FramesWritten(), 6);
    }
    EXPECT_EQ(test::VideoStreamSummary(path), "mjpeg 64 48 15/1");
    EXPECT_EQ(test::HeaderFrameCount(path), 6);
    EXPECT_EQ(test::DecodedFrameCount(path), 6);
    EXPECT_TRUE(test::FfmpegDecodesCleanly(path));
    for (int index : {0, 3, 5}) {
        const std::string rgb = test::FfmpegFrameRgb(path, index);
        ASSERT_EQ(rgb.size(), 64u * 48u * 3u) << index;
        const std::size_t middle = (24 * 64 + 32) * 3;
        const TColor colour = kFrameColours[index];
        EXPECT_TRUE(Near(static_cast<std::uint8_t>(rgb[middle]), RedOf(colour)) &&
                    Near(static_cast<std::uint8_t>(rgb[middle + 1]), GreenOf(colour)) &&
                    Near(static_cast<std::uint8_t>(rgb[middle + 2]), BlueOf(colour)))
            << "frame " << index;
    }
}

TEST(AviRecorder, PicturesOfAnotherSizeAreScaledIntoTheClip) {
    TTempDir folder;
    const std::string path = folder.Path("clip.avi");
    {
        TAviRecorder recorder(path, 32, 24, 15, 1);
        recorder.Write(*Solid(64, 48, 0x00FF00));
    }
    EXPECT_EQ(test::VideoStreamSummary(path), "mjpeg 32 24 15/1");
    EXPECT_EQ(test::DecodedFrameCount(path), 1);
}

TEST(AviRecorder, AFileThatCannotBeCreatedNamesItselfAndItsReason) {
    TTempDir folder;
    const std::string path = folder.Path("missing/Video.avi");
    try {
        TAviRecorder recorder(path, 64, 48, 15, 1);
        FAIL() << "no error";
    } catch (const EFileError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Cannot create file \"" + path + "\". No such file or directory");
    }
}

class AviDecoderTest : public ::testing::Test {
protected:
    void SetUp() override { test::MakeAvi(clip, 10); }
    TTempDir folder;
    const std::string clip = folder.Path("clip.avi");
};

TEST_F(AviDecoderTest, TheLengthComesFromTheStreamHeader) {
    TAviDecoder file(clip);
    EXPECT_EQ(file.FrameCount(), 10);
    EXPECT_DOUBLE_EQ(file.FramesPerSecond(), 15);
}

TEST_F(AviDecoderTest, DecodesTheFrameAskedForAndThoseAfterIt) {
    TAviDecoder file(clip);
    const TSharedFrame seventh = file.DecodeAt(7, true);
    ASSERT_TRUE(seventh);
    EXPECT_EQ(seventh->Number, 7);
    EXPECT_EQ(seventh->Width, 320);
    const std::string reference = test::FfmpegFrameRgb(clip, 7);
    ASSERT_EQ(reference.size(), 320u * 240u * 3u);
    long difference = 0;
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x)
            for (int channel = 0; channel < 3; ++channel)
                difference +=
                    std::abs(seventh->Row(y)[4 * x + 2 - channel] -
                             static_cast<std::uint8_t>(reference[(y * 320 + x) * 3 + channel]));
    EXPECT_LT(difference / (320.0 * 240 * 3), 3.0);
    EXPECT_EQ(file.DecodeNext()->Number, 8);
    EXPECT_EQ(file.DecodeNext()->Number, 9);
    EXPECT_FALSE(file.DecodeNext());
    EXPECT_EQ(file.DecodeAt(2, true)->Number, 2);
}

TEST_F(AviDecoderTest, AFileCutShortOrWithoutVideoHasNoLength) {
    const std::string cut = folder.Path("cut.avi");
    test::CopyTruncated(clip, cut, test::ReadBytes(clip).size() / 2);
    const std::string sound = folder.Path("sound.avi");
    test::MakeSoundOnlyAvi(sound);
    for (const std::string& path : {cut, sound}) {
        TAviDecoder file(path);
        EXPECT_EQ(file.FrameCount(), -1) << path;
        file.DecodeAt(9, true);
    }
    EXPECT_FALSE(TAviDecoder(sound).DecodeAt(0, true));
}

TEST_F(AviDecoderTest, ANonVideoOrMissingFileCannotBeOpened) {
    const std::string junk = folder.Path("junk.avi");
    test::WriteText(junk, "RIFF junk AVI that goes nowhere");
    for (const std::string& path : {junk, folder.Path("none.avi"), folder.Path("")})
        EXPECT_THROW(TAviDecoder{path}, EFileError) << path;
}

} // namespace
} // namespace zorvic
