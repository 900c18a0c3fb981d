#include "render/renderer.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>

#include "level/level_addresses.h"
#include "level/level_stream.h"
#include "render/drawer.h"
#include "render/glyph_labels.h"
#include "render/level_drawers.h"
#include "render/map_geometry.h"
#include "render/object_drawers.h"
#include "render/palette_colours.h"
#include "render/render_addresses.h"
#include "render/walk_skip.h"
#include "surface/lanes.h"

namespace kestrova {

namespace {

struct OwnDrawer {
  std::uint8_t code;
  DrawerFunction draw;
};
constexpr std::array kOwnDrawers = {
    OwnDrawer{kCodeLandSpace, DrawLandSpace},
    OwnDrawer{kCodeSpawnPoint, DrawSpawnPoint},
    OwnDrawer{static_cast<std::uint8_t>(ObjectCode::AlarmSwitch), DrawAlarmSwitch},
};

constexpr int kBottomRow = kScreenRows - 1;
// The current row starts at scroll offset + 191; kept clear of overflow.
constexpr std::int64_t kHighestStartRow = std::numeric_limits<std::int32_t>::max() / 2;

using ScreenCopy = std::array<std::uint8_t, kScreenAreaSize>;

// The screen area as it stands; bytes the image does not hold read 0.
void ReadScreen(const SnapshotImage& image, ScreenCopy& screen) {
  const auto bytes = image.Range(ImageOffsetOf(kScreenAreaStart), kScreenAreaSize);
  screen.fill(0);
  std::copy(bytes.begin(), bytes.end(), screen.begin());
}

// For each byte value, a mask per pixel (bit 7 first): all ones where the
// bit is set, so a pixel is paper ^ ((ink ^ paper) & mask).
struct BitMasks {
  std::array<std::array<Pixel, 8>, 256> masks{};
  constexpr BitMasks() {
    for (int value = 0; value < 256; ++value) {
      for (int bit = 0; bit < 8; ++bit) masks[value][bit] = (value & (0x80 >> bit)) ? 0xFFFFFFFFu : 0u;
    }
  }
};
constexpr BitMasks kBitMasks;

// The map's conversion always ends at screen row 191; previews and the
// whole level choose their own.
void SetMapBaseRow(WalkMemory& walk) {
  if (!walk.previewMode && !walk.wholeLevelMode) walk.conversion.baseRow = kBottomRow;
}

bool WalkGoesOn(const WalkMemory& walk, const LevelPlace& place) {
  const std::int64_t cursor = walk.streamCursor;
  return walk.currentRow >= 1 && cursor <= static_cast<std::int64_t>(place.levelEnd) && cursor <= kRamEnd;
}

// The walk's loop from `entry` to the level's end (or the window's top):
// each record read, its code kept, `step` run on it, the cursor moved on by
// the record's two bytes whatever the step did with it.
template <typename Step>
void WalkRecordsFrom(RenderTarget& target, WalkEntry entry, Step step) {
  WalkMemory& state = target.walk;
  state.currentRow = entry.row;
  state.walkStart = target.place.levelStart;
  state.streamCursor = entry.cursor;
  do {
    const std::int32_t address = state.streamCursor;
    const ObjectRecord record = ReadRecord(target.image, static_cast<std::uint32_t>(address));
    state.currentCode = record.code;
    step(record);
    state.streamCursor = address + 2;
  } while (WalkGoesOn(state, target.place));
}

// The top character row as it stands, before the banner is drawn over it.
void KeepUnderBanner(const RenderTarget& target, UnderBanner& under) {
  for (int row = 0; row < kBannerRows; ++row) {
    const std::uint32_t start = target.tables.rowStart[static_cast<std::size_t>(row)];
    for (int column = 0; column < kScreenColumns; ++column) {
      under.display[static_cast<std::size_t>(row * kScreenColumns + column)] =
          target.image.Read(kScreenAreaStart + start + static_cast<std::uint32_t>(column));
    }
  }
  for (int column = 0; column < kScreenColumns; ++column) {
    under.attributes[static_cast<std::size_t>(column)] = target.image.Read(
        kScreenAreaStart + target.tables.attrOffset[target.tables.rowStart[0] + static_cast<std::uint32_t>(column)]);
  }
  under.lines.fill(false);
}

void PassRecord(ObjectRecord record, WalkMemory& walk) {
  PassedRecords passed;
  passed.Pass(record);
  passed.ApplyTo(walk);
}

}  // namespace

DrawerFunction FindDrawer(std::uint8_t code) {
  // Looked up once per code: the walk asks for every record.
  static const std::array<DrawerFunction, 256> kByCode = [] {
    std::array<DrawerFunction, 256> drawers{};
    for (int c = 0; c < 256; ++c) drawers[static_cast<std::size_t>(c)] = FindObjectDrawer(static_cast<std::uint8_t>(c));
    for (const OwnDrawer& own : kOwnDrawers) drawers[own.code] = own.draw;
    return drawers;
  }();
  return kByCode[code];
}

void ClearMapScreen(SnapshotImage& image) {
  const std::size_t start = ImageOffsetOf(kScreenAreaStart);
  std::span<std::uint8_t> bytes = image.MutableBytes();
  if (bytes.size() >= start + kScreenAreaSize) {
    std::memset(bytes.data() + start, 0, kDisplayFileSize);
    std::memset(bytes.data() + start + kDisplayFileSize, kClearedAttribute, kScreenAreaSize - kDisplayFileSize);
    return;
  }
  for (std::uint32_t d = 0; d < kDisplayFileSize; ++d) image.Write(kScreenAreaStart + d, 0);
  for (std::uint32_t a = kAttributeFileOffset; a < kScreenAreaSize; ++a) {
    image.Write(kScreenAreaStart + a, kClearedAttribute);
  }
}

WalkEntry LevelStartEntry(const LevelPlace& place) {
  WalkEntry entry;
  entry.row = static_cast<std::int32_t>(
      std::min<std::int64_t>(static_cast<std::int64_t>(place.scrollOffset) + kBottomRow, kHighestStartRow));
  entry.cursor = static_cast<std::int32_t>(std::min<std::uint32_t>(place.levelStart, kRamEnd + 1));
  return entry;
}

void DrawLevel(RenderTarget& target, std::vector<int>* landSpaceLines) {
  DrawLevelFrom(target, LevelStartEntry(target.place), landSpaceLines);
}

void DrawLevelFrom(RenderTarget& target, WalkEntry entry, std::vector<int>* landSpaceLines, GridWrites gridWrites) {
  WalkMemory& state = target.walk;
  ScreenCanvas canvas(target.image, target.grid, target.tables, gridWrites);
  DrawContext context{canvas, target.place, state, landSpaceLines};
  WalkRecordsFrom(target, entry, [&](ObjectRecord record) {
    if (RecordBelowWindow(record, state.currentRow)) {
      PassRecord(record, state);
      state.currentRow = static_cast<std::int32_t>(RowAfterPassing(record, state.currentRow));
    } else if (DrawerFunction drawer = FindDrawer(record.code)) {
      const std::int32_t row = state.currentRow;
      drawer(context);
      // Only land space moves the row; every record is two bytes, whatever
      // a drawer did with the cursor.
      if (record.code != kCodeLandSpace) state.currentRow = row;
    }
  });
  if (!state.wholeLevelMode) {
    if (target.underBanner != nullptr) KeepUnderBanner(target, *target.underBanner);
    DrawTitleBanner(canvas);
  }
}

void PassLevelFrom(RenderTarget& target, WalkEntry entry) {
  WalkMemory& state = target.walk;
  WalkRecordsFrom(target, entry, [&](ObjectRecord record) {
    PassRecord(record, state);
    state.currentRow = static_cast<std::int32_t>(std::max<std::int64_t>(RowAfterPassing(record, state.currentRow), -1));
  });
}

void ConvertScreen(RenderTarget& target) {
  WalkMemory& state = target.walk;
  ConversionParameters& conversion = state.conversion;
  SetMapBaseRow(state);
  ScreenCopy screen;
  ReadScreen(target.image, screen);
  TFastDIB& bitmap = target.mapBitmap;
  const int lastRow = std::min(conversion.lastRow, kBottomRow);
  const int firstColumn = std::max(conversion.firstColumn, 0);
  const int lastColumn = std::min(conversion.lastColumn, kScreenColumns - 1);
  // Colours per column of a character row, worked out once for its 8 rows.
  std::array<Pixel, kScreenColumns> papers{};
  std::array<Pixel, kScreenColumns> differences{};
  std::array<FourLanes, kScreenColumns> fourPapers{};
  std::array<FourLanes, kScreenColumns> fourDifferences{};
  int coloursFor = -1;
  const int visibleColumns = std::min(lastColumn, bitmap.Width() / 8 - 1);
  for (int y = 0; y <= lastRow; ++y) {
    const std::int64_t rowIndex = static_cast<std::int64_t>(conversion.baseRow) - y;
    if (rowIndex < 0 || rowIndex >= bitmap.Height()) continue;
    Pixel* row = bitmap.Row(static_cast<int>(rowIndex));
    const std::uint32_t rowStart = target.tables.rowStart[static_cast<std::size_t>(y)];
    if (y >> 3 != coloursFor) {
      coloursFor = y >> 3;
      for (int c = firstColumn; c <= lastColumn; ++c) {
        const std::uint8_t attribute = screen[target.tables.attrOffset[rowStart + static_cast<std::uint32_t>(c)]];
        papers[static_cast<std::size_t>(c)] = PaperOf(attribute);
        differences[static_cast<std::size_t>(c)] = InkOf(attribute) ^ PaperOf(attribute);
        fourPapers[static_cast<std::size_t>(c)] = FourLanes{} + papers[static_cast<std::size_t>(c)];
        fourDifferences[static_cast<std::size_t>(c)] = FourLanes{} + differences[static_cast<std::size_t>(c)];
      }
    }
    for (int c = firstColumn; c <= visibleColumns; ++c) {
      const Pixel* masks = kBitMasks.masks[screen[rowStart + static_cast<std::uint32_t>(c)]].data();
      const FourLanes paper = fourPapers[static_cast<std::size_t>(c)];
      const FourLanes difference = fourDifferences[static_cast<std::size_t>(c)];
      StoreFour(row + 8 * c, paper ^ (difference & LoadFour(masks)));
      StoreFour(row + 8 * c + 4, paper ^ (difference & LoadFour(masks + 4)));
    }
    // A column only partly inside a narrow bitmap.
    const int partial = std::max(visibleColumns + 1, firstColumn);
    if (partial <= lastColumn && 8 * partial < bitmap.Width()) {
      const std::array<Pixel, 8>& masks = kBitMasks.masks[screen[rowStart + static_cast<std::uint32_t>(partial)]];
      for (int bit = 0; 8 * partial + bit < bitmap.Width(); ++bit) {
        row[8 * partial + bit] =
            papers[static_cast<std::size_t>(partial)] ^
            (differences[static_cast<std::size_t>(partial)] & masks[static_cast<std::size_t>(bit)]);
      }
    }
  }
}

void ShowMap(const TFastDIB& mapBitmap, TFastDIB& viewBitmap) {
  if (!viewBitmap.HasRows()) return;
  mapBitmap.CopyNearestTo(viewBitmap);
}

namespace {

using FourPixels = FourLanes;

// For each half of a screen byte (bits 7-4 or 3-0), a mask per view pixel:
// each of its four screen pixels twice, all ones where the bit is set.
struct DoubledNibbleMasks {
  std::array<std::array<Pixel, 8>, 16> masks{};
  constexpr DoubledNibbleMasks() {
    for (int nibble = 0; nibble < 16; ++nibble) {
      for (int x = 0; x < 8; ++x) masks[nibble][x] = (nibble & (0x8 >> (x / 2))) ? 0xFFFFFFFFu : 0u;
    }
  }
};
constexpr DoubledNibbleMasks kDoubledNibbleMasks;

}  // namespace

void ConvertScreenDoubled(const SnapshotImage& image, const ScreenTables& tables, TFastDIB& view) {
  const std::span<const std::uint8_t> held = image.Range(ImageOffsetOf(kScreenAreaStart), kScreenAreaSize);
  ScreenCopy copy;
  const std::uint8_t* screen = held.data();
  if (held.size() < kScreenAreaSize) {
    ReadScreen(image, copy);
    screen = copy.data();
  }
  // Per column of a character row, its paper and ink ^ paper in every lane.
  std::array<FourPixels, kScreenColumns> papers{};
  std::array<FourPixels, kScreenColumns> differences{};
  for (int y = 0; y < kScreenRows; ++y) {
    const std::uint8_t* bytes = screen + tables.rowStart[static_cast<std::size_t>(y)];
    if ((y & 7) == 0) {
      const std::uint32_t* attributes = tables.attrOffset.data() + tables.rowStart[static_cast<std::size_t>(y)];
      for (std::size_t c = 0; c < kScreenColumns; ++c) {
        const std::uint8_t attribute = screen[attributes[c]];
        papers[c] = FourPixels{} + PaperOf(attribute);
        differences[c] = FourPixels{} + (InkOf(attribute) ^ PaperOf(attribute));
      }
    }
    // Screen row y is view rows 2y and 2y + 1; byte c is view pixels 16c..16c + 15.
    Pixel* upper = view.RowTop(2 * y);
    Pixel* lower = view.RowTop(2 * y + 1);
    for (std::size_t c = 0; c < kScreenColumns; ++c) {
      const Pixel* left = kDoubledNibbleMasks.masks[bytes[c] >> 4].data();
      const Pixel* right = kDoubledNibbleMasks.masks[bytes[c] & 0x0F].data();
      const FourPixels paper = papers[c];
      const FourPixels difference = differences[c];
      Pixel* top = upper + 16 * c;
      Pixel* bottom = lower + 16 * c;
      const auto store = [&](std::size_t at, const Pixel* masks) {
        const FourPixels pixels = paper ^ (difference & LoadFour(masks));
        StoreFour(top + at, pixels);
        StoreFour(bottom + at, pixels);
      };
      store(0, left);
      store(4, left + 4);
      store(8, right);
      store(12, right + 4);
    }
  }
}

void DrawLandSpaceLines(TFastDIB& mapBitmap, std::span<const int> screenRows) {
  for (const int row : screenRows) {
    const int y = mapBitmap.Height() - 1 - (kBottomRow - row);  // bitmap row index 191 - row, from the top
    mapBitmap.Line(0, y, mapBitmap.Width(), y, kPaletteRed);
  }
}

void ShowLandSpace(TFastDIB& mapBitmap, TFastDIB& viewBitmap, std::span<const int> screenRows) {
  DrawLandSpaceLines(mapBitmap, screenRows);
  ShowMap(mapBitmap, viewBitmap);
}

void ShowUnderBanner(const UnderBanner& under, TFastDIB& rows) {
  for (int row = 0; row < kBannerRows; ++row) {
    Pixel* upper = rows.RowTop(kMapScale * row);
    for (int column = 0; column < kScreenColumns; ++column) {
      const std::uint8_t attribute = under.attributes[static_cast<std::size_t>(column)];
      const Pixel paper = PaperOf(attribute);
      const Pixel difference = InkOf(attribute) ^ paper;
      const std::array<Pixel, 8>& masks =
          kBitMasks.masks[under.display[static_cast<std::size_t>(row * kScreenColumns + column)]];
      for (int bit = 0; bit < 8; ++bit) {
        const Pixel pixel = under.lines[static_cast<std::size_t>(row)]
                                ? kPaletteRed
                                : paper ^ (difference & masks[static_cast<std::size_t>(bit)]);
        std::fill_n(upper + kMapPixelsPerColumn * column + kMapScale * bit, kMapScale, pixel);
      }
    }
    for (int copy = 1; copy < kMapScale; ++copy) std::copy_n(upper, kMapViewWidth, rows.RowTop(kMapScale * row + copy));
  }
}

namespace {

// Whether ConvertScreen followed by ShowMap would turn the whole screen
// into a view of exactly twice its size.
bool ConvertsStraightIntoView(const RenderTarget& target, const TFastDIB& viewBitmap) {
  const WalkMemory& state = target.walk;
  const ConversionParameters& conversion = state.conversion;
  const bool wholeScreen =
      conversion.lastRow >= kBottomRow && conversion.firstColumn <= 0 && conversion.lastColumn >= kScreenColumns - 1;
  return !state.previewMode && !state.wholeLevelMode && wholeScreen && target.mapBitmap.Width() == kMapWidth &&
         target.mapBitmap.Height() == kWindowRows && viewBitmap.Width() == kMapViewWidth &&
         viewBitmap.Height() == kMapViewHeight;
}

}  // namespace

void DrawMapScreen(RenderTarget& target, std::vector<int>* landSpaceLines) {
  ClearCellGrid(target.grid);
  ClearMapScreen(target.image);
  DrawLevel(target, landSpaceLines);
  SetMapBaseRow(target.walk);
}

void RenderMapView(RenderTarget& target, TFastDIB& viewBitmap, bool showLandSpace) {
  std::vector<int> lines;
  DrawMapScreen(target, showLandSpace ? &lines : nullptr);
  if (target.underBanner != nullptr) {
    for (const int row : lines) {
      if (row >= 0 && row < kBannerRows) target.underBanner->lines[static_cast<std::size_t>(row)] = true;
    }
  }
  if (!showLandSpace && ConvertsStraightIntoView(target, viewBitmap)) {
    ConvertScreenDoubled(target.image, target.tables, viewBitmap);
    return;
  }
  ConvertScreen(target);
  if (showLandSpace) {
    ShowLandSpace(target.mapBitmap, viewBitmap, lines);
  } else {
    ShowMap(target.mapBitmap, viewBitmap);
  }
}

}  // namespace kestrova
