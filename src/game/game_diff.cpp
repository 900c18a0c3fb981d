#include "game/game_diff.h"

#include <algorithm>
#include <cstdio>

#include "edit/attribute_command.h"
#include "edit/context_menu.h"
#include "level/game_settings.h"
#include "level/level_addresses.h"
#include "render/screen_tables.h"
#include "snapshot/check_table.h"
#include "snapshot/ram_banks.h"

namespace kestrova {

namespace {

struct SettingByte {
  const char* name;
  std::uint32_t address;
};
constexpr SettingByte kSettingBytes[] = {
    {"lives", kStartingLives},    {"start column", kStartColumn},   {"pixels down", kPixelsDown},
    {"enemy delay", kEnemyDelay}, {"fortress byte", kFortressByte},
};

// A record of the whole game with the level it is in.
struct GameRecord {
  int level;
  const ListedRecord* record;
};

std::vector<GameRecord> GameRecords(const std::vector<ListedLevel>& levels) {
  std::vector<GameRecord> records;
  for (const ListedLevel& level : levels) {
    for (const ListedRecord& record : level.records) records.push_back({level.number, &record});
  }
  return records;
}

bool SameRecord(const GameRecord& a, const GameRecord& b) {
  return a.record->code == b.record->code && a.record->operand == b.record->operand;
}

RecordChange Change(RecordChange::Kind kind, const GameRecord& at, std::string before, std::string after) {
  return {kind, at.level, at.record->row, at.record->address, std::move(before), std::move(after)};
}

// The edit script between the records of the two games, by the longest
// common subsequence over the whole level area, so that a level split or
// joined (a fortress in or out) reads as the records it moved. A delete next
// to an insert of the same code is taken as one change.
void DiffRecords(const std::vector<GameRecord>& a, const std::vector<GameRecord>& b,
                 std::vector<RecordChange>& changes) {
  const std::size_t n = a.size(), m = b.size();
  std::vector<std::vector<std::uint16_t>> common(n + 1, std::vector<std::uint16_t>(m + 1, 0));
  for (std::size_t i = n; i-- > 0;) {
    for (std::size_t j = m; j-- > 0;) {
      common[i][j] = SameRecord(a[i], b[j]) ? static_cast<std::uint16_t>(common[i + 1][j + 1] + 1)
                                            : std::max(common[i + 1][j], common[i][j + 1]);
    }
  }
  std::size_t i = 0, j = 0;
  while (i < n || j < m) {
    if (i < n && j < m && SameRecord(a[i], b[j])) {
      ++i, ++j;
    } else if (i < n && j < m && a[i].record->code == b[j].record->code && common[i + 1][j + 1] == common[i][j]) {
      changes.push_back(Change(RecordChange::Kind::Changed, b[j], a[i].record->description, b[j].record->description));
      ++i, ++j;
    } else if (j < m && (i == n || common[i][j + 1] >= common[i + 1][j])) {
      changes.push_back(Change(RecordChange::Kind::Inserted, b[j], {}, b[j].record->description));
      ++j;
    } else {
      changes.push_back(Change(RecordChange::Kind::Deleted, a[i], a[i].record->description, {}));
      ++i;
    }
  }
}

// The objects whose popup "Attribute" edits the colour byte, by their
// delete items' names ("Boulder"); the bytes only kept matched have none.
std::string ColourOwners(std::uint32_t address) {
  constexpr std::string_view kDelete = "Delete ";
  std::vector<std::string> names;
  for (const PopupRow& row : kPopupRows) {
    if (!row.attribute) continue;
    for (std::uint32_t tile = row.firstTile; tile <= row.lastTile; ++tile) {
      std::string name(row.deleteCaption.substr(row.deleteCaption.rfind(kDelete, 0) == 0 ? kDelete.size() : 0));
      if (AttributeAddressOf(row, tile) == address && std::find(names.begin(), names.end(), name) == names.end())
        names.push_back(name);
    }
  }
  std::string text;
  for (const std::string& name : names) text += (text.empty() ? "" : ", ") + name;
  return text.empty() ? "kept matched to another" : text;
}

// The image with the bytes the other changes report taken from `reported`,
// so that a bank comparison counts only what they leave out. The screen is
// left out too: the editor draws its map there, and a snapshot's picture is
// no part of the game.
SnapshotImage Unreported(const SnapshotImage& view, const SnapshotImage& reported) {
  SnapshotImage image = view;
  for (std::uint32_t i = 0; i < kScreenAreaSize; ++i)
    image.Write(kScreenAreaStart + i, reported.Read(kScreenAreaStart + i));
  for (std::uint32_t address = kLevelAreaStart; address <= kLevelAreaLast; ++address)
    image.Write(address, reported.Read(address));
  for (const SettingByte& setting : kSettingBytes) image.Write(setting.address, reported.Read(setting.address));
  // The lives setting also sets the bombs and both digits the game shows.
  for (const std::uint32_t address : {kStartingLives + 1, kLivesDigit, kBombsDigit})
    image.Write(address, reported.Read(address));
  for (const std::uint32_t address : ColourByteAddresses()) image.Write(address, reported.Read(address));
  for (std::uint32_t i = 0; i < kCheckTableSize; ++i)
    image.Write(kCheckTableStart + i, reported.Read(kCheckTableStart + i));
  return image;
}

std::vector<BankChange> DiffBanks(const GameView& a, const GameView& b) {
  const SnapshotImage before = Unreported(a.image, a.image);
  const SnapshotImage after = Unreported(b.image, a.image);
  std::vector<BankChange> changes;
  for (std::uint8_t bank = 0; bank < kRamBankCount; ++bank) {
    const std::span<const std::uint8_t> x = BankBytes(before, bank), y = BankBytes(after, bank);
    BankChange change{bank, !x.empty(), !y.empty(), 0};
    if (!change.inA && !change.inB) continue;
    if (change.inA && change.inB) {
      const std::size_t common = std::min(x.size(), y.size());
      for (std::size_t i = 0; i < common; ++i) change.bytes += x[i] != y[i];
      change.bytes += static_cast<int>(std::max(x.size(), y.size()) - common);
      if (change.bytes == 0) continue;
    }
    changes.push_back(change);
  }
  return changes;
}

}  // namespace

bool GameDiff::SameGame() const {
  return settings.empty() && levelsBefore == levelsAfter && records.empty() && colours.empty() && banks.empty();
}

bool CheckTableIsStale(const SnapshotImage& image) {
  SnapshotImage updated = image;
  UpdateCheckTable(updated);
  for (std::uint32_t i = 0; i < kCheckTableSize; ++i) {
    if (updated.Read(kCheckTableStart + i) != image.Read(kCheckTableStart + i)) return true;
  }
  return false;
}

GameDiff DiffGames(const GameView& a, const GameView& b) {
  GameDiff diff;
  for (const SettingByte& setting : kSettingBytes) {
    const int before = a.image.Read(setting.address), after = b.image.Read(setting.address);
    if (before != after) diff.settings.push_back({setting.name, before, after});
  }
  const std::vector<ListedLevel> levelsA = ListLevels(a.image, a.levels);
  const std::vector<ListedLevel> levelsB = ListLevels(b.image, b.levels);
  diff.levelsBefore = static_cast<int>(levelsA.size());
  diff.levelsAfter = static_cast<int>(levelsB.size());
  DiffRecords(GameRecords(levelsA), GameRecords(levelsB), diff.records);
  for (const std::uint32_t address : ColourByteAddresses()) {
    const int before = a.image.Read(address), after = b.image.Read(address);
    if (before != after) diff.colours.push_back({address, ColourOwners(address), before, after});
  }
  diff.bytesFreeBefore = a.bytesFree;
  diff.bytesFreeAfter = b.bytesFree;
  for (std::uint32_t i = 0; i < kCheckTableSize; ++i) {
    if (a.image.Read(kCheckTableStart + i) != b.image.Read(kCheckTableStart + i)) diff.checkTableDiffers = true;
  }
  diff.checkTableStaleBefore = CheckTableIsStale(a.image);
  diff.checkTableStaleAfter = CheckTableIsStale(b.image);
  diff.banks = DiffBanks(a, b);
  return diff;
}

}  // namespace kestrova
