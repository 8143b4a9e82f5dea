#include "AppSandbox.h"

#include "ErrorBoundary.h"
#include "Offscreen.h"
#include "PrivateDisplay.h"
#include "RegEdit.h"
#include "RegistryStore.h"
#include "ZorvicProgram.h"

#include <cstdlib>
#include <filesystem>

namespace zorvic::testing {

namespace {
void EnsureApplication() {
    static int argc = 1;
    static char name[] = "app_tests";
    static char* argv[] = {name, nullptr};
    static TZorvicApplication* application = [] {
#ifdef ZORVIC_REAL_DISPLAY
        // An X server of this test program's own.
        ProcessDisplay();
        unsetenv("QT_QPA_PLATFORM");
#else
        RunOffscreen();
#endif
        return new TZorvicApplication(argc, argv);
    }();
    (void)application;
}
} // namespace

void AppSandbox::SetUp() {
    home_.emplace();
    std::filesystem::create_directories(home_->Home() + "/Documents");
    commands_.emplace();
    EnsureApplication();
    messageBoxes_.emplace([this](const std::string& text) { messages_.push_back(text); });
    trayHost_.emplace(true);
}

void AppSandbox::TearDown() {
    DestroyProgramWindows();
    trayHost_.reset();
    messageBoxes_.reset();
    commands_.reset();
    home_.reset();
}

void AppSandbox::Start(const QStringList& arguments) {
    CreateProgramWindows(arguments, hooks, platform);
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
