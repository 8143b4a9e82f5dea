// The media-control command strings, run against real clips made by ffmpeg.
#include "MciCommands.h"
#include "VideoTestSupport.h"

#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <vector>

namespace zorvic {
namespace {

// A window that keeps the notifications it receives.
class TNotifiedWindow : public QWidget {
public:
    std::vector<unsigned> Flags;

protected:
    bool event(QEvent* event) override {
        if (event->type() == TMciNotifyEvent::Kind()) {
            Flags.push_back(static_cast<TMciNotifyEvent*>(event)->Flag);
            return true;
        }
        return QWidget::event(event);
    }
};

class MciCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::MakeAvi(clip, 10);
        parent.resize(320, 240);
        parentId = std::to_string(parent.winId());
    }
    void TearDown() override { Send("close Clip wait"); }

    unsigned Send(const std::string& command) {
        return mciSendStringA(command.c_str(), reply, sizeof reply, &window);
    }
    unsigned Open(const std::string& file) {
        return Send("open " + file + " alias Clip style child parent " + parentId + " wait");
    }
    std::string Position() {
        EXPECT_EQ(Send("status Clip position wait"), 0u);
        return reply;
    }
    QWidget* Player() { return parent.findChild<QWidget*>(); }

    test::TTempDir folder;
    const std::string clip = folder.Path("Video.avi");
    QWidget parent;
    std::string parentId;
    TNotifiedWindow window;
    char reply[255] = {};
};

TEST_F(MciCommandsTest, TheOpeningSequencePlacesTheVideoInItsParentAtFrameZero) {
    ASSERT_EQ(Open(clip), 0u);
    ASSERT_NE(Player(), nullptr);
    EXPECT_EQ(Send("put Clip window at -3 -3 438 411 wait"), 0u);
    EXPECT_EQ(Player()->geometry(), QRect(-3, -3, 438, 411));
    EXPECT_EQ(Send("set Clip seek exactly off wait"), 0u);
    EXPECT_EQ(Position(), "0");
    EXPECT_EQ(Send("close Clip wait"), 0u);
    EXPECT_EQ(Player(), nullptr);
    EXPECT_NE(Send("status Clip position wait"), 0u);
}

TEST_F(MciCommandsTest, SeekMovesThePositionWithinTheClip) {
    ASSERT_EQ(Open(clip), 0u);
    for (int frame : {4, 9, 0}) {
        EXPECT_EQ(Send("seek Clip to " + std::to_string(frame) + " wait"), 0u);
        EXPECT_EQ(Position(), std::to_string(frame));
    }
    EXPECT_EQ(Send("seek Clip to 11 wait"), MCIERR_OUTOFRANGE);
}

TEST_F(MciCommandsTest, PlayingToTheEndNotifiesOnceAndLeavesThePositionAtTheEnd) {
    ASSERT_EQ(Open(clip), 0u);
    ASSERT_EQ(Send("play Clip from 6 notify"), 0u);
    EXPECT_TRUE(window.Flags.empty());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window.Flags.empty(); }, 5000));
    EXPECT_EQ(window.Flags, std::vector<unsigned>{MCI_NOTIFY_SUCCESSFUL});
    EXPECT_EQ(Position(), "10");
}

TEST_F(MciCommandsTest, StopEndsThePlayWithAnAbortedNotification) {
    ASSERT_EQ(Open(clip), 0u);
    ASSERT_EQ(Send("play Clip from 0 notify"), 0u);
    EXPECT_EQ(Send("stop Clip wait"), 0u);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window.Flags.empty(); }, 5000));
    EXPECT_EQ(window.Flags, std::vector<unsigned>{MCI_NOTIFY_ABORTED});
    EXPECT_LT(std::stoi(Position()), 10);
}

TEST_F(MciCommandsTest, KeywordsAndAliasIgnoreCaseAndTheFileItsSpelling) {
    ASSERT_EQ(Open(folder.Path("VIDEO.AVI")), 0u);
    EXPECT_EQ(Send("SEEK clip TO 3 WAIT"), 0u);
    EXPECT_EQ(Position(), "3");
}

TEST_F(MciCommandsTest, CommandsOutsideTheSetAndBadArgumentsFail) {
    ASSERT_EQ(Open(clip), 0u);
    struct TCase {
        std::string command;
        unsigned error;
    };
    const TCase cases[] = {
        {"", MCIERR_UNRECOGNIZED_COMMAND},
        {"pause Clip wait", MCIERR_UNRECOGNIZED_COMMAND},
        {"seek Other to 1 wait", MCIERR_INVALID_DEVICE_NAME},
        {"seek Clip to x wait", MCIERR_BAD_INTEGER},
        {"seek Clip wait", MCIERR_MISSING_PARAMETER},
        {"seek Clip to 1 wait now", MCIERR_UNRECOGNIZED_KEYWORD},
        {"put Clip window at 1 2 3 wait", MCIERR_BAD_INTEGER},
        {"set Clip seek exactly sometimes wait", MCIERR_MISSING_PARAMETER},
        {"status Clip length wait", MCIERR_UNRECOGNIZED_KEYWORD},
        {"play Clip from 0 wait", MCIERR_UNSUPPORTED_FUNCTION},
        {"open " + clip + " alias clip style child parent " + parentId + " wait",
         MCIERR_DUPLICATE_ALIAS},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(Send(c.command), c.error) << c.command;
    EXPECT_EQ(Position(), "0");
}

TEST_F(MciCommandsTest, OnlyAVideoFileInAnExistingWindowOpens) {
    const std::string cut = folder.Path("cut.avi");
    test::CopyTruncated(clip, cut, 3000);
    const std::string sound = folder.Path("sound.avi");
    test::MakeSoundOnlyAvi(sound);
    for (const std::string& file : {cut, sound, folder.Path("none.avi")})
        EXPECT_EQ(Open(file), MCIERR_INVALID_FILE) << file;
    EXPECT_EQ(Send("open " + clip + " alias Clip style child parent 0 wait"), MCIERR_NO_WINDOW);
    EXPECT_EQ(Player(), nullptr);
}

TEST_F(MciCommandsTest, AReplyThatDoesNotFitItsBufferFails) {
    ASSERT_EQ(Open(clip), 0u);
    ASSERT_EQ(Send("seek Clip to 9 wait"), 0u);
    char tiny[1];
    EXPECT_EQ(mciSendStringA("status Clip position wait", tiny, sizeof tiny, nullptr),
              MCIERR_PARAM_OVERFLOW);
}

} // namespace
} // namespace zorvic
