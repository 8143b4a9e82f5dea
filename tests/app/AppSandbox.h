#pragma once
#include "CaptureFakes.h"
#include "FakeDesktop.h"
#include "MessageBoxes.h"
#include "PrivateHome.h"
#include "ProductSettings.h"
#include "StandInCommands.h"
#include "Tray.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zorvic::testing {

// A private home, config and settings folder, no outside programs, an offscreen application,
// recorded message boxes, an assumed tray host, and the hook library and the desktop as fakes in
// memory. The program's windows are destroyed after each test.
class AppSandbox : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Creates the five windows as the program does at start, on `hooks` and `platform`.
    void Start(const QStringList& arguments = {});
    // Ends the run and starts again on the same settings, as a restart does.
    void Restart(const QStringList& arguments = {});

    std::string Stored(const char* key, const char* name, TValueKind kind) const;
    void Store(const char* key, const char* name, TValueKind kind, const std::string& text) const;
    bool HasValue(const char* key, const char* name) const;
    void RemoveMarkerKey() const;

    std::optional<TPrivateHome> home_;
    std::optional<TStandInCommands> commands_;
    std::vector<std::string> messages_;
    std::optional<TMessageBoxOverride> messageBoxes_;
    std::optional<TTrayHostOverride> trayHost_;
    std::shared_ptr<FakeDesktop> desktop_ = std::make_shared<FakeDesktop>();
    CallLog hookLog_;
    FakeHooks fakeHooks_{hookLog_};
    THookCalls hooks = fakeHooks_.Calls();
    PlatformServices platform = desktop_->Services();
};

} // namespace zorvic::testing
