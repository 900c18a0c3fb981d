#include "edit/ground_menu.h"

#include <span>
#include <string>

#include "edit/insertion.h"

namespace kestrova {

namespace {

bool Enabled(const InsertNode& node, const GroundMenuRoom& room) {
  if (node.minimumFree == 0 && !node.levelSlot) return true;
  return room.recordUnderPointer && room.bytesFree >= node.minimumFree && (!node.levelSlot || room.levelTableHasRoom);
}

MenuItem ItemOf(const InsertNode& node, const GroundMenuRoom& room) {
  MenuItem item;
  if (node.tag == kSubmenu) {
    item.caption = std::string(node.caption);
  } else {
    item.caption = std::string(InsertionCaption(node.tag));
    item.tag = node.tag;
    item.command = InsertionCommand(node.tag);
  }
  item.enabled = Enabled(node, room);
  return item;
}

// Appends the nodes of one depth to `parent`, each with the deeper nodes
// that follow it; returns the first node not consumed.
std::size_t AddChildren(MenuItem& parent, std::span<const InsertNode> nodes, std::size_t at, int depth,
                        const GroundMenuRoom& room) {
  while (at < nodes.size() && nodes[at].depth == depth) {
    MenuItem item = ItemOf(nodes[at], room);
    at = AddChildren(item, nodes, at + 1, depth + 1, room);
    parent.children.push_back(std::move(item));
  }
  return at;
}

}  // namespace

std::vector<MenuItem> BuildGroundMenu(const GroundMenuRoom& room) {
  MenuItem insert;
  insert.caption = "Insert";
  insert.enabled = room.recordUnderPointer && room.bytesFree >= kInsertMinimumFree;
  AddChildren(insert, kInsertTree, 0, 1, room);

  MenuItem deleteLand;
  deleteLand.caption = "Delete Land Space";
  deleteLand.command = MenuCommand::DeletePlain;
  deleteLand.enabled = room.recordUnderPointer;

  MenuItem changeDistance;
  changeDistance.caption = "Change Distance";
  changeDistance.command = MenuCommand::Change;
  changeDistance.enabled = room.recordUnderPointer;
  return {insert, deleteLand, changeDistance};
}

}  // namespace kestrova
