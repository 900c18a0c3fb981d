#include "app/popup_menu.h"

#include "qtio/qt_strings.h"

namespace kestrova::app {

namespace {

// A caption shows as it stands: an '&' is no mnemonic marker.
QString CaptionOf(const MenuItem& item) { return Q(item.caption).replace('&', "&&"); }

}  // namespace

PopupMenu::PopupMenu(const std::vector<MenuItem>& items, QWidget* parent) : menu_(std::make_unique<QMenu>(parent)) {
  menu_->setObjectName("PopupMenu1");
  Fill(*menu_, items);
}

void PopupMenu::Fill(QMenu& menu, const std::vector<MenuItem>& items) {
  for (const MenuItem& item : items) {
    if (!item.children.empty()) {
      QMenu* submenu = menu.addMenu(CaptionOf(item));
      submenu->setEnabled(item.enabled);
      Fill(*submenu, item.children);
      continue;
    }
    QAction* action = menu.addAction(CaptionOf(item));
    action->setEnabled(item.enabled);
    action->setCheckable(item.checked);
    action->setChecked(item.checked);
    items_[action] = &item;
  }
}

const MenuItem* PopupMenu::Choose(QPoint globalPosition) {
  const QAction* chosen = menu_->exec(globalPosition);
  const auto found = items_.find(chosen);
  return found == items_.end() ? nullptr : found->second;
}

}  // namespace kestrova::app
