#pragma once

// Inside the platform layer only: the Qt menu bar behind a Menu.

#include "platform/menu.h"

#include <QAction>
#include <QActionGroup>
#include <QMenuBar>

#include <functional>
#include <map>

namespace platform {

struct MenuData {
    QMenuBar* bar = nullptr; // owned by the window's frame
    std::map<int, QAction*> items;
    std::map<int, bool> checked;
    std::function<void(int)> onCommand;
};

// Fills the bar from the template; a chosen item calls onCommand with its id.
void buildMenu(Menu& menu, QMenuBar* bar, std::span<const MenuItemTemplate> items, std::function<void(int)> onCommand);

} // namespace platform
