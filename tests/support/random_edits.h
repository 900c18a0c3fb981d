#pragma once

// Random sequences of edits over the demo game, driven through the Editor as
// the window drives it (presses on the map, popup items, prompts, wipes,
// level choice, settings, scrolling), and the check of the level data after
// a step. Sequences with further kinds of steps derive and add them in
// OwnStep; the fuzz targets derive and take every choice from their input.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "edit/context_menu.h"
#include "edit/edit_addresses.h"
#include "edit/insertion.h"
#include "level/game_settings.h"
#include "level/level_stream.h"
#include "support/edit_fixture.h"
#include "support/editor_state_access.h"

namespace kestrova::testing {

using Bytes = std::vector<std::uint8_t>;

inline const std::string kDemo = KESTROVA_DEMO_DIR "/kestrova-demo.sna";

inline Bytes ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The bytes outside the level area that commands may change: the screen
// area the map is drawn into, the colour bytes of the popup table and the
// ones kept matched to them, and the settings.
inline std::set<std::uint32_t> ChangeableOutsideTheArea() {
  std::set<std::uint32_t> changeable;
  for (std::uint32_t a = kScreenAreaStart; a < kScreenAreaStart + kScreenAreaSize; ++a) changeable.insert(a);
  for (const PopupRow& row : kPopupRows) {
    if (!row.attribute) continue;
    for (std::uint32_t tile = row.firstTile; tile <= row.lastTile; ++tile)
      changeable.insert(AttributeAddressOf(row, tile));
  }
  for (std::uint32_t a : {kRoadTopEdgingColour, kRoadEdgingInnerColour, kTripleGrenadeSecondColour,
                          kQuintupleGrenadeSecondColour, kWaterEdgeColour, kWaterStrip1Colour, kFortressByte,
                          kStartColumn, kPixelsDown, kStartingLives, kLivesDigit, kBombsDigit, kEnemyDelay}) {
    changeable.insert(a);
  }
  return changeable;
}

// The same as one flag per address of the memory map, for a caller that
// checks step after step (each step looks up thousands of bytes).
class ChangeableBytes {
 public:
  explicit ChangeableBytes(const std::set<std::uint32_t>& addresses) : flags_(0x10000, false) {
    for (const std::uint32_t address : addresses) {
      if (address < flags_.size()) flags_[address] = true;
    }
  }
  bool Has(std::uint32_t address) const { return address < flags_.size() && flags_[address]; }

 private:
  std::vector<bool> flags_;
};

// Levels by walking records two bytes at a time from 0x9238 (level 1's first
// pair never ends it) up to the end-of-levels marker: independent of the
// byte scan the editor uses.
inline LevelTable WalkLevels(const SnapshotImage& image) {
  LevelTable table{};
  table[0] = kLevelAreaStart;
  std::size_t n = 1;
  for (std::uint32_t p = kFirstMovableRecord; p + 2 <= kLevelAreaLast; p += 2) {
    if (image.Read(p) != kCodeSpawnPoint || image.Read(p + 1) != kOperandEndRecord) continue;
    if (image.Read(p + 2) == kEndOfLevelsMarker) break;
    if (n < table.size()) table[n++] = p + 2;
  }
  return table;
}

// A cell the renderer would draw for the record at p: its tile and the
// record it names as owner.
struct Cell {
  std::uint32_t tile;
  std::uint32_t owner;
};

inline std::uint8_t CodeAt(const SnapshotImage& image, std::uint32_t p) { return image.Read(p); }

// The land-space band's cells: the markings of a log crossing or tunnel in
// the records before it, or bare ground owned by the band itself.
inline std::vector<Cell> BandCells(const SnapshotImage& image, std::uint32_t a) {
  const std::uint8_t c2 = CodeAt(image, a - 2), c6 = CodeAt(image, a - 6), c10 = CodeAt(image, a - 10);
  const std::uint8_t d = image.Read(a + 1);
  constexpr std::uint8_t kCrossing = 152, kTunnel = 150, kBike = 27;
  if (c2 == kCrossing || c6 == kCrossing || c10 == kCrossing) {
    const std::uint32_t owner = c10 == kCrossing ? a - 10 : c6 == kCrossing ? a - 6 : a - 2;
    return {{13, owner}, {152, owner}, {147, owner}, {14, owner}, {25, owner}};
  }
  const bool bikeCase = c10 == kTunnel && c2 == kBike;
  if (c2 == kTunnel || c6 == kTunnel || bikeCase) {
    const std::uint32_t owner = bikeCase ? a - 10 : c6 == kTunnel ? a - 6 : a - 2;
    if (bikeCase || (c6 == kTunnel && d == 12)) return {{116, owner}};
    return {{150, owner}, {114, owner}};
  }
  return {{0, a}};
}

inline std::vector<Cell> CellsOf(const SnapshotImage& image, std::uint32_t p, std::uint32_t levelEnd) {
  const std::uint8_t code = CodeAt(image, p);
  const std::uint8_t operand = image.Read(p + 1);
  switch (code) {
    case 0x00:
      return BandCells(image, p);
    case 0x08:
      return {{115, p - 12}};
    case 0x1B:
      if (CodeAt(image, p - 8) == 150 && image.Read(p - 7) == 12) return {};
      return {{27, p}};
    case 0x20:
      return {{21, p}, {22, p}, {32, p}};
    case 0x22:
      if (p == kLevelAreaStart || p == levelEnd) return {};
      return {{34, p}};
    case 0x26:
      return {{38, p}, {41, p}};
    case 0x82:
      return {{100, p}, {105, p}, {109, p}, {113, p}};
    case 0x83:
      return {{131, p}, {132, p}};
    case 0x94:
      if (operand & 0x80) return {{151, p}, {153, p}};
      return {{148, p}};
    case 0x04:
    case 0x05:
    case 0x06:
    case 0x0F:
    case 0x10:
    case 0x11:
    case 0x12:
    case 0x13:
    case 0x1A:
    case 0x1C:
    case 0x1D:
    case 0x1E:
    case 0x1F:
    case 0x21:
    case 0x23:
    case 0x24:
    case 0x25:
    case 0x27:
    case 0x28:
    case 0x81:
    case 0x87:
    case 0x8A:
    case 0x8B:
    case 0x8C:
    case 0x95:
      return {{code == 0x21 ? 33u : code == 0x81 ? 129u : code == 0x87 ? 135u : code == 0x95 ? 149u : code, p}};
    default:
      return {};  // walls, water, the tunnel and crossing records, the road on a bridge: no tiles
  }
}

inline const char* const kJunkReplies[] = {"", "0", "999", "abc", "-5", " 7 ", "2.9", "1e2", "256", "5x", "  ", "-1"};

class RandomEdits {
 public:
  explicit RandomEdits(unsigned seed) : rng_(seed) {}
  virtual ~RandomEdits() = default;

  EditFixture f;

  void Load(const Bytes& demo, const std::string& path = EditFixture::kPath) {
    f.files.files[path] = demo;
    f.ui.fileAnswers.push_back(path);
    f.editor.LoadSnapshot();
    f.ui.questions.clear();
  }

  // A new sequence from `loaded`, an editor as a load left it that speaks
  // through this fixture's ports (a copy of f.editor after a Load): nothing
  // of the last sequence stays, and no load is needed.
  void StartFrom(const Editor& loaded) {
    f.editor = loaded;
    f.ui = ScriptedUi{};
    fault_.clear();
    inserts = deletes = changes = colours = wipes = 0;
  }

  // One random action; returns its description.
  std::string Step() {
    std::ostringstream what;
    if (OwnStep(what)) {
      f.ui.inputAnswers.clear();
      return what.str();
    }
    const int roll = Uniform(0, 99);
    if (roll < 3) {
      const int position = Uniform(0, f.editor.View().scrollMaximum);
      what << "scroll to " << position;
      f.editor.ScrollTo(position);
    } else if (roll < 6) {
      const int index = Uniform(0, LevelCount(f.editor.Levels()) - 1);
      what << "choose level " << index;
      f.editor.ChooseLevel(index);
    } else if (roll < 8) {
      const bool all = Uniform(0, 2) == 0;
      what << "wipe " << (all ? "all after" : "current");
      all ? f.editor.ClickWipeAllAfter() : f.editor.ClickWipeCurrentLevel();
      if (f.editor.View().wipeButtonEnabled) {
        ++wipes;
        f.editor.WipeLevels();
      }
    } else if (roll < 10) {
      what << "settings";
      Settings();
    } else if (roll < 18) {
      what << "drag start";
      DragStart(what);
    } else if (roll < 33) {
      what << "drop";
      Drop(what);
    } else {
      what << "popup";
      Popup(what);
    }
    f.ui.inputAnswers.clear();
    testing::WritableState(f.editor).pointer.dragFlag = false;
    return what.str();
  }

  ::testing::AssertionResult Check(const Bytes& before, const std::set<std::uint32_t>& changeable) const {
    return Check(before, ChangeableBytes(changeable));
  }
  ::testing::AssertionResult Check(const Bytes& before, const ChangeableBytes& changeable) const {
    if (!fault_.empty()) return ::testing::AssertionFailure() << fault_;
    const Editor& editor = f.editor;
    const SnapshotImage& image = editor.Image();
    const EditorState& state = editor.State();
    const auto last = FindFirstLastEndRecord(image, kFirstMovableRecord);
    if (!last) return ::testing::AssertionFailure() << "no end record followed by the marker";
    if (state.place.bytesFree != static_cast<int>(kLastEndRecordScan - *last))
      return ::testing::AssertionFailure()
             << "bytes free " << state.place.bytesFree << ", by scan " << kLastEndRecordScan - *last;
    const std::uint32_t marker = kLevelAreaLast - static_cast<std::uint32_t>(state.place.bytesFree);
    if (image.Read(marker) != kEndOfLevelsMarker || image.Read(marker - 2) != kCodeSpawnPoint ||
        image.Read(marker - 1) != kOperandEndRecord)
      return ::testing::AssertionFailure() << "the level area does not end in 22 01 FF at " << std::hex << marker;
    const std::span<const std::uint8_t> now = image.Bytes();
    if (now.size() != before.size()) return ::testing::AssertionFailure() << "the image changed its size";
    for (std::size_t offset = 0; offset < before.size(); ++offset) {
      // Runs of unchanged bytes are passed over a block at a time.
      constexpr std::size_t kBlock = 256;
      if (offset % kBlock == 0 && before.size() - offset >= kBlock &&
          std::memcmp(now.data() + offset, before.data() + offset, kBlock) == 0) {
        offset += kBlock - 1;
        continue;
      }
      if (now[offset] == before[offset]) continue;
      const std::uint32_t address =
          offset >= kSnaHeaderSize ? static_cast<std::uint32_t>(offset - kSnaHeaderSize) + kRamStart : 0;
      const bool inArea = address >= kLevelAreaStart && address <= kLevelAreaLast;
      if (!inArea && !changeable.Has(address))
        return ::testing::AssertionFailure()
               << "byte at offset " << offset << " (address " << std::hex << address << ") changed";
    }
    const LevelTable& table = editor.Levels();
    if (table != ScanLevelTable(image)) return ::testing::AssertionFailure() << "level table is not a fresh scan";
    if (table != WalkLevels(image)) return ::testing::AssertionFailure() << "level table is not the record walk";
    for (int i = 0; i < LevelCount(table); ++i) {
      const auto end = LevelEndByBoundsRule(image, table, i);
      if (!end || image.Read(*end) != kCodeSpawnPoint || image.Read(*end + 1) != kOperandEndRecord)
        return ::testing::AssertionFailure() << "level " << i + 1 << " has no end record";
    }
    const int current = state.place.currentLevelIndex;
    if (state.place.levelStart != table[static_cast<std::size_t>(current)])
      return ::testing::AssertionFailure()
             << "level start " << std::hex << state.place.levelStart << " is not entry " << current;
    if (state.place.levelEnd != LevelEndByBoundsRule(image, table, current))
      return ::testing::AssertionFailure()
             << "level end " << std::hex << state.place.levelEnd << " is not the bounds rule's";
    return ::testing::AssertionSuccess();
  }

  int inserts = 0, deletes = 0, changes = 0, colours = 0, wipes = 0;

 protected:
  // A further kind of step of a derived sequence, tried before the others;
  // true when it took the step. The editing sequences have none.
  virtual bool OwnStep(std::ostringstream&) { return false; }

  // Every random choice goes through these two.
  virtual int Uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng_); }
  virtual std::size_t Weighted(const std::vector<int>& weights) {
    std::discrete_distribution<std::size_t> pick(weights.begin(), weights.end());
    return pick(rng_);
  }

  void Answer(int minimum, int maximum) {
    for (int i = Uniform(0, 2); i > 0; --i) f.ui.inputAnswers.push_back(kJunkReplies[Uniform(0, 11)]);
    f.ui.inputAnswers.push_back(std::to_string(Uniform(minimum, maximum)));
  }

  void Settings() {
    switch (Uniform(0, 3)) {
      case 0:
        f.editor.ClickFortressByte(Uniform(0, 15));
        break;
      case 1:
        Answer(0, 29);
        Answer(1, 85);
        f.editor.Spawn();
        break;
      case 2:
        Answer(1, 8);
        f.editor.Lives();
        break;
      default:
        Answer(1, 255);
        f.editor.Delay();
        break;
    }
  }

  // Presses at a random pointer position: on the map as the last refresh drew
  // it, or on a cell painted for a random record of the current level (or
  // bare ground above the level) as a refresh would draw it when the record
  // is in view.
  bool PaintAndPress(MouseButton button, std::ostringstream& what) {
    EditorState& state = testing::WritableState(f.editor);
    const int x = Uniform(0, 511), y = Uniform(0, 383);
    state.pointer.pointerColumn = x / 16;  // the pointer moved over the map
    if (Uniform(0, 1) == 0) {
      f.editor.PressMap(button, x, y);
      const std::uint32_t cell = state.pointer.cellUnderPointer;
      what << " drawn tile " << f.editor.Grid().tileId[cell] << " at " << std::hex << state.pointer.recordUnderPointer
           << std::dec;
      return true;
    }
    Cell cell{0, 0};
    if (Uniform(0, 30) != 0) {
      std::vector<Cell> cells;
      for (int tries = 0; tries < 8 && cells.empty(); ++tries) {
        const int records = static_cast<int>((state.place.levelEnd - state.place.levelStart) / 2);
        const std::uint32_t p =
            state.place.levelStart + 2 * static_cast<std::uint32_t>(Uniform(0, std::max(records - 1, 0)));
        // Bare ground half the time, where the insert menu is.
        if (tries < 4 && Uniform(0, 1) == 0 && f.editor.Image().Read(p) != kCodeLandSpace) continue;
        cells = CellsOf(f.editor.Image(), p, state.place.levelEnd);
      }
      if (cells.empty()) return false;
      cell = cells[static_cast<std::size_t>(Uniform(0, static_cast<int>(cells.size()) - 1))];
    }
    what << " tile " << cell.tile << " at " << std::hex << cell.owner << std::dec;
    f.PutTile(x, y, cell.tile, cell.owner, cell.tile == 0 ? cell.owner : 0);
    f.editor.PressMap(button, x, y);
    return true;
  }

  void DragStart(std::ostringstream& what) {
    if (!PaintAndPress(MouseButton::Left, what)) return;
    const EditorState& state = f.editor.State();
    const std::uint32_t tile = f.editor.Grid().tileId[state.pointer.cellUnderPointer];
    if (state.pointer.dragFlag != (DragColumnRange(tile).has_value() && tile != 0)) {
      fault_ = what.str() + ": the drag flag does not follow the tile pressed";
    }
  }

  // A palette drop: the record that drew the cell under the pointer (or the
  // band's land space) takes the object, when it fits.
  void Drop(std::ostringstream& what) {
    EditorState& state = testing::WritableState(f.editor);
    const int records = static_cast<int>((state.place.levelEnd - state.place.levelStart) / 2);
    state.pointer.recordUnderPointer =
        state.place.levelStart + 2 * static_cast<std::uint32_t>(Uniform(0, std::max(records - 1, 0)));
    state.pointer.pointerColumn = Uniform(0, 31);
    const int tag = Uniform(0, 49);
    what << " tag " << tag << " at " << std::hex << state.pointer.recordUnderPointer << std::dec;
    if (state.place.bytesFree < InsertionSize(tag)) return;
    if (IsFortressTag(tag) && f.editor.Levels()[kLevelTableSize - 1] != 0) return;
    Answer(1, 255);
    ++inserts;
    f.editor.InsertObject(tag);
  }

  static void Leaves(const std::vector<MenuItem>& items, std::vector<const MenuItem*>& out) {
    for (const MenuItem& item : items) {
      if (!item.enabled) continue;
      if (item.command != MenuCommand::None) out.push_back(&item);
      Leaves(item.children, out);
    }
  }

  static int KindOf(MenuCommand command) {
    switch (command) {
      case MenuCommand::DeletePlain:
      case MenuCommand::DeleteRiverCrossing:
      case MenuCommand::DeleteTunnel:
      case MenuCommand::DeleteFortress:
        return 1;
      case MenuCommand::Change:
        return 2;
      case MenuCommand::Attribute:
        return 3;
      default:
        return 0;
    }
  }

  void Popup(std::ostringstream& what) {
    if (!PaintAndPress(MouseButton::Right, what)) return;
    std::vector<const MenuItem*> leaves;
    Leaves(f.editor.Popup(), leaves);
    if (leaves.empty()) return;
    // Inserts, deletes, changes and colours by weight, whatever the number of
    // items each has: inserts most, so that the levels do not run empty.
    std::vector<std::vector<const MenuItem*>> kinds(4);
    for (const MenuItem* leaf : leaves) kinds[static_cast<std::size_t>(KindOf(leaf->command))].push_back(leaf);
    std::vector<int> weights = {6, 2, 2, 1};
    for (std::size_t k = 0; k < kinds.size(); ++k)
      if (kinds[k].empty()) weights[k] = 0;
    const auto& kind = kinds[Weighted(weights)];
    const MenuItem* item = kind[static_cast<std::size_t>(Uniform(0, static_cast<int>(kind.size()) - 1))];
    what << " → " << item->caption;
    const EditorState& state = f.editor.State();
    switch (item->command) {
      case MenuCommand::Change:
        Answer(state.pointer.rangeMin, state.pointer.rangeMax);
        ++changes;
        break;
      case MenuCommand::Attribute:
        ++colours;
        break;
      case MenuCommand::DeletePlain:
      case MenuCommand::DeleteRiverCrossing:
      case MenuCommand::DeleteTunnel:
      case MenuCommand::DeleteFortress:
        ++deletes;
        break;
      default:
        Answer(1, 255);
        ++inserts;
        break;
    }
    const MenuItem chosen = *item;
    f.editor.RunMenuCommand(chosen);
  }

  std::mt19937 rng_;
  std::string fault_;  // a broken promise seen during a step, reported by Check
};

}  // namespace kestrova::testing
