// The status protocol of the capture layer: the frame-count rule, the running-count texts it
// reads, and what the callback does with each report.
#include "AviCap.h"
#include "CaptureStatus.h"
#include "VideoCap.h"

#include <QLabel>

#include <gtest/gtest.h>

#include <optional>

namespace zorvic {
namespace {

struct TFrameCountCase {
    const char* text;
    std::optional<int> count;
};

TEST(StatusFrameCount, ReadsFromTheEighthCharacterUpToTheFirstSpaceLeavingOutTheLast) {
    const TFrameCountCase cases[] = {
        {"Frames:45 (0 dropped)", 45},
        {"1234567890", 89},             // no space: all but the last character
        {"1234567-12 x", -12},          // a sign is part of the number
        {"1234567 45 x", std::nullopt}, // a space at the 8th character: nothing
        {"Captured 45 frames", std::nullopt},
        {"1234567", std::nullopt}, // too short to hold a count
        {"", std::nullopt},
        {"正在录像：第 7 帧", 7}, // characters, not bytes
    };
    for (const TFrameCountCase& c : cases)
        EXPECT_EQ(StatusFrameCount(c.text), c.count) << c.text;
}

TEST(StatusFrameCount, ReadsEveryRunningCountTheRecordingReports) {
    for (std::int64_t frames : {0, 1, 15, 45, 450, 123456}) {
        const std::string text = RecordingProgressText({frames, 3, frames / 15.0});
        EXPECT_EQ(StatusFrameCount(text), frames) << text;
    }
}

// The callback without a capture window: what reaches the label, and when the limit handler runs.
class StatusCallbackTest : public ::testing::Test {
protected:
    void SetUp() override {
        CapSetStatusLabel(&label);
        CapSetOnFrameLimit([this] { ++limitReached; });
    }
    void TearDown() override {
        CapSetStatusLabel(nullptr);
        CapSetOnFrameLimit(nullptr);
        CapSetFrameLimit(0);
    }

    QLabel label;
    int limitReached = 0;
};

TEST_F(StatusCallbackTest, EveryReportGoesToTheLabelAndOnlyARunningCountAtTheLimitStops) {
    struct TCase {
        int id;
        std::string text;
        int limit;
        bool stops;
    };
    const TCase cases[] = {
        {IDS_CAP_STAT_VIDEOCURRENT, RecordingProgressText({44, 0, 2.9}), 45, false},
        {IDS_CAP_STAT_VIDEOCURRENT, RecordingProgressText({45, 0, 3}), 45, true},
        {IDS_CAP_STAT_VIDEOCURRENT, RecordingProgressText({46, 0, 3}), 45, true},
        {IDS_CAP_STAT_VIDEOCURRENT, RecordingProgressText({1, 0, 0}), 0, true},
        {IDS_CAP_STAT_VIDEOCURRENT, "正在录像：没有数字", 0, false},
        {IDS_CAP_END, RecordingEndedText({45, 0, 3}), 0, false},
        {IDS_CAP_BEGIN, "1234567 0 frames", 0, false},
    };
    for (const TCase& c : cases) {
        limitReached = 0;
        CapSetFrameLimit(c.limit);
        EXPECT_TRUE(CapStatusCallback(nullptr, c.id, c.text.c_str()));
        EXPECT_EQ(label.text().toStdString(), c.text);
        EXPECT_EQ(limitReached, c.stops ? 1 : 0) << c.text << " at limit " << c.limit;
    }
}

} // namespace
} // namespace zorvic
