#pragma once
#include "RegistryStore.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace zorvic::testing {

inline constexpr TRegRoot HKLM = TRegRoot::HKEY_LOCAL_MACHINE;
inline constexpr TRegRoot HKCU = TRegRoot::HKEY_CURRENT_USER;

// Sets an environment variable for the lifetime of the object.
class TScopedEnvironment {
public:
    TScopedEnvironment(const char* name, const std::string& value);
    ~TScopedEnvironment();
    TScopedEnvironment(const TScopedEnvironment&) = delete;
    TScopedEnvironment& operator=(const TScopedEnvironment&) = delete;

private:
    std::string name_;
    bool hadValue_;
    std::string oldValue_;
};

// Gives each test its own home, config home and settings folder under a fresh temporary folder,
// and collects what the store reports instead of printing it.
class SettingsSandbox : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    std::string SettingsFile(const char* name) const { return settingsDir_ + "/" + name; }

    std::string root_;
    std::string home_;
    std::string configHome_;
    std::string settingsDir_;
    std::vector<std::string> reports_;

private:
    std::vector<std::unique_ptr<TScopedEnvironment>> environment_;
};

std::string ReadText(const std::string& path);
void WriteText(const std::string& path, const std::string& text);
bool FileExists(const std::string& path);

// Makes a folder refuse new entries while the object lives: mode 0555 and, for root (whom modes
// do not stop), the immutable attribute. Works() is false where neither is possible.
class TReadOnlyFolder {
public:
    explicit TReadOnlyFolder(std::string path);
    ~TReadOnlyFolder();
    TReadOnlyFolder(const TReadOnlyFolder&) = delete;
    TReadOnlyFolder& operator=(const TReadOnlyFolder&) = delete;

    bool Works() const { return works_; }

private:
    void SetImmutable(bool on);

    std::string path_;
    bool immutable_ = false;
    bool works_ = false;
};

} // namespace zorvic::testing
