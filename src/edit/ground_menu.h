#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "edit/menu_model.h"

namespace kestrova {

// The "Insert" tree as an outline in menu order: depth 1 items hang directly
// under "Insert". A leaf names its insertion tag (its caption and command
// come from the tag tables); a submenu names its caption. `minimumFree` is
// the room the entry needs (0: none beyond its parent's), `levelSlot` that
// the level table must have room for one more level.
struct InsertNode {
  int depth;
  std::string_view caption;  // submenus only
  int tag;                   // leaves only; -1 for submenus
  int minimumFree;
  bool levelSlot;
};

constexpr int kSubmenu = -1;
constexpr int kInsertMinimumFree = 2;

constexpr InsertNode kInsertTree[] = {
    {1, {}, 0, 0, false},
    {1, {}, 1, 0, false},
    {1, {}, 2, 0, false},
    {1, "Sandbags", kSubmenu, 0, false},
    {2, {}, 3, 0, false},
    {2, {}, 4, 0, false},
    {2, {}, 5, 0, false},
    {1, "Grenade", kSubmenu, 0, false},
    {2, {}, 6, 0, false},
    {2, {}, 7, 0, false},
    {2, {}, 8, 0, false},
    {1, "Trench", kSubmenu, 0, false},
    {2, {}, 9, 0, false},
    {2, {}, 10, 0, false},
    {2, {}, 11, 0, false},
    {1, "Mortar", kSubmenu, 0, false},
    {2, {}, 12, 0, false},
    {2, {}, 13, 0, false},
    {1, "Cliff", kSubmenu, 0, false},
    {2, "Cliff Main", kSubmenu, 0, false},
    {3, {}, 14, 0, false},
    {3, {}, 15, 0, false},
    {2, "Cliff Edge", kSubmenu, 0, false},
    {3, "Single Cliff", kSubmenu, 0, false},
    {4, "Left Edge", kSubmenu, 0, false},
    {5, {}, 16, 0, false},
    {5, {}, 17, 0, false},
    {4, "Right Edge", kSubmenu, 0, false},
    {5, {}, 18, 0, false},
    {5, {}, 19, 0, false},
    {3, "Double Cliff", kSubmenu, 0, false},
    {4, "Left Edge", kSubmenu, 0, false},
    {5, {}, 16, 0, false},
    {5, {}, 42, 0, false},
    {4, "Right Edge", kSubmenu, 0, false},
    {5, {}, 18, 0, false},
    {5, {}, 43, 0, false},
    {1, "Vehicle", kSubmenu, 0, false},
    {2, {}, 20, 0, false},
    {2, {}, 21, 0, false},
    {2, {}, 22, 0, false},
    {1, {}, 23, 0, false},
    {1, {}, 24, 0, false},
    {1, {}, 25, 0, false},
    {1, "Hut", kSubmenu, 0, false},
    {2, {}, 26, 0, false},
    {2, {}, 27, 0, false},
    {1, "Cave", kSubmenu, 0, false},
    {2, "Cave Bottom Edge", kSubmenu, 0, false},
    {3, {}, 28, 4, false},
    {3, {}, 29, 0, false},
    {2, "Cave Main", kSubmenu, 0, false},
    {3, {}, 30, 4, false},
    {3, {}, 31, 0, false},
    {2, {}, 32, 0, false},
    {1, "Log Crossing", kSubmenu, 14, false},
    {2, {}, 33, 0, false},
    {2, {}, 34, 0, false},
    {1, "Alarm", kSubmenu, 0, false},
    {2, {}, 35, 0, false},
    {2, {}, 36, 0, false},
    {1, {}, 37, 0, false},
    {1, "Rocket Launcher", kSubmenu, 0, false},
    {2, {}, 38, 0, false},
    {2, {}, 39, 0, false},
    {1, "Tunnel", kSubmenu, 14, false},
    {2, {}, 40, 0, false},
    {2, {}, 41, 18, false},
    {1, "Road", kSubmenu, 0, false},
    {2, {}, 44, 0, false},
    {2, {}, 45, 0, false},
    {2, {}, 46, 0, false},
    {2, {}, 47, 34, false},
    {1, "Fortress", kSubmenu, 10, true},
    {2, {}, 48, 0, false},
    {2, {}, 49, 0, false},
};

// What the ground menu's enabled states depend on.
struct GroundMenuRoom {
  bool recordUnderPointer = false;  // R
  int bytesFree = 0;                // F
  bool levelTableHasRoom = false;   // the level table's last entry is 0
};

// The ground menu: "Insert" (the tree), "Delete Land Space", "Change Distance".
std::vector<MenuItem> BuildGroundMenu(const GroundMenuRoom& room);

}  // namespace kestrova
