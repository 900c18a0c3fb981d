#pragma once

#include <QMenu>

#include <map>
#include <memory>
#include <vector>

#include "edit/menu_model.h"

namespace kestrova::app {

// A popup built from the Editor's menu items: captions as they stand,
// enabled and checked states, nested submenus. Built afresh for every press.
class PopupMenu {
 public:
  PopupMenu(const std::vector<MenuItem>& items, QWidget* parent);

  // Shows the menu at `globalPosition` until the person chooses or leaves;
  // the item chosen, or nothing. The items must outlive the call.
  const MenuItem* Choose(QPoint globalPosition);

 private:
  void Fill(QMenu& menu, const std::vector<MenuItem>& items);
  std::unique_ptr<QMenu> menu_;
  std::map<const QAction*, const MenuItem*> items_;
};

}  // namespace kestrova::app
