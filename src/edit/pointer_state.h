#pragma once

#include <cstdint>
#include <string>

namespace kestrova {

// What the map and palette gestures remember between pointer events: the
// cell and record under the pointer, the limits of the last popup or
// insertion, and the drag in progress. Written by the gestures (the Editor's
// map and palette handlers and the edit steps they call).
struct PointerState {
  int pointerColumn = 0;
  int pointerRow = 0;
  std::uint32_t cellUnderPointer = 0;
  std::uint32_t recordUnderPointer = 0;
  int rangeMin = 0;  // column range: smallest and largest column or distance
  int rangeMax = 0;
  int operandMin = 0;  // operand limits of the last insertion
  int operandMax = 0;
  std::string changeLabel;  // "Column" or "Distance"
  std::uint32_t attributeAddress = 0;
  std::uint32_t previousLand = 0;
  bool dragFlag = false;
  int grabbedColumn = 0;
  int grabbedRow = 0;
  int lastPointerY = 0;
  std::uint8_t paletteDragFlag = 0;
  // The map-view pixel the pointer was last over, while it is still there:
  // the status text describes it again after every action that redraws.
  bool onMap = false;
  int mapX = 0;
  int mapY = 0;

  bool operator==(const PointerState&) const = default;
};

}  // namespace kestrova
