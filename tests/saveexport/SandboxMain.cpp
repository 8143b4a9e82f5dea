// One Qt application and one private home for all tests, so nothing touches the real home.
#include "Sandbox.h"

#include "PlatformServices.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

namespace zorvic::testing {

namespace {

std::shared_ptr<FakeDesktop> desktop;
std::string root;

class SandboxEnvironment : public ::testing::Environment {
public:
    SandboxEnvironment(int& argc, char** argv) : argc_(argc), argv_(argv) {}

    void SetUp() override {
        std::string pattern = std::filesystem::temp_directory_path() / "zorvic-save-XXXXXX";
        root = mkdtemp(pattern.data());
        for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "ZORVIC_CONFIG_DIR"})
            setenv(name, (root + "/" + name).c_str(), 1);
        application_ = std::make_unique<QApplication>(argc_, argv_);
        desktop = std::make_shared<FakeDesktop>();
        InstallPlatform(desktop->Services());
    }

    void TearDown() override {
        application_.reset();
        std::filesystem::remove_all(root);
    }

private:
    int& argc_;
    char** argv_;
    std::unique_ptr<QApplication> application_;
};

} // namespace

FakeDesktop& TestDesktop() {
    return *desktop;
}

const std::string& SandboxRoot() {
    return root;
}

std::string MakeTestFolder() {
    const std::string folder =
        SandboxRoot() + "/" + ::testing::UnitTest::GetInstance()->current_test_info()->name();
    std::filesystem::create_directories(folder);
    return folder;
}

} // namespace zorvic::testing

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new zorvic::testing::SandboxEnvironment(argc, argv));
    return RUN_ALL_TESTS();
}
