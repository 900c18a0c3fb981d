#include "game/game_checks.h"

#include <optional>

#include "base/hex.h"
#include "game/game_diff.h"
#include "game/level_records.h"
#include "level/level_stream.h"
#include "snapshot/check_table.h"

namespace kestrova {

namespace {

// Codes that the game only draws right as part of a group: a tunnel (walls,
// bridge, road on the bridge), a log crossing (its water) or a fortress.
constexpr ObjectCode kGroupOnlyCodes[] = {
    ObjectCode::Wall,        ObjectCode::BridgeSection, ObjectCode::RoadOnBridge,
    ObjectCode::Tunnel,      ObjectCode::LogCrossing,   ObjectCode::Water,
    ObjectCode::WaterStrip1, ObjectCode::WaterStrip2,   ObjectCode::FortressGates,
};

bool IsGroupOnly(std::uint8_t code) {
  for (const ObjectCode groupOnly : kGroupOnlyCodes) {
    if (static_cast<std::uint8_t>(groupOnly) == code) return true;
  }
  return false;
}

// A snapshot held at a length that is neither a 48K nor a whole 128K one:
// some of its RAM banks are cut short or missing (or it holds bytes no bank
// takes), and a save writes it back only as it is.
std::optional<std::string> IncompleteBanks(const SnapshotImage& image) {
  if (image.Size() == kSnapshotSize48K || image.Size() == kSnapshotSize128K) return std::nullopt;
  return "the snapshot holds " + std::to_string(image.Size()) + " bytes, not the " + std::to_string(kSnapshotSize48K) +
         " of a 48K or the " + std::to_string(kSnapshotSize128K) +
         " of a 128K snapshot: its RAM banks beyond 5, 2 and 0 are " +
         (image.Size() < kSnapshotSize128K ? "cut short or missing" : "followed by bytes no bank takes");
}

}  // namespace

std::vector<GameProblem> FindProblems(const SnapshotImage& image, const LevelTable& levels) {
  std::vector<GameProblem> problems;
  if (const std::optional<std::string> banks = IncompleteBanks(image))
    problems.push_back({"incomplete-banks", 0, 0, 0, *banks});
  if (CheckTableIsStale(image))
    problems.push_back({"stale-check-table", 0, kCheckTableStart, 0,
                        "the check table at " + AddressText(kCheckTableStart) +
                            " does not match the game's bytes: the game will find them changed "
                            "(save, asm and tap bring it up to date)"});
  for (const ListedLevel& level : ListLevels(image, levels)) {
    if (level.height == 0)
      problems.push_back({"no-land-space", level.number, level.start, 0,
                          "level " + std::to_string(level.number) + " has no land space: nothing of it can be seen"});
    for (const ListedRecord& record : level.records) {
      if (!FindObjectCode(record.code)) {
        problems.push_back({"unknown-code", level.number, record.address, record.row,
                            "code $" + Hex(record.code, 2) + " is not one the game knows"});
      } else if (!record.group && IsGroupOnly(record.code) && record.address != level.end) {
        problems.push_back({"broken-group", level.number, record.address, record.row,
                            record.description + " outside a whole tunnel, log crossing or fortress"});
      }
    }
  }
  return problems;
}

}  // namespace kestrova
