// The demo levels as a person sees them: every label inside its level, no
// object drawn into another, and objects in their own colours.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "demo/demo_game.h"
#include "editor/editor_state.h"
#include "level/level_stream.h"
#include "level/level_table.h"
#include "render/drawer.h"
#include "render/glyph_labels.h"
#include "render/overview.h"
#include "render/renderer.h"

namespace kestrova {
namespace {

constexpr int kBannerRows = 8;    // the title banner covers the top character row of the view
constexpr int kWindowStep = 176;  // a page of the scroll bar: windows overlap, offsets stay multiples of 8
// A code no drawer knows: the walk steps over it without drawing or moving the row.
constexpr std::uint8_t kSilentCode = 0xFF;

using Screen = std::array<std::uint8_t, kScreenAreaSize>;

struct DemoLevelView {
  int number = 0;  // 1-based, as the chooser counts
  std::uint32_t start = 0;
  std::uint32_t end = 0;
  int height = 0;
};

class DemoLevelsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_EQ(FindDrawer(kSilentCode), nullptr); }

  const SnapshotImage demo = MakeDemoSnapshot(DemoMachine::Spectrum48K);
  const ScreenTables tables = BuildScreenTables();

  std::vector<DemoLevelView> Levels() const {
    const LevelTable table = ScanLevelTable(demo);
    std::vector<DemoLevelView> levels;
    for (int i = 0; i < LevelCount(table); ++i) {
      const std::uint32_t start = table[static_cast<std::size_t>(i)];
      const std::uint32_t end = *LevelEndByBoundsRule(demo, table, i);
      levels.push_back({i + 1, start, end, LevelHeight(demo, start, end)});
    }
    return levels;
  }

  // The screen area after the refresh's drawing of `level` at `scroll`.
  Screen Draw(SnapshotImage image, const DemoLevelView& level, int scroll) const {
    EditorState state;
    state.place.levelStart = level.start;
    state.place.levelEnd = level.end;
    state.place.scrollOffset = scroll;
    CellGrid grid;
    TFastDIB map(kMapWidth, kWindowRows);
    RenderTarget target{image, state.place, state.walk, grid, tables, map};
    ClearCellGrid(grid);
    ClearMapScreen(image);
    DrawLevel(target);
    Screen screen{};
    for (std::uint32_t i = 0; i < kScreenAreaSize; ++i) screen[i] = image.Read(kScreenAreaStart + i);
    return screen;
  }

  // The records that draw an object: everything but land space and the labels.
  std::vector<std::uint32_t> ObjectRecords(const DemoLevelView& level) const {
    std::vector<std::uint32_t> records;
    for (std::uint32_t p = level.start; p < level.end; p = NextRecord(p)) {
      const std::uint8_t code = demo.Read(p);
      if (code != kCodeLandSpace && code != kCodeSpawnPoint &&
          code != static_cast<std::uint8_t>(ObjectCode::AlarmSwitch)) {
        records.push_back(p);
      }
    }
    return records;
  }

  // Each object drawn on its own at `scroll` (the others silenced), its
  // display bytes without the labels' ink.
  std::vector<Screen> EachObjectAlone(const DemoLevelView& level, const std::vector<std::uint32_t>& records,
                                      int scroll) const {
    SnapshotImage silent = demo;
    for (std::uint32_t p : records) silent.Write(p, kSilentCode);
    const Screen labels = Draw(silent, level, scroll);
    std::vector<Screen> alone;
    for (std::uint32_t p : records) {
      SnapshotImage one = silent;
      one.Write(p, demo.Read(p));
      alone.push_back(Draw(one, level, scroll));
      for (std::uint32_t d = 0; d < kDisplayFileSize; ++d) alone.back()[d] &= static_cast<std::uint8_t>(~labels[d]);
    }
    return alone;
  }

  std::string Describe(std::uint32_t record) const {
    char text[32];
    std::snprintf(text, sizeof text, "%04X (%02X %02X)", record, demo.Read(record), demo.Read(record + 1));
    return text;
  }

  // Display offsets of the rows below the banner.
  std::vector<std::uint32_t> VisibleBytes() const {
    std::vector<std::uint32_t> bytes;
    for (int row = kBannerRows; row < kScreenRows; ++row) {
      for (int column = 0; column < kScreenColumns; ++column) {
        bytes.push_back(tables.rowStart[static_cast<std::size_t>(row)] + static_cast<std::uint32_t>(column));
      }
    }
    return bytes;
  }
};

bool ShowsEndOfLevel(const Screen& screen, const ScreenTables& tables, const SnapshotImage& image, int bottomRow) {
  for (int column = 0; column < static_cast<int>(kEndOfLevelText.size()); ++column) {
    const std::uint32_t glyph = GlyphAddress(kEndOfLevelText[static_cast<std::size_t>(column)]);
    for (int r = 0; r < 8; ++r) {
      const std::uint8_t bits = image.Read(glyph + static_cast<std::uint32_t>(7 - r));
      const std::uint32_t d =
          tables.rowStart[static_cast<std::size_t>(bottomRow - r)] + static_cast<std::uint32_t>(column);
      if ((screen[d] & bits) != bits) return false;
    }
  }
  return true;
}

TEST_F(DemoLevelsTest, EveryEndOfLevelLabelStandsInTheLastScreenBelowTheBanner) {
  for (const DemoLevelView& level : Levels()) {
    const Screen screen = Draw(demo, level, level.height - kWindowRows);
    bool shown = false;
    for (int bottom = kBannerRows + 7; bottom < kScreenRows && !shown; ++bottom) {
      shown = ShowsEndOfLevel(screen, tables, demo, bottom);
    }
    EXPECT_TRUE(shown) << "level " << level.number << " (" << level.height << " rows)";
  }
}

// The log crossing and its water strips are drawn into one another on purpose.
bool PartOfALogCrossing(std::uint8_t code) {
  constexpr std::array<std::uint8_t, 4> kCrossingParts = {0x98, 0x0D, 0x19, 0x0E};
  return std::find(kCrossingParts.begin(), kCrossingParts.end(), code) != kCrossingParts.end();
}

TEST_F(DemoLevelsTest, NoObjectIsDrawnIntoAnother) {
  for (const DemoLevelView& level : Levels()) {
    const std::vector<std::uint32_t> records = ObjectRecords(level);
    std::set<std::string> overlaps;
    for (int scroll = 0; scroll < level.height; scroll += kWindowStep) {
      const std::vector<Screen> alone = EachObjectAlone(level, records, scroll);
      for (std::uint32_t d : VisibleBytes()) {
        std::vector<std::size_t> inked;
        for (std::size_t i = 0; i < records.size(); ++i) {
          if (alone[i][d] != 0) inked.push_back(i);
        }
        for (std::size_t a = 0; a < inked.size(); ++a) {
          for (std::size_t b = a + 1; b < inked.size(); ++b) {
            const std::uint32_t first = records[inked[a]];
            const std::uint32_t second = records[inked[b]];
            if ((alone[inked[a]][d] & alone[inked[b]][d]) == 0) continue;
            if (PartOfALogCrossing(demo.Read(first)) && PartOfALogCrossing(demo.Read(second))) continue;
            overlaps.insert(Describe(first) + " and " + Describe(second));
          }
        }
      }
    }
    for (const std::string& overlap : overlaps) ADD_FAILURE() << "level " << level.number << ": " << overlap;
  }
}

TEST_F(DemoLevelsTest, ObjectsKeepTheirOwnColours) {
  // The levels whose objects keep clear of each other's colour cells at
  // every scroll offset that is a multiple of 8 (the scroll bar's page
  // steps); elsewhere a tree crown may still meet a bunker's cell.
  for (const int number : {4, 7, 9}) {
    const DemoLevelView level = Levels()[static_cast<std::size_t>(number - 1)];
    const std::vector<std::uint32_t> records = ObjectRecords(level);
    std::set<std::string> spoiled;
    for (int scroll = 0; scroll < level.height; scroll += kWindowStep) {
      const Screen all = Draw(demo, level, scroll);
      const std::vector<Screen> alone = EachObjectAlone(level, records, scroll);
      for (std::uint32_t d : VisibleBytes()) {
        const std::uint32_t attribute = tables.attrOffset[d];
        for (std::size_t i = 0; i < records.size(); ++i) {
          if (alone[i][d] != 0 && alone[i][attribute] != all[attribute]) spoiled.insert(Describe(records[i]));
        }
      }
    }
    for (const std::string& record : spoiled)
      ADD_FAILURE() << "level " << number << ": " << record << " shows in another colour";
  }
}

}  // namespace
}  // namespace kestrova
