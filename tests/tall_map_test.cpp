// The tall map: its geometry (bands, view pixels, limits, the overview
// frame), and every gesture on it against the map view it stands for: a
// plain Editor scrolled so that the same level row is under the pointer at
// the same place, given the same handler call.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>
#include <sstream>

#include "edit/drag_step.h"
#include "editor/tall_map.h"
#include "render/overview.h"
#include "support/editor_state_access.h"
#include "support/random_edits.h"

namespace kestrova::testing {
namespace {

// ---- Geometry ----

void ExpectBandPixel(const TallMap& map, int x, int y, const BandPixel& want) {
  const BandPixel got = map.ViewPixelOf(x, y);
  EXPECT_EQ(got.band, want.band) << map.Zoom() << " " << x << "," << y;
  EXPECT_EQ(got.view.x, want.view.x) << map.Zoom() << " " << x << "," << y;
  EXPECT_EQ(got.view.y, want.view.y) << map.Zoom() << " " << x << "," << y;
}

TEST(TallMapGeometry, PixelsFallInTheirBandAndViewPixel) {
  struct Case {
    int zoom, bands, x, y;
    BandPixel want;
  };
  // Three bands at zoom 2 are 1152 rows: band 2 on top, band 0 at the bottom.
  const Case cases[] = {
      {2, 3, 0, 0, {2, {0, 0}}},          {2, 3, 511, 383, {2, {511, 383}}},  {2, 3, 10, 384, {1, {10, 0}}},
      {2, 3, 10, 1151, {0, {10, 383}}},   {2, 3, -1, -1, {2, {-1, -1}}},  // above the map: the top band, above its view
      {2, 3, 600, 1160, {0, {600, 392}}},                                 // below the map: band 0, below its view
      {3, 2, 767, 575, {1, {511, 383}}},                                  // 2 * 767 / 3 = 511.3, 2 * 575 / 3 = 383.3
      {3, 2, 1, 578, {0, {0, 1}}},                                        // two rows into band 0: 4 / 3
      {3, 2, -1, -2, {1, {-1, -2}}},      {1, 4, 255, 191, {3, {510, 382}}},  {1, 4, 3, 192, {2, {6, 0}}},
      {4, 1, 1023, 767, {0, {511, 383}}}, {4, 1, 1023, 900, {0, {511, 450}}},
  };
  for (const Case& c : cases) {
    ExpectBandPixel(TallMap(c.zoom, c.bands), c.x, c.y, c.want);
  }
}

// A map that fills a height no whole bands make: the top band is cut, its
// hidden rows above the map's top edge still counted in its view rows.
TEST(TallMapGeometry, CutTopBandCountsFromItsHiddenTop) {
  struct Case {
    int zoom, height, x, y;
    BandPixel want;
  };
  // 1000 rows at zoom 2: three bands of 384, 152 rows of band 2 hidden.
  // 1000 rows at zoom 3: two bands of 576, 152 rows of band 1 hidden.
  const Case cases[] = {
      {2, 1000, 0, 0, {2, {0, 152}}},   {2, 1000, 5, 231, {2, {5, 383}}},  {2, 1000, 5, 232, {1, {5, 0}}},
      {2, 1000, 5, 615, {1, {5, 383}}}, {2, 1000, 5, 616, {0, {5, 0}}},    {2, 1000, 5, 999, {0, {5, 383}}},
      {2, 1000, 5, -1, {2, {5, -1}}},  // above the map: above the view, not in its hidden rows
      {2, 1000, 5, -30, {2, {5, -30}}}, {2, 1000, 5, 1003, {0, {5, 387}}},  // below: below band 0's view
      {3, 1000, 0, 0, {1, {0, 101}}},   {3, 1000, 0, 423, {1, {0, 383}}},  {3, 1000, 0, 424, {0, {0, 0}}},
      {3, 1000, 0, -2, {1, {0, -2}}},   {1, 200, 0, 0, {1, {0, 368}}},     {1, 200, 0, 8, {0, {0, 0}}},
      {4, 700, 0, 0, {0, {0, 34}}},  // one band, cut: 68 of its 768 rows hidden
  };
  for (const Case& c : cases) {
    ExpectBandPixel(TallMap::Filling(c.zoom, c.height), c.x, c.y, c.want);
  }
}

TEST(TallMapGeometry, SizesBandsZoomsAndLimits) {
  EXPECT_EQ(TallMap(3, 2).Width(), 768);
  EXPECT_EQ(TallMap(3, 2).Height(), 1152);
  EXPECT_EQ(TallMap(3, 2).RowsShown(), 384);
  EXPECT_EQ(TallMap(9, 0), TallMap(4, 1));
  EXPECT_EQ(TallMap::BandsFor(1000, 2), 3);  // the top one cut
  EXPECT_EQ(TallMap::BandsFor(768, 2), 2);
  EXPECT_EQ(TallMap::BandsFor(100, 4), 1);  // never none
  EXPECT_EQ(TallMap::BandsFor(768, 1), 4);
  EXPECT_EQ(TallMap::ZoomedBy(4, 1), 4);
  EXPECT_EQ(TallMap::ZoomedBy(1, -1), 1);
  EXPECT_EQ(TallMap::ZoomedBy(2, 1), 3);
  const TallMap map(2, 2);  // 384 rows in sight
  EXPECT_EQ(map.HighestBottom(1152), 768);
  EXPECT_EQ(map.HighestBottom(192), 0);  // a short level does not scroll
  EXPECT_EQ(map.ClampedBottom(-5, 1152), 0);
  EXPECT_EQ(map.ClampedBottom(10000, 1152), 768);
  EXPECT_EQ(map.PageRows(), 368);
  // A map that fills its room: what shows of the cut band counts.
  const TallMap filling = TallMap::Filling(2, 1000);
  EXPECT_EQ(filling.Bands(), 3);
  EXPECT_EQ(filling.Height(), 1000);
  EXPECT_EQ(filling.HiddenHeight(), 152);
  EXPECT_EQ(filling.RowsShown(), 500);
  EXPECT_EQ(filling.HighestBottom(1152), 652);  // the far end at the map's top edge
  EXPECT_EQ(filling.PageRows(), 484);
  EXPECT_EQ(TallMap::Filling(3, 1000).RowsShown(), 333);  // a part row at the top is not in sight
  EXPECT_EQ(TallMap::Filling(2, 768), TallMap(2, 2));
  EXPECT_EQ(TallMap::Filling(2, 5000).Bands(), 14);
  EXPECT_EQ(TallMap::Filling(4, 10).Bands(), 1);
  EXPECT_EQ(TallMap::Filling(4, 10).PageRows(), 1);  // a page always moves
  EXPECT_EQ(TallMap::Filling(2, 0).Height(), 1);
}

TEST(TallMapGeometry, OverviewFrameAndPressGoTogether) {
  const TallMap map(2, 2);
  // A level of 1152 rows in 384 overview rows: three level rows a row.
  EXPECT_EQ(map.OverviewFrame(0, 1152, 384).y, 256);
  EXPECT_EQ(map.OverviewFrame(0, 1152, 384).height, 128);
  EXPECT_EQ(map.OverviewFrame(768, 1152, 384).y, 0);
  EXPECT_EQ(map.OverviewFrame(0, 0, 384).height, 384);  // no level: all of it
  EXPECT_EQ(map.OverviewFrame(0, 192, 384).y, 0);       // more map than level: cut to the overview
  EXPECT_EQ(map.OverviewFrame(0, 192, 384).height, 384);
  EXPECT_EQ(map.BottomForOverviewRow(383, 1152, 384), 0);
  EXPECT_EQ(map.BottomForOverviewRow(0, 1152, 384), 768);
  // A press in the frame's middle keeps the frame where it is.
  for (int bottom : {0, 96, 300, 768}) {
    const Rect frame = map.OverviewFrame(bottom, 1152, 384);
    EXPECT_NEAR(map.BottomForOverviewRow(frame.y + frame.height / 2, 1152, 384), bottom, 6) << bottom;
  }
  // A cut top band: the frame spans the rows that show.
  const TallMap filling = TallMap::Filling(2, 1000);
  EXPECT_EQ(filling.OverviewFrame(0, 1152, 384).y, 217);  // (1152 - 500) / 3
  EXPECT_EQ(filling.OverviewFrame(0, 1152, 384).height, 167);
  EXPECT_EQ(filling.BottomForOverviewRow(0, 1152, 384), 652);
  // One band: the map view's own rule (the row to the middle), within the limits.
  const TallMap one(2, 1);
  EXPECT_EQ(one.BottomForOverviewRow(100, 1152, 384), 1152 - 6 * 50 - 96);
}

// ---- The Editor's tall map ----

// The demo's longest level.
int LongestLevel(Editor& editor) {
  int longest = 0, height = -1;
  for (int i = 0; i < LevelCount(editor.Levels()); ++i) {
    editor.ChooseLevel(i);
    if (editor.View().scrollMaximum > height) {
      height = editor.View().scrollMaximum;
      longest = i;
    }
  }
  editor.ChooseLevel(longest);
  return longest;
}

// Band `band` of a tall picture against a map view scaled by the zoom, each
// Spectrum pixel a zoom x zoom block, over the band's rows that show from
// Spectrum row `fromRow` down; the number of pixels that differ.
int BandDifferences(const TFastDIB& picture, const TallMap& map, int band, const TFastDIB& view, int fromRow = 0) {
  const int zoom = map.Zoom();
  int differences = 0;
  for (int y = fromRow * zoom; y < map.BandHeight(); ++y) {
    const int row = map.BandTop(band) + y;
    if (row < 0 || row >= map.Height()) continue;
    for (int x = 0; x < map.Width(); ++x) {
      differences += picture.PixelAtTop(x, row) == view.PixelAtTop(2 * (x / zoom), 2 * (y / zoom)) ? 0 : 1;
    }
  }
  return differences;
}

class TallEditor : public ::testing::Test {
 protected:
  void SetUpTall(const TallMap& map) {
    const Bytes demo = ReadFile(kDemo);
    tall.Load(demo);
    tall.f.editor.UseTallMap(map, 0, 0, 0);
    LongestLevel(tall.f.editor);
  }
  Editor& Tall() { return tall.f.editor; }
  RandomEdits tall{1};
};

TEST_F(TallEditor, ScrollingStaysWithinTheLevelsEnds) {
  SetUpTall(TallMap(2, 2));
  const int limit = Tall().View().scrollMaximum - 384;
  ASSERT_GT(limit, 300);
  EXPECT_EQ(Tall().TallBottomLimit(), limit);
  Tall().TurnTallWheel(-120, 3);
  EXPECT_EQ(Tall().TallBottom(), 0);
  Tall().TurnTallWheel(120, 3);
  EXPECT_EQ(Tall().TallBottom(), 30);
  Tall().PageTall(1);
  EXPECT_EQ(Tall().TallBottom(), 30 + 368);
  Tall().PageTall(100);
  EXPECT_EQ(Tall().TallBottom(), limit);
  Tall().TurnTallWheel(120, 3);
  EXPECT_EQ(Tall().TallBottom(), limit);
  Tall().ScrollTallToStart();
  EXPECT_EQ(Tall().TallBottom(), 0);
  Tall().ScrollTallToEnd();
  EXPECT_EQ(Tall().TallBottom(), limit);
  // The overview: its top row brings the far end in, its bottom row the start.
  Tall().PressTallOverview(MouseButton::Left, 383);
  EXPECT_EQ(Tall().TallBottom(), 0);
  Tall().PressTallOverview(MouseButton::Right, 0);
  EXPECT_EQ(Tall().TallBottom(), 0);
  Tall().DragTallOverview(0);
  EXPECT_EQ(Tall().TallBottom(), limit);
  EXPECT_EQ(Tall().TallOverviewFrame().y, 0);
}

// A map filling 1000 rows at 2x: 500 level rows in sight, the top band cut.
TEST_F(TallEditor, CutTopBandCountsInTheLimitsAndPages) {
  SetUpTall(TallMap::Filling(2, 1000));
  const int limit = Tall().View().scrollMaximum - 500;
  ASSERT_GT(limit, 500);
  EXPECT_EQ(Tall().TallBottomLimit(), limit);
  Tall().PageTall(1);
  EXPECT_EQ(Tall().TallBottom(), 484);
  Tall().ScrollTallToEnd();
  EXPECT_EQ(Tall().TallBottom(), limit);
  EXPECT_EQ(Tall().TallOverviewFrame().y, 0);
}

// A drag out of the cut top band scrolls as soon as the pointer leaves the
// map's top edge, although the band's hidden rows lie beyond it.
TEST_F(TallEditor, DragPastTheMapsTopEdgeScrollsOverACutBand) {
  const TallMap map = TallMap::Filling(2, 1000);
  SetUpTall(map);
  Tall().ScrollTall(200);
  // An object that a left press grabs in the top band's visible rows.
  std::optional<MapPixel> grabbed;
  for (int y = 4; y < map.BandTop(1) && !grabbed; y += 4) {
    for (int x = 8; x < map.Width() && !grabbed; x += 16) {
      Tall().MovePointerOverTall(x, y);
      Tall().PressTall(MouseButton::Left, x, y);
      if (Tall().Pointer().dragFlag) grabbed = MapPixel{x, y};
    }
  }
  ASSERT_TRUE(grabbed);
  EXPECT_EQ(Tall().FocusBand(), 2);
  const int offset = Tall().Place().scrollOffset;
  Tall().MovePointerOverTall(grabbed->x, -1);
  EXPECT_EQ(Tall().Place().scrollOffset, offset + kAutoScrollStep);
  EXPECT_EQ(Tall().FocusBand(), 2);
  Tall().MovePointerOverTall(grabbed->x, -3);
  EXPECT_EQ(Tall().Place().scrollOffset, offset + 2 * kAutoScrollStep);
  Tall().ReleaseTall(MouseButton::Left);
}

TEST_F(TallEditor, FocusKeepsTheBottomAndFollowsTheLevelsStart) {
  SetUpTall(TallMap(2, 3));
  Tall().ScrollTall(100);
  Tall().MovePointerOverTall(10, 10);  // the top band
  EXPECT_EQ(Tall().FocusBand(), 2);
  EXPECT_EQ(Tall().Place().scrollOffset, 100 + 384);
  EXPECT_EQ(Tall().TallBottom(), 100);
  Tall().ChooseLevel(0);  // offset 0: the focus goes down to band 0
  EXPECT_EQ(Tall().FocusBand(), 0);
  EXPECT_EQ(Tall().TallBottom(), 0);
  // Fewer bands: the focus stays within them.
  Tall().MovePointerOverTall(10, 400);
  Tall().UseTallMap(TallMap(3, 1), 0, 0, 0);
  EXPECT_EQ(Tall().FocusBand(), 0);
}

// The whole level as one 256 x height picture, drawn on copies.
TFastDIB WholeLevel(const Editor& editor) {
  SnapshotImage image = editor.Image();
  WalkMemory walk = editor.Walk();
  CellGrid grid;
  TFastDIB map(kMapWidth, kWindowRows);
  RenderTarget target{image, editor.Place(), walk, grid, editor.Tables(), map};
  TFastDIB picture;
  EXPECT_TRUE(RenderWholePicture(target, editor.View().scrollMaximum, picture));
  return picture;
}

// With its bands where the whole-level picture has its screens (B a
// multiple of 192), the tall picture is that picture scaled by the zoom for
// the level rows it shows: no title banner across it, whichever band is the
// focus, a cut top band included. (At other offsets the two differ where
// colours meet: attribute cells follow the screen, not the level.)
TEST_F(TallEditor, PictureIsTheWholeLevelScaled) {
  for (const TallMap& map : {TallMap(1, 4), TallMap(4, 1), TallMap::Filling(2, 1000), TallMap::Filling(3, 700)}) {
    SetUpTall(map);
    const TFastDIB whole = WholeLevel(Tall());
    const int height = Tall().View().scrollMaximum;
    for (const int bottom : {0, 192, 576}) {
      for (const int focusY : {map.Height() - 1, 0}) {
        Tall().ScrollTall(bottom);
        Tall().MovePointerOverTall(5, focusY);
        const TFastDIB& picture = Tall().TallPicture();
        int differences = 0;
        for (int y = 0; y < map.Height(); ++y) {
          const int levelRow = Tall().TallBottom() + (map.Height() - 1 - y) / map.Zoom();
          if (levelRow >= height) continue;
          for (int x = 0; x < map.Width(); ++x) {
            differences += picture.PixelAtTop(x, y) == whole.PixelAt(x / map.Zoom(), levelRow) ? 0 : 1;
          }
        }
        EXPECT_EQ(differences, 0) << "zoom " << map.Zoom() << " height " << map.Height() << " bottom " << bottom
                                  << " focus " << Tall().FocusBand();
      }
    }
  }
}

// Every band of the picture is the map view at its offset, scaled, below
// the banner's rows, and what is drawn for the other bands leaves the focus
// band's state alone.
TEST_F(TallEditor, PictureIsEachBandsMapViewScaled) {
  for (const TallMap& map : {TallMap(1, 4), TallMap(2, 3), TallMap(3, 2), TallMap(4, 1), TallMap::Filling(2, 1000),
                             TallMap::Filling(3, 700)}) {
    const int zoom = map.Zoom();
    const int bands = map.Bands();
    SetUpTall(map);
    Tall().SetShowLandSpace(zoom == 3);
    Tall().ScrollTall(57);
    Tall().MovePointerOverTall(5, 5);  // the top band is the focus
    const EditorState state = Tall().State();
    const Bytes image(Tall().Image().Bytes().begin(), Tall().Image().Bytes().end());
    const TFastDIB& picture = Tall().TallPicture();
    EXPECT_TRUE(Tall().State() == state);
    EXPECT_TRUE(std::ranges::equal(Tall().Image().Bytes(), image));
    RandomEdits plain(1);
    plain.Load(ReadFile(kDemo));
    plain.f.editor.ChooseLevel(Tall().Place().currentLevelIndex);
    plain.f.editor.SetShowLandSpace(zoom == 3);
    for (int band = 0; band < bands; ++band) {
      plain.f.editor.ScrollTo(plain.f.editor.View().scrollMaximum - (57 + kWindowRows * band));
      EXPECT_EQ(BandDifferences(picture, map, band, plain.f.editor.MapView(), kBannerRows), 0)
          << "zoom " << zoom << " height " << map.Height() << " band " << band;
    }
  }
}

// ---- Twins: each gesture on the tall map against the map view ----

// A popup as text: captions by depth, with their enabled and checked marks.
std::string Outline(const std::vector<MenuItem>& items, int depth = 0) {
  std::string out;
  for (const MenuItem& item : items) {
    out += std::string(static_cast<std::size_t>(depth), ' ') + item.caption + (item.enabled ? "" : "-") +
           (item.checked ? "*" : "") + "\n" + Outline(item.children, depth + 1);
  }
  return out;
}

// Drives a plain Editor as the map view the tall map stands for: before each
// gesture on band k it is scrolled to B + 192 k (B as the twin sees it),
// then given the same call with the band's view pixel, computed here.
class TallTwin : public ::testing::TestWithParam<std::tuple<int, int, unsigned>> {
 protected:
  // The map fills `height` rows: whole bands, or the top one cut.
  TallTwin()
      : zoom(std::get<0>(GetParam())),
        height(std::get<1>(GetParam())),
        bands((height + kWindowRows * zoom - 1) / (kWindowRows * zoom)),
        hidden(bands * kWindowRows * zoom - height),
        rng(std::get<2>(GetParam())) {}

  void SetUp() override {
    const Bytes demo = ReadFile(kDemo);
    tall.Load(demo);
    twin.Load(demo);
    Tall().UseTallMap(TallMap::Filling(zoom, height), kMapLeft, kMapTop, kPaletteTop);
    const int level = LongestLevel(Tall());
    Twin().ChooseLevel(level);
  }

  Editor& Tall() { return tall.f.editor; }
  Editor& Twin() { return twin.f.editor; }
  int Uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); }
  int Width() const { return kMapWidth * zoom; }
  int Height() const { return height; }

  // The written-down mapping, done by hand: rows counted from the cut
  // band's hidden top, except above the map, where they count from its top edge.
  int BandOf(int y) const {
    return std::clamp(bands - 1 - (y + hidden < 0 ? -1 : (y + hidden) / (kWindowRows * zoom)), 0, bands - 1);
  }
  static int Floor(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }
  MapPixel ViewOf(int x, int y) const {
    const int band = BandOf(y);
    const int bandTop = (bands - 1 - band) * kWindowRows * zoom - hidden;
    return {Floor(2 * x, zoom), Floor(2 * (y < 0 ? y : y - bandTop), zoom)};
  }

  int TwinBottom() const { return twin.f.editor.Place().scrollOffset - kWindowRows * twinBand; }

  // The map view at offset `offset`: by its scroll bar, or, beyond the
  // level's far end where the thumb cannot go, as the wheel leaves it.
  void ShowOffset(int offset) {
    if (offset <= Twin().View().scrollMaximum) {
      Twin().ScrollTo(Twin().View().scrollMaximum - offset);
      return;
    }
    WritableState(Twin()).place.scrollOffset = offset;
    Twin().View().scrollPosition = 0;
    Twin().Refresh();
  }
  void FocusTwin(int band) {
    if (band == twinBand) return;
    const int bottom = TwinBottom();
    twinBand = band;
    ShowOffset(bottom + kWindowRows * band);
  }

  void Move(int x, int y) {
    Tall().MovePointerOverTall(x, y);
    FocusTwin(BandOf(y));
    const MapPixel view = ViewOf(x, y);
    Twin().MovePointerOverMap(view.x, view.y);
  }
  void Press(MouseButton button, int x, int y) {
    Tall().PressTall(button, x, y);
    FocusTwin(BandOf(y));
    const MapPixel view = ViewOf(x, y);
    Twin().PressMap(button, view.x, view.y);
  }

  void AnswerBoth(int count) {
    for (int i = 0; i < count; ++i) {
      const std::string reply = std::to_string(Uniform(0, 40));
      tall.f.ui.inputAnswers.push_back(reply);
      twin.f.ui.inputAnswers.push_back(reply);
    }
  }

  static void Leaves(const std::vector<MenuItem>& items, std::vector<const MenuItem*>& out) {
    for (const MenuItem& item : items) {
      if (!item.enabled) continue;
      if (item.children.empty()) out.push_back(&item);
      Leaves(item.children, out);
    }
  }

  void PopupStep(std::ostringstream& what) {
    const int x = Uniform(0, Width() - 1), y = Uniform(0, Height() - 1);
    what << "popup at " << x << "," << y;
    Move(x, y);
    Press(MouseButton::Right, x, y);
    ASSERT_EQ(Outline(Tall().Popup()), Outline(Twin().Popup()));
    std::vector<const MenuItem*> leaves;
    Leaves(Tall().Popup(), leaves);
    if (leaves.empty()) return;
    const MenuItem chosen = *leaves[static_cast<std::size_t>(Uniform(0, static_cast<int>(leaves.size()) - 1))];
    what << " " << chosen.caption;
    AnswerBoth(3);
    Tall().RunMenuCommand(chosen);
    Twin().RunMenuCommand(chosen);
  }

  void DragStep(std::ostringstream& what) {
    const int x = Uniform(0, Width() - 1), y = Uniform(0, Height() - 1);
    what << "drag from " << x << "," << y;
    Move(x, y);
    Press(MouseButton::Left, x, y);
    for (int i = Uniform(1, 6); i > 0; --i) {
      const int toX = Uniform(-40, Width() + 40), toY = Uniform(-80, Height() + 80);
      what << " " << toX << "," << toY;
      Move(toX, toY);
    }
    Tall().ReleaseTall(MouseButton::Left);
    Twin().ReleaseMap(MouseButton::Left);
  }

  void DropStep(std::ostringstream& what) {
    const int slot = Uniform(0, 31);
    const int x = Uniform(0, Width() - 1), y = Uniform(0, Height() - 1);
    what << "drop slot " << slot << " at " << x << "," << y;
    AnswerBoth(2);
    const int stripX = slot * 32 + 16;
    Tall().PressPalette(MouseButton::Left, stripX, stripX, kPaletteTop + 20);
    Tall().MovePointerOverWindow(kMapLeft + x, kMapTop + y);
    Tall().ReleasePalette();
    Twin().PressPalette(MouseButton::Left, stripX, stripX, kPaletteBoxTop + 20);
    FocusTwin(BandOf(y));
    const MapPixel view = ViewOf(x, y);
    Twin().MovePointerOverWindow(kMapViewLeft + view.x, kMapViewTop + view.y);
    Twin().ReleasePalette();
  }

  void ScrollStep(std::ostringstream& what) {
    const int bottom = Uniform(-50, Twin().View().scrollMaximum + 50);
    what << "scroll to " << bottom;
    Tall().ScrollTall(bottom);
    const int limit = std::max(0, Twin().View().scrollMaximum - height / zoom);
    ShowOffset(std::clamp(bottom, 0, limit) + kWindowRows * twinBand);
  }

  std::string Step() {
    std::ostringstream what;
    const int roll = Uniform(0, 99);
    if (roll < 35) {
      PopupStep(what);
    } else if (roll < 60) {
      DragStep(what);
    } else if (roll < 80) {
      DropStep(what);
    } else if (roll < 92) {
      const int x = Uniform(0, Width() - 1), y = Uniform(0, Height() - 1);
      what << "move to " << x << "," << y;
      Move(x, y);
    } else if (roll < 97) {
      ScrollStep(what);
    } else {
      const bool show = !Twin().View().showLandSpace;
      what << "land space " << show;
      Tall().SetShowLandSpace(show);
      Twin().SetShowLandSpace(show);
    }
    tall.f.ui.inputAnswers.clear();
    twin.f.ui.inputAnswers.clear();
    return what.str();
  }

  void ExpectSame() {
    EXPECT_TRUE(std::ranges::equal(Tall().Image().Bytes(), Twin().Image().Bytes())) << "image";
    EXPECT_TRUE(Tall().State() == Twin().State()) << "state";
    ViewState view = Tall().View();
    view.revisions = Twin().View().revisions;  // the tall map draws more often
    EXPECT_TRUE(view == Twin().View()) << "view";
    EXPECT_EQ(Tall().UndoName(), Twin().UndoName());
    EXPECT_EQ(Tall().Grid().ownerPos, Twin().Grid().ownerPos) << "cell grid";
    EXPECT_EQ(Tall().MapView().Pixels(), Twin().MapView().Pixels()) << "map view";
    EXPECT_EQ(Tall().FocusBand(), twinBand);
    EXPECT_EQ(BandDifferences(Tall().TallPicture(), Tall().Tall(), twinBand, Twin().MapView(), kBannerRows), 0)
        << "picture";
  }

  static constexpr int kMapLeft = 3, kMapTop = 120, kPaletteTop = 60;
  const int zoom;
  const int height;
  const int bands;
  const int hidden;
  std::mt19937 rng;
  RandomEdits tall{1};
  RandomEdits twin{1};
  int twinBand = 0;
};

TEST_P(TallTwin, EveryGestureIsTheMapViewsAtItsBandsOffset) {
  const Bytes demo = ReadFile(kDemo);
  const std::set<std::uint32_t> changeable = ChangeableOutsideTheArea();
  Tall().ScrollTall(Uniform(0, Tall().TallBottomLimit()));
  ShowOffset(Tall().TallBottom());
  for (int step = 0; step < 250; ++step) {
    const std::string what = Step();
    SCOPED_TRACE("step " + std::to_string(step) + ": " + what);
    ASSERT_TRUE(tall.Check(demo, changeable));
    ExpectSame();
    if (HasFailure()) return;
  }
  // Undo to the start, each step as the map view takes it back.
  for (int steps = 0; Twin().CanUndo(); ++steps) {
    SCOPED_TRACE("undo " + std::to_string(steps) + " " + Twin().UndoName());
    Tall().Undo();
    Twin().Undo();
    twinBand = Tall().FocusBand();  // B follows the offset undone
    ExpectSame();
    if (HasFailure()) return;
  }
  // Every band of the last picture, against the map view at its offset.
  const int bottom = Tall().TallBottom();
  const TFastDIB picture = Tall().TallPicture();
  for (int band = 0; band < bands; ++band) {
    ShowOffset(bottom + kWindowRows * band);
    EXPECT_EQ(BandDifferences(picture, Tall().Tall(), band, Twin().MapView(), kBannerRows), 0) << "band " << band;
  }
}

INSTANTIATE_TEST_SUITE_P(ZoomsAndSeeds, TallTwin,
                         ::testing::Values(std::tuple{2, 3 * 384, 1u}, std::tuple{2, 2 * 384, 2u},
                                           std::tuple{3, 2 * 576, 3u}, std::tuple{3, 3 * 576, 4u},
                                           std::tuple{2, 1000, 5u}, std::tuple{3, 1000, 6u}, std::tuple{4, 1100, 7u}));

}  // namespace
}  // namespace kestrova::testing
