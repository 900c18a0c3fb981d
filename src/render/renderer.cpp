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
#include "render/object_drawers.h"
#include "render/render_addresses.h"
#include "render/spectrum_palette.h"

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

bool WalkGoesOn(const EditorState& state) {
  const std::int64_t cursor = state.streamCursor;
  return state.currentRow >= 1 && cursor <= static_cast<std::int64_t>(state.levelEnd) && cursor <= kRamEnd;
}

}  // namespace

DrawerFunction FindDrawer(std::uint8_t code) {
  for (const OwnDrawer& own : kOwnDrawers) {
    if (own.code == code) return own.draw;
  }
  return FindObjectDrawer(code);
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

void DrawLevel(RenderTarget& target, std::vector<int>* landSpaceLines) {
  EditorState& state = target.state;
  state.currentRow = static_cast<std::int32_t>(
      std::min<std::int64_t>(static_cast<std::int64_t>(state.scrollOffset) + kBottomRow, kHighestStartRow));
  state.walkStart = state.levelStart;
  state.streamCursor = static_cast<std::int32_t>(std::min<std::uint32_t>(state.levelStart, kRamEnd + 1));
  ScreenCanvas canvas(target.image, target.grid, target.tables);
  DrawContext context{canvas, state, landSpaceLines};
  do {
    const std::int32_t record = state.streamCursor;
    const std::uint8_t code = target.image.Read(static_cast<std::uint32_t>(record));
    state.currentCode = code;
    if (DrawerFunction drawer = FindDrawer(code)) {
      const std::int32_t row = state.currentRow;
      drawer(context);
      // Only land space moves the row; every record is two bytes, whatever
      // a drawer did with the cursor.
      if (code != kCodeLandSpace) state.currentRow = row;
    }
    state.streamCursor = record + 2;
  } while (WalkGoesOn(state));
  if (!state.wholeLevelMode) DrawTitleBanner(canvas);
}

void ConvertScreen(RenderTarget& target) {
  EditorState& state = target.state;
  ConversionParameters& conversion = state.conversion;
  if (!state.previewMode && !state.wholeLevelMode) conversion.baseRow = kBottomRow;
  ScreenCopy screen;
  ReadScreen(target.image, screen);
  TFastDIB& bitmap = target.mapBitmap;
  const int lastRow = std::min(conversion.lastRow, kBottomRow);
  const int firstColumn = std::max(conversion.firstColumn, 0);
  const int lastColumn = std::min(conversion.lastColumn, kScreenColumns - 1);
  for (int y = 0; y <= lastRow; ++y) {
    const std::int64_t rowIndex = static_cast<std::int64_t>(conversion.baseRow) - y;
    if (rowIndex < 0 || rowIndex >= bitmap.Height()) continue;
    Pixel* row = bitmap.Row(static_cast<int>(rowIndex));
    const std::uint32_t rowStart = target.tables.rowStart[static_cast<std::size_t>(y)];
    for (int c = firstColumn; c <= lastColumn; ++c) {
      const int x = 8 * c;
      const int pixels = std::min(8, bitmap.Width() - x);
      if (pixels <= 0) break;
      const std::uint32_t d = rowStart + static_cast<std::uint32_t>(c);
      const std::uint8_t bits = screen[d];
      const std::uint8_t attribute = screen[target.tables.attrOffset[d]];
      const Pixel ink = InkOf(attribute);
      const Pixel paper = PaperOf(attribute);
      for (int bit = 0; bit < pixels; ++bit) row[x + bit] = (bits & (0x80 >> bit)) ? ink : paper;
    }
  }
}

void ShowMap(const TFastDIB& mapBitmap, TFastDIB& viewBitmap) {
  if (!viewBitmap.HasRows()) return;
  mapBitmap.CopyNearestTo(viewBitmap);
}

void DrawLandSpaceLines(TFastDIB& mapBitmap, std::span<const int> screenRows) {
  for (const int row : screenRows) {
    const int y = mapBitmap.Height() - 1 - (kBottomRow - row);  // bitmap row index 191 - row, from the top
    mapBitmap.Line(0, y, mapBitmap.Width(), y, kPaletteRed);
  }
}

void RenderMapView(RenderTarget& target, TFastDIB& viewBitmap, bool showLandSpace) {
  ClearCellGrid(target.grid);
  ClearMapScreen(target.image);
  std::vector<int> lines;
  DrawLevel(target, showLandSpace ? &lines : nullptr);
  ConvertScreen(target);
  if (showLandSpace) DrawLandSpaceLines(target.mapBitmap, lines);
  ShowMap(target.mapBitmap, viewBitmap);
}

}  // namespace kestrova
