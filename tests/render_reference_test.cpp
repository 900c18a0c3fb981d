// The map path against the straightforward algorithm it replaced, kept here
// as the reference: a walk from level start that runs every record's
// drawer, ConvertScreen into MapBitmap doubled into the view by ShowMap,
// and a whole-level pass that walks the level from its start again for
// every window. Over every level of the demo and of 300 random level areas,
// at many scroll offsets, with and without "Show Land Space", the two must
// leave the same screen area, cell grid, view, overview, whole-level
// picture and state, refresh after refresh and overview after overview
// (the state one leaves is where the next starts).
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "level/level_table.h"
#include "render/drawer.h"
#include "render/glyph_labels.h"
#include "render/overview.h"
#include "render/renderer.h"
#include "support/render_cases.h"

namespace kestrova {
namespace {

// ---- The reference ----

void ReferenceDrawLevel(RenderTarget& target, std::vector<int>* lines) {
  WalkMemory& walk = target.walk;
  const LevelPlace& place = target.place;
  walk.currentRow = static_cast<std::int32_t>(std::min<std::int64_t>(
      static_cast<std::int64_t>(place.scrollOffset) + 191, std::numeric_limits<std::int32_t>::max() / 2));
  walk.walkStart = place.levelStart;
  walk.streamCursor = static_cast<std::int32_t>(std::min<std::uint32_t>(place.levelStart, kRamEnd + 1));
  ScreenCanvas canvas(target.image, target.grid, target.tables);
  DrawContext context{canvas, place, walk, lines};
  do {
    const std::int32_t record = walk.streamCursor;
    const std::uint8_t code = target.image.Read(static_cast<std::uint32_t>(record));
    walk.currentCode = code;
    if (DrawerFunction drawer = FindDrawer(code)) {
      const std::int32_t row = walk.currentRow;
      drawer(context);
      if (code != kCodeLandSpace) walk.currentRow = row;
    }
    walk.streamCursor = record + 2;
  } while (walk.currentRow >= 1 && static_cast<std::int64_t>(walk.streamCursor) <= place.levelEnd &&
           walk.streamCursor <= static_cast<std::int32_t>(kRamEnd));
  if (!walk.wholeLevelMode) DrawTitleBanner(canvas);
}

void ReferenceRefresh(RenderTarget& target, TFastDIB& view, bool showLandSpace) {
  ClearCellGrid(target.grid);
  ClearMapScreen(target.image);
  std::vector<int> lines;
  ReferenceDrawLevel(target, showLandSpace ? &lines : nullptr);
  ConvertScreen(target);
  if (showLandSpace) {
    ShowLandSpace(target.mapBitmap, view, lines);
  } else {
    ShowMap(target.mapBitmap, view);
  }
}

// Every window from level start, converted with base `baseRow(k)`.
template <typename BaseRow, typename Sink>
void ReferenceWholeLevel(RenderTarget& target, int height, BaseRow baseRow, Sink sink) {
  WalkMemory& walk = target.walk;
  const ConversionParameters conversion = walk.conversion;
  const bool whole = walk.wholeLevelMode;
  walk.wholeLevelMode = true;
  LevelPlace windowPlace = target.place;
  RenderTarget window{target.image, windowPlace, walk, target.grid, target.tables, target.mapBitmap};
  const int windows = std::max(1, (std::max(height, 0) + 191) / 192);
  for (int k = 0; k < windows; ++k) {
    windowPlace.scrollOffset = 192 * k;
    walk.conversion = ConversionParameters{};
    walk.conversion.baseRow = baseRow(k);
    ClearCellGrid(target.grid);
    ClearMapScreen(target.image);
    ReferenceDrawLevel(window, nullptr);
    ConvertScreen(window);
    sink(k);
  }
  walk.conversion = conversion;
  walk.wholeLevelMode = whole;
}

void ReferenceOverview(RenderTarget& target, int height, TFastDIB& overview) {
  const int rows = std::max(height, 0);
  OverviewScaler scaler(256, rows, overview.Width(), overview.Height());
  ReferenceWholeLevel(
      target, rows, [](int) { return 191; },
      [&](int k) {
        for (int r = 0; r < 192 && 192 * k + r < rows; ++r) scaler.AddRow(192 * k + r, target.mapBitmap.Row(r));
      });
  scaler.Finish(overview);
}

void ReferenceWholePicture(RenderTarget& target, int height, TFastDIB& picture) {
  picture.Resize(256, std::max(height, 0));
  RenderTarget tall{target.image, target.place, target.walk, target.grid, target.tables, picture};
  ReferenceWholeLevel(
      tall, height, [](int k) { return 191 + 192 * k; }, [](int) {});
}

// ---- Two editors' worth of drawing state, run side by side ----

struct Side {
  SnapshotImage image;
  EditorState state;
  CellGrid grid;
  TFastDIB map{256, 192};
  TFastDIB view{512, 384};
  TFastDIB overview{64, 384};
  RenderTarget Target(const ScreenTables& tables) {
    return RenderTarget{image, state.place, state.walk, grid, tables, map};
  }
};

class ReferenceTest : public ::testing::Test {
 protected:
  ScreenTables tables = BuildScreenTables();
  Side now, reference;
  std::string step;

  void Start(const SnapshotImage& image, std::uint32_t start, std::uint32_t end) {
    for (Side* side : {&now, &reference}) {
      side->image = image;
      side->state.place.levelStart = start;
      side->state.place.levelEnd = end;
    }
  }
  void Set(auto change) {
    change(now.state);
    change(reference.state);
  }

  void Refresh(bool showLandSpace) {
    RenderTarget target = now.Target(tables);
    RenderMapView(target, now.view, showLandSpace);
    RenderTarget expected = reference.Target(tables);
    ReferenceRefresh(expected, reference.view, showLandSpace);
    ExpectSame("view", now.view.Pixels() == reference.view.Pixels());
    // With the lines, MapBitmap is still what the view shows.
    if (showLandSpace) ExpectSame("map", now.map.Pixels() == reference.map.Pixels());
  }

  void Overview(int height) {
    RenderTarget target = now.Target(tables);
    DrawOverview(target, height, now.overview);
    RenderTarget expected = reference.Target(tables);
    ReferenceOverview(expected, height, reference.overview);
    ExpectSame("overview", now.overview.Pixels() == reference.overview.Pixels());
    ExpectSame("map", now.map.Pixels() == reference.map.Pixels());
  }

  void WholePicture(int height) {
    TFastDIB picture, expectedPicture;
    RenderTarget target = now.Target(tables);
    ASSERT_TRUE(RenderWholePicture(target, height, picture).Ok());
    RenderTarget expected = reference.Target(tables);
    ReferenceWholePicture(expected, height, expectedPicture);
    ExpectSame("whole picture", picture.Pixels() == expectedPicture.Pixels());
  }

  // Screen, grid and state after every step; `what` names the picture compared.
  void ExpectSame(const char* what, bool pictureSame) {
    EXPECT_TRUE(pictureSame) << what << " differs at " << step;
    EXPECT_EQ(testing::ScreenPrint(now.image), testing::ScreenPrint(reference.image)) << "screen at " << step;
    EXPECT_EQ(testing::GridPrint(now.grid), testing::GridPrint(reference.grid)) << "grid at " << step;
    EXPECT_EQ(testing::StatePrint(now.state), testing::StatePrint(reference.state)) << "state at " << step;
  }

  // Refreshes at `scrolls`, then the overview and, now and then, the whole picture.
  void CheckLevel(const std::string& name, const std::vector<std::int32_t>& scrolls, std::mt19937& random) {
    const int height = LevelHeight(now.image, now.state.place.levelStart, now.state.place.levelEnd);
    for (std::size_t i = 0; i < scrolls.size() && !HasFailure(); ++i) {
      step = name + " scroll " + std::to_string(scrolls[i]);
      Set([&](EditorState& state) { state.place.scrollOffset = scrolls[i]; });
      Refresh(random() % 4 == 0);
      if (i % 3 == 1) {
        step = name + " overview after scroll " + std::to_string(scrolls[i]);
        Overview(height);
      }
    }
    step = name + " overview";
    Overview(height);
    if (random() % 8 == 0 && height <= 8 * 192) {
      step = name + " whole picture";
      WholePicture(height);
    }
  }
};

std::vector<std::int32_t> DemoScrolls(int height) {
  std::vector<std::int32_t> scrolls = {0, 1, 7, 8, 95, 96, 100, 160, 161, 191, 192, 193, 383};
  for (int s = 0; s <= height + 48; s += 24) scrolls.push_back(s);
  for (int back : {192, 191, 1, 0, -1, -300}) scrolls.push_back(std::max(height - back, 0));
  return scrolls;
}

TEST_F(ReferenceTest, EveryDemoLevelAtManyScrollOffsets) {
  const SnapshotImage demo(testing::ReadWholeFile(KESTROVA_DEMO_DIR "/kestrova-demo.sna"));
  ASSERT_FALSE(demo.Empty());
  const LevelTable levels = ScanLevelTable(demo);
  std::mt19937 random(41);
  for (int i = 0; i < LevelCount(levels) && !HasFailure(); ++i) {
    Start(demo, levels[static_cast<std::size_t>(i)],
          LevelEndByBoundsRule(demo, levels, i).value_or(levels[static_cast<std::size_t>(i)]));
    const int height = LevelHeight(demo, now.state.place.levelStart, now.state.place.levelEnd);
    CheckLevel("demo level " + std::to_string(i + 1), DemoScrolls(height), random);
  }
}

TEST_F(ReferenceTest, RandomLevelAreasWithTheStateTheyCarry) {
  std::mt19937 random(7);
  const int images = testing::RandomCaseCount(300);
  for (int image = 0; image < images && !HasFailure(); ++image) {
    const SnapshotImage area = testing::RandomLevelImage(random);
    const LevelTable levels = ScanLevelTable(area);
    ASSERT_GE(LevelCount(levels), 1) << image;
    // The state a previous level or the palette may have left.
    const int crossing = static_cast<int>(random() % 40) - 4;
    const bool largeHut = random() % 5 == 0;
    const bool preview = random() % 10 == 0;
    for (int i = 0; i < LevelCount(levels) && !HasFailure(); ++i) {
      Start(area, levels[static_cast<std::size_t>(i)],
            LevelEndByBoundsRule(area, levels, i).value_or(levels[static_cast<std::size_t>(i)]));
      if (i == 0) {
        Set([&](EditorState& state) {
          state.walk.crossingColumn = crossing;
          state.walk.largeHut = largeHut;
          state.walk.previewMode = preview;
        });
      }
      const int height = LevelHeight(area, now.state.place.levelStart, now.state.place.levelEnd);
      std::vector<std::int32_t> scrolls = {0, std::max(height - 192, 0), height + 77};
      for (int n = 0; n < 5; ++n)
        scrolls.push_back(static_cast<std::int32_t>(random() % static_cast<unsigned>(height + 193)));
      CheckLevel("random image " + std::to_string(image) + " level " + std::to_string(i + 1), scrolls, random);
    }
  }
}

}  // namespace
}  // namespace kestrova
