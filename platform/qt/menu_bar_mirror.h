#pragma once
// The window's menu bar, built from the game's menu tree and kept in step with it:
// captions, enabled and visible states and check marks.

#include <QAction>
#include <QFont>
#include <QMenuBar>
#include <functional>
#include <unordered_map>

#include "app/menu_item.h"

namespace velmora {

class MenuBarMirror {
 public:
  // OnClick is called when the player picks an item that has no sub-menu.
  MenuBarMirror(QMenuBar& bar, std::function<void(MenuItem&)> onClick);

  // Builds the bar from the top-level items of Root, every menu in Font.
  void Build(MenuItem& root, const QFont& font);
  // Follows a change of one item.
  void Mirror(const MenuItem& item);
  // Follows every item again (Qt flips a checkable action by itself when it is picked).
  void MirrorAll();
  // The action that stands for an item, null for an item not on the bar.
  QAction* ActionOf(const MenuItem& item) const;

 private:
  void AddItems(QWidget& container, MenuItem& parent, const QFont& font);

  QMenuBar& bar_;
  std::function<void(MenuItem&)> onClick_;
  std::unordered_map<const MenuItem*, QAction*> actions_;
};

}  // namespace velmora
