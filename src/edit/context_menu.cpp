#include "edit/context_menu.h"

#include <initializer_list>

#include "edit/attribute_menu.h"
#include "edit/group_tiles.h"

namespace kestrova {

namespace {

constexpr std::string_view kChangeColumnCaption = "Change Column";
constexpr std::string_view kAttributeCaption = "Attribute";

MenuItem DeleteEntry(const PopupRow& row, const SnapshotImage& image, std::uint32_t tile, std::uint32_t record,
                     LevelBounds level) {
  MenuItem item;
  item.caption = std::string(row.deleteCaption);
  item.command = row.deleteCommand;
  if (tile == kRocketLauncherTile && image.Read(record + 1) == 0) item.caption = std::string(kRocketLauncherEndCaption);
  if (row.deleteCommand == MenuCommand::DeleteFortress) item.enabled = CanDeleteFortress(image, record, level);
  if (row.deleteCommand == MenuCommand::DeleteTunnel) item.tag = TunnelGroupSize(image, record);
  return item;
}

// Drag column ranges by tile; tiles not listed drag without sideways moves.
struct DragEntry {
  bool draggable = false;
  ColumnRange range;
};

constexpr std::array<DragEntry, 256> BuildDragTable() {
  std::array<DragEntry, 256> table{};
  for (DragEntry& entry : table) entry.draggable = true;
  auto set = [&table](std::initializer_list<int> tiles, int minimum, int maximum) {
    for (int tile : tiles) table[static_cast<std::size_t>(tile)].range = {minimum, maximum};
  };
  set({4, 15, 18, 19, 35, 37, 138, 140}, 0, 30);
  set({5, 6}, 0, 16);
  set({16, 17, 135, 139}, 0, 29);
  set({29, 30, 31, 129, 148}, 0, 26);
  for (int tile = 100; tile <= 113; ++tile) set({tile}, 0, 26);
  set({36}, 0, 28);
  set({38, 41}, 0, 31);
  set({131, 132}, 1, 30);
  set({151, 153}, 1, 25);
  table[0].draggable = false;  // bare ground
  for (std::uint32_t tile : kFortressTunnelAndCrossingTiles) table[tile].draggable = false;
  return table;
}

constexpr std::array<DragEntry, 256> kDragTable = BuildDragTable();

}  // namespace

std::optional<std::string> ObjectKindOf(std::uint32_t tile) {
  constexpr std::string_view kDelete = "Delete ";
  const PopupRow* row = FindPopupRow(tile);
  if (!row || !row->deleteCaption.starts_with(kDelete)) return std::nullopt;
  return std::string(row->deleteCaption.substr(kDelete.size()));
}

const PopupRow* FindPopupRow(std::uint32_t tile) {
  for (const PopupRow& row : kPopupRows)
    if (tile >= row.firstTile && tile <= row.lastTile) return &row;
  return nullptr;
}

std::uint32_t AttributeAddressOf(const PopupRow& row, std::uint32_t tile) {
  return row.attributeByTile ? row.attributeAddress - tile : row.attributeAddress;
}

std::optional<ObjectPopup> BuildObjectPopup(const SnapshotImage& image, std::uint32_t tile, std::uint32_t record,
                                            LevelBounds level) {
  const PopupRow* row = FindPopupRow(tile);
  if (!row) return std::nullopt;
  ObjectPopup popup;
  popup.rangeMin = row->rangeMin;
  popup.rangeMax = row->rangeMax;
  popup.changeColumn = row->changeColumn;
  popup.items.push_back(DeleteEntry(*row, image, tile, record, level));
  if (row->changeColumn) {
    MenuItem change;
    change.caption = std::string(kChangeColumnCaption);
    change.command = MenuCommand::Change;
    popup.items.push_back(change);
  }
  if (row->attribute) {
    const std::uint32_t address = AttributeAddressOf(*row, tile);
    popup.attributeAddress = address;
    MenuItem attribute;
    attribute.caption = std::string(kAttributeCaption);
    attribute.children = BuildAttributeSubmenu(tile, image.Read(address));
    popup.items.push_back(attribute);
  }
  return popup;
}

std::optional<ColumnRange> DragColumnRange(std::uint32_t tile) {
  if (tile >= kDragTable.size()) return ColumnRange{};
  if (!kDragTable[tile].draggable) return std::nullopt;
  return kDragTable[tile].range;
}

}  // namespace kestrova
