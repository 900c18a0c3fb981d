#include "edit/deletes.h"

#include <optional>

#include "edit/insertion.h"
#include "edit/record_shift.h"
#include "level/level_addresses.h"
#include "level/level_stream.h"

namespace kestrova {

namespace {

constexpr std::uint32_t kFortressFollowingByte = 6;
constexpr std::uint32_t kTunnelMotorbikeProbe = 8;
constexpr auto kCodeLogCrossing = static_cast<std::uint8_t>(ObjectCode::LogCrossing);
constexpr auto kCodeMotorbike = static_cast<std::uint8_t>(ObjectCode::Motorbike);
constexpr std::uint8_t kOperandGroupWall = 0x0B;  // the wall at column 11 that opens a tunnel or fortress

// The insertion groups whose codes a whole group still has.
constexpr int kCrossingGroupTag = 33;
constexpr int kTunnelGroupTag = 40;
constexpr int kMotorbikeTunnelGroupTag = 41;
constexpr int kFortressGroupTag = 48;

bool InsideLevel(std::uint32_t record, LevelBounds level) {
  return InLevelArea(record) && record >= level.start && record < level.end && (record - level.start) % kRecordSize == 0;
}

// Steps back one address at a time from `record` until `at` holds; the walk
// stays inside the current level.
template <typename Test>
std::optional<std::uint32_t> StepBackUntil(std::uint32_t record, LevelBounds level, Test at) {
  if (!InsideLevel(record, level)) return std::nullopt;
  for (std::uint32_t p = record;; --p) {
    if (at(p)) return p;
    if (p == level.start) return std::nullopt;
  }
}

std::optional<std::uint32_t> WallStart(const SnapshotImage& image, std::uint32_t record, LevelBounds level) {
  return StepBackUntil(record, level, [&image](std::uint32_t p) { return image.Read(p + 1) == kOperandGroupWall; });
}

// The group's codes at every record, as InsertObject writes them.
bool HoldsGroup(const SnapshotImage& image, std::uint32_t start, int tag) {
  const GroupTag* group = FindGroupTag(tag);
  if (!group) return false;
  for (std::uint32_t i = 0; i < group->size; i += kRecordSize) {
    if (image.Read(start + i) != group->bytes[i]) return false;
  }
  return true;
}

// The group lies in the current level, in front of its end record, except
// for a fortress, whose own end record is the level's.
bool FitsInLevel(std::uint32_t start, int size, LevelBounds level, bool endsLevel) {
  const std::uint32_t last = start + static_cast<std::uint32_t>(size) - kRecordSize;
  return InsideLevel(start, level) && (endsLevel ? last == level.end : last < level.end);
}

// Level 1 must keep a record in front of its end record: every level scan
// starts at 0x9238, so an end record at 0x9236 would go unseen.
bool EmptiesLevelOne(const SnapshotImage& image, std::uint32_t start, int size) {
  return start == kLevelAreaStart && IsEndRecord(ReadRecord(image, start + static_cast<std::uint32_t>(size)));
}

int Remove(SnapshotImage& image, std::uint32_t start, int size) {
  if (EmptiesLevelOne(image, start, size)) return 0;
  return RemoveBytes(image, start, static_cast<std::uint32_t>(size)) ? size : 0;
}

}  // namespace

bool CanDeleteFortress(const SnapshotImage& image, std::uint32_t record, LevelBounds level) {
  if (image.Read(record + kFortressFollowingByte) >= kEndOfLevelsMarker) return false;
  const auto start = WallStart(image, record, level);
  return start && HoldsGroup(image, *start, kFortressGroupTag) && FitsInLevel(*start, kFortressSize, level, true) &&
         image.Read(*start + kFortressSize) != kEndOfLevelsMarker;
}

int TunnelGroupSize(const SnapshotImage& image, std::uint32_t record) {
  return image.Read(record + kTunnelMotorbikeProbe) == kCodeMotorbike ? kTunnelWithMotorbikeSize : kTunnelSize;
}

int DeletePlainRecord(SnapshotImage& image, std::uint32_t record, LevelBounds level) {
  if (!InsideLevel(record, level)) return 0;
  return Remove(image, record, kPlainDeleteSize);
}

int DeleteRiverCrossingGroup(SnapshotImage& image, std::uint32_t record, LevelBounds level) {
  const auto start =
      StepBackUntil(record, level, [&image](std::uint32_t p) { return image.Read(p) == kCodeLogCrossing; });
  if (!start || !HoldsGroup(image, *start, kCrossingGroupTag) || !FitsInLevel(*start, kRiverCrossingSize, level, false))
    return 0;
  return Remove(image, *start, kRiverCrossingSize);
}

int DeleteTunnelGroup(SnapshotImage& image, std::uint32_t record, int size, LevelBounds level) {
  const int tag = size == kTunnelWithMotorbikeSize ? kMotorbikeTunnelGroupTag : kTunnelGroupTag;
  const auto start = WallStart(image, record, level);
  if (!start || InsertionSize(tag) != size || !HoldsGroup(image, *start, tag) || !FitsInLevel(*start, size, level, false))
    return 0;
  return Remove(image, *start, size);
}

int DeleteFortressGroup(SnapshotImage& image, std::uint32_t record, LevelBounds level) {
  if (!CanDeleteFortress(image, record, level)) return 0;
  return Remove(image, *WallStart(image, record, level), kFortressSize);
}

}  // namespace kestrova
