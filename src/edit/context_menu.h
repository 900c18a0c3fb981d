#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "edit/deletes.h"
#include "edit/menu_model.h"
#include "snapshot/snapshot_image.h"

namespace kestrova {

// One row of the object popup: the tiles it serves (first..last), entry 1
// (the delete and its command), whether "Change Column" and "Attribute"
// follow, the column range, and the colour byte "Attribute" edits.
struct PopupRow {
  std::uint8_t firstTile;
  std::uint8_t lastTile;
  std::string_view deleteCaption;
  MenuCommand deleteCommand;
  bool changeColumn;
  bool attribute;
  int rangeMin;
  int rangeMax;
  std::uint32_t attributeAddress;  // for a row of several tiles: the address minus the tile id
  bool attributeByTile;
};

// Short names for the table's delete commands.
constexpr MenuCommand kPlain = MenuCommand::DeletePlain;
constexpr MenuCommand kCrossing = MenuCommand::DeleteRiverCrossing;
constexpr MenuCommand kTunnel = MenuCommand::DeleteTunnel;

constexpr PopupRow kPopupRows[] = {
    {4, 4, "Delete Road Marking", kPlain, true, true, 0, 30, 0x900D, false},
    {5, 5, "Delete Road Bottom Edging", kPlain, false, true, 0, 31, 0x8F46, false},
    {6, 6, "Delete Road Top Edging", kPlain, false, true, 0, 31, 0x8F44, false},
    {13, 13, "Delete River Crossing", kCrossing, false, true, 0, 0, 0x8E0E, false},
    {14, 14, "Delete River Crossing", kCrossing, false, true, 0, 0, 0x8D59, false},
    {25, 25, "Delete River Crossing", kCrossing, false, true, 0, 0, 0x8D59, false},
    {147, 147, "Delete River Crossing", kCrossing, false, true, 0, 0, 0x8997, false},
    {152, 152, "Delete River Crossing", kCrossing, false, true, 0, 0, 0x8987, false},
    {15, 15, "Delete Single Grenade", kPlain, true, true, 0, 30, 0x8EC5, false},
    {16, 16, "Delete Triple Grenade", kPlain, true, true, 0, 29, 0x8EDC, false},
    {17, 17, "Delete Quintuple Grenade", kPlain, true, true, 0, 29, 0x8EF3, false},
    {18, 18, "Delete Left Mortar", kPlain, true, true, 0, 30, 0x8E7C, false},
    {19, 19, "Delete Right Mortar", kPlain, true, true, 0, 30, 0x8E8B, false},
    {21, 21, "Delete Prisoner of War", kPlain, false, true, 0, 0, 0x827D, false},
    {22, 22, "Delete Prisoner of War", kPlain, false, true, 0, 0, 0x8286, false},
    {32, 32, "Delete Prisoner of War", kPlain, false, true, 0, 0, 0x8274, false},
    {26, 26, "Delete Lorry", kPlain, false, true, 0, 0, 0x862D, false},
    {27, 27, "Delete Motorbike", kPlain, false, false, 0, 0, 0, false},
    {28, 28, "Delete Jeep", kPlain, false, true, 0, 0, 0x8400, false},
    {29, 29, "Delete Cave Top", kPlain, true, true, 0, 26, 0x8348, false},
    {30, 30, "Delete Cave Main", kPlain, true, true, 0, 26, 0x8330, false},
    {31, 31, "Delete Cave Bottom", kPlain, true, true, 0, 26, 0x8348, false},
    {33, 33, "Delete Fortress", MenuCommand::DeleteFortress, false, true, 0, 0, 0x819C, false},
    {34, 34, "Delete Spawn Point", kPlain, false, false, 0, 0, 0, false},
    {35, 35, "Delete Trench LHS", kPlain, true, true, 0, 30, 0x8174, false},
    {36, 36, "Delete Trench Middle", kPlain, true, true, 0, 28, 0x8183, false},
    {37, 37, "Delete Trench RHS", kPlain, true, true, 0, 30, 0x8174, false},
    {38, 38, "Delete Cliff Edge", kPlain, true, true, 0, 31, 0x908E, false},
    {41, 41, "Delete Cliff Edge", kPlain, true, true, 0, 31, 0x9099, false},
    {39, 39, "Delete Alarm", kPlain, false, false, 0, 0, 0, false},
    {40, 40, "Delete Rocket Launcher Attack", kPlain, false, false, 0, 0, 0, false},
    {100, 113, "Delete Cliff", kPlain, true, true, 0, 26, 0x9195, true},
    {114, 114, "Delete Tunnel", kTunnel, false, true, 0, 0, 0x893A, false},
    {115, 115, "Delete Tunnel", kTunnel, false, true, 0, 0, 0x8827, false},
    {116, 116, "Delete Tunnel", kTunnel, false, true, 0, 0, 0x8747, false},
    {150, 150, "Delete Tunnel", kTunnel, false, true, 0, 0, 0x891C, false},
    {129, 129, "Delete Bunker", kPlain, true, true, 0, 26, 0x8701, false},
    {131, 131, "Delete Tree", kPlain, true, true, 1, 30, 0x903A, false},
    {132, 132, "Delete Tree", kPlain, true, true, 1, 30, 0x901F, false},
    {135, 135, "Delete Boulder", kPlain, true, true, 0, 29, 0x9046, false},
    {138, 138, "Delete Sandbags LHS", kPlain, true, true, 0, 30, 0x8F1F, false},
    {139, 139, "Delete Sandbags MIDDLE", kPlain, true, true, 0, 29, 0x8F2E, false},
    {140, 140, "Delete Sandbags RHS", kPlain, true, false, 0, 30, 0, false},
    {148, 148, "Delete Small Hut", kPlain, true, true, 0, 26, 0x832C, false},
    {149, 149, "Delete Barracks", kPlain, false, true, 0, 0, 0x8905, false},
    {151, 151, "Delete Large Hut", kPlain, true, true, 1, 25, 0x830C, false},
    {153, 153, "Delete Large Hut", kPlain, true, true, 1, 25, 0x8318, false},
};

// Tile 40's caption when its record ends an attack (operand 0).
constexpr std::string_view kRocketLauncherEndCaption = "Delete End of Rocket Launcher Attack";
constexpr std::uint32_t kRocketLauncherTile = 40;
constexpr std::uint32_t kFortressTile = 33;

const PopupRow* FindPopupRow(std::uint32_t tile);

// The kind of object a tile belongs to, as its popup's delete names it
// ("Tree" for "Delete Tree"); nothing for a tile with no such row.
std::optional<std::string> ObjectKindOf(std::uint32_t tile);
std::uint32_t AttributeAddressOf(const PopupRow& row, std::uint32_t tile);

// What a right-button press on an object sets besides the popup's items.
struct ObjectPopup {
  std::vector<MenuItem> items;
  int rangeMin = 0;
  int rangeMax = 0;
  bool changeColumn = false;  // the change label becomes "Column"
  std::optional<std::uint32_t> attributeAddress;
};

// The popup for a tile with a row in the table (nothing for other tiles),
// with the record under the pointer at `record` in the current level.
std::optional<ObjectPopup> BuildObjectPopup(const SnapshotImage& image, std::uint32_t tile, std::uint32_t record,
                                            LevelBounds level);

// Column range while dragging a tile; nothing for a tile that cannot be
// dragged (nothing drawn, river crossings, tunnels, the fortress).
struct ColumnRange {
  int minimum = 0;
  int maximum = 0;
};
std::optional<ColumnRange> DragColumnRange(std::uint32_t tile);

}  // namespace kestrova
