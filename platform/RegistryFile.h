#pragma once
#include "Errors.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zorvic {

// One root of the settings registry held in memory, and its text form: the syntax of registry
// export files, UTF-8, one section per key:
//
//     [HKEY_LOCAL_MACHINE\SOFTWARE\Zorvic]
//     "Ver"="V1.5"
//     "Delay"=dword:00001388
//
// Strings escape "\" and "\"" with a backslash, and a line break as \n or \r so that every value
// stays on its line. Key paths and value names are looked up ignoring ASCII case, as the
// registry does, and kept with the case they were first written in.

enum class TRegValueKind { Integer, String };

struct TRegValue {
    std::string name;
    TRegValueKind kind = TRegValueKind::String;
    std::uint32_t number = 0;
    std::string text;
};

struct TRegKey {
    std::string path; // components joined by "\"; "" is the root itself
    std::vector<TRegValue> values;

    const TRegValue* FindValue(const std::string& name) const;
    // Replaces the value of that name, keeping the stored spelling of the name, or adds it.
    void SetValue(TRegValue value);
    // False when there was no such value.
    bool RemoveValue(const std::string& name);
};

// A text that is not a registry file of the expected root.
class ERegistryFormatError : public EZorvicError {
public:
    using EZorvicError::EZorvicError;
};

// Registry names compare equal ignoring ASCII case.
bool SameRegistryName(const std::string& left, const std::string& right);

// A key path with its empty components dropped ("\A\\B\" is "A\B"); nothing when a component
// holds a line break, which no section line can carry.
std::optional<std::string> NormalKeyPath(const std::string& path);

// A line of a registry file that could not be read, and why.
struct TRegistryDamage {
    std::size_t Line = 0;
    std::string Reason;
};

struct TSalvagedRegistry;

class TRegistryFile {
public:
    // An empty root, e.g. "HKEY_LOCAL_MACHINE".
    explicit TRegistryFile(std::string rootName);

    // Throws ERegistryFormatError naming the first line it cannot read.
    static TRegistryFile Parse(std::string rootName, const std::string& content);
    // Keeps every key and value that can be read and notes each line that cannot; the values
    // under a key line that cannot be read are dropped with it.
    static TSalvagedRegistry Salvage(std::string rootName, const std::string& content);
    std::string Serialise() const;

    // `path` as given by NormalKeyPath. Null when the key does not exist.
    TRegKey* FindKey(const std::string& path);
    const TRegKey* FindKey(const std::string& path) const;
    // Creates the key and its missing parents; gives the key.
    TRegKey& CreateKey(const std::string& path);

private:
    std::string rootName_;
    std::vector<TRegKey> keys_; // parents before children; the root first
};

struct TSalvagedRegistry {
    TRegistryFile File;
    std::vector<TRegistryDamage> Damage; // in line order; empty for a sound file
};

} // namespace zorvic
