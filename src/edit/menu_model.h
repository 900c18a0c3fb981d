#pragma once

#include <string>
#include <vector>

namespace kestrova {

// What a click on a menu item runs. The window turns MenuItems into real
// menus and hands the clicked item back to Editor::RunMenuCommand.
enum class MenuCommand {
  None,  // submenus, "Attribute" and the "Ink"/"Paper" holders
  // The seven insertion commands; the item's tag is the insertion tag.
  InsertSinglePair,
  InsertCaveWithSpace,
  InsertLogCrossing,
  InsertTunnelWithoutMotorbike,
  InsertTunnelWithMotorbike,
  InsertFullRoad,
  InsertFortress,
  // Deletes of the context menu ("Delete Land Space" is the plain delete).
  DeletePlain,
  DeleteRiverCrossing,
  DeleteTunnel,  // the item's tag is the number of bytes removed (14 or 18)
  DeleteFortress,
  // "Change Column" and "Change Distance".
  Change,
  // The colour items of "Ink" and "Paper"; the item's tag is the colour tag.
  Attribute,
};

// One menu item as plain data: caption, tag, enabled and checked state, the
// command of its click and its submenu.
struct MenuItem {
  std::string caption;
  int tag = 0;
  bool enabled = true;
  bool checked = false;
  MenuCommand command = MenuCommand::None;
  std::vector<MenuItem> children;
};

// Where the window shows the popup built by the last right-button press.
enum class PopupPlacement {
  None,         // nothing to show (a tile the popup table does not know)
  AtCursor,     // at once, at the mouse cursor
  ContextMenu,  // by the map view's own context-menu handling (bare ground)
};

}  // namespace kestrova
