// One Qt application for all tests, with a private home so nothing touches the real one, and for
// suites built with ZORVIC_PRIVATE_DISPLAY an X server and window manager of their own, so that
// their input and windows never meet another suite's.
#include "FakeDesktop.h"
#include "PlatformServices.h"
#ifdef ZORVIC_PRIVATE_DISPLAY
#include "PrivateDisplay.h"
#endif

#include <QApplication>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

namespace {

class EditorEnvironment : public ::testing::Environment {
public:
    EditorEnvironment(int& argc, char** argv) : argc_(argc), argv_(argv) {}

    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "zorvic-editor-XXXXXX");
        home_ = mkdtemp(pattern.data());
        for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "ZORVIC_CONFIG_DIR"})
            setenv(name, (home_ / name).c_str(), 1);
#ifdef ZORVIC_PRIVATE_DISPLAY
        server_ = std::make_unique<zorvic::testing::PrivateDisplay>(
            zorvic::testing::PrivateDisplay::Options{.WindowManager = true});
        setenv("DISPLAY", server_->Name().c_str(), 1);
        setenv("QT_QPA_PLATFORM", "xcb", 1);
#endif
        application_ = std::make_unique<QApplication>(argc_, argv_);
#ifndef ZORVIC_REAL_DISPLAY
        zorvic::InstallPlatform(std::make_shared<zorvic::FakeDesktop>()->Services());
#endif
    }

    void TearDown() override {
        application_.reset();
#ifdef ZORVIC_PRIVATE_DISPLAY
        server_.reset();
#endif
        std::filesystem::remove_all(home_);
    }

private:
    int& argc_;
    char** argv_;
    std::filesystem::path home_;
    std::unique_ptr<QApplication> application_;
#ifdef ZORVIC_PRIVATE_DISPLAY
    std::unique_ptr<zorvic::testing::PrivateDisplay> server_;
#endif
};

} // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new EditorEnvironment(argc, argv));
    return RUN_ALL_TESTS();
}
