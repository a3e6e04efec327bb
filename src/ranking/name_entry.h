#pragma once

#include "ranking/ranking_entry.h"

#include <array>
#include <string>
#include <string_view>

namespace platform {
class Dialog;
class Window;
} // namespace platform

// The name the player last confirmed with OK, kept for the whole run; the
// dialog hands it back on Cancel too, so a cancelled entry gets the previous
// name of the run.
struct NameEntry {
    std::array<char, nameTextBytes + 1> lastEnteredName{};
    // The name dialog while it is open.
    const platform::Dialog* open = nullptr;
};

// Asks for a name in the modal name dialog; returns lastEnteredName's text.
std::string_view askName(platform::Window& owner, NameEntry& entry);
std::string_view lastName(const NameEntry& entry);
// What the open name dialog's field holds, as it would be stored: characters
// that cannot be stored left out, cut to 10 bytes without splitting one.
// Empty when no name dialog is open.
std::string typedName(const NameEntry& entry);

// Refusal shown while the field holds characters that cannot be stored.
inline constexpr std::string_view unstorableNameHint =
    "この文字は名前に使えません（絵文字など）。消してから「ｵｰｹｰ」を押してください。";
