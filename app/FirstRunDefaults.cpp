#include "FirstRunDefaults.h"

#include "ConfigPaths.h"
#include "ProductSettings.h"
#include "RegEdit.h"

namespace zorvic {

bool ProductIsSetUp() {
    return OpenRegKey(TRegRoot::HKEY_LOCAL_MACHINE, kHighKey, false);
}

void WriteFirstRunDefaults() {
    struct TDefault {
        const char* key;
        const char* name;
        TValueKind kind;
        std::string text;
    };
    const TDefault defaults[] = {
        {kProductKey, "Install_Dir", TValueKind::String, ProgramDirectory()},
        {kProductKey, "Ver", TValueKind::String, "V1.5"},
        {kConventionalKey, "Sound", TValueKind::String, "1"},
        {kConventionalKey, "Mouse", TValueKind::String, "1"},
        {kConventionalKey, "Hide", TValueKind::String, "1"},
        {kConventionalKey, "Delay", TValueKind::Integer, "0"},
        {kConventionalKey, "Width", TValueKind::String, "600"},
        {kConventionalKey, "Height", TValueKind::String, "400"},
        {kSaveKey, "Comp", TValueKind::String, "80"},
        {kSaveKey, "Dir", TValueKind::String, ""},
        {kSaveKey, "Temp", TValueKind::String, "截图"},
        {kSaveKey, "Time", TValueKind::String, "0"},
        {kSaveKey, "Type", TValueKind::String, "1"},
        {kHighKey, "Quit", TValueKind::Integer, "0"},
    };
    for (const TDefault& value : defaults)
        WriteSetting(value.key, value.name, value.kind, value.text, true);
}

} // namespace zorvic
