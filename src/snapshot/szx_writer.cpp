#include "snapshot/szx_writer.h"

#include <algorithm>
#include <cstring>

#include "snapshot/szx.h"

namespace kestrova {

namespace {

constexpr char kCreator[] = "Kestrova Editor BETA";
constexpr std::uint8_t kMachine48K = 1;
constexpr std::uint8_t kMachine128K = 2;
constexpr std::uint32_t kZ80rBodySize = 37;
constexpr std::uint32_t kSpcrBodySize = 8;
constexpr std::uint16_t kRampCompressed = 1;

// Block buffer offsets.
constexpr std::size_t kBlockSize = 4;
constexpr std::size_t kFields = 8;
constexpr std::size_t kHeaderMajor = 4;
constexpr std::size_t kHeaderMinor = 5;
constexpr std::size_t kHeaderMachine = 6;
constexpr std::size_t kCreatorLength = 32;
constexpr std::size_t kZ80rSP = 28;
constexpr std::size_t kZ80rPC = 30;
constexpr std::size_t kZ80rI = 32;
constexpr std::size_t kZ80rR = 33;
constexpr std::size_t kZ80rIff1 = 34;
constexpr std::size_t kZ80rIM = 36;
constexpr std::size_t kSpcrBorder = 8;
constexpr std::size_t kRampFlags = 8;
constexpr std::size_t kRampPage = 10;

// Z80R word fields and the header pairs they come from.
struct RegisterPair {
  std::size_t block;
  std::size_t header;
};
constexpr RegisterPair kZ80rPairs[] = {
    {8, kHeaderAF},     {10, kHeaderBC},     {12, kHeaderDE},     {14, kHeaderHL},  {16, kHeaderAFAlt},
    {18, kHeaderBCAlt}, {20, kHeaderDEAlt},  {22, kHeaderHLAlt},  {24, kHeaderIX},  {26, kHeaderIY},
};

struct RamPage {
  std::uint8_t number;
  std::size_t imageOffset;
};
constexpr std::uint32_t kPage5Start = 0x4000;
constexpr std::uint32_t kPage2Start = 0x8000;
constexpr std::uint32_t kPage0Start = 0xC000;
constexpr RamPage kPages48K[] = {
    {5, ImageOffsetOf(kPage5Start)}, {2, ImageOffsetOf(kPage2Start)}, {0, ImageOffsetOf(kPage0Start)}};
constexpr RamPage kPage1 = {1, kOffsetBank1};

SzxBlockBuffer Block(const char (&id)[5]) {
  SzxBlockBuffer block{};
  std::memcpy(block.data(), id, 4);
  return block;
}

void PutWord(SzxBlockBuffer& block, std::size_t offset, std::uint16_t value) {
  block[offset] = static_cast<std::uint8_t>(value & 0xFF);
  block[offset + 1] = static_cast<std::uint8_t>(value >> 8);
}

void PutLong(SzxBlockBuffer& block, std::size_t offset, std::uint32_t value) {
  for (std::size_t i = 0; i < 4; ++i) block[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

SzxBlockBuffer Kept(std::span<const std::uint8_t> bytes) {
  SzxBlockBuffer block{};
  std::copy_n(bytes.begin(), std::min(bytes.size(), block.size()), block.begin());
  return block;
}

SzxBlockBuffer FileHeader(std::uint32_t snapshotSize) {
  SzxBlockBuffer block = Block("ZXST");
  block[kHeaderMajor] = 1;
  block[kHeaderMinor] = 0;
  block[kHeaderMachine] = snapshotSize == kSnapshotSize48K ? kMachine48K : kMachine128K;
  return block;
}

SzxBlockBuffer Creator() {
  SzxBlockBuffer block = Block("CRTR");
  std::memcpy(block.data() + kFields, kCreator, std::min(sizeof kCreator - 1, kCreatorLength));
  return block;
}

SzxBlockBuffer Z80Registers(const SnapshotImage& image, std::uint32_t snapshotSize) {
  SzxBlockBuffer block = Block("Z80R");
  PutLong(block, kBlockSize, kZ80rBodySize);
  for (const RegisterPair& pair : kZ80rPairs) PutWord(block, pair.block, image.ReadOffsetWord(pair.header));
  block[kZ80rI] = image.ReadOffset(kHeaderI);
  block[kZ80rR] = image.ReadOffset(kHeaderR);
  block[kZ80rIff1] = image.ReadOffset(kHeaderInterrupts);
  block[kZ80rIM] = image.ReadOffset(kHeaderIM);
  const std::uint16_t sp = image.ReadOffsetWord(kHeaderSP);
  if (snapshotSize == kSnapshotSize48K) {
    // A 48K .sna keeps the PC on the stack.
    PutWord(block, kZ80rSP, static_cast<std::uint16_t>(sp + 2));
    PutWord(block, kZ80rPC, image.ReadWord(sp));
  } else {
    PutWord(block, kZ80rSP, sp);
    PutWord(block, kZ80rPC, snapshotSize == kSnapshotSize128K ? image.ReadOffsetWord(kOffset128KPc) : 0);
  }
  return block;
}

SzxBlockBuffer SpectrumRegisters(const SnapshotImage& image) {
  SzxBlockBuffer block = Block("SPCR");
  PutLong(block, kBlockSize, kSpcrBodySize);
  block[kSpcrBorder] = image.ReadOffset(kHeaderBorder);
  return block;
}

void WriteRamPage(std::vector<std::uint8_t>& sink, const SnapshotImage& image, const RamPage& page) {
  SzxBlockBuffer block = Block("RAMP");
  PutWord(block, kRampFlags, kRampCompressed);
  block[kRampPage] = page.number;
  std::vector<std::uint8_t> data(kPageSize);
  for (std::size_t i = 0; i < kPageSize; ++i) data[i] = image.ReadOffset(page.imageOffset + i);
  SaveSZXBlockToFilehandle(sink, block, data.data(), static_cast<std::uint32_t>(data.size()));
}

}  // namespace

std::vector<std::uint8_t> BuildSzxFile(const SnapshotImage& image, std::uint32_t snapshotSize,
                                       const SzxKeptBlocks* kept) {
  std::vector<std::uint8_t> sink;
  SaveSZXBlockToFilehandle(sink, FileHeader(snapshotSize), nullptr, 0);
  SaveSZXBlockToFilehandle(sink, Creator(), nullptr, 0);
  SaveSZXBlockToFilehandle(sink, kept ? Kept(kept->z80r) : Z80Registers(image, snapshotSize), nullptr, 0);
  SaveSZXBlockToFilehandle(sink, kept ? Kept(kept->spcr) : SpectrumRegisters(image), nullptr, 0);
  for (const RamPage& page : kPages48K) WriteRamPage(sink, image, page);
  if (snapshotSize == kSnapshotSize128K) WriteRamPage(sink, image, kPage1);
  return sink;
}

}  // namespace kestrova
