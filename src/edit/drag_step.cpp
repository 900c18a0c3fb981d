#include "edit/drag_step.h"

#include <algorithm>
#include <cstdlib>

#include "level/level_addresses.h"
#include "level/level_stream.h"

namespace kestrova {

namespace {

constexpr std::uint8_t kCodeRoadBottomEdging = static_cast<std::uint8_t>(ObjectCode::RoadBottomEdging);
constexpr std::uint8_t kCodeRoadTopEdging = static_cast<std::uint8_t>(ObjectCode::RoadTopEdging);
constexpr std::uint8_t kFlagBits = 0xE0;
constexpr int kLastColumn = kScreenColumns - 1;
constexpr int kLastRow = kScreenRows - 1;

// The last records of a level stay where they are: nothing moves into the
// band of the record 2 before the end, nor from or to a band past end - 8.
constexpr std::int64_t kEndRecordGap = 2;
constexpr std::int64_t kLastMovableGap = 8;

void CopyRecord(SnapshotImage& image, std::uint32_t from, std::uint32_t to) {
  WriteRecord(image, to, ReadRecord(image, from));
}

std::uint8_t WithColumn(std::uint8_t operand, int column) {
  return static_cast<std::uint8_t>((operand & kFlagBits) + column);
}

bool IsRoadEdging(std::uint8_t code) { return code == kCodeRoadBottomEdging || code == kCodeRoadTopEdging; }

}  // namespace

bool AutoScroll(EditorState& state, int y, std::int32_t levelHeight) {
  if (y < 0 && y < state.lastPointerY) {
    // Only up to the level height; an offset already beyond it (the wheel
    // has no bound) is left as it is.
    if (state.scrollOffset < levelHeight) state.scrollOffset = std::min(state.scrollOffset + kAutoScrollStep, levelHeight);
    return true;
  }
  if (y >= kMapViewHeight && y > state.lastPointerY) {
    state.scrollOffset = std::max(state.scrollOffset - kAutoScrollStep, 0);
    return true;
  }
  return false;
}

void MoveSideways(SnapshotImage& image, EditorState& state, int x) {
  if (state.rangeMin == state.rangeMax) return;
  const std::uint32_t record = state.recordUnderPointer;
  const std::uint8_t code = image.Read(record);
  std::uint8_t v = image.Read(record + 1);
  int p = ColumnOfMapX(x);

  if (p > state.grabbedColumn && (v & kColumnBits) < state.rangeMax) {
    p = std::min(p, kLastColumn);
    const int d = p - state.grabbedColumn;
    state.grabbedColumn = p;
    if (IsRoadEdging(code)) {
      v = static_cast<std::uint8_t>(v + 1);
    } else if ((v & kColumnBits) + d < state.rangeMax) {
      v = static_cast<std::uint8_t>(v + d);
    } else {
      v = WithColumn(v, state.rangeMax);
    }
  }
  if (p < state.grabbedColumn && (v & kColumnBits) > state.rangeMin) {
    p = std::max(p, 0);
    const int d = state.grabbedColumn - p;
    state.grabbedColumn = p;
    if (IsRoadEdging(code)) {
      v = static_cast<std::uint8_t>(v - 1);
    } else if ((v & kColumnBits) - d > state.rangeMin) {
      v = static_cast<std::uint8_t>(v - d);
    } else {
      v = WithColumn(v, state.rangeMin);
    }
  }
  image.Write(record + 1, v);
}

std::uint32_t LowerMoveLimit(std::uint32_t levelStart) {
  return levelStart == kLevelAreaStart ? kFirstMovableRecord : levelStart;
}

std::optional<std::uint32_t> MoveRecordUp(SnapshotImage& image, std::uint32_t record, std::uint32_t land,
                                          std::uint32_t levelEnd) {
  // The land-space record the object passes first; the search stays inside
  // the level so that an object after the level's last band cannot be
  // carried past the end record.
  std::uint32_t passed = NextRecord(record);
  while (passed < levelEnd && image.Read(passed) != kCodeLandSpace) passed = NextRecord(passed);
  if (passed >= levelEnd) return std::nullopt;

  const ObjectRecord moved = ReadRecord(image, record);
  std::uint32_t s = record;
  do {
    CopyRecord(image, s + kRecordSize, s);
    s += kRecordSize;
  } while (s < passed);
  do {
    CopyRecord(image, s + kRecordSize, s);
    s += kRecordSize;
  } while (s < land);
  s -= kRecordSize;
  WriteRecord(image, s, moved);
  return s;
}

std::uint32_t MoveRecordDown(SnapshotImage& image, std::uint32_t record, std::uint32_t land, std::uint32_t lowerLimit) {
  const ObjectRecord moved = ReadRecord(image, record);
  std::uint32_t s = record;
  do {
    CopyRecord(image, s - kRecordSize, s);
    s -= kRecordSize;
  } while (s > land && s > lowerLimit);
  WriteRecord(image, s, moved);
  return s;
}

VerticalMove MoveVertically(SnapshotImage& image, EditorState& state, const CellGrid& grid, std::uint32_t cell, int y) {
  const int r = RowOfMapY(y);
  const std::uint32_t land = grid.landPos[cell];
  const std::uint32_t tile = grid.tileId[cell];
  const std::int64_t levelEnd = state.levelEnd;
  const std::int64_t previous = state.previousLand;
  // A row no land-space band covers has no band to move into.
  const bool inBand = land != 0;
  const bool clearOfTheEnd = levelEnd - kLastMovableGap > previous && levelEnd - kLastMovableGap > land;

  if (r <= state.grabbedRow && r < kScreenRows && state.recordUnderPointer < state.levelEnd && y >= 0) {
    if (IsFortressTunnelOrCrossingTile(tile)) return VerticalMove::Ignored;
    if (inBand && land != levelEnd - kEndRecordGap && land != previous && clearOfTheEnd) {
      if (const auto moved = MoveRecordUp(image, state.recordUnderPointer, land, state.levelEnd)) {
        state.recordUnderPointer = *moved;
        state.grabbedRow = r;
      }
    }
  }

  const bool downward = std::abs(r) > std::abs(state.grabbedRow) || (r == kLastRow && state.grabbedRow == kLastRow);
  const std::uint32_t lowerLimit = LowerMoveLimit(state.levelStart);
  if (downward && state.recordUnderPointer > lowerLimit && y >= 0 && y < kMapViewHeight) {
    if (IsFortressTunnelOrCrossingTile(tile)) return VerticalMove::Ignored;
    if (inBand && land != previous && clearOfTheEnd) {
      state.recordUnderPointer = MoveRecordDown(image, state.recordUnderPointer, land, lowerLimit);
      state.grabbedRow = r;
    }
  }
  return VerticalMove::Tried;
}

}  // namespace kestrova
