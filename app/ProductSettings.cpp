#include "ProductSettings.h"

#include "ConfigPaths.h"
#include "RegEdit.h"

namespace zorvic {

std::string ReadSetting(const char* key, const char* name, TValueKind kind, bool create) {
    std::string text;
    ReadRegValue(TRegRoot::HKEY_LOCAL_MACHINE, key, name, static_cast<int>(kind), text, create);
    return text;
}

void WriteSetting(const char* key, const char* name, TValueKind kind, const std::string& text,
                  bool create) {
    WriteRegValue(TRegRoot::HKEY_LOCAL_MACHINE, key, name, static_cast<int>(kind), text, create);
}

std::string MainWindowTitle() {
    return "Zorvic" + ReadSetting(kProductKey, "Ver", TValueKind::String, true);
}

std::string AutoStartCommand() {
    return ProgramDirectory() + "zorvic s";
}

} // namespace zorvic
