#include "RegistryFile.h"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace zorvic {

namespace {

constexpr const char* kIntegerPrefix = "dword:";

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool StartsWithIgnoringCase(const std::string& text, const std::string& prefix) {
    return text.size() >= prefix.size() && SameRegistryName(text.substr(0, prefix.size()), prefix);
}

std::string Trimmed(const std::string& line) {
    const std::size_t first = line.find_first_not_of(" \t");
    if (first == std::string::npos) return "";
    return line.substr(first, line.find_last_not_of(" \t") - first + 1);
}

std::string Quoted(const std::string& text) {
    std::string quoted = "\"";
    for (const char c : text) {
        switch (c) {
        case '\\':
            quoted += "\\\\";
            break;
        case '"':
            quoted += "\\\"";
            break;
        case '\n':
            quoted += "\\n";
            break;
        case '\r':
            quoted += "\\r";
            break;
        default:
            quoted += c;
        }
    }
    return quoted + '"';
}

// Reads the quoted text that starts at line[at]; leaves `at` just past its closing quote.
// Hand-edited files may hold a lone backslash ("C:\Temp"); it is kept as written.
std::optional<std::string> Unquoted(const std::string& line, std::size_t& at) {
    std::string text;
    for (++at; at < line.size(); ++at) {
        const char c = line[at];
        if (c == '"') {
            ++at;
            return text;
        }
        if (c != '\\' || at + 1 == line.size()) {
            text += c;
            continue;
        }
        const char escaped = line[++at];
        switch (escaped) {
        case '\\':
        case '"':
            text += escaped;
            break;
        case 'n':
            text += '\n';
            break;
        case 'r':
            text += '\r';
            break;
        default:
            text += '\\', text += escaped;
        }
    }
    return std::nullopt;
}

std::optional<std::uint32_t> HexNumber(const std::string& digits) {
    if (digits.empty() || digits.size() > 8) return std::nullopt;
    std::uint32_t number = 0;
    for (const char c : digits) {
        const char lower = AsciiLower(c);
        const int digit = lower >= '0' && lower <= '9'   ? lower - '0'
                          : lower >= 'a' && lower <= 'f' ? lower - 'a' + 10
                                                         : -1;
        if (digit < 0) return std::nullopt;
        number = number * 16 + static_cast<std::uint32_t>(digit);
    }
    return number;
}

// `"name"="text"`, `"name"=dword:0000002a` or `@=...` for the unnamed value.
std::optional<TRegValue> ParsedValue(const std::string& line) {
    TRegValue value;
    std::size_t at = 0;
    if (line[0] == '@') {
        at = 1;
    } else {
        std::optional<std::string> name = Unquoted(line, at);
        if (!name) return std::nullopt;
        value.name = std::move(*name);
    }
    const std::string rest = Trimmed(line.substr(at));
    if (rest.empty() || rest[0] != '=') return std::nullopt;
    const std::string data = Trimmed(rest.substr(1));
    if (!data.empty() && data[0] == '"') {
        std::size_t end = 0;
        std::optional<std::string> text = Unquoted(data, end);
        if (!text || end != data.size()) return std::nullopt;
        value.text = std::move(*text);
        return value;
    }
    if (!StartsWithIgnoringCase(data, kIntegerPrefix)) return std::nullopt;
    const std::optional<std::uint32_t> number =
        HexNumber(data.substr(std::string(kIntegerPrefix).size()));
    if (!number) return std::nullopt;
    value.kind = TRegValueKind::Integer;
    value.number = *number;
    return value;
}

// The key path a section names ("HKEY_LOCAL_MACHINE\\SOFTWARE" in HKEY_LOCAL_MACHINE is
// "SOFTWARE"); nothing, with the reason in `problem`, when it names no key of the root.
std::optional<std::string> SectionKeyPath(const std::string& section, const std::string& rootName,
                                          std::string& problem) {
    if (SameRegistryName(section, rootName)) return "";
    if (!StartsWithIgnoringCase(section, rootName + "\\")) {
        problem = "a key outside " + rootName;
        return std::nullopt;
    }
    std::optional<std::string> path = NormalKeyPath(section.substr(rootName.size()));
    if (!path) problem = "a key name with a line break";
    return path;
}

} // namespace

bool SameRegistryName(const std::string& left, const std::string& right) {
    return std::equal(left.begin(), left.end(), right.begin(), right.end(),
                      [](char a, char b) { return AsciiLower(a) == AsciiLower(b); });
}

std::optional<std::string> NormalKeyPath(const std::string& path) {
    if (path.find_first_of("\r\n") != std::string::npos) return std::nullopt;
    std::string normal;
    std::size_t from = 0;
    while (from <= path.size()) {
        std::size_t end = path.find('\\', from);
        if (end == std::string::npos) end = path.size();
        if (end > from) {
            if (!normal.empty()) normal += '\\';
            normal.append(path, from, end - from);
        }
        from = end + 1;
    }
    return normal;
}

const TRegValue* TRegKey::FindValue(const std::string& name) const {
    const auto found = std::find_if(values.begin(), values.end(), [&](const TRegValue& value) {
        return SameRegistryName(value.name, name);
    });
    return found == values.end() ? nullptr : &*found;
}

void TRegKey::SetValue(TRegValue value) {
    for (TRegValue& stored : values) {
        if (SameRegistryName(stored.name, value.name)) {
            value.name = stored.name;
            stored = std::move(value);
            return;
        }
    }
    values.push_back(std::move(value));
}

bool TRegKey::RemoveValue(const std::string& name) {
    const auto found = std::find_if(values.begin(), values.end(), [&](const TRegValue& value) {
        return SameRegistryName(value.name, name);
    });
    if (found == values.end()) return false;
    values.erase(found);
    return true;
}

TRegistryFile::TRegistryFile(std::string rootName) : rootName_(std::move(rootName)) {
    keys_.push_back(TRegKey{});
}

TRegistryFile TRegistryFile::Parse(std::string rootName, const std::string& content) {
    TSalvagedRegistry salvaged = Salvage(std::move(rootName), content);
    if (!salvaged.Damage.empty()) {
        const TRegistryDamage& first = salvaged.Damage.front();
        throw ERegistryFormatError("line " + std::to_string(first.Line) + ": " + first.Reason);
    }
    return std::move(salvaged.File);
}

TSalvagedRegistry TRegistryFile::Salvage(std::string rootName, const std::string& content) {
    TSalvagedRegistry salvaged{TRegistryFile(std::move(rootName)), {}};
    TRegistryFile& file = salvaged.File;
    TRegKey* key = nullptr;
    bool inDamagedKey = false;
    std::size_t lineNumber = 0;
    std::size_t from = 0;
    const auto damaged = [&](std::string reason) {
        salvaged.Damage.push_back({lineNumber, std::move(reason)});
    };
    // A UTF-8 byte order mark is what some editors put in front.
    if (content.rfind("\xEF\xBB\xBF", 0) == 0) from = 3;
    while (from < content.size()) {
        std::size_t end = content.find('\n', from);
        if (end == std::string::npos) end = content.size();
        // Lines may end in CR LF when the file was edited elsewhere.
        const std::size_t length =
            end > from && content[end - 1] == '\r' ? end - from - 1 : end - from;
        const std::string line = Trimmed(content.substr(from, length));
        from = end + 1;
        ++lineNumber;
        if (line.empty() || line[0] == ';') continue;
        if (!key && (line == "Windows Registry Editor Version 5.00" || line == "REGEDIT4"))
            continue;
        if (line.front() == '[' && line.back() == ']') {
            std::string problem;
            const std::optional<std::string> path =
                SectionKeyPath(line.substr(1, line.size() - 2), file.rootName_, problem);
            key = path ? &file.CreateKey(*path) : nullptr;
            inDamagedKey = !path;
            if (!path) damaged(problem);
            continue;
        }
        if (line[0] != '"' && line[0] != '@') {
            damaged("neither a key nor a value");
            continue;
        }
        if (!key) {
            // The values of an unreadable key go with it; its line is already noted.
            if (!inDamagedKey) damaged("a value outside any key");
            continue;
        }
        std::optional<TRegValue> value = ParsedValue(line);
        if (value)
            key->SetValue(std::move(*value));
        else
            damaged("a value that cannot be read");
    }
    return salvaged;
}

std::string TRegistryFile::Serialise() const {
    std::string text;
    for (const TRegKey& key : keys_) {
        if (key.path.empty() && key.values.empty()) continue;
        text += '[';
        text += rootName_;
        if (!key.path.empty()) text += '\\';
        text += key.path;
        text += "]\n";
        for (const TRegValue& value : key.values) {
            text += value.name.empty() ? "@" : Quoted(value.name);
            text += '=';
            if (value.kind == TRegValueKind::String) {
                text += Quoted(value.text);
            } else {
                char digits[9];
                std::snprintf(digits, sizeof digits, "%08x", static_cast<unsigned>(value.number));
                text += kIntegerPrefix;
                text += digits;
            }
            text += '\n';
        }
        text += "\n";
    }
    return text;
}

const TRegKey* TRegistryFile::FindKey(const std::string& path) const {
    const auto found = std::find_if(keys_.begin(), keys_.end(), [&](const TRegKey& key) {
        return SameRegistryName(key.path, path);
    });
    return found == keys_.end() ? nullptr : &*found;
}

TRegKey* TRegistryFile::FindKey(const std::string& path) {
    return const_cast<TRegKey*>(std::as_const(*this).FindKey(path));
}

TRegKey& TRegistryFile::CreateKey(const std::string& path) {
    for (std::size_t end = path.find('\\');; end = path.find('\\', end + 1)) {
        const std::string prefix = path.substr(0, end);
        if (!FindKey(prefix)) keys_.push_back(TRegKey{prefix, {}});
        if (end == std::string::npos) break;
    }
    return *FindKey(path);
}

} // namespace zorvic
