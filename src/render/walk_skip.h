#pragma once

// Records whose drawings cannot reach the window. The walk still passes
// them in order (the stream cursor, current code and row, and the state a
// few drawers keep between records must come out as if they had drawn),
// but without running their drawers.

#include <cstdint>

#include "level/level_stream.h"
#include "render/walk_memory.h"

namespace kestrova {

// The farthest any drawer draws above its record's row: the road edgings'
// staircase climbs 136 rows, a cliff 112.
constexpr int kFarthestReachAbove = 160;

// Whether a record at current row `row` lies so far below the window that
// nothing it draws lands on screen rows 0..191: a land-space band when its
// top row is below the window, any other record when even its farthest
// reach is.
constexpr bool RecordBelowWindow(ObjectRecord record, std::int64_t row) {
  constexpr int kLastRow = 191;
  if (record.code == kCodeLandSpace) return row - LandSpaceRows(record.operand) + 1 > kLastRow;
  return row - kFarthestReachAbove > kLastRow;
}

// The row after a record below the window: only land space moves it.
constexpr std::int64_t RowAfterPassing(ObjectRecord record, std::int64_t row) {
  return record.code == kCodeLandSpace ? row - LandSpaceRows(record.operand) : row;
}

// What passing records changes in the state kept between records: a log
// crossing sets the crossing column, a hut clears the large-hut flag (it
// sets the flag only for its own drawing).
struct PassedRecords {
  bool crossingPassed = false;
  int crossingColumn = 0;  // the last one passed
  bool hutPassed = false;

  void Pass(ObjectRecord record) {
    if (record.code == static_cast<std::uint8_t>(ObjectCode::LogCrossing)) {
      crossingPassed = true;
      crossingColumn = record.operand;
    }
    if (record.code == static_cast<std::uint8_t>(ObjectCode::Hut)) hutPassed = true;
  }
  void ApplyTo(WalkMemory& walk) const {
    if (crossingPassed) walk.crossingColumn = crossingColumn;
    if (hutPassed) walk.largeHut = false;
  }
};

}  // namespace kestrova
