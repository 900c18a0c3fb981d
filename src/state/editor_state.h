#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace kestrova {

// Which part of the screen ConvertScreen turns into MapBitmap, and where.
struct ConversionParameters {
  int lastRow = 191;
  int firstColumn = 0;
  int lastColumn = 31;
  int baseRow = 191;

  bool operator==(const ConversionParameters&) const = default;
};

// Columns the renderer uses for objects drawn at fixed columns; the palette
// changes them while it draws its previews.
struct PreviewColumns {
  std::array<int, 3> prisonerFigures = {15, 12, 18};  // first guard, prisoner, second guard
  int rocketMarker = 3;

  bool operator==(const PreviewColumns&) const = default;
};

// The editor-wide state. Plain fields; every handler reads and writes them
// directly. Addresses are Spectrum addresses into the SnapshotImage.
struct EditorState {
  // Core fields.
  std::uint32_t levelStart = 0;
  std::uint32_t levelEnd = 0;
  std::int32_t streamCursor = 0;
  std::uint32_t walkStart = 0;
  std::uint32_t currentCode = 0;
  std::int32_t currentRow = 0;
  std::int32_t scrollOffset = 0;
  std::int32_t savedScrollOffset = 0;
  std::int32_t bytesFree = 0;
  std::size_t snapshotSize = 0;
  bool loadedFromSzx = false;
  bool loadedScreen = false;
  std::uint32_t recordUnderPointer = 0;
  int currentLevelIndex = 0;  // the level chooser's index; level i + 1

  // Conversion parameters and drawing modes.
  ConversionParameters conversion;
  bool previewMode = false;
  bool wholeLevelMode = false;

  // Renderer scratch values that persist between records and walks.
  int operandColumn = 0;
  int savedRow = 0;
  std::uint32_t cellIndex = 0;
  std::uint32_t graphicsAddress = 0;
  int crossingColumn = 0;
  bool largeHut = false;
  PreviewColumns previewColumns;

  // Pointer, column range, drag and palette values.
  int pointerColumn = 0;
  int pointerRow = 0;
  std::uint32_t cellUnderPointer = 0;
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

  bool operator==(const EditorState&) const = default;
};

}  // namespace kestrova
