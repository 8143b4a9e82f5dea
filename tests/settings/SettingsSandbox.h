#pragma once
#include "Files.h"
#include "PrivateHome.h"
#include "ReadOnlyFolder.h"
#include "RegistryStore.h"
#include "ScopedEnvironment.h"
#include "StandInCommands.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace zorvic::testing {

inline constexpr TRegRoot HKLM = TRegRoot::HKEY_LOCAL_MACHINE;
inline constexpr TRegRoot HKCU = TRegRoot::HKEY_CURRENT_USER;

// Gives each test its own home, config home and settings folder under a fresh temporary folder,
// no outside programs (a test adds the stand-ins it needs), and collects what the store reports
// instead of printing it.
class SettingsSandbox : public ::testing::Test {
protected:
    std::string SettingsFile(const char* name) const { return settingsDir_ + "/" + name; }

    TPrivateHome home;
    TStandInCommands noCommands;
    const std::string root_ = home.Root();
    const std::string home_ = home.Home();
    const std::string configHome_ = home.ConfigHome();
    const std::string settingsDir_ = home.Settings();
    std::vector<std::string> reports_;
    TSettingsProblemReporterOverride reporter_{
        [this](const std::string& problem) { reports_.push_back(problem); }};
};

} // namespace zorvic::testing
