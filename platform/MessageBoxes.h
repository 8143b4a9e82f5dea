#pragma once
#include "ScopedOverride.h"

#include <functional>
#include <string>

namespace zorvic {

// A plain information box with one OK button, captioned with the program's title "Zorvic".
void ShowMessage(const std::string& text);

using TMessageBoxHandler = std::function<void(const std::string&)>;

// Replaces the box for as long as the object lives (tests record the text instead of blocking
// on a modal box).
class TMessageBoxOverride : public TScopedOverride<TMessageBoxHandler> {
public:
    explicit TMessageBoxOverride(TMessageBoxHandler handler);
};

} // namespace zorvic
