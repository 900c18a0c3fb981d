#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "snapshot/snapshot_image.h"

namespace kestrova {

// The Spectrum 128's eight 16 KB RAM banks, and where an image keeps them.
//
// The editor holds a 128K game in one fixed layout, whatever bank the
// snapshot had paged in at 0xC000: bank 5 at 0x4000, bank 2 at 0x8000,
// bank 0 at 0xC000 (where the game keeps its levels and settings), then
// banks 1, 3, 4, 6 and 7 in the five slots after the 128K state. That is a
// 131103-byte .sna taken with bank 0 paged in; the paging byte at
// kOffset128KPort7FFD is kept as the snapshot had it, and a .sna is written
// back in the layout that byte asks for.
constexpr int kRamBankCount = 8;
constexpr std::uint8_t kPagedBankMask = 0x07;  // bits 0-2 of port 0x7FFD
// A 128K .sna paging bank 2 or 5 at 0xC000 holds that bank twice and the
// six others after its 128K state.
constexpr std::size_t kSnapshotSize128KTwice = kSnapshotSize128K + kPageSize;

constexpr std::uint32_t kBank5Address = 0x4000;
constexpr std::uint32_t kBank2Address = 0x8000;
constexpr std::uint32_t kPagedBankAddress = 0xC000;

// The banks a 48K machine has, by the address they sit at.
struct FixedBank {
  std::uint8_t bank;
  std::uint32_t address;
};
constexpr FixedBank k48KBanks[] = {{5, kBank5Address}, {2, kBank2Address}, {0, kPagedBankAddress}};

// The banks an image holds, in the order a snapshot file lists them.
std::vector<std::uint8_t> BanksOf(const SnapshotImage& image);
// Where bank `bank` starts in the editor's layout of the image; nothing when
// the image has no such bank (a 48K image holds 5, 2 and 0 only).
std::optional<std::size_t> BankOffset(const SnapshotImage& image, std::uint8_t bank);
// The bank's bytes, clipped to the image; empty when it has no such bank.
std::span<const std::uint8_t> BankBytes(const SnapshotImage& image, std::uint8_t bank);
// The bank a 128K image's paging byte puts at 0xC000.
std::uint8_t PagedBank(const SnapshotImage& image);

// Where each bank lies in a 128K .sna file taken with `port7FFD`; nothing
// when a file of `fileSize` bytes cannot hold that paging (131103 bytes for
// banks 0, 1, 3, 4, 6, 7 at 0xC000; 147487 for banks 2 and 5).
std::optional<std::array<std::size_t, kRamBankCount>> SnaBankOffsets(std::size_t fileSize, std::uint8_t port7FFD);

// A 128K .sna file in the editor's layout (the file as it is when its
// length does not fit its paging byte, or it is not a 128K file).
SnapshotImage ImageFromSnaFile(std::span<const std::uint8_t> file);
// The image as a .sna file in the layout its paging byte asks for: the
// inverse of ImageFromSnaFile.
std::vector<std::uint8_t> SnaFileFromImage(const SnapshotImage& image);

}  // namespace kestrova
