#include "snapshot/szx_writer.h"

#include <algorithm>
#include <string_view>

#include "base/little_endian.h"
#include "snapshot/szx.h"

namespace kestrova {

namespace {

constexpr std::uint8_t kSzxMajorVersion = 1;
constexpr std::uint8_t kSzxMinorVersion = 0;

SzxBlockBuffer EmptyBlock(std::uint32_t id) {
  SzxBlockBuffer block{};
  for (int i = 0; i < 4; ++i) block[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(id >> (8 * i));
  return block;
}

void PutWord(SzxBlockBuffer& block, std::size_t offset, std::uint16_t value) {
  WriteLe16(block.data() + offset, value);
}

SzxBlockBuffer FileHeaderBlock(const SnapshotImage& image) {
  SzxBlockBuffer block = EmptyBlock(kSzxIdHeader);
  block[kSzxHeaderMajor] = kSzxMajorVersion;
  block[kSzxHeaderMinor] = kSzxMinorVersion;
  block[kSzxHeaderMachine] = image.Is48K() ? kSzxMachine48K : kSzxMachine128K;
  return block;
}

SzxBlockBuffer CreatorBlock() {
  SzxBlockBuffer block = EmptyBlock(kSzxIdCreator);
  const std::string_view name = kSzxCreatorName;
  std::copy_n(name.begin(), std::min(name.size(), kCrtrNameLength), block.begin() + kCrtrName);
  return block;
}

// SP and PC as the .szx file holds them: a 48K image keeps the PC on its
// stack, a 128K image after its 48K part, any other length has none.
struct StackAndPc {
  std::uint16_t sp;
  std::uint16_t pc;
};

StackAndPc StackAndPcOf(const SnapshotImage& image) {
  const std::uint16_t sp = image.ReadOffsetWord(kHeaderSP);
  if (image.Is48K()) return {static_cast<std::uint16_t>(sp + 2), image.ReadWord(sp)};
  if (image.Size() == kSnapshotSize128K) return {sp, image.ReadOffsetWord(kOffset128KPc)};
  return {sp, 0};
}

SzxBlockBuffer Z80RegistersBlock(const SnapshotImage& image) {
  SzxBlockBuffer block = EmptyBlock(kSzxIdZ80Registers);
  PutWord(block, kSzxBlockSize, static_cast<std::uint16_t>(kZ80rBodySize));
  for (const HeaderWordField& field : kHeaderWordFields) PutWord(block, field.z80r, image.ReadOffsetWord(field.header));
  for (const HeaderWordField& field : kHeaderByteFields) block[field.z80r] = image.ReadOffset(field.header);
  // A .sna keeps one interrupt flag, standing for both flip-flops.
  const std::uint8_t enabled = (image.ReadOffset(kHeaderInterrupts) & kInterruptsEnabled) != 0 ? 1 : 0;
  block[kZ80rIFF1] = enabled;
  block[kZ80rIFF2] = enabled;
  const StackAndPc registers = StackAndPcOf(image);
  PutWord(block, kZ80rSP, registers.sp);
  PutWord(block, kZ80rPC, registers.pc);
  return block;
}

SzxBlockBuffer SpectrumRegistersBlock(const SnapshotImage& image) {
  SzxBlockBuffer block = EmptyBlock(kSzxIdSpectrumRegisters);
  PutWord(block, kSzxBlockSize, static_cast<std::uint16_t>(kSpcrBodySize));
  block[kSpcrBorder] = image.ReadOffset(kHeaderBorder);
  if (image.Size() == kSnapshotSize128K) block[kSpcrPort7FFD] = image.ReadOffset(kOffset128KPort7FFD);
  return block;
}

template <std::size_t N>
SzxBlockBuffer KeptBlock(const std::array<std::uint8_t, N>& kept) {
  SzxBlockBuffer block{};
  std::copy(kept.begin(), kept.end(), block.begin());
  return block;
}

void WriteRamPages(std::vector<std::uint8_t>& sink, const SnapshotImage& image) {
  for (const std::uint8_t bank : BanksOf(image)) {
    SzxBlockBuffer block = EmptyBlock(kSzxIdRamPage);
    PutWord(block, kRampFlags, kRampCompressed);
    block[kRampPage] = bank;
    // A page the image does not hold in full is written as far as it goes.
    const auto page = BankBytes(image, bank);
    SaveSZXBlockToFilehandle(sink, block, page.data(), static_cast<std::uint32_t>(page.size()));
  }
}

}  // namespace

KeptSzxBlocks SzxBlocksOfImage(const SnapshotImage& image) {
  KeptSzxBlocks blocks;
  const SzxBlockBuffer z80r = Z80RegistersBlock(image);
  const SzxBlockBuffer spcr = SpectrumRegistersBlock(image);
  std::copy_n(z80r.begin(), blocks.z80r.size(), blocks.z80r.begin());
  std::copy_n(spcr.begin(), blocks.spcr.size(), blocks.spcr.begin());
  blocks.port7FFD = spcr[kSpcrPort7FFD];
  return blocks;
}

std::vector<std::uint8_t> BuildSzxFile(const SnapshotImage& image, const std::optional<KeptSzxBlocks>& kept) {
  std::vector<std::uint8_t> sink;
  SaveSZXBlockToFilehandle(sink, FileHeaderBlock(image), nullptr, 0);
  SaveSZXBlockToFilehandle(sink, CreatorBlock(), nullptr, 0);
  SaveSZXBlockToFilehandle(sink, kept ? KeptBlock(kept->z80r) : Z80RegistersBlock(image), nullptr, 0);
  SaveSZXBlockToFilehandle(sink, kept ? KeptBlock(kept->spcr) : SpectrumRegistersBlock(image), nullptr, 0);
  WriteRamPages(sink, image);
  return sink;
}

}  // namespace kestrova
