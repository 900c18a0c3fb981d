// Dragging a grabbed object on the map through the Editor: sideways within
// its column range, up and down past land-space records, auto-scroll, the
// areas that ignore the pointer, and the release.
#include <gtest/gtest.h>

#include "demo/demo_game.h"
#include "support/edit_fixture.h"

namespace kestrova {
namespace {

using testing::EditFixture;
using testing::Stream;
using Bytes = std::vector<std::uint8_t>;

// Map pixel of column c, screen row r.
constexpr int X(int column) { return 16 * column + 6; }
constexpr int Y(int row) { return 2 * row; }

// Level 1 at scroll 0: a boulder at column 10 (0x9238, rows 170-191) in
// the band of LS1 (0x923A, rows 132-191); a tree at column 5 (0x923C) in
// LS2's band (0x923E, rows 72-131); a road bottom edging (0x9240) in LS3's
// (0x9242, rows 12-71); four more bands; the end record at 0x924E.
const Bytes kBands = Stream({{0x22, 0x00, 0x87, 0x0A, 0x00, 0x1D, 0x83, 0x05, 0x00, 0x1D, 0x05, 0x00, 0x00, 0x1D},
                             {0x0F, 0x02, 0x00, 0x1D, 0x00, 0x1D, 0x00, 0x1D, 0x00, 0x1D, 0x22, 0x01, 0xFF}});

class MapDrag : public ::testing::Test {
 protected:
  void Load(const Bytes& stream) {
    SnapshotImage image = MakeDemoSnapshot(DemoMachine::Spectrum48K);
    for (std::uint32_t a = kLevelAreaStart; a <= kLevelAreaLast; ++a) image.Write(a, testing::kFreeFiller);
    for (std::size_t i = 0; i < stream.size(); ++i)
      image.Write(kLevelAreaStart + static_cast<std::uint32_t>(i), stream[i]);
    f.LoadImage(std::move(image));
  }
  void SetUp() override { Load(kBands); }

  std::uint32_t TileAt(int x, int y) const {
    return f.editor.Grid()
        .tileId[f.editor.Tables().rowStart[static_cast<std::size_t>(y / 2)] + static_cast<std::uint32_t>(x / 16)];
  }
  // Presses at (x, y) and moves there, as the pointer arrives before it is pressed.
  void Grab(int x, int y) {
    f.editor.MovePointerOverMap(x, y);
    f.editor.PressMap(MouseButton::Left, x, y);
    ASSERT_TRUE(f.editor.Pointer().dragFlag);
  }
  Bytes Level() const { return f.Bytes(kLevelAreaStart, kBands.size()); }

  EditFixture f;
};

TEST_F(MapDrag, ABoulderStopsAtTheLastColumnOfItsRange) {
  Grab(X(10), Y(180));
  EXPECT_EQ(f.editor.Pointer().rangeMax, 29);
  f.editor.MovePointerOverMap(X(31), Y(180));
  EXPECT_EQ(f.At(0x9239), 29);
  EXPECT_EQ(TileAt(X(29), Y(180)), 135u);
  EXPECT_EQ(TileAt(X(28), Y(180)), 0u);
  EXPECT_EQ(f.editor.View().statusText, "A boulder in column 29");
  // Further right, and past the view's edge: it stays.
  f.editor.MovePointerOverMap(X(31) + 8, Y(180));
  f.editor.MovePointerOverMap(700, Y(180));
  EXPECT_EQ(f.At(0x9239), 29);
  // Back to the left edge and beyond it.
  f.editor.MovePointerOverMap(-50, Y(180));
  EXPECT_EQ(f.At(0x9239), 0);
  EXPECT_EQ(TileAt(X(0), Y(180)), 135u);
  // Nothing but the operand changed.
  Bytes expected = kBands;
  expected[3] = 0;
  EXPECT_EQ(Level(), expected);
}

TEST_F(MapDrag, ARoadEdgingMovesOneColumnPerEvent) {
  // The edging's staircase: any of its cells grabs it.
  int x = -1, y = -1;
  for (int row = 71; row > 12 && x < 0; --row) {
    for (int column = 0; column < 16; ++column) {
      if (TileAt(X(column), Y(row)) == 5) {
        x = X(column);
        y = Y(row);
        break;
      }
    }
  }
  ASSERT_GE(x, 0);
  Grab(x, y);
  EXPECT_EQ(f.editor.Pointer().rangeMax, 16);
  f.editor.MovePointerOverMap(x + 5 * 16, y);
  EXPECT_EQ(f.At(0x9241), 1);
  f.editor.MovePointerOverMap(x + 8 * 16, y);
  EXPECT_EQ(f.At(0x9241), 2);
  f.editor.MovePointerOverMap(x + 8 * 16 + 4, y);  // same column: no event for the edging
  EXPECT_EQ(f.At(0x9241), 2);
  f.editor.MovePointerOverMap(x - 16, y);
  EXPECT_EQ(f.At(0x9241), 1);
}

TEST_F(MapDrag, IntoTheNextBandAndBack) {
  Grab(X(10), Y(180));
  EXPECT_EQ(f.editor.Pointer().previousLand, 0x923Au);
  // Up into LS2's band: the boulder passes LS1 and lands before LS2.
  f.editor.MovePointerOverMap(X(10), Y(100));
  EXPECT_EQ(f.Bytes(0x9236, 10), (Bytes{0x22, 0x00, 0x00, 0x1D, 0x83, 0x05, 0x87, 0x0A, 0x00, 0x1D}));
  EXPECT_EQ(f.editor.Pointer().recordUnderPointer, 0x923Cu);
  EXPECT_EQ(f.editor.Pointer().previousLand, 0x923Eu);
  EXPECT_EQ(TileAt(X(10), Y(131)), 135u);  // drawn at the bottom of that band
  EXPECT_EQ(TileAt(X(10), Y(191)), 0u);
  // Further up inside the same band: no move.
  f.editor.MovePointerOverMap(X(10), Y(80));
  EXPECT_EQ(f.editor.Pointer().recordUnderPointer, 0x923Cu);
  // Back down into LS1's band: the stream is as it was.
  f.editor.MovePointerOverMap(X(10), Y(180));
  EXPECT_EQ(Level(), kBands);
  EXPECT_EQ(f.editor.Pointer().recordUnderPointer, 0x9238u);
  EXPECT_EQ(TileAt(X(10), Y(191)), 135u);
  // The level's length and the bytes free never change while dragging.
  EXPECT_EQ(f.editor.Place().levelEnd, 0x924Eu);
}

TEST_F(MapDrag, NotIntoTheLastRecordsOfTheLevel) {
  Grab(X(10), Y(180));
  // Scrolled 120 rows: LS3's band at the bottom of the view, LS4's and
  // LS5's above it.
  f.editor.ScrollTo(f.editor.View().scrollMaximum - 120);
  for (int row = 180; row > 8; row -= 10) f.editor.MovePointerOverMap(X(10), Y(row));
  // Into LS3's band, directly before LS3, and no further: LS4 lies at
  // level end - 8.
  EXPECT_EQ(f.editor.Pointer().recordUnderPointer, 0x9240u);
  EXPECT_EQ(f.Bytes(0x9238, 12), (Bytes{0x00, 0x1D, 0x83, 0x05, 0x00, 0x1D, 0x05, 0x00, 0x87, 0x0A, 0x00, 0x1D}));
  EXPECT_EQ(f.Bytes(0x9244, 12), Bytes(kBands.begin() + 14, kBands.end() - 1));
}

TEST_F(MapDrag, TheFirstRecordOfLevelOneIsNeverDisplaced) {
  // A band of 20 rows first (0x9238), then the boulder (0x923A) in LS1's band.
  Load(Stream({{0x22, 0x00, 0x00, 0x09, 0x87, 0x0A, 0x00, 0x1D, 0x00, 0x1D, 0x00, 0x1D, 0x00, 0x1D, 0x00, 0x1D},
               {0x22, 0x01, 0xFF}}));
  Grab(X(10), Y(160));
  f.editor.MovePointerOverMap(X(10), Y(185));
  EXPECT_EQ(f.Bytes(0x9236, 6), (Bytes{0x22, 0x00, 0x87, 0x0A, 0x00, 0x09}));
  for (int row : {188, 191, 191}) f.editor.MovePointerOverMap(X(10), Y(row) + 1);
  EXPECT_EQ(f.Bytes(0x9236, 6), (Bytes{0x22, 0x00, 0x87, 0x0A, 0x00, 0x09}));
  EXPECT_EQ(f.editor.Pointer().recordUnderPointer, 0x9238u);
}

TEST_F(MapDrag, AutoScrollPastTheTopUpToTheLevelHeightAndBackPastTheBottom) {
  Grab(X(10), Y(180));
  const int maximum = f.editor.View().scrollMaximum;
  ASSERT_EQ(maximum, 576);
  for (int y = -1; y > -10; --y) f.editor.MovePointerOverMap(X(10), y);
  EXPECT_EQ(f.editor.Place().scrollOffset, 36);
  EXPECT_EQ(f.editor.View().scrollPosition, maximum - 36);
  // Moving back towards the view does not scroll.
  f.editor.MovePointerOverMap(X(10), -3);
  EXPECT_EQ(f.editor.Place().scrollOffset, 36);
  for (int y = -4; y > -300; --y) f.editor.MovePointerOverMap(X(10), y);
  EXPECT_EQ(f.editor.Place().scrollOffset, maximum);
  EXPECT_EQ(f.editor.View().scrollPosition, 0);
  for (int y = 384; y < 384 + 200; ++y) f.editor.MovePointerOverMap(X(10), y);
  EXPECT_EQ(f.editor.Place().scrollOffset, 0);
  EXPECT_EQ(f.editor.View().scrollPosition, maximum);
  // Nothing moved: outside the view the records stay.
  EXPECT_EQ(Level(), kBands);
}

TEST_F(MapDrag, TunnelAreasLeaveObjectMapAndTextAsTheyWere) {
  // A tree (0x923A, rows 120-159) below a tunnel whose bands cover rows 22-107.
  Load(Stream({{0x22, 0x00, 0x00, 0x0F, 0x83, 0x07, 0x00, 0x19},
               {0x09, 0x0B, 0x09, 0x1F, 0x96, 0x0C, 0x00, 0x17, 0x17, 0x1F, 0x00, 0x0C, 0x08, 0x1F},
               {0x00, 0x30, 0x00, 0x30, 0x00, 0x30, 0x22, 0x01, 0xFF}}));
  Grab(X(7), Y(150));
  const std::string text = f.editor.View().statusText;
  EXPECT_EQ(text, "A tree in column 7");
  const Bytes level = f.Bytes(kLevelAreaStart, 40);
  const std::vector<Pixel> map = f.editor.MapView().Pixels();
  for (int row : {100, 60, 50, 30}) {  // tunnel band (tile 114), whole band (116), bridge (115)
    const std::uint32_t tile = TileAt(X(7), Y(row));
    EXPECT_TRUE(tile == 114 || tile == 116 || tile == 115) << row << ": " << tile;
    f.editor.MovePointerOverMap(X(7), Y(row));
    EXPECT_EQ(f.Bytes(kLevelAreaStart, 40), level) << row;
    EXPECT_EQ(f.editor.MapView().Pixels(), map) << row;
    EXPECT_EQ(f.editor.View().statusText, text) << row;
    EXPECT_EQ(f.editor.Pointer().lastPointerY, Y(150)) << row;
  }
}

TEST_F(MapDrag, TheReleaseEndsTheDrag) {
  Grab(X(10), Y(180));
  f.editor.MovePointerOverMap(X(10), Y(100));
  const std::vector<Pixel> overview = f.editor.OverviewBitmap().Pixels();
  f.editor.ReleaseMap(MouseButton::Left);
  EXPECT_FALSE(f.editor.Pointer().dragFlag);
  EXPECT_NE(f.editor.OverviewBitmap().Pixels(), overview);  // the overview shows the move now
  EXPECT_EQ(f.editor.Walk().walkStart, f.editor.Place().levelStart);
  // Without the drag flag the pointer only describes.
  const Bytes level = Level();
  f.editor.MovePointerOverMap(X(20), Y(180));
  EXPECT_EQ(Level(), level);
  EXPECT_EQ(f.editor.View().statusText, "Land Space");
  EXPECT_EQ(f.editor.Pointer().lastPointerY, Y(180));
}

// A press of another button while an object is being dragged would build a
// popup over whatever lies under the pointer and take the grabbed object's
// record for it: the popup's grab would then swallow the release, and the
// drag would go on with another object's record, or with one a popup command
// had deleted. The press changes nothing; a release still ends the drag.
TEST_F(MapDrag, APressOfAnotherButtonLeavesTheDragAlone) {
  Grab(X(5), Y(100));  // the tree
  f.editor.MovePointerOverMap(X(7), Y(100));
  for (const MouseButton other : {MouseButton::Right, MouseButton::Middle}) {
    const EditorState state = f.editor.State();
    const Bytes level = Level();
    f.editor.PressMap(other, X(10), Y(180));  // over the boulder
    EXPECT_TRUE(f.editor.Popup().empty());
    EXPECT_EQ(f.editor.PopupShown(), PopupPlacement::None);
    EXPECT_TRUE(f.editor.State() == state);
    EXPECT_EQ(Level(), level);
  }
  f.editor.MovePointerOverMap(X(8), Y(100));
  EXPECT_EQ(f.Bytes(0x923C, 2), (Bytes{0x83, 0x08}));  // the tree went on moving
  EXPECT_EQ(f.Bytes(0x9238, 2), (Bytes{0x87, 0x0A}));  // the boulder stayed
  f.editor.ReleaseMap(MouseButton::Right);
  EXPECT_FALSE(f.editor.Pointer().dragFlag);
}

}  // namespace
}  // namespace kestrova
