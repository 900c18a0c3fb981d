#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "game/level_records.h"
#include "level/level_table.h"
#include "snapshot/snapshot_image.h"

namespace kestrova {

// A loaded game as the comparison reads it.
struct GameView {
  const SnapshotImage& image;
  const LevelTable& levels;
  std::int32_t bytesFree;
};

struct SettingChange {
  std::string name;
  int before = 0;
  int after = 0;
};

struct RecordChange {
  enum class Kind { Inserted, Deleted, Changed };
  Kind kind = Kind::Changed;
  int level = 0;
  std::int32_t row = 0;       // in the level it is in (A for a delete, B otherwise)
  std::uint32_t address = 0;  // likewise
  std::string before;         // description in A (not for an insert)
  std::string after;          // description in B (not for a delete)
};

struct ColourChange {
  std::uint32_t address = 0;
  std::string objects;  // whose colour it is, as the popup names them
  int before = 0;
  int after = 0;
};

// A RAM bank whose bytes differ beyond what the other changes name (the
// program, the music of a 128K game ...), or that only one of the two
// snapshots holds.
struct BankChange {
  int bank = 0;
  bool inA = true;
  bool inB = true;
  int bytes = 0;  // bytes that differ, when both hold the bank
};

// What differs between two games, as a person reads it.
struct GameDiff {
  std::vector<SettingChange> settings;
  int levelsBefore = 0;
  int levelsAfter = 0;
  std::vector<RecordChange> records;
  std::vector<ColourChange> colours;
  std::int32_t bytesFreeBefore = 0;
  std::int32_t bytesFreeAfter = 0;
  bool checkTableDiffers = false;
  bool checkTableStaleBefore = false;
  bool checkTableStaleAfter = false;
  std::vector<BankChange> banks;

  // The game is the same: settings, levels, records, colours and every
  // other byte of every RAM bank.
  bool SameGame() const;
};

// True when the check table the image holds is not the one its bytes give.
bool CheckTableIsStale(const SnapshotImage& image);

GameDiff DiffGames(const GameView& a, const GameView& b);

}  // namespace kestrova
