#include "edit/deletes.h"

#include <optional>

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

// Steps back one address at a time from `record` until `at` holds; the walk
// stays inside the level area.
template <typename Test>
std::optional<std::uint32_t> StepBackUntil(std::uint32_t record, Test at) {
  if (!InLevelArea(record)) return std::nullopt;
  for (std::uint32_t p = record;; --p) {
    if (at(p)) return p;
    if (p == kLevelAreaStart) return std::nullopt;
  }
}

int Remove(SnapshotImage& image, std::optional<std::uint32_t> start, int size) {
  if (!start || !RemoveBytes(image, *start, static_cast<std::uint32_t>(size))) return 0;
  return size;
}

std::optional<std::uint32_t> WallStart(const SnapshotImage& image, std::uint32_t record) {
  return StepBackUntil(record, [&image](std::uint32_t p) { return image.Read(p + 1) == kOperandGroupWall; });
}

}  // namespace

bool CanDeleteFortress(const SnapshotImage& image, std::uint32_t record) {
  return image.Read(record + kFortressFollowingByte) < kEndOfLevelsMarker;
}

int TunnelGroupSize(const SnapshotImage& image, std::uint32_t record) {
  return image.Read(record + kTunnelMotorbikeProbe) == kCodeMotorbike ? kTunnelWithMotorbikeSize : kTunnelSize;
}

int DeletePlainRecord(SnapshotImage& image, std::uint32_t record) {
  return Remove(image, InLevelArea(record) ? std::optional(record) : std::nullopt, kPlainDeleteSize);
}

int DeleteRiverCrossingGroup(SnapshotImage& image, std::uint32_t record) {
  const auto start = StepBackUntil(record, [&image](std::uint32_t p) { return image.Read(p) == kCodeLogCrossing; });
  return Remove(image, start, kRiverCrossingSize);
}

int DeleteTunnelGroup(SnapshotImage& image, std::uint32_t record, int size) {
  return Remove(image, WallStart(image, record), size);
}

int DeleteFortressGroup(SnapshotImage& image, std::uint32_t record) {
  return Remove(image, WallStart(image, record), kFortressSize);
}

}  // namespace kestrova
