#include "RegEdit.h"

#include "SettingsSandbox.h"

#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

namespace zorvic {
namespace {

using namespace testing;

constexpr const char* kZorvicKey = "SOFTWARE\\Zorvic";
constexpr const char* kLoadKey = "SOFTWARE\\Zorvic\\Load";

class SettingsStore : public testing::SettingsSandbox {
protected:
    std::vector<std::string> SetAsideFiles() const {
        std::vector<std::string> found;
        for (const auto& entry : std::filesystem::directory_iterator(settingsDir_))
            if (entry.path().filename().string().rfind("HKLM.reg.corrupt-", 0) == 0)
                found.push_back(entry.path().string());
        return found;
    }

    std::string ReadVer() {
        std::string out;
        ReadRegValue(HKLM, kZorvicKey, "Ver", kRegString, out, false);
        return out;
    }
};

TEST_F(SettingsStore, ADamagedFileKeepsEveryEntryThatParsesAndIsToldOnceWithItsCopy) {
    const std::string damaged = "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Zorvic]\n"
                                "\"Ver\"=\"V1.5\"\n"
                                "\"Install_Dir\"=\"/opt/zorvic/\n"
                                "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Zorvic\\Settings\\High]\n"
                                "\"Quit\"=dword:00000001\n";
    WriteText(SettingsFile("HKLM.reg"), damaged);

    EXPECT_EQ(ReadVer(), "V1.5");
    std::string quit;
    ReadRegValue(HKLM, "SOFTWARE\\Zorvic\\Settings\\High", "Quit", kRegInteger, quit, false);
    EXPECT_EQ(quit, "1");
    EXPECT_FALSE(RegValueExists(HKLM, kZorvicKey, "Install_Dir", false));

    ASSERT_EQ(reports_.size(), 1u);
    const std::vector<std::string> aside = SetAsideFiles();
    ASSERT_EQ(aside.size(), 1u);
    EXPECT_EQ(ReadText(aside[0]), damaged);
    EXPECT_NE(reports_[0].find(SettingsFile("HKLM.reg")), std::string::npos) << reports_[0];
    EXPECT_NE(reports_[0].find(aside[0]), std::string::npos) << reports_[0];
    EXPECT_NE(reports_[0].find("第3行"), std::string::npos) << reports_[0];
    EXPECT_EQ(reports_[0].find('\n'), std::string::npos) << reports_[0];
    // What was kept is the store's file now, so nothing is told again.
    EXPECT_NO_THROW(TRegistryFile::Parse("HKEY_LOCAL_MACHINE", ReadText(SettingsFile("HKLM.reg"))));
    EXPECT_EQ(ReadVer(), "V1.5");
    EXPECT_EQ(reports_.size(), 1u);
}

TEST_F(SettingsStore, ACorruptFileMetFirstByAWriteIsSetAsideAndTheWriteLands) {
    WriteText(SettingsFile("HKLM.reg"), "not a registry file");

    WriteRegValue(HKLM, "SOFTWARE\\Zorvic\\Settings\\High", "Quit", kRegInteger, "0", true);
    WriteText(SettingsFile("HKLM.reg"), "again not a registry file");
    WriteRegValue(HKLM, "SOFTWARE\\Zorvic\\Settings\\High", "Quit", kRegInteger, "1", true);

    std::string quit;
    ReadRegValue(HKLM, "SOFTWARE\\Zorvic\\Settings\\High", "Quit", kRegInteger, quit, false);
    EXPECT_EQ(quit, "1");
    EXPECT_EQ(reports_.size(), 2u);
    EXPECT_EQ(SetAsideFiles().size(), 2u) << "two set aside within a second keep distinct names";
}

// A settings folder in memory when the system offers one, so that the test waits for the lock
// rather than for the disk; else the sandbox's own.
class TFastSettingsFolder {
public:
    explicit TFastSettingsFolder(const std::string& fallback)
        : folder_(MadeInMemory()),
          environment_("ZORVIC_CONFIG_DIR", folder_ ? folder_->Path() : fallback) {}

private:
    static std::optional<testing::TTempDir> MadeInMemory() {
        if (!std::filesystem::is_directory("/dev/shm")) return std::nullopt;
        return std::make_optional<testing::TTempDir>("/dev/shm");
    }

    std::optional<testing::TTempDir> folder_;
    testing::TScopedEnvironment environment_;
};

std::string LoadValueName(int writer, int index) {
    std::string name = "p";
    name += std::to_string(writer);
    name += '-';
    name += std::to_string(index);
    return name;
}

int LoadValueKind(int index) {
    return index % 2 ? kRegString : kRegInteger;
}

TEST_F(SettingsStore, TwoProcessesWritingAtOnceLoseNothing) {
    const TFastSettingsFolder folder(settingsDir_);
    constexpr int kWritesEach = 200;
    pid_t writers[2];
    for (int writer = 0; writer < 2; ++writer) {
        writers[writer] = fork();
        ASSERT_GE(writers[writer], 0);
        if (writers[writer] == 0) {
            try {
                for (int i = 0; i < kWritesEach; ++i)
                    WriteRegValue(HKLM, kLoadKey, LoadValueName(writer, i), LoadValueKind(i),
                                  std::to_string(i), true);
            } catch (...) {
                _exit(1);
            }
            _exit(0);
        }
    }
    for (const pid_t writer : writers) {
        int status = 0;
        ASSERT_EQ(waitpid(writer, &status, 0), writer);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }

    for (int writer = 0; writer < 2; ++writer) {
        for (int i = 0; i < kWritesEach; ++i) {
            std::string out;
            ReadRegValue(HKLM, kLoadKey, LoadValueName(writer, i), LoadValueKind(i), out, false);
            EXPECT_EQ(out, std::to_string(i)) << LoadValueName(writer, i);
        }
    }
    EXPECT_TRUE(reports_.empty());
}

TEST_F(SettingsStore, AnUnwritableFolderFailsToSetDataAndKeepsTheOldFile) {
    WriteRegValue(HKLM, kZorvicKey, "Ver", kRegString, "V1.5", true);
    const std::string before = ReadText(SettingsFile("HKLM.reg"));
    const TReadOnlyFolder readOnly(settingsDir_);
    if (!readOnly.Works()) GTEST_SKIP() << "cannot make a folder read-only here";

    for (const auto& change :
         {+[] { WriteRegValue(HKLM, kZorvicKey, "Ver", kRegString, "V2", true); },
          +[] { WriteRegValue(HKLM, kZorvicKey, "Ver", kRegString, "V2", false); },
          +[] { DeleteRegValue(HKLM, kZorvicKey, "Ver", false); }}) {
        try {
            change();
            ADD_FAILURE() << "no error";
        } catch (const EZorvicError& error) {
            EXPECT_STREQ(error.what(), "Failed to set data for 'Ver'");
        }
    }
    EXPECT_FALSE(OpenRegKey(HKLM, "SOFTWARE\\Other", true));
    EXPECT_EQ(ReadVer(), "V1.5");
    EXPECT_EQ(ReadText(SettingsFile("HKLM.reg")), before);
}

TEST_F(SettingsStore, ACorruptFileThatCannotBeMovedIsReportedOnceReadsEmptyAndRefusesWrites) {
    WriteText(SettingsFile("HKLM.reg"), "garbage");
    const TReadOnlyFolder readOnly(settingsDir_);
    if (!readOnly.Works()) GTEST_SKIP() << "cannot make a folder read-only here";

    EXPECT_EQ(ReadVer(), "");
    EXPECT_EQ(ReadVer(), "");
    EXPECT_THROW(WriteRegValue(HKLM, kZorvicKey, "Ver", kRegString, "V2", true), EZorvicError);

    EXPECT_EQ(reports_.size(), 1u);
    EXPECT_EQ(ReadText(SettingsFile("HKLM.reg")), "garbage");
}

TEST_F(SettingsStore, ProblemsAreReportedOnlyOnceTheLockIsReleased) {
    // The reporter may show a message box; another running copy must not wait for it.
    bool lockWasFree = false;
    const TSettingsProblemReporterOverride lockLook([&](const std::string&) {
        const int fd = open(SettingsFile("HKLM.reg.lock").c_str(), O_RDWR | O_CLOEXEC);
        lockWasFree = fd >= 0 && flock(fd, LOCK_EX | LOCK_NB) == 0;
        if (fd >= 0) close(fd);
    });
    for (const auto& action :
         {+[] { WriteRegValue(HKLM, kZorvicKey, "Ver", kRegString, "V1.5", true); },
          +[] { OpenRegKey(HKLM, kZorvicKey, false); }}) {
        WriteText(SettingsFile("HKLM.reg"), "garbage");
        lockWasFree = false;
        action();
        EXPECT_TRUE(lockWasFree);
    }
}

TEST_F(SettingsStore, WithoutAReporterProblemsGoToStandardError) {
    const TSettingsProblemReporterOverride noReporter(nullptr);
    WriteText(SettingsFile("HKLM.reg"), "garbage");

    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(OpenRegKey(HKLM, kZorvicKey, false));
    const std::string printed = ::testing::internal::GetCapturedStderr();

    EXPECT_NE(printed.find(SettingsFile("HKLM.reg")), std::string::npos) << printed;
}

} // namespace
} // namespace zorvic
