#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "level/level_table.h"
#include "snapshot/snapshot_image.h"

namespace kestrova {

// Something in a game that would trouble the game or the person.
struct GameProblem {
  std::string kind;  // "stale-check-table", "broken-group", ...
  int level = 0;     // 0: the whole game
  std::uint32_t address = 0;
  std::int32_t row = 0;
  std::string text;
};

// The game's problems, whole-game ones first, then level by level.
std::vector<GameProblem> FindProblems(const SnapshotImage& image, const LevelTable& levels);

}  // namespace kestrova
