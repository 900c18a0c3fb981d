#include "snapshot/machine_state.h"

#include <algorithm>

#include "snapshot/szx.h"

namespace kestrova {

namespace {

// The block's id in its first four bytes, as a file holds it.
template <std::size_t N>
std::array<std::uint8_t, N> WithId(std::array<std::uint8_t, N> block, std::uint32_t id) {
  for (std::size_t i = 0; i < 4; ++i) block[i] = static_cast<std::uint8_t>(id >> (8 * i));
  return block;
}

}  // namespace

SnapshotImage ImageFromMachineState(const MachineState& state) {
  SnapshotImage image;
  image.Resize(state.is128K ? kSnapshotSize128K : kSnapshotSize48K);
  SzxSnapshotBuilder builder(std::move(image), state.blocks);
  builder.OnSzxBlock(WithId(state.blocks.z80r, kSzxIdZ80Registers).data(), nullptr, 0);
  builder.OnSzxBlock(WithId(state.blocks.spcr, kSzxIdSpectrumRegisters).data(), nullptr, 0);
  for (std::size_t bank = 0; bank < kRamBankCount; ++bank) {
    const std::span<const std::uint8_t> page = state.banks[bank];
    if (page.empty()) continue;
    SzxBlockBuffer block = WithId(SzxBlockBuffer{}, kSzxIdRamPage);
    block[kRampPage] = static_cast<std::uint8_t>(bank);
    builder.OnSzxBlock(block.data(), page.data(), static_cast<std::uint32_t>(page.size()));
  }
  return builder.TakeImage();
}

}  // namespace kestrova
