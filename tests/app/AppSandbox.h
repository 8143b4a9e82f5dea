#pragma once
#include "ProductSettings.h"

#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zorvic::testing {

// A private home, config and settings folder, an offscreen application, recorded message boxes
// and an assumed tray host. The program's windows are destroyed after each test.
class AppSandbox : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Creates the five windows as the program does at start.
    void Start(const QStringList& arguments = {});
    // Ends the run and starts again on the same settings, as a restart does.
    void Restart(const QStringList& arguments = {});

    std::string Stored(const char* key, const char* name, TValueKind kind) const;
    void Store(const char* key, const char* name, TValueKind kind, const std::string& text) const;
    bool HasValue(const char* key, const char* name) const;
    void RemoveMarkerKey() const;

    QTemporaryDir root_;
    std::vector<std::string> messages_;
};

} // namespace zorvic::testing
