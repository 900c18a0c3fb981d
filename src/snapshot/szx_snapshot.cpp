#include "snapshot/szx_snapshot.h"

#include <algorithm>
#include <string>

#include "base/little_endian.h"

namespace kestrova {

namespace {

bool Is48KPage(std::uint8_t page) {
  for (const FixedBank& fixed : k48KBanks) {
    if (fixed.bank == page) return true;
  }
  return false;
}

bool HoldsPagesBeyond48K(std::span<const std::uint8_t> file) {
  bool found = false;
  LoadSZXStateFromBytes(file, [&found](const std::uint8_t* block, const std::uint8_t*, std::uint32_t) {
    if (SzxBlockId(block) == kSzxIdRamPage && !Is48KPage(block[kRampPage])) found = true;
    return std::uint32_t{0};
  });
  return found;
}

bool NamesA48KMachine(std::span<const std::uint8_t> file) {
  return file.size() > kSzxHeaderMachine && file[kSzxHeaderMachine] <= kSzxMachine48K;
}

}  // namespace

std::uint32_t SzxSnapshotSize(std::span<const std::uint8_t> file) {
  if (HoldsPagesBeyond48K(file)) return kSnapshotSize128K;
  if (file.size() < kSzx128KFileLength || NamesA48KMachine(file)) return kSnapshotSize48K;
  return kSnapshotSize128K;
}

SzxSnapshotBuilder::SzxSnapshotBuilder(SnapshotImage image, const KeptSzxBlocks& kept)
    : image_(std::move(image)), kept_(kept), pc_(ReadLe16(kept.z80r.data() + kZ80rPC)) {}

SzxBlockCallback SzxSnapshotBuilder::Callback() {
  return [this](const std::uint8_t* block, const std::uint8_t* data, std::uint32_t count) {
    return OnSzxBlock(block, data, count);
  };
}

std::uint32_t SzxSnapshotBuilder::OnSzxBlock(const std::uint8_t* block, const std::uint8_t* data, std::uint32_t count) {
  const std::uint32_t id = SzxBlockId(block);
  if (id == kSzxIdZ80Registers) {
    TakeZ80Registers(block);
  } else if (id == kSzxIdSpectrumRegisters) {
    TakeSpectrumRegisters(block);
  } else if (id == kSzxIdRamPage) {
    TakeRamPage(block, data, count);
  }
  return 0;
}

void SzxSnapshotBuilder::TakeZ80Registers(const std::uint8_t* block) {
  std::copy_n(block, kKeptZ80rSize, kept_.z80r.begin());
  for (const HeaderWordField& field : kHeaderWordFields) {
    image_.WriteOffsetWord(field.header, ReadLe16(block + field.z80r));
  }
  for (const HeaderWordField& field : kHeaderByteFields) image_.WriteOffset(field.header, block[field.z80r]);
  image_.WriteOffset(kHeaderInterrupts, block[kZ80rIFF1] != 0 ? kInterruptsEnabled : 0);
  const std::uint16_t sp = ReadLe16(block + kZ80rSP);
  // A 48K image keeps the PC on the stack, pushed below SP.
  image_.WriteOffsetWord(kHeaderSP, image_.Is48K() ? static_cast<std::uint16_t>(sp - 2) : sp);
  pc_ = ReadLe16(block + kZ80rPC);
}

void SzxSnapshotBuilder::TakeSpectrumRegisters(const std::uint8_t* block) {
  std::copy_n(block, kKeptSpcrSize, kept_.spcr.begin());
  image_.WriteOffset(kHeaderBorder, block[kSpcrBorder]);
  kept_.port7FFD = block[kSpcrPort7FFD];
}

void SzxSnapshotBuilder::TakeRamPage(const std::uint8_t* block, const std::uint8_t* data, std::uint32_t count) {
  if (const std::optional<std::size_t> offset = BankOffset(image_, block[kRampPage])) {
    // Never more than one page, whatever length a raw page came with.
    image_.CopyIn(*offset, std::span<const std::uint8_t>(data, std::min<std::size_t>(count, kPageSize)));
  }
  WriteRememberedPc();
}

void SzxSnapshotBuilder::WriteRememberedPc() {
  if (image_.Is48K()) {
    const std::uint16_t stack = image_.ReadOffsetWord(kHeaderSP);
    // Below 0x4000 the stack is ROM: the image cannot hold the PC there.
    if (stack >= kRamStart) image_.WriteWord(stack, pc_);
    return;
  }
  image_.WriteOffsetWord(kOffset128KPc, pc_);
  image_.WriteOffset(kOffset128KPort7FFD, kept_.port7FFD);
  image_.WriteOffset(kOffset128KTrDos, 0);
}

Result<SzxLoad> ReadSzxSnapshot(std::span<const std::uint8_t> file, const SnapshotImage& held,
                                const KeptSzxBlocks& kept) {
  SnapshotImage image = held;
  image.Resize(SzxSnapshotSize(file));
  SzxSnapshotBuilder builder(std::move(image), kept);
  if (const Outcome read = LoadSZXStateFromBytes(file, builder.Callback()); !read) {
    return Error{std::string(kSzxLoadErrorText) + "\n" + read.ErrorMessage()};
  }
  return SzxLoad{builder.TakeImage(), builder.Kept()};
}

}  // namespace kestrova
