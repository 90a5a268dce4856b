#include "platform/qt/menu_bar_mirror.h"

#include <QMenu>

namespace velmora {

MenuBarMirror::MenuBarMirror(QMenuBar& bar, std::function<void(MenuItem&)> onClick)
    : bar_(bar), onClick_(std::move(onClick)) {}

void MenuBarMirror::Build(MenuItem& root, const QFont& font) {
  bar_.clear();
  actions_.clear();
  // The menu belongs to the window's client frame, as the original's did, also on
  // desktops that would lift it into a global menu bar.
  bar_.setNativeMenuBar(false);
  bar_.setFont(font);
  AddItems(bar_, root, font);
  MirrorAll();
}

void MenuBarMirror::AddItems(QWidget& container, MenuItem& parent, const QFont& font) {
  for (MenuItem* item : parent.Items()) {
    QAction* action = nullptr;
    if (item->Items().empty()) {
      action = new QAction(&container);
      QObject::connect(action, &QAction::triggered, &container, [this, item] { onClick_(*item); });
    } else {
      auto* menu = new QMenu(&container);
      menu->setFont(font);
      action = menu->menuAction();
      AddItems(*menu, *item, font);
    }
    // Captions are shown as they are: the game has no accelerator keys.
    action->setMenuRole(QAction::NoRole);
    container.addAction(action);
    actions_[item] = action;
  }
}

void MenuBarMirror::Mirror(const MenuItem& item) {
  QAction* action = ActionOf(item);
  if (!action) return;
  action->setText(QString::fromStdString(item.Caption()));
  action->setEnabled(item.Enabled());
  action->setVisible(item.Visible());
  // Only a checked item is checkable, so an unchecked one shows no empty box, as in
  // the original menus.
  action->setCheckable(item.Checked());
  action->setChecked(item.Checked());
}

void MenuBarMirror::MirrorAll() {
  for (const auto& [item, action] : actions_) Mirror(*item);
}

QAction* MenuBarMirror::ActionOf(const MenuItem& item) const {
  const auto found = actions_.find(&item);
  return found == actions_.end() ? nullptr : found->second;
}

}  // namespace velmora
