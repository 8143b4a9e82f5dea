#include "RegEdit.h"

#include "Autostart.h"
#include "Errors.h"

namespace zorvic {

namespace {

[[noreturn]] void FailToSet(const std::string& name) {
    throw EZorvicError(FormatMessage("Failed to set data for '%s'", {name}));
}

// The root's content once `path` is open in it, creating the key when asked; `registry` is the
// content as loaded. Nothing when the key cannot be opened: missing and not to be created, or the
// store cannot be read or saved.
std::optional<TRegistryFile> OpenKeyIn(TRegRoot root, std::optional<TRegistryFile> registry,
                                       const std::string& path, bool create) {
    if (!registry || registry->FindKey(path)) return registry;
    if (!create) return std::nullopt;
    const bool saved = UpdateRegistry(root, [&](TRegistryFile& current) {
        const bool missing = !current.FindKey(path);
        if (missing) current.CreateKey(path);
        registry = current;
        return missing;
    });
    return saved ? registry : std::nullopt;
}

std::optional<TRegistryFile> OpenedRegistry(TRegRoot root, const std::optional<std::string>& path,
                                            bool create) {
    if (!IsKnownRoot(root) || !path) return std::nullopt;
    return OpenKeyIn(root, LoadRegistry(root), *path, create);
}

// Whether a write or delete should go ahead: only into a store that can be read, and without
// `create` only into an existing key.
bool KeyReachable(TRegRoot root, const std::optional<std::string>& path, bool create) {
    if (!IsKnownRoot(root) || !path) return false;
    const std::optional<TRegistryFile> registry = LoadRegistry(root);
    return registry && (create || registry->FindKey(*path));
}

// Applies `change` to the key (created when asked) under the store's lock and saves what it
// changed; `afterwards` runs under the same lock. Throws "Failed to set data" when the change
// cannot be saved or `afterwards` cannot write its file.
void ChangeKey(TRegRoot root, const std::string& path, const std::string& name, bool create,
               const std::function<bool(TRegKey&)>& change,
               const std::function<void()>& afterwards) {
    try {
        const bool saved = UpdateRegistry(
            root,
            [&](TRegistryFile& registry) {
                TRegKey* key = registry.FindKey(path);
                if (!key && !create) return false;
                const bool changed = change(key ? *key : registry.CreateKey(path));
                return changed || !key;
            },
            afterwards);
        if (!saved) FailToSet(name);
    } catch (const EFileError&) {
        FailToSet(name);
    }
}

bool IsKnownKind(int kind) {
    return kind == kRegInteger || kind == kRegString;
}

} // namespace

bool OpenRegKey(TRegRoot root, const std::string& key, bool create) {
    return OpenedRegistry(root, NormalKeyPath(key), create).has_value();
}

bool RegValueExists(TRegRoot root, const std::string& key, const std::string& name, bool create) {
    const std::optional<std::string> path = NormalKeyPath(key);
    const std::optional<TRegistryFile> registry = OpenedRegistry(root, path, create);
    return registry && registry->FindKey(*path)->FindValue(name);
}

void ReadRegValue(TRegRoot root, const std::string& key, const std::string& name, int kind,
                  std::string& out, bool create) {
    if (!IsKnownKind(kind)) {
        OpenRegKey(root, key, create);
        return;
    }
    const std::optional<std::string> path = NormalKeyPath(key);
    const std::optional<TRegistryFile> registry = OpenedRegistry(root, path, create);
    if (!registry) return;
    const TRegValue* value = registry->FindKey(*path)->FindValue(name);
    if (!value) return;
    const TRegValueKind wanted =
        kind == kRegInteger ? TRegValueKind::Integer : TRegValueKind::String;
    if (value->kind != wanted)
        throw EZorvicError(FormatMessage("Invalid data type for '%s'", {name}));
    out = wanted == TRegValueKind::Integer
              ? std::to_string(static_cast<std::int32_t>(value->number))
              : value->text;
}

void WriteRegValue(TRegRoot root, const std::string& key, const std::string& name, int kind,
                   const std::string& text, bool create) {
    if (!IsKnownKind(kind)) {
        OpenRegKey(root, key, create);
        return;
    }
    const std::optional<std::string> path = NormalKeyPath(key);
    if (!KeyReachable(root, path, create)) return;
    TRegValue value{name, TRegValueKind::String, 0, text};
    if (kind == kRegInteger) {
        value.kind = TRegValueKind::Integer;
        value.number = static_cast<std::uint32_t>(StrToInt(text));
        value.text.clear();
    }
    bool written = false;
    ChangeKey(
        root, *path, name, create,
        [&](TRegKey& opened) {
            opened.SetValue(value);
            return written = true;
        },
        [&] {
            if (written && IsAutostartValue(root, *path, name)) WriteAutostartEntry();
        });
}

void DeleteRegValue(TRegRoot root, const std::string& key, const std::string& name, bool create) {
    const std::optional<std::string> path = NormalKeyPath(key);
    // The autostart entry goes even when the value is already gone, so that turning autostart off
    // always stops it.
    const auto removeAutostart = [&] {
        if (IsAutostartValue(root, *path, name)) RemoveAutostartEntry();
    };
    if (KeyReachable(root, path, create)) {
        ChangeKey(
            root, *path, name, create, [&](TRegKey& opened) { return opened.RemoveValue(name); },
            removeAutostart);
        return;
    }
    if (!IsKnownRoot(root) || !path) return;
    try {
        removeAutostart();
    } catch (const EFileError&) {
        FailToSet(name);
    }
}

} // namespace zorvic
