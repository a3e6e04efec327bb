#include "platform/window/menu_data.h"

#include <QMenu>

#include <vector>

namespace platform {

namespace {

QMenu* popupAt(const MenuData& data, std::span<const int> path)
{
    QMenu* menu = nullptr;
    QList<QAction*> actions = data.bar ? data.bar->actions() : QList<QAction*>{};
    for (int index : path) {
        if (index < 0 || index >= actions.size() || !actions[index]->menu())
            return nullptr;
        menu = actions[index]->menu();
        actions = menu->actions();
    }
    return menu;
}

QAction* itemOf(const MenuData& data, int id)
{
    const auto found = data.items.find(id);
    return found == data.items.end() ? nullptr : found->second;
}

} // namespace

Menu::Menu() : data_(std::make_unique<MenuData>())
{
}

Menu::~Menu() = default;

void buildMenu(Menu& menu, QMenuBar* bar, std::span<const MenuItemTemplate> items, std::function<void(int)> onCommand)
{
    MenuData& data = *menu.data();
    data.bar = bar;
    data.onCommand = std::move(onCommand);
    std::vector<QWidget*> parents{bar};
    for (const MenuItemTemplate& item : items) {
        if (item.level < 0 || item.level >= static_cast<int>(parents.size()))
            continue;
        parents.resize(static_cast<std::size_t>(item.level) + 1);
        QWidget* parent = parents.back();
        const QString text = QString::fromUtf8(item.text);
        if (item.popup) {
            auto* popup = new QMenu(text, parent);
            if (auto* parentBar = qobject_cast<QMenuBar*>(parent))
                parentBar->addMenu(popup);
            else
                static_cast<QMenu*>(parent)->addMenu(popup);
            parents.push_back(popup);
            continue;
        }
        auto* parentMenu = qobject_cast<QMenu*>(parent);
        if (!parentMenu)
            continue;
        if (item.id == 0) {
            parentMenu->addSeparator();
            continue;
        }
        QAction* action = parentMenu->addAction(text);
        action->setEnabled(!item.greyed);
        if (item.shortcut && *item.shortcut)
            action->setShortcut(QKeySequence(QString::fromUtf8(item.shortcut)));
        const int id = item.id;
        MenuData* shared = &data;
        QObject::connect(action, &QAction::triggered, action, [shared, action, id] {
            // A checkable action flips itself when chosen; the game decides its marks.
            action->setChecked(shared->checked[id]);
            if (shared->onCommand)
                shared->onCommand(id);
        });
        data.items[id] = action;
    }
}

void Menu::check(int id, bool checked)
{
    QAction* action = itemOf(*data_, id);
    if (!action)
        return;
    action->setCheckable(true);
    action->setChecked(checked);
    data_->checked[id] = checked;
}

bool Menu::isChecked(int id) const
{
    const auto found = data_->checked.find(id);
    return found != data_->checked.end() && found->second;
}

void Menu::checkRadio(int first, int last, int id)
{
    QAction* chosen = itemOf(*data_, id);
    if (!chosen || id < first || id > last)
        return;
    // An exclusive group is what makes Qt draw a radio mark.
    QActionGroup* group = chosen->actionGroup();
    if (!group) {
        group = new QActionGroup(data_->bar);
        group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    }
    for (int other = first; other <= last; ++other) {
        QAction* action = itemOf(*data_, other);
        if (!action)
            continue;
        if (!action->actionGroup())
            group->addAction(action);
        action->setCheckable(true);
        action->setChecked(other == id);
        data_->checked[other] = other == id;
    }
}

bool Menu::hasRadioMark(int id) const
{
    QAction* action = itemOf(*data_, id);
    return action && action->actionGroup() && isChecked(id);
}

void Menu::enable(int id, bool enabled)
{
    if (QAction* action = itemOf(*data_, id))
        action->setEnabled(enabled);
}

bool Menu::isEnabled(int id) const
{
    QAction* action = itemOf(*data_, id);
    return action && action->isEnabled();
}

bool Menu::contains(int id) const
{
    return itemOf(*data_, id) != nullptr;
}

void Menu::setHint(int id, std::string_view utf8)
{
    QAction* action = itemOf(*data_, id);
    if (!action)
        return;
    action->setToolTip(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
    for (QObject* container : action->associatedObjects()) {
        if (auto* popup = qobject_cast<QMenu*>(container))
            popup->setToolTipsVisible(true);
    }
}

std::string Menu::text(int id) const
{
    QAction* action = itemOf(*data_, id);
    return action ? action->text().toStdString() : std::string{};
}

std::string Menu::shortcut(int id) const
{
    QAction* action = itemOf(*data_, id);
    return action ? action->shortcut().toString().toStdString() : std::string{};
}

void Menu::removeAt(std::span<const int> popupPath, int position)
{
    QMenu* popup = popupAt(*data_, popupPath);
    if (!popup)
        return;
    const QList<QAction*> actions = popup->actions();
    if (position < 0 || position >= actions.size())
        return;
    QAction* action = actions[position];
    std::erase_if(data_->items, [action](const auto& entry) { return entry.second == action; });
    popup->removeAction(action);
    if (action->parent() == popup)
        delete action;
}

std::vector<std::string> Menu::itemTexts(std::span<const int> popupPath) const
{
    std::vector<std::string> texts;
    QList<QAction*> actions;
    if (popupPath.empty()) {
        if (data_->bar)
            actions = data_->bar->actions();
    } else if (QMenu* popup = popupAt(*data_, popupPath)) {
        actions = popup->actions();
    }
    for (QAction* action : actions)
        texts.push_back(action->isSeparator() ? std::string{} : action->text().toStdString());
    return texts;
}

} // namespace platform
