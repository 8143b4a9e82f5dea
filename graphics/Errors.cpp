#include "Errors.h"

#include <charconv>

namespace zorvic {

int StrToInt(const std::string& text) {
    const char* first = text.data();
    const char* last = text.data() + text.size();
    if (first != last && *first == '+') ++first;
    int value = 0;
    const auto [end, error] = std::from_chars(first, last, value);
    if (first == last || error != std::errc() || end != last)
        throw EConvertError(FormatMessage("'%s' is not a valid integer value", {text}));
    return value;
}

int StrToIntDef(const std::string& text, int fallback) {
    try {
        return StrToInt(text);
    } catch (const EConvertError&) {
        return fallback;
    }
}

std::string FormatMessage(std::string pattern, std::initializer_list<std::string> arguments) {
    std::size_t from = 0;
    for (const std::string& argument : arguments) {
        const std::size_t at = pattern.find("%s", from);
        if (at == std::string::npos) break;
        pattern.replace(at, 2, argument);
        from = at + argument.size();
    }
    return pattern;
}

} // namespace zorvic
