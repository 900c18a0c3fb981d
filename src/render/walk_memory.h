#pragma once

#include <array>
#include <cstdint>

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

// What the level walk keeps between records and between refreshes: where it
// stands, the drawing modes, and the values one record leaves for the next
// (the crossing column, the large-hut flag). The renderer writes it; the
// palette's previews set its modes through the renderer's drawing calls.
struct WalkMemory {
  std::int32_t streamCursor = 0;
  std::uint32_t walkStart = 0;
  std::uint32_t currentCode = 0;
  std::int32_t currentRow = 0;

  ConversionParameters conversion;
  bool previewMode = false;
  bool wholeLevelMode = false;

  int crossingColumn = 0;
  bool largeHut = false;
  PreviewColumns previewColumns;

  // The next draw from the cursor starts at `address`.
  void PlaceCursorAt(std::uint32_t address) { streamCursor = static_cast<std::int32_t>(address); }
  // The next draw from the cursor starts where the last walk started.
  void RewindToWalkStart() { streamCursor = static_cast<std::int32_t>(walkStart); }
  // The map's own conversion, no previews: what a new snapshot is drawn with.
  void UseMapDrawing() {
    conversion = ConversionParameters{};
    previewMode = false;
  }

  bool operator==(const WalkMemory&) const = default;
};

}  // namespace kestrova
