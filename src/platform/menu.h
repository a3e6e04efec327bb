#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// One row of a menu template. Level 0 items are on the bar; a popup holds the
// items of the next level that follow it. A separator has id 0 and no text.
struct MenuItemTemplate {
    int level = 0;
    const char* text = ""; // UTF-8; "&" marks the access key
    int id = 0;
    bool popup = false;
    bool greyed = false;
    // A key that chooses the item while it is enabled, shown beside its text ("F2").
    const char* shortcut = "";
};

struct MenuData;

// The menu bar of the window. Items are reached by command id, except for
// removal, which is by position inside a popup.
class Menu {
public:
    Menu();
    ~Menu();
    Menu(const Menu&) = delete;
    Menu& operator=(const Menu&) = delete;

    void check(int id, bool checked);
    bool isChecked(int id) const;
    // Puts the radio mark on id and takes it from every other item of first..last.
    void checkRadio(int first, int last, int id);
    bool hasRadioMark(int id) const;
    void enable(int id, bool enabled);
    bool isEnabled(int id) const;
    bool contains(int id) const;
    // A line shown when the pointer rests on the item, UTF-8.
    void setHint(int id, std::string_view utf8);
    std::string text(int id) const;
    std::string shortcut(int id) const;

    // popupPath: the popup's position on the bar, then inside each deeper popup.
    void removeAt(std::span<const int> popupPath, int position);
    // Texts of a popup's items in order (an empty text for a separator).
    std::vector<std::string> itemTexts(std::span<const int> popupPath) const;

    MenuData* data() { return data_.get(); }

private:
    std::unique_ptr<MenuData> data_;
};

} // namespace platform
