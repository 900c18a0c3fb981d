// The random edit sequences with two more kinds of steps: dragging a drawn
// object on the map with a random walk of the pointer (auto-scroll
// included), and palette picks dropped wherever the pointer ends, with the
// "Properties" options clicked at random between them.
#include <gtest/gtest.h>

#include <algorithm>

#include "edit/drag_step.h"
#include "edit/palette_tables.h"
#include "edit/properties_rules.h"
#include "support/random_edits.h"

namespace kestrova {
namespace {

using testing::Bytes;

constexpr int kWindowMapTop = 96;  // the map view's top in the window

bool IsTunnelCrossingOrFortress(std::uint32_t tile) {
  for (std::uint32_t t : {33u, 114u, 115u, 116u, 150u, 13u, 14u, 25u, 147u, 152u}) {
    if (tile == t) return true;
  }
  return false;
}

class RandomDragsAndDrops : public testing::RandomEdits {
 public:
  using RandomEdits::RandomEdits;

  int drags = 0, dragEvents = 0, bandMoves = 0, sidewaysMoves = 0, scrolls = 0;
  int drops = 0, refusedDrops = 0;

 protected:
  bool OwnStep(std::ostringstream& what) override {
    const int roll = Uniform(0, 99);
    if (roll < 20) {
      what << "drag";
      DragSequence(what);
      return true;
    }
    if (roll < 35) {
      what << "palette";
      PaletteDrop(what);
      return true;
    }
    return false;
  }

 private:
  Editor& E() { return f.editor; }

  // What a drag may not change, taken at the press.
  struct DragStart {
    std::uint32_t levelStart, levelEnd;
    std::int32_t bytesFree;
    Bytes image;
    std::vector<std::uint16_t> records;  // the level's records, code << 8 | operand
    std::uint8_t code, operand;
  };

  std::vector<std::uint16_t> RecordsOf(std::uint32_t start, std::uint32_t end) {
    std::vector<std::uint16_t> records;
    for (std::uint32_t p = start; p <= end; p += 2)
      records.push_back(static_cast<std::uint16_t>(E().Image().Read(p) << 8 | E().Image().Read(p + 1)));
    return records;
  }

  void DragSequence(std::ostringstream& what) {
    E().Refresh();  // the grid as drawn: earlier steps may have painted cells
    std::vector<std::uint32_t> drawn;
    for (std::uint32_t d = 0; d < kDisplayFileSize; ++d)
      if (E().Grid().tileId[d] != 0) drawn.push_back(d);
    if (drawn.empty()) return;
    const std::uint32_t cell = drawn[static_cast<std::size_t>(Uniform(0, static_cast<int>(drawn.size()) - 1))];
    const int row = PixelRowOfDisplayOffset(cell);
    int x = static_cast<int>(cell & 31) * 16 + Uniform(0, 15);
    int y = row * 2 + Uniform(0, 1);
    E().MovePointerOverMap(x, y);
    E().PressMap(MouseButton::Left, x, y);
    const EditorState& state = E().State();
    what << " tile " << E().Grid().tileId[cell] << " at " << x << "," << y;
    if (!state.pointer.dragFlag) return;
    ++drags;

    const std::uint32_t record = state.pointer.recordUnderPointer;
    DragStart start{state.place.levelStart,
                    state.place.levelEnd,
                    state.place.bytesFree,
                    Bytes(E().Image().Bytes().begin(), E().Image().Bytes().end()),
                    RecordsOf(state.place.levelStart, state.place.levelEnd),
                    E().Image().Read(record),
                    E().Image().Read(record + 1)};
    const bool edging = start.code == 0x05 || start.code == 0x06;
    std::uint8_t operand = start.operand;
    std::uint32_t at = record;
    const int events = Uniform(1, 30);
    for (int i = 0; i < events; ++i) {
      if (Uniform(0, 9) == 0) {
        x = Uniform(-64, 575);
        y = Uniform(-48, 431);
      } else {
        x = std::clamp(x + Uniform(-40, 40), -64, 575);
        y = std::clamp(y + Uniform(-36, 36), -48, 431);
      }
      const std::int32_t scroll = state.place.scrollOffset;
      E().MovePointerOverMap(x, y);
      ++dragEvents;
      if (state.place.scrollOffset != scroll) ++scrolls;
      ASSERT_TRUE(DragKeeps(start, operand, edging)) << what.str() << ", event " << i << " to " << x << "," << y;
      if (state.pointer.recordUnderPointer != at) ++bandMoves;
      if (E().Image().Read(state.pointer.recordUnderPointer + 1) != operand) ++sidewaysMoves;
      at = state.pointer.recordUnderPointer;
      operand = E().Image().Read(at + 1);
    }
    E().ReleaseMap(MouseButton::Left);
    EXPECT_FALSE(state.pointer.dragFlag);
  }

  // The grabbed object is the only thing a drag changes: its place among the
  // level's records and the column bits of its operand.
  ::testing::AssertionResult DragKeeps(const DragStart& start, std::uint8_t lastOperand, bool edging) {
    const EditorState& state = E().State();
    const SnapshotImage& image = E().Image();
    if (state.place.levelStart != start.levelStart || state.place.levelEnd != start.levelEnd ||
        state.place.bytesFree != start.bytesFree)
      return ::testing::AssertionFailure() << "the level's bounds or the bytes free changed";
    for (std::size_t offset = 0; offset < start.image.size(); ++offset) {
      const std::uint32_t address =
          static_cast<std::uint32_t>(offset) + kRamStart - static_cast<std::uint32_t>(kSnaHeaderSize);
      const bool screen = offset >= kSnaHeaderSize && address < kScreenAreaStart + kScreenAreaSize;
      const bool level = offset >= kSnaHeaderSize && address >= start.levelStart && address <= start.levelEnd + 1;
      if (!screen && !level && image.Bytes()[offset] != start.image[offset])
        return ::testing::AssertionFailure() << "byte at " << std::hex << address << " changed";
    }
    const std::uint32_t at = state.pointer.recordUnderPointer;
    if (at < LowerMoveLimit(start.levelStart) || at >= start.levelEnd || (at - start.levelStart) % 2 != 0)
      return ::testing::AssertionFailure() << "the grabbed record is at " << std::hex << at;
    const std::uint8_t operand = image.Read(at + 1);
    if (image.Read(at) != start.code) return ::testing::AssertionFailure() << "another code under the grab";
    if (edging) {
      if (std::abs(operand - lastOperand) > 1) return ::testing::AssertionFailure() << "an edging jumped columns";
    } else if ((operand & 0xE0) != (start.operand & 0xE0)) {
      return ::testing::AssertionFailure() << "the operand's flags changed";
    }
    const int column = operand & 31;
    const int low = std::min(state.pointer.rangeMin, start.operand & 31),
              high = std::max(state.pointer.rangeMax, start.operand & 31);
    if (column < low || column > high) return ::testing::AssertionFailure() << "column " << column << " out of range";
    std::vector<std::uint16_t> expected = start.records;
    const auto grabbed =
        std::find(expected.begin(), expected.end(), static_cast<std::uint16_t>(start.code << 8 | start.operand));
    if (grabbed == expected.end()) return ::testing::AssertionFailure() << "the grabbed record was not in the level";
    *grabbed = static_cast<std::uint16_t>(start.code << 8 | operand);
    std::vector<std::uint16_t> now = RecordsOf(start.levelStart, start.levelEnd);
    if (now.back() != expected.back()) return ::testing::AssertionFailure() << "the end record moved";
    std::sort(expected.begin(), expected.end());
    std::sort(now.begin(), now.end());
    if (now != expected) return ::testing::AssertionFailure() << "the level's records are not the same records";
    if (start.levelStart == kLevelAreaStart &&
        (image.Read(kLevelAreaStart) != start.image[kSnaHeaderSize + kLevelAreaStart - kRamStart]))
      return ::testing::AssertionFailure() << "level 1's first record moved";
    return ::testing::AssertionSuccess();
  }

  void ClickRandomOption() {
    const auto controls = OptionControls();
    const OptionId id = controls[static_cast<std::size_t>(Uniform(0, static_cast<int>(controls.size()) - 1))].id;
    switch (Uniform(0, 3)) {
      case 0:
        E().ReleaseMouseOverOption(id);
        break;
      case 1:
        E().ToggleOptionFromKeyboard(id);
        break;
      default:
        E().ClickOption(id);
        break;
    }
  }

  void PaletteDrop(std::ostringstream& what) {
    E().Refresh();
    for (int i = Uniform(0, 3); i > 0; --i) ClickRandomOption();
    const int x = Uniform(0, 1023);
    E().PressPalette(MouseButton::Left, x, Uniform(0, 600), Uniform(0, 500));
    const std::optional<int> tag = E().PaletteTag();
    ASSERT_TRUE(tag);
    what << " slot " << x / 32 << " tag " << *tag;
    const DragPictureRow* picture = DragPictureOfTag(*tag);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->slot, PictureOfSlot(x / 32)->firstSlot);
    EXPECT_EQ(E().DragBitmap().Width(), picture->width);
    EXPECT_TRUE(E().View().visible.dragPicture);
    for (int i = Uniform(0, 6); i > 0; --i) E().MovePointerOverWindow(Uniform(-20, 620), Uniform(0, 520));

    const EditorState& state = E().State();
    const std::uint32_t tile =
        state.pointer.cellUnderPointer < kDisplayFileSize ? E().Grid().tileId[state.pointer.cellUnderPointer] : 0;
    const int size = InsertionSize(*tag);
    const bool fits = state.place.bytesFree >= size && state.pointer.recordUnderPointer != 0 &&
                      (size != 2 || !IsTunnelCrossingOrFortress(tile)) &&
                      (!IsFortressTag(*tag) || E().Levels()[kLevelTableSize - 1] == 0);
    const std::int32_t free = state.place.bytesFree;
    const Bytes area = f.Bytes(kLevelAreaStart, kLevelAreaLength);
    Answer(1, 255);
    E().ReleasePalette();
    ++drops;
    if (fits) {
      EXPECT_EQ(state.place.bytesFree, free - size) << what.str();
    } else {
      ++refusedDrops;
      EXPECT_EQ(state.place.bytesFree, free) << what.str();
      EXPECT_EQ(f.Bytes(kLevelAreaStart, kLevelAreaLength), area) << what.str();
    }
    EXPECT_FALSE(E().View().visible.dragPicture);
    EXPECT_EQ(state.pointer.paletteDragFlag, 0);
  }
};

TEST(RandomEdits, DragsAndPaletteDropsKeepTheLevelDataWhole) {
  const Bytes demo = testing::ReadFile(testing::kDemo);
  ASSERT_GE(demo.size(), kSnapshotSize48K) << testing::kDemo;
  const std::set<std::uint32_t> changeable = testing::ChangeableOutsideTheArea();
  int drags = 0, events = 0, bandMoves = 0, sideways = 0, scrolls = 0, drops = 0, refused = 0;
  for (unsigned seed : {11u, 12u, 13u, 14u}) {
    RandomDragsAndDrops run(seed);
    run.Load(demo);
    ASSERT_TRUE(run.f.editor.HasSnapshot());
    for (int step = 0; step < 400; ++step) {
      const Bytes before(run.f.editor.Image().Bytes().begin(), run.f.editor.Image().Bytes().end());
      const std::string what = run.Step();
      ASSERT_FALSE(::testing::Test::HasFatalFailure()) << "seed " << seed << " step " << step << ": " << what;
      ASSERT_TRUE(run.Check(before, changeable)) << "seed " << seed << " step " << step << ": " << what;
    }
    drags += run.drags;
    events += run.dragEvents;
    bandMoves += run.bandMoves;
    sideways += run.sidewaysMoves;
    scrolls += run.scrolls;
    drops += run.drops;
    refused += run.refusedDrops;
  }
  std::printf("%d drags of %d events (%d band moves, %d sideways, %d scrolls), %d drops (%d refused)\n", drags, events,
              bandMoves, sideways, scrolls, drops, refused);
  // The sequences reach every kind of move and both outcomes of a drop.
  EXPECT_GT(drags, 100);
  EXPECT_GT(bandMoves, 100);
  EXPECT_GT(sideways, 200);
  EXPECT_GT(scrolls, 50);
  EXPECT_GT(drops - refused, 100);
  EXPECT_GT(refused, 20);
}

}  // namespace
}  // namespace kestrova
