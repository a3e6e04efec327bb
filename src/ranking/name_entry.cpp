#include "ranking/name_entry.h"

#include "platform/dialog.h"
#include "platform/sjis.h"
#include "resources/name_dialog.h"

#include <algorithm>
#include <optional>
#include <string>

namespace {

// The field holds 11 bytes, of which 10 are kept.
constexpr int nameFieldLimit = 11;

std::optional<std::string> storableText(const platform::Dialog& dialog)
{
    return platform::sjis::fromUtf8(dialog.textUtf8(nameDialogControl::NameEdit));
}

void keepName(NameEntry& entry, std::string_view sjis)
{
    const std::string_view kept = platform::sjis::truncate(sjis, nameTextBytes);
    std::fill(entry.lastEnteredName.begin(), entry.lastEnteredName.end(), '\0');
    std::copy(kept.begin(), kept.end(), entry.lastEnteredName.begin());
}

int nameProc(platform::Dialog& dialog, platform::DialogEvent event, int id, void* context)
{
    auto& entry = *static_cast<NameEntry*>(context);
    switch (event) {
    case platform::DialogEvent::Init:
        entry.open = &dialog;
        dialog.setTextLimit(nameDialogControl::NameEdit, nameFieldLimit);
        return 1;
    case platform::DialogEvent::Changed:
        if (id != nameDialogControl::NameEdit)
            return 0;
        dialog.showHint(storableText(dialog) ? "" : unstorableNameHint);
        return 1;
    case platform::DialogEvent::Command:
        break;
    }
    switch (id) {
    case nameDialogControl::Clear:
        dialog.setText(nameDialogControl::NameEdit, "");
        dialog.showHint("");
        return 1;
    case nameDialogControl::Ok:
        // A name that cannot be stored whole is refused, not stored half-converted.
        if (const auto text = storableText(dialog)) {
            keepName(entry, *text);
            dialog.end(nameDialogControl::Ok);
        } else {
            dialog.showHint(unstorableNameHint);
        }
        return 1;
    case nameDialogControl::Cancel:
        dialog.end(nameDialogControl::Cancel);
        return 1;
    default:
        return 0;
    }
}

} // namespace

std::string_view askName(platform::Window& owner, NameEntry& entry)
{
    platform::Dialog::run(owner, nameDialog, nameProc, &entry);
    entry.open = nullptr;
    return lastName(entry);
}

std::string_view lastName(const NameEntry& entry)
{
    const auto end = std::find(entry.lastEnteredName.begin(), entry.lastEnteredName.end(), '\0');
    return std::string_view(entry.lastEnteredName.data(),
                            static_cast<std::size_t>(end - entry.lastEnteredName.begin()));
}

std::string typedName(const NameEntry& entry)
{
    if (!entry.open || platform::Dialog::active() != entry.open)
        return {};
    return std::string(platform::sjis::truncate(entry.open->text(nameDialogControl::NameEdit), nameTextBytes));
}
