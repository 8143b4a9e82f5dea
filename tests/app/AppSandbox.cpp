#include "AppSandbox.h"

#include "ErrorBoundary.h"
#include "MessageBoxes.h"
#include "RegEdit.h"
#include "RegistryStore.h"
#include "Tray.h"
#include "ZorvicProgram.h"

#include <QDir>

#include <cstdlib>

namespace zorvic::testing {

namespace {
void EnsureApplication() {
    static int argc = 1;
    static char name[] = "app_tests";
    static char* argv[] = {name, nullptr};
    static TZorvicApplication* application = new TZorvicApplication(argc, argv);
    (void)application;
}
} // namespace

void AppSandbox::SetUp() {
    ASSERT_TRUE(root_.isValid());
    for (const char* folder : {"home", "config", "settings", "home/Documents"})
        QDir(root_.path()).mkpath(folder);
    setenv("HOME", (root_.path() + "/home").toUtf8().constData(), 1);
    setenv("XDG_CONFIG_HOME", (root_.path() + "/config").toUtf8().constData(), 1);
    setenv("ZORVIC_CONFIG_DIR", (root_.path() + "/settings").toUtf8().constData(), 1);
    EnsureApplication();
    SetMessageBoxHandler([this](const std::string& text) { messages_.push_back(text); });
    TTrayIcon::OverrideHostAvailability(true);
}

void AppSandbox::TearDown() {
    DestroyProgramWindows();
    TTrayIcon::OverrideHostAvailability(std::nullopt);
    SetMessageBoxHandler({});
}

void AppSandbox::Start(const QStringList& arguments) {
    CreateProgramWindows(arguments);
}

void AppSandbox::Restart(const QStringList& arguments) {
    DestroyProgramWindows();
    Start(arguments);
}

std::string AppSandbox::Stored(const char* key, const char* name, TValueKind kind) const {
    // Reading with the other kind throws, so this also checks how the value was stored.
    return ReadSetting(key, name, kind, false);
}

void AppSandbox::Store(const char* key, const char* name, TValueKind kind,
                       const std::string& text) const {
    WriteSetting(key, name, kind, text, true);
}

bool AppSandbox::HasValue(const char* key, const char* name) const {
    return RegValueExists(TRegRoot::HKEY_LOCAL_MACHINE, key, name, false);
}

void AppSandbox::RemoveMarkerKey() const {
    UpdateRegistry(TRegRoot::HKEY_LOCAL_MACHINE, [](TRegistryFile& file) {
        TRegistryFile without("HKEY_LOCAL_MACHINE");
        // Copy every key but the marker; the file has no removal of keys.
        for (const char* key : {kProductKey, kConventionalKey, kSaveKey, kRunKey})
            if (const TRegKey* found = file.FindKey(*NormalKeyPath(key)))
                without.CreateKey(found->path).values = found->values;
        file = without;
        return true;
    });
}

} // namespace zorvic::testing
