#pragma once

#include <cstdint>

#include "base/result.h"

#include "snapshot/snapshot_image.h"

namespace kestrova {

constexpr int kPlainDeleteSize = 2;
constexpr int kRiverCrossingSize = 14;
constexpr int kTunnelSize = 14;
constexpr int kTunnelWithMotorbikeSize = 18;
constexpr int kFortressSize = 10;

// The current level: its first record and its end record.
struct LevelBounds {
  std::uint32_t start = 0;
  std::uint32_t end = 0;
};

// "Delete Fortress" is offered only when the byte just after the fortress
// group (6 after its gates record) is below 0xFF: a fortress whose end
// record closes the last level cannot go. The group must also be whole and
// close the current level, or removing its 10 bytes would cut into others.
bool CanDeleteFortress(const SnapshotImage& image, std::uint32_t record, LevelBounds level);
// The same rule, saying why not.
Outcome FortressDeletable(const SnapshotImage& image, std::uint32_t record, LevelBounds level);

// 18 when the byte 8 after the record is the motorbike code, 14 otherwise.
int TunnelGroupSize(const SnapshotImage& image, std::uint32_t record);

// Each delete returns the number of bytes it removed, or why it removed
// nothing. A delete removes nothing when its record, or the group it steps back to, is not a whole
// part of the current level in front of its end record: the bytes it would
// remove then belong to something else (another level, its end record, the
// end-of-levels marker), or when it would leave level 1 with nothing in
// front of its end record.
Result<int> DeletePlainRecord(SnapshotImage& image, std::uint32_t record, LevelBounds level);
// Back from the record to the log crossing code 0x98; 14 bytes from there.
Result<int> DeleteRiverCrossingGroup(SnapshotImage& image, std::uint32_t record, LevelBounds level);
// Back from the record to the wall whose operand is 0x0B; `size` bytes.
Result<int> DeleteTunnelGroup(SnapshotImage& image, std::uint32_t record, int size, LevelBounds level);
// Back from the record to the wall whose operand is 0x0B; 10 bytes.
Result<int> DeleteFortressGroup(SnapshotImage& image, std::uint32_t record, LevelBounds level);

}  // namespace kestrova
