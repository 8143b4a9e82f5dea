// The real program on an X server of the test's own: it starts, shows its titled main window,
// keeps a second copy from starting, and quits from the close box when told to.
#include <gtest/gtest.h>

#include "ProgramUnderTest.h"
#include "X11TestTools.h"

#include <sys/wait.h>

#include <memory>

namespace zorvic::testing {
namespace {

class EndToEndTest : public ::testing::Test {
protected:
    PrivateDisplay server_;
    DisplayPtr display_ = Open(server_);
    std::unique_ptr<ProgramUnderTest> program_ =
        std::make_unique<ProgramUnderTest>(ZORVIC_EXECUTABLE, display_.get(), server_.Name());
};

TEST_F(EndToEndTest, ProgramShowsItsMainWindowAndQuitsFromTheCloseBox) {
    const pid_t program = program_->Launch();
    const Window main = program_->FindWindowTitled("ZorvicV1.5", true);
    ASSERT_NE(main, 0u) << "no window titled ZorvicV1.5";
    EXPECT_TRUE(program_->IsShown(main));

    // A second copy hands over to the first and ends at once.
    EXPECT_EQ(ProgramUnderTest::WaitForExit(program_->Launch()), 0);
    EXPECT_EQ(waitpid(program, nullptr, WNOHANG), 0) << "the first copy ended";

    program_->AppendMachineSettings("\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Zorvic\\Settings\\High]\n"
                                    "\"Quit\"=dword:00000001\n");
    program_->SendCloseRequest(main);
    EXPECT_EQ(ProgramUnderTest::WaitForExit(program), 0);
}

} // namespace
} // namespace zorvic::testing
