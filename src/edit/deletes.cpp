#include "edit/deletes.h"

#include <optional>
#include <string>

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

std::string_view GroupWord(int tag) {
  switch (tag) {
    case kCrossingGroupTag:
      return "log crossing";
    case kFortressGroupTag:
      return "fortress";
    default:
      return "tunnel";
  }
}

bool InsideLevel(std::uint32_t record, LevelBounds level) {
  return InLevelArea(record) && record >= level.start && record < level.end &&
         (record - level.start) % kRecordSize == 0;
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

constexpr const char* kNothingHere = "nothing to delete here";

Result<int> Remove(SnapshotImage& image, std::uint32_t start, int size) {
  if (EmptiesLevelOne(image, start, size)) return Error{"level 1 must keep a record in front of its end"};
  if (const Outcome removed = RemoveBytes(image, start, static_cast<std::uint32_t>(size)); !removed)
    return Error{removed.ErrorMessage()};
  return size;
}

// The start of the whole group `tag` of `size` bytes found at `start`, or why
// it is not one that can go.
Result<std::uint32_t> WholeGroup(const SnapshotImage& image, std::optional<std::uint32_t> start, int tag, int size,
                                 LevelBounds level, bool endsLevel) {
  const std::string name(GroupWord(tag));
  if (!start) return Error{"no " + name + " starts at or before this record in this level"};
  if (!HoldsGroup(image, *start, tag)) return Error{"the " + name + " here is not whole"};
  if (!FitsInLevel(*start, size, level, endsLevel)) return Error{"the group is not a whole part of this level"};
  return *start;
}

}  // namespace

bool CanDeleteFortress(const SnapshotImage& image, std::uint32_t record, LevelBounds level) {
  return FortressDeletable(image, record, level).Ok();
}

Outcome FortressDeletable(const SnapshotImage& image, std::uint32_t record, LevelBounds level) {
  constexpr const char* kClosesLast = "the fortress closes the last level and cannot go";
  if (image.Read(record + kFortressFollowingByte) >= kEndOfLevelsMarker) return Error{kClosesLast};
  const auto start = WholeGroup(image, WallStart(image, record, level), kFortressGroupTag, kFortressSize, level, true);
  if (!start) return Error{start.ErrorMessage()};
  if (image.Read(*start + kFortressSize) == kEndOfLevelsMarker) return Error{kClosesLast};
  return Outcome::Done();
}

int TunnelGroupSize(const SnapshotImage& image, std::uint32_t record) {
  return image.Read(record + kTunnelMotorbikeProbe) == kCodeMotorbike ? kTunnelWithMotorbikeSize : kTunnelSize;
}

Result<int> DeletePlainRecord(SnapshotImage& image, std::uint32_t record, LevelBounds level) {
  if (!InsideLevel(record, level)) return Error{kNothingHere};
  return Remove(image, record, kPlainDeleteSize);
}

Result<int> DeleteRiverCrossingGroup(SnapshotImage& image, std::uint32_t record, LevelBounds level) {
  const auto start = WholeGroup(
      image, StepBackUntil(record, level, [&image](std::uint32_t p) { return image.Read(p) == kCodeLogCrossing; }),
      kCrossingGroupTag, kRiverCrossingSize, level, false);
  if (!start) return Error{start.ErrorMessage()};
  return Remove(image, *start, kRiverCrossingSize);
}

Result<int> DeleteTunnelGroup(SnapshotImage& image, std::uint32_t record, int size, LevelBounds level) {
  const int tag = size == kTunnelWithMotorbikeSize ? kMotorbikeTunnelGroupTag : kTunnelGroupTag;
  if (InsertionSize(tag) != size)
    return Error{"a tunnel is " + std::to_string(kTunnelSize) + " or " + std::to_string(kTunnelWithMotorbikeSize) +
                 " bytes, not " + std::to_string(size)};
  const auto start = WholeGroup(image, WallStart(image, record, level), tag, size, level, false);
  if (!start) return Error{start.ErrorMessage()};
  return Remove(image, *start, size);
}

Result<int> DeleteFortressGroup(SnapshotImage& image, std::uint32_t record, LevelBounds level) {
  if (const Outcome deletable = FortressDeletable(image, record, level); !deletable)
    return Error{deletable.ErrorMessage()};
  return Remove(image, *WallStart(image, record, level), kFortressSize);
}

}  // namespace kestrova
