#include "edit/drag_step.h"

#include <optional>
#include <vector>

#include <gtest/gtest.h>

#include "level/level_addresses.h"
#include "level/level_stream.h"
#include "render/descriptions.h"

namespace kestrova {
namespace {

using Bytes = std::vector<std::uint8_t>;

SnapshotImage ImageWith(const Bytes& stream, std::uint32_t at = kLevelAreaStart) {
  SnapshotImage image(std::vector<std::uint8_t>(kSnapshotSize48K, 0));
  for (std::size_t i = 0; i < stream.size(); ++i) image.Write(at + static_cast<std::uint32_t>(i), stream[i]);
  return image;
}

Bytes StreamOf(const SnapshotImage& image, std::uint32_t from, std::size_t length) {
  Bytes bytes;
  for (std::uint32_t a = from; a < from + length; ++a) bytes.push_back(image.Read(a));
  return bytes;
}

// ---- Sideways ----

struct SidewaysCase {
  const char* name;
  std::uint8_t code;
  std::uint8_t operand;
  int rangeMin, rangeMax;
  int grabbedColumn;
  std::vector<int> pointerColumns;  // one pointer event each, x = 16 * column + 3
  std::uint8_t expectedOperand;
  int expectedGrabbedColumn;
};

class SidewaysTest : public ::testing::TestWithParam<SidewaysCase> {};

TEST_P(SidewaysTest, MovesTheOperandWithinTheRange) {
  const SidewaysCase& c = GetParam();
  SnapshotImage image = ImageWith({c.code, c.operand, 0x22, 0x01, 0xFF}, 0x9240);
  PointerState state;
  state.recordUnderPointer = 0x9240;
  state.rangeMin = c.rangeMin;
  state.rangeMax = c.rangeMax;
  state.grabbedColumn = c.grabbedColumn;
  for (int column : c.pointerColumns) MoveSideways(image, state, 16 * column + 3);
  EXPECT_EQ(image.Read(0x9241), c.expectedOperand);
  EXPECT_EQ(state.grabbedColumn, c.expectedGrabbedColumn);
  EXPECT_EQ(image.Read(0x9240), c.code);
  EXPECT_EQ(image.Read(0x9242), 0x22);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SidewaysTest,
    ::testing::Values(
        // A boulder (0..29) dragged from column 10 to the right edge stops at 29.
        SidewaysCase{"BoulderJumpsToTheEdge", 0x87, 10, 0, 29, 10, {31}, 29, 31},
        SidewaysCase{"BoulderStepsToTheEdge", 0x87, 10, 0, 29, 10, {11, 15, 20, 25, 28, 29, 30, 31}, 29, 29},
        // Past the edge the grabbed column stays; coming back left moves at once.
        SidewaysCase{"BackFromTheEdge", 0x87, 10, 0, 29, 10, {31, 30, 27}, 25, 27},
        // The flag bits of a mirrored cliff (0..26) are kept at the limit.
        SidewaysCase{"MirroredCliffKeepsItsFlag", 0x82, 0x85, 0, 26, 5, {31}, 0x9A, 31},
        SidewaysCase{"DoubleCliffEdgeKeepsFlags", 0x26, 0xE3, 0, 31, 3, {9}, 0xE9, 9},
        // A tree (1..30) dragged left stops at 1, also with the pointer left of the view.
        SidewaysCase{"TreeStopsAtOne", 0x83, 6, 1, 30, 6, {0}, 1, 0},
        SidewaysCase{"TreeLeftOfTheView", 0x83, 6, 1, 30, 6, {-3}, 1, 0},
        // Road edgings move by one per event, whatever the distance.
        SidewaysCase{"EdgingRightByOne", 0x05, 0, 0, 16, 10, {15, 20, 31}, 3, 31},
        SidewaysCase{"EdgingLeftByOne", 0x06, 16, 0, 16, 20, {10, 2}, 14, 2},
        SidewaysCase{"EdgingAtItsLimit", 0x05, 16, 0, 16, 10, {12}, 16, 10},
        // A range of 0..0 does not move sideways.
        SidewaysCase{"FixedColumn", 0x1A, 0, 0, 0, 10, {20, 3}, 0, 10},
        // The pointer far right of the view counts as column 31.
        SidewaysCase{"RightOfTheView", 0x0F, 2, 0, 30, 2, {45}, 30, 31}),
    [](const ::testing::TestParamInfo<SidewaysCase>& param) { return param.param.name; });

// ---- Record moves ----

// X a tree at 0x9238; bands LS1 (0x923E), LS2 (0x9242), LS3 (0x9246).
//          0x9236     0x9238     0x923A     0x923C     0x923E     0x9240     0x9242     0x9244     0x9246     end
const Bytes kLevel = {0x22, 0x00, 0x83, 0x05, 0x87, 0x03, 0x0F, 0x02, 0x00, 0x04, 0x8A, 0x01, 0x00, 0x05, 0x8B,
                      0x02, 0x00, 0x06, 0x8C, 0x03, 0x00, 0x07, 0x10, 0x04, 0x00, 0x03, 0x22, 0x01, 0xFF};
constexpr std::uint32_t kX = 0x9238;
constexpr std::uint32_t kLs1 = 0x923E;
constexpr std::uint32_t kLs2 = 0x9242;
constexpr std::uint32_t kLs3 = 0x9246;
constexpr std::uint32_t kLevelEnd = 0x9250;

TEST(RecordMoves, UpPassesTheNextLandSpaceOrGoesOnToTheBandUnderThePointer) {
  {
    SnapshotImage image = ImageWith(kLevel);
    EXPECT_EQ(MoveRecordUp(image, kX, kLs1, kLevelEnd), 0x923E);
    EXPECT_EQ(StreamOf(image, 0x9236, 12),
              (Bytes{0x22, 0x00, 0x87, 0x03, 0x0F, 0x02, 0x00, 0x04, 0x83, 0x05, 0x8A, 0x01}));
  }
  {
    SnapshotImage image = ImageWith(kLevel);
    // Directly before LS3, which stays where it was.
    EXPECT_EQ(MoveRecordUp(image, kX, kLs3, kLevelEnd), kLs3 - 2);
    EXPECT_EQ(StreamOf(image, 0x9238, 16),
              (Bytes{0x87, 0x03, 0x0F, 0x02, 0x00, 0x04, 0x8A, 0x01, 0x00, 0x05, 0x8B, 0x02, 0x83, 0x05, 0x00, 0x06}));
    EXPECT_EQ(image.Read(kLs3), 0x00);
  }
  {
    // A tree after the level's last band: the free bytes after the marker
    // read 00, but nothing is carried past the end record to find them.
    const Bytes lastBand = {0x22, 0x00, 0x00, 0x02, 0x83, 0x05, 0x22, 0x01, 0xFF};
    SnapshotImage image = ImageWith(lastBand);
    EXPECT_FALSE(MoveRecordUp(image, 0x923A, 0x9238, 0x923C));
    EXPECT_EQ(StreamOf(image, 0x9236, lastBand.size()), lastBand);
  }
}

TEST(RecordMoves, UpIntoTheNextBandAndDownAgainRestoresTheStream) {
  SnapshotImage image = ImageWith(kLevel);
  // X is drawn at the bottom of LS1's band; up into LS2's band...
  const auto up = MoveRecordUp(image, kX, kLs2, kLevelEnd);
  ASSERT_EQ(up, kLs2 - 2);
  EXPECT_EQ(image.Read(0x923C), 0x00);  // LS1 has come down one slot
  // ... and back down into the band of LS1, now at 0x923C.
  EXPECT_EQ(MoveRecordDown(image, *up, 0x923C, LowerMoveLimit(kLevelAreaStart)), 0x923C);
  // Back in LS1's band, now drawn after the boulder and the grenade.
  EXPECT_EQ(StreamOf(image, 0x9236, 14),
            (Bytes{0x22, 0x00, 0x87, 0x03, 0x0F, 0x02, 0x83, 0x05, 0x00, 0x04, 0x8A, 0x01, 0x00, 0x05}));
  EXPECT_EQ(StreamOf(image, 0x9244, 12), Bytes(kLevel.begin() + 14, kLevel.end() - 3));
}

TEST(RecordMoves, DownStopsAtTheLowerLimitAndAlwaysMovesOneSlot) {
  {
    // 0x9236, the first record of level 1, is never displaced.
    SnapshotImage image = ImageWith(kLevel);
    EXPECT_EQ(MoveRecordDown(image, 0x9240, 0x9000, LowerMoveLimit(kLevelAreaStart)), 0x9238);
    EXPECT_EQ(StreamOf(image, 0x9236, 4), (Bytes{0x22, 0x00, 0x8A, 0x01}));
  }
  {
    // A band above the record still moves it one slot down.
    SnapshotImage image = ImageWith(kLevel);
    EXPECT_EQ(MoveRecordDown(image, 0x9240, kLs3, LowerMoveLimit(kLevelAreaStart)), 0x923E);
    EXPECT_EQ(StreamOf(image, 0x923E, 4), (Bytes{0x8A, 0x01, 0x00, 0x04}));
  }
  EXPECT_EQ(LowerMoveLimit(0x9300), 0x9300u);
}

// ---- The vertical moves as the drag step tries them ----

class VerticalMoveTest : public ::testing::Test {
 protected:
  void SetUp() override {
    place.levelStart = kLevelAreaStart;
    place.levelEnd = kLevelEnd;
    state.recordUnderPointer = kX;
    state.previousLand = kLs1;
    state.grabbedRow = 150;
  }
  // The cell under pointer y at column 5, with the band and tile given.
  VerticalMove Move(int y, std::uint32_t land, std::uint32_t tile = 0) {
    const std::uint32_t cell = CellIndexUnderPointer(tables, 5 * 16, y);
    grid.landPos[cell] = land;
    grid.tileId[cell] = tile;
    return MoveVertically(image, state, place, grid, cell, y);
  }

  ScreenTables tables = BuildScreenTables();
  CellGrid grid;
  SnapshotImage image = ImageWith(kLevel);
  PointerState state;
  LevelPlace place;
};

TEST_F(VerticalMoveTest, UpIntoAnotherBand) {
  EXPECT_EQ(Move(200, kLs2), VerticalMove::Tried);
  EXPECT_EQ(state.recordUnderPointer, kLs2 - 2);
  EXPECT_EQ(image.Read(kLs2 - 2), 0x83);
  EXPECT_EQ(state.grabbedRow, 100);
}

TEST_F(VerticalMoveTest, NoMoveWithinTheSameBandOrNearTheEnd) {
  struct Case {
    std::uint32_t land;
    std::uint32_t previous;
    std::uint32_t levelEnd;
  };
  for (const Case& c : {Case{kLs1, kLs1, kLevelEnd},      // the band it is in
                        Case{kLs3, kLs1, kLs3 + 2},       // the band of the record before the end
                        Case{kLs3, kLs1, kLs3 + 8},       // not below level end - 8
                        Case{kLs2, kLs2 + 2, kLs2 + 10},  // previous land too near the end
                        Case{0, kLs1, kLevelEnd}}) {      // no band under the pointer
    SetUp();
    image = ImageWith(kLevel);
    state.previousLand = c.previous;
    place.levelEnd = c.levelEnd;
    EXPECT_EQ(Move(200, c.land), VerticalMove::Tried);
    EXPECT_EQ(state.recordUnderPointer, kX) << c.land;
    EXPECT_EQ(state.grabbedRow, 150);
    EXPECT_EQ(StreamOf(image, 0x9236, kLevel.size()), kLevel);
  }
}

TEST_F(VerticalMoveTest, FortressTunnelAndCrossingCellsEndTheStep) {
  for (std::uint32_t tile : {33u, 114u, 115u, 116u, 150u, 147u, 152u, 13u, 14u, 25u}) {
    image = ImageWith(kLevel);
    EXPECT_EQ(Move(200, kLs2, tile), VerticalMove::Ignored) << tile;  // upward
    state.recordUnderPointer = 0x9240;
    EXPECT_EQ(Move(360, kLs1, tile), VerticalMove::Ignored) << tile;  // downward
    state.recordUnderPointer = kX;
    EXPECT_EQ(StreamOf(image, 0x9236, kLevel.size()), kLevel);
  }
  // Other tiles move.
  EXPECT_EQ(Move(200, kLs2, 135), VerticalMove::Tried);
  EXPECT_EQ(state.recordUnderPointer, kLs2 - 2);
}

TEST_F(VerticalMoveTest, DownIntoAnEarlierBand) {
  // The grabbed record: sandbags at 0x9240, in LS2's band.
  state.recordUnderPointer = 0x9240;
  state.previousLand = kLs2;
  state.grabbedRow = 100;
  EXPECT_EQ(Move(260, kLs1), VerticalMove::Tried);
  EXPECT_EQ(state.recordUnderPointer, kLs1);
  EXPECT_EQ(StreamOf(image, kLs1, 4), (Bytes{0x8A, 0x01, 0x00, 0x04}));
  EXPECT_EQ(state.grabbedRow, 130);
}

TEST_F(VerticalMoveTest, DownNeverDisplacesTheFirstRecordOfLevelOne) {
  state.recordUnderPointer = kX;  // 0x9238, the lower limit itself
  state.grabbedRow = 100;
  EXPECT_EQ(Move(300, 0x9236), VerticalMove::Tried);
  EXPECT_EQ(StreamOf(image, 0x9236, kLevel.size()), kLevel);
  // One record further up goes down to 0x9238 at most.
  state.recordUnderPointer = 0x923A;
  EXPECT_EQ(Move(300, 0x9236), VerticalMove::Tried);
  EXPECT_EQ(state.recordUnderPointer, 0x9238u);
  EXPECT_EQ(StreamOf(image, 0x9236, 6), (Bytes{0x22, 0x00, 0x87, 0x03, 0x83, 0x05}));
}

TEST_F(VerticalMoveTest, PointerOutsideTheViewMovesNothing) {
  state.grabbedRow = 100;
  EXPECT_EQ(Move(-4, kLs2), VerticalMove::Tried);  // above: no upward move
  state.recordUnderPointer = 0x9240;
  state.previousLand = kLs2;
  EXPECT_EQ(Move(390, kLs1), VerticalMove::Tried);  // below: no downward move
  EXPECT_EQ(StreamOf(image, 0x9236, kLevel.size()), kLevel);
}

// ---- Auto-scroll and the cell ----

TEST(AutoScroll, FourRowsPerEventFurtherPastAnEdge) {
  struct Case {
    int lastY;
    std::int32_t offset;
    int y;
    std::optional<std::int32_t> shown;  // nothing: the pointer went no further past an edge
    const char* why;
  };
  for (const Case& c : {
           Case{-2, 100, -6, 104, "further up past the top"},
           Case{-10, 104, -6, std::nullopt, "moving back towards the view"},
           Case{0, 574, -1, 576, "not past the level height"},
           Case{0, 576, -1, 576, "at the level height"},
           Case{0, 900, -1, 900, "an offset already beyond it stays"},
           Case{383, 6, 384, 2, "below the view: back towards the start"},
           Case{380, 2, 390, 0, "not below 0"},
           Case{380, 0, 390, 0, "at 0"},
           Case{300, 50, 0, std::nullopt, "inside the view, top row"},
           Case{300, 50, 383, std::nullopt, "inside the view, bottom row"},
           Case{500, 50, 450, std::nullopt, "back towards the view from below"},
       }) {
    PointerState pointer;
    pointer.lastPointerY = c.lastY;
    EXPECT_EQ(AutoScroll(pointer, c.offset, c.y, 576), c.shown) << c.why;
  }
}

}  // namespace
}  // namespace kestrova
