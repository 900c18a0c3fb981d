#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "edit/properties_tabs.h"
#include "surface/fast_dib.h"

namespace kestrova {

// The object palette: 32 slots of 32 pixels across the 1024 x 40 strip.
constexpr int kPaletteSlotWidth = 32;
constexpr int kPaletteSlots = 32;
constexpr int kPaletteStripWidth = kPaletteSlotWidth * kPaletteSlots;
constexpr int kPaletteStripHeight = 40;

// "Left as it is": a picture whose drawer does not need the current code set.
constexpr int kKeepCurrentCode = -1;

// One picture of the strip: drawn by the level drawer of `drawer` from the
// record at `sample`, converted over the window (columns, rows 0..lastRow)
// and stretched from MapBitmap (y from the top) into the strip.
struct PalettePicture {
  int firstSlot;
  int lastSlot;
  int tag;                           // the insertion tag of a left press, for slots without options
  std::optional<PropertiesTab> tab;  // otherwise the "Properties" tab whose options decide it
  std::uint8_t drawer;
  int currentCode;  // set before the drawer runs, or kKeepCurrentCode
  std::uint32_t sample;
  int firstColumn;
  int lastColumn;
  int lastRow;
  int rectangles;  // 1 or 2
  std::array<Rect, 2> source;
  std::array<Rect, 2> destination;
};

constexpr int kNoTag = -1;
constexpr std::optional<PropertiesTab> kNoTab = std::nullopt;
constexpr int kKeep = kKeepCurrentCode;

// clang-format off
inline constexpr std::array<PalettePicture, 30> kPalettePictures = {{
    {0, 0, 0, kNoTab, 0x00, kKeep, 0x992A, 0, 0, 10, 1, {{{0, 182, 8, 10}}}, {{{0, 0, 32, 40}}}},
    {1, 1, 1, kNoTab, 0x83, kKeep, 0x993F, 4, 6, 39, 1, {{{32, 152, 24, 40}}}, {{{32, 0, 32, 40}}}},
    {2, 2, 2, kNoTab, 0x87, kKeep, 0x990F, 8, 10, 21, 1, {{{64, 170, 24, 22}}}, {{{64, 0, 32, 40}}}},
    {3, 3, 6, kNoTab, 0x0F, kKeep, 0xA01D, 12, 13, 15, 1, {{{96, 176, 16, 16}}}, {{{96, 0, 32, 40}}}},
    {4, 4, 7, kNoTab, 0x10, 0x10, 0x9A42, 16, 18, 21, 1, {{{128, 170, 24, 22}}}, {{{128, 0, 32, 40}}}},
    {5, 5, 8, kNoTab, 0x11, 0x11, 0x9A14, 20, 22, 21, 1, {{{160, 170, 24, 22}}}, {{{160, 0, 32, 40}}}},
    {6, 6, 13, kNoTab, 0x13, 0x13, 0x9CAA, 24, 25, 15, 1, {{{192, 176, 16, 16}}}, {{{192, 0, 32, 40}}}},
    {7, 7, 12, kNoTab, 0x12, 0x12, 0x9A03, 28, 29, 15, 1, {{{224, 176, 16, 16}}}, {{{224, 0, 32, 40}}}},
    {8, 8, 3, kNoTab, 0x8A, kKeep, 0x992A, 0, 1, 17, 1, {{{0, 174, 16, 18}}}, {{{256, 0, 32, 40}}}},
    {9, 9, 4, kNoTab, 0x8B, kKeep, 0x9927, 4, 6, 17, 1, {{{32, 174, 24, 18}}}, {{{288, 0, 32, 40}}}},
    {10, 10, 5, kNoTab, 0x8C, kKeep, 0x990F, 8, 9, 17, 1, {{{64, 174, 16, 18}}}, {{{320, 0, 32, 40}}}},
    {11, 11, 9, kNoTab, 0x23, 0x23, 0xA01D, 12, 13, 11, 1, {{{96, 180, 16, 12}}}, {{{352, 0, 32, 40}}}},
    {12, 12, 10, kNoTab, 0x24, kKeep, 0x9A42, 16, 19, 11, 1, {{{128, 180, 32, 12}}}, {{{384, 0, 32, 40}}}},
    {13, 13, 11, kNoTab, 0x25, 0x25, 0x9A14, 20, 21, 11, 1, {{{160, 180, 16, 12}}}, {{{416, 0, 32, 40}}}},
    {14, 14, 20, kNoTab, 0x1A, kKeep, 0x992A, 0, 6, 31, 1, {{{0, 160, 56, 32}}}, {{{448, 0, 32, 40}}}},
    {15, 15, 21, kNoTab, 0x1B, kKeep, 0x992A, 0, 4, 21, 1, {{{0, 170, 40, 22}}}, {{{480, 0, 32, 40}}}},
    {16, 16, 22, kNoTab, 0x1C, kKeep, 0x992A, 0, 3, 31, 1, {{{0, 160, 32, 32}}}, {{{512, 0, 32, 40}}}},
    {17, 17, 25, kNoTab, 0x81, kKeep, 0xA01D, 12, 17, 63, 1, {{{96, 128, 48, 64}}}, {{{544, 0, 32, 40}}}},
    {18, 18, 24, kNoTab, 0x95, kKeep, 0x9A14, 20, 24, 63, 1, {{{160, 126, 40, 66}}}, {{{576, 0, 32, 40}}}},
    {19, 19, kNoTag, PropertiesTab::Hut, 0x94, kKeep, 0xA0C3, 25, 30, 39, 1, {{{200, 152, 48, 40}}}, {{{608, 0, 32, 40}}}},
    {20, 20, kNoTag, PropertiesTab::Cliff, 0x82, kKeep, 0x992A, 0, 5, 95, 1, {{{0, 96, 48, 96}}}, {{{640, 0, 32, 40}}}},
    {21, 21, kNoTag, PropertiesTab::Cave, 0x1E, 0x1E, 0x990F, 8, 13, 39, 1, {{{64, 152, 48, 40}}}, {{{672, 0, 32, 40}}}},
    {22, 22, 37, kNoTab, 0x22, kKeep, 0x992A, 0, 10, 7, 2,
     {{{0, 184, 40, 8}, {48, 184, 40, 8}}}, {{{704, 5, 32, 16}, {704, 21, 32, 16}}}},
    {23, 23, kNoTag, PropertiesTab::Alarm, 0x27, kKeep, 0x992A, 0, 10, 7, 1, {{{0, 184, 40, 8}}}, {{{736, 12, 32, 16}}}},
    {24, 24, 23, kNoTab, 0x20, kKeep, 0xA01D, 12, 20, 21, 1, {{{120, 170, 24, 22}}}, {{{776, 2, 32, 40}}}},
    {25, 26, kNoTag, PropertiesTab::Bridge, 0x96, kKeep, 0xA01D, 12, 19, 49, 1, {{{96, 142, 64, 50}}}, {{{800, 0, 64, 40}}}},
    {27, 27, kNoTag, PropertiesTab::Rocket, 0x28, kKeep, 0x9970, 3, 5, 19, 1, {{{24, 172, 24, 20}}}, {{{871, 0, 32, 40}}}},
    {28, 28, kNoTag, PropertiesTab::LogCrossing, 0x98, kKeep, 0x990F, 8, 15, 79, 2,
     {{{64, 112, 8, 80}, {120, 112, 8, 80}}}, {{{901, 0, 8, 40}, {917, 0, 8, 40}}}},
    {29, 29, kNoTag, PropertiesTab::Road, 0x04, kKeep, 0x992A, 0, 1, 17, 1, {{{0, 174, 16, 18}}}, {{{928, 0, 32, 40}}}},
    {30, 31, kNoTag, PropertiesTab::Fortress, 0x21, kKeep, 0x9A14, 12, 19, 43, 1, {{{96, 148, 64, 44}}}, {{{960, 0, 64, 40}}}},
}};
// clang-format on

// The strip is drawn in groups of pictures whose windows do not overlap;
// MapBitmap and the screen are cleared between groups. First and last slot.
struct PaletteGroup {
  int firstSlot;
  int lastSlot;
};
inline constexpr std::array<PaletteGroup, 11> kPaletteGroups = {{
    {0, 7},
    {8, 13},
    {14, 14},
    {15, 15},
    {16, 19},
    {20, 21},
    {22, 22},
    {23, 24},
    {25, 27},
    {28, 28},
    {29, 31},
}};

// Pixel fix-ups of the strip (x and y ranges inclusive, y from the top).
struct StripArea {
  int firstX;
  int lastX;
  int firstY;
  int lastY;
};
// Barracks: every pixel without green turns blue, before the hut is stretched.
constexpr int kBlueFixBeforeSlot = 19;
constexpr StripArea kBlueFixArea{576, 608, 0, 39};
// Slots 22..27: the yellow background, after slot 22's conversion.
constexpr int kYellowFillSlot = 22;
constexpr StripArea kYellowFillArea{704, 896, 0, 39};
// The log crossing's water: black and yellow pixels turn cyan.
constexpr int kCyanFixAfterSlot = 28;
constexpr StripArea kCyanFixArea{896, 928, 0, 39};

// ---- Drag pictures ----

// Drawer settings beyond the current code.
enum class DragDrawing {
  Plain,
  LargeHut,         // the large-hut flag set before the drawer
  FigureColumns,    // prisoner-of-war figures at preview columns 3, 0, 6
  MarkerColumn,     // rocket-launcher marker at preview column 0
  TwoLogCrossings,  // slot 28: a yellow fill, then two drawings
};

// One row of the drag-picture table: the picture of insertion tag `tag`
// (picked on `slot`, the first slot of its palette picture, as the options
// decide), width x height of the picture,
// MapBitmap at half that size, window columns 0..lastColumn and rows
// 0..lastRow, the current row (and base bitmap row lastRow).
struct DragPictureRow {
  int slot;
  int tag;
  int width;
  int height;
  int lastColumn;
  int lastRow;
  int currentRow;
  std::uint8_t drawer;
  int currentCode;
  DragDrawing drawing;
  std::uint32_t sample;
};

// clang-format off
inline constexpr std::array<DragPictureRow, 50> kDragPictures = {{
    {0, 0, 40, 40, 2, 19, 19, 0x00, kKeep, DragDrawing::Plain, 0x992A},
    {1, 1, 48, 80, 2, 39, 39, 0x83, kKeep, DragDrawing::Plain, 0x9942},
    {2, 2, 48, 44, 2, 21, 21, 0x87, kKeep, DragDrawing::Plain, 0x992A},
    {3, 6, 32, 32, 1, 15, 15, 0x0F, kKeep, DragDrawing::Plain, 0x992A},
    {4, 7, 48, 44, 2, 21, 21, 0x10, 0x10, DragDrawing::Plain, 0x992A},
    {5, 8, 48, 44, 2, 21, 21, 0x11, 0x11, DragDrawing::Plain, 0x992A},
    {6, 13, 32, 32, 1, 15, 15, 0x13, 0x13, DragDrawing::Plain, 0x992A},
    {7, 12, 32, 32, 1, 15, 15, 0x12, 0x12, DragDrawing::Plain, 0x992A},
    {8, 3, 32, 36, 1, 17, 17, 0x8A, kKeep, DragDrawing::Plain, 0x992A},
    {9, 4, 48, 36, 2, 17, 17, 0x8B, kKeep, DragDrawing::Plain, 0x992A},
    {10, 5, 32, 36, 1, 17, 17, 0x8C, kKeep, DragDrawing::Plain, 0x992A},
    {11, 9, 32, 24, 1, 11, 11, 0x23, 0x23, DragDrawing::Plain, 0x992A},
    {12, 10, 64, 24, 3, 11, 11, 0x24, kKeep, DragDrawing::Plain, 0x992A},
    {13, 11, 32, 24, 1, 11, 11, 0x25, 0x25, DragDrawing::Plain, 0x992A},
    {14, 20, 112, 64, 6, 31, 31, 0x1A, kKeep, DragDrawing::Plain, 0x992A},
    {15, 21, 80, 44, 4, 21, 21, 0x1B, kKeep, DragDrawing::Plain, 0x992A},
    {16, 22, 64, 64, 3, 31, 31, 0x1C, kKeep, DragDrawing::Plain, 0x992A},
    {17, 25, 96, 128, 5, 63, 63, 0x81, kKeep, DragDrawing::Plain, 0x992A},
    {18, 24, 80, 132, 4, 65, 65, 0x95, kKeep, DragDrawing::Plain, 0x992A},
    {19, 26, 96, 80, 5, 39, 39, 0x94, kKeep, DragDrawing::Plain, 0x992A},
    {19, 27, 128, 80, 7, 39, 39, 0x94, kKeep, DragDrawing::LargeHut, 0x9942},
    {20, 14, 96, 192, 5, 95, 95, 0x82, kKeep, DragDrawing::Plain, 0x992A},
    {20, 15, 96, 192, 5, 95, 95, 0x82, kKeep, DragDrawing::Plain, 0x98E5},
    {20, 16, 16, 144, 0, 71, 71, 0x26, kKeep, DragDrawing::Plain, 0x992A},
    {20, 17, 16, 144, 0, 71, 71, 0x26, kKeep, DragDrawing::Plain, 0x98E3},
    {20, 42, 16, 144, 0, 71, 71, 0x26, kKeep, DragDrawing::Plain, 0xA0CE},
    {20, 18, 16, 144, 0, 71, 71, 0x26, kKeep, DragDrawing::Plain, 0x98E5},
    {20, 19, 16, 144, 0, 71, 71, 0x26, kKeep, DragDrawing::Plain, 0x9907},
    {20, 43, 16, 144, 0, 71, 71, 0x26, kKeep, DragDrawing::Plain, 0xA02A},
    {21, 30, 96, 80, 5, 39, 39, 0x1E, 0x1E, DragDrawing::Plain, 0x992A},
    {21, 31, 96, 80, 5, 39, 39, 0x1E, 0x1E, DragDrawing::Plain, 0x992A},
    {21, 28, 96, 16, 5, 7, 7, 0x1F, 0x1F, DragDrawing::Plain, 0x992A},
    {21, 29, 96, 16, 5, 7, 7, 0x1F, 0x1F, DragDrawing::Plain, 0x992A},
    {21, 32, 96, 16, 5, 7, 7, 0x1D, 0x1D, DragDrawing::Plain, 0x992A},
    {22, 37, 176, 18, 10, 8, 8, 0x22, kKeep, DragDrawing::Plain, 0x992A},
    {23, 35, 176, 18, 10, 8, 8, 0x27, kKeep, DragDrawing::Plain, 0x9942},
    {23, 36, 176, 18, 10, 8, 8, 0x27, kKeep, DragDrawing::Plain, 0x992A},
    {24, 23, 144, 44, 8, 21, 21, 0x20, kKeep, DragDrawing::FigureColumns, 0x992A},
    {25, 40, 128, 100, 7, 49, 49, 0x96, kKeep, DragDrawing::Plain, 0x992A},
    {25, 41, 128, 100, 7, 49, 49, 0x96, kKeep, DragDrawing::Plain, 0x992A},
    {27, 38, 32, 40, 1, 19, 19, 0x28, kKeep, DragDrawing::MarkerColumn, 0x9942},
    {27, 39, 32, 40, 1, 19, 19, 0x28, kKeep, DragDrawing::MarkerColumn, 0x992A},
    {28, 33, 128, 160, 7, 79, 79, 0x98, kKeep, DragDrawing::TwoLogCrossings, 0x992A},
    {28, 34, 128, 160, 7, 79, 79, 0x98, kKeep, DragDrawing::TwoLogCrossings, 0x992A},
    {29, 44, 256, 256, 15, 127, 127, 0x06, kKeep, DragDrawing::Plain, 0x992A},
    {29, 45, 256, 256, 15, 127, 127, 0x05, kKeep, DragDrawing::Plain, 0x992A},
    {29, 46, 34, 36, 1, 17, 16, 0x04, kKeep, DragDrawing::Plain, 0x992A},
    {29, 47, 34, 36, 1, 17, 16, 0x04, kKeep, DragDrawing::Plain, 0x992A},
    {30, 48, 128, 88, 7, 43, 43, 0x21, kKeep, DragDrawing::Plain, 0x990F},
    {30, 49, 128, 88, 7, 43, 43, 0x21, kKeep, DragDrawing::Plain, 0x990F},
}};
// clang-format on

// Slot 28: the two log-crossing drawings, each with its own window column.
struct LogCrossingDrawing {
  std::uint32_t sample;
  int column;
};
inline constexpr std::array<LogCrossingDrawing, 2> kLogCrossingDrawings = {{{0x992A, 0}, {0x9906, 7}}};

// Preview columns while slot 24 and slot 27 are drawn as drag pictures.
inline constexpr std::array<int, 3> kDragFigureColumns = {3, 0, 6};  // first guard, prisoner, second guard
constexpr int kDragMarkerColumn = 0;

// The picture that covers `slot` (0..31), or nullptr.
constexpr const PalettePicture* PictureOfSlot(int slot) {
  for (const PalettePicture& picture : kPalettePictures) {
    if (slot >= picture.firstSlot && slot <= picture.lastSlot) return &picture;
  }
  return nullptr;
}

// The drag picture of insertion tag `tag`, or nullptr.
constexpr const DragPictureRow* DragPictureOfTag(int tag) {
  for (const DragPictureRow& row : kDragPictures) {
    if (row.tag == tag) return &row;
  }
  return nullptr;
}

}  // namespace kestrova
