#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "snapshot/ram_banks.h"
#include "snapshot/snapshot_image.h"
#include "snapshot/szx_snapshot.h"

namespace kestrova {

// A snapshot of any format as the .szx "Z80R" and "SPCR" blocks and the RAM
// banks hold it: the form through which other formats' readers and writers
// reach the image, so that the image header is filled and read by the .szx
// rules alone (the PC pushed below SP for 48K, IFF1 as the interrupt bit).
struct MachineState {
  bool is128K = false;
  KeptSzxBlocks blocks;
  // Indexed by bank; an empty span for a bank the snapshot does not hold.
  std::array<std::span<const std::uint8_t>, kRamBankCount> banks{};
};

// The image a 48K (banks 5, 2, 0) or 128K machine state makes.
SnapshotImage ImageFromMachineState(const MachineState& state);

}  // namespace kestrova
