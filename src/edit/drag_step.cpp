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

std::optional<std::int32_t> AutoScroll(const PointerState& pointer, std::int32_t scrollOffset, int y,
                                       std::int32_t levelHeight) {
  if (y < 0 && y < pointer.lastPointerY) {
    // Only up to the level height; an offset already beyond it (the wheel
    // has no bound) is left as it is.
    if (scrollOffset < levelHeight) return std::min(scrollOffset + kAutoScrollStep, levelHeight);
    return scrollOffset;
  }
  if (y >= kMapViewHeight && y > pointer.lastPointerY) return std::max(scrollOffset - kAutoScrollStep, 0);
  return std::nullopt;
}

void MoveSideways(SnapshotImage& image, PointerState& pointer, int x) {
  if (pointer.rangeMin == pointer.rangeMax) return;
  const std::uint32_t record = pointer.recordUnderPointer;
  const std::uint8_t code = image.Read(record);
  std::uint8_t v = image.Read(record + 1);
  int p = ColumnOfMapX(x);

  if (p > pointer.grabbedColumn && (v & kColumnBits) < pointer.rangeMax) {
    p = std::min(p, kLastColumn);
    const int d = p - pointer.grabbedColumn;
    pointer.grabbedColumn = p;
    if (IsRoadEdging(code)) {
      v = static_cast<std::uint8_t>(v + 1);
    } else if ((v & kColumnBits) + d < pointer.rangeMax) {
      v = static_cast<std::uint8_t>(v + d);
    } else {
      v = WithColumn(v, pointer.rangeMax);
    }
  }
  if (p < pointer.grabbedColumn && (v & kColumnBits) > pointer.rangeMin) {
    p = std::max(p, 0);
    const int d = pointer.grabbedColumn - p;
    pointer.grabbedColumn = p;
    if (IsRoadEdging(code)) {
      v = static_cast<std::uint8_t>(v - 1);
    } else if ((v & kColumnBits) - d > pointer.rangeMin) {
      v = static_cast<std::uint8_t>(v - d);
    } else {
      v = WithColumn(v, pointer.rangeMin);
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

VerticalMove MoveVertically(SnapshotImage& image, PointerState& pointer, const LevelPlace& place, const CellGrid& grid,
                            std::uint32_t cell, int y) {
  const int r = RowOfMapY(y);
  const std::uint32_t land = grid.landPos[cell];
  const std::uint32_t tile = grid.tileId[cell];
  const std::int64_t levelEnd = place.levelEnd;
  const std::int64_t previous = pointer.previousLand;
  // A row no land-space band covers has no band to move into.
  const bool inBand = land != 0;
  const bool clearOfTheEnd = levelEnd - kLastMovableGap > previous && levelEnd - kLastMovableGap > land;

  if (r <= pointer.grabbedRow && r < kScreenRows && pointer.recordUnderPointer < place.levelEnd && y >= 0) {
    if (IsFortressTunnelOrCrossingTile(tile)) return VerticalMove::Ignored;
    if (inBand && land != levelEnd - kEndRecordGap && land != previous && clearOfTheEnd) {
      if (const auto moved = MoveRecordUp(image, pointer.recordUnderPointer, land, place.levelEnd)) {
        pointer.recordUnderPointer = *moved;
        pointer.grabbedRow = r;
      }
    }
  }

  const bool downward = std::abs(r) > std::abs(pointer.grabbedRow) || (r == kLastRow && pointer.grabbedRow == kLastRow);
  const std::uint32_t lowerLimit = LowerMoveLimit(place.levelStart);
  if (downward && pointer.recordUnderPointer > lowerLimit && y >= 0 && y < kMapViewHeight) {
    if (IsFortressTunnelOrCrossingTile(tile)) return VerticalMove::Ignored;
    if (inBand && land != previous && clearOfTheEnd) {
      pointer.recordUnderPointer = MoveRecordDown(image, pointer.recordUnderPointer, land, lowerLimit);
      pointer.grabbedRow = r;
    }
  }
  return VerticalMove::Tried;
}

}  // namespace kestrova
