#pragma once

#include <cstdint>

#include "snapshot/snapshot_image.h"

namespace kestrova {

constexpr int kPlainDeleteSize = 2;
constexpr int kRiverCrossingSize = 14;
constexpr int kTunnelSize = 14;
constexpr int kTunnelWithMotorbikeSize = 18;
constexpr int kFortressSize = 10;

// "Delete Fortress" is offered only when the byte just after the fortress
// group (6 after its gates record) is below 0xFF: a fortress whose end
// record closes the last level cannot go.
bool CanDeleteFortress(const SnapshotImage& image, std::uint32_t record);

// 18 when the byte 8 after the record is the motorbike code, 14 otherwise.
int TunnelGroupSize(const SnapshotImage& image, std::uint32_t record);

// Each delete returns the number of bytes it removed (0 when the record or
// the start of its group is not inside the level area).
int DeletePlainRecord(SnapshotImage& image, std::uint32_t record);
// Back from the record to the log crossing code 0x98; 14 bytes from there.
int DeleteRiverCrossingGroup(SnapshotImage& image, std::uint32_t record);
// Back from the record to the wall whose operand is 0x0B; `size` bytes.
int DeleteTunnelGroup(SnapshotImage& image, std::uint32_t record, int size);
// Back from the record to the wall whose operand is 0x0B; 10 bytes.
int DeleteFortressGroup(SnapshotImage& image, std::uint32_t record);

}  // namespace kestrova
