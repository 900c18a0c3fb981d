#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "base/result.h"
#include "snapshot/ram_banks.h"
#include "snapshot/snapshot_image.h"
#include "snapshot/szx.h"

namespace kestrova {

// What a .szx load keeps for writing the file back: the first 45 bytes of
// its "Z80R" block and the first 16 of its "SPCR" block as stored, and the
// port 0x7FFD value.
constexpr std::size_t kKeptZ80rSize = kSzxBlockHeaderSize + kZ80rBodySize;  // 45
constexpr std::size_t kKeptSpcrSize = kSzxBlockHeaderSize + kSpcrBodySize;  // 16
using Z80rBlock = std::array<std::uint8_t, kKeptZ80rSize>;
using SpcrBlock = std::array<std::uint8_t, kKeptSpcrSize>;

struct KeptSzxBlocks {
  Z80rBlock z80r{};
  SpcrBlock spcr{};
  std::uint8_t port7FFD = 0;

  bool operator==(const KeptSzxBlocks&) const = default;
};

// Register pairs shared by the image header and the "Z80R" block.
struct HeaderWordField {
  std::size_t header;
  std::size_t z80r;
};
constexpr HeaderWordField kHeaderWordFields[] = {
    {kHeaderHLAlt, kZ80rHLAlt}, {kHeaderDEAlt, kZ80rDEAlt}, {kHeaderBCAlt, kZ80rBCAlt}, {kHeaderAFAlt, kZ80rAFAlt},
    {kHeaderHL, kZ80rHL},       {kHeaderDE, kZ80rDE},       {kHeaderBC, kZ80rBC},       {kHeaderIY, kZ80rIY},
    {kHeaderIX, kZ80rIX},       {kHeaderAF, kZ80rAF},
};
// Single register bytes shared by both (IFF1 and SP differ in meaning).
constexpr HeaderWordField kHeaderByteFields[] = {{kHeaderI, kZ80rI}, {kHeaderR, kZ80rR}, {kHeaderIM, kZ80rIM}};

constexpr std::uint8_t kInterruptsEnabled = 0x04;  // header byte 19

// A .szx file below this length is taken as 48K, otherwise as 128K, unless
// its header names a 16K or 48K machine: a 48K image whose RAM does not
// compress (the editor writes every page compressed) makes a file of up to
// about 49300 bytes, and taking that as 128K would misplace its PC. A file
// that holds a RAM page a 48K machine does not have (1, 3, 4, 6, 7) is 128K
// at any length: compressed pages make a 128K file far shorter than the
// limit, and taking it as 48K would drop its bank 1 and misplace its PC.
constexpr std::size_t kSzx128KFileLength = 35000;
std::uint32_t SzxSnapshotSize(std::span<const std::uint8_t> file);

// Fills an image from the blocks of a .szx file, one OnSzxBlock call per
// block, and keeps the blocks the file is written back with.
class SzxSnapshotBuilder {
 public:
  SzxSnapshotBuilder(SnapshotImage image, const KeptSzxBlocks& kept);

  // The layer's callback; always 0.
  std::uint32_t OnSzxBlock(const std::uint8_t* block, const std::uint8_t* data, std::uint32_t count);
  SzxBlockCallback Callback();

  const SnapshotImage& Image() const { return image_; }
  SnapshotImage TakeImage() { return std::move(image_); }
  const KeptSzxBlocks& Kept() const { return kept_; }

 private:
  void TakeZ80Registers(const std::uint8_t* block);
  void TakeSpectrumRegisters(const std::uint8_t* block);
  void TakeRamPage(const std::uint8_t* block, const std::uint8_t* data, std::uint32_t count);
  void WriteRememberedPc();

  SnapshotImage image_;
  KeptSzxBlocks kept_;
  std::uint16_t pc_ = 0;
};

inline constexpr const char* kSzxLoadErrorText = "Load Error";

struct SzxLoad {
  SnapshotImage image;
  KeptSzxBlocks kept;
};

// A whole .szx read over a copy of `held`, sized by the file's length (bytes
// held stay as far as they fit, new bytes are zero); `held` itself is not
// touched, so a failed read changes nothing.
Result<SzxLoad> ReadSzxSnapshot(std::span<const std::uint8_t> file, const SnapshotImage& held,
                                const KeptSzxBlocks& kept);

}  // namespace kestrova
