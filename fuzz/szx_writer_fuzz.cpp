// The .szx writer on any image: the file it writes reads back, and the image
// read back is the one written, but for what the format does not carry.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_input.h"
#include "snapshot/szx_snapshot.h"
#include "snapshot/szx_writer.h"

namespace {

using namespace kestrova;

// The image's bytes: the input's, repeated, each pass stirred so that the
// pages range from all alike to incompressible.
SnapshotImage ImageFrom(fuzz::FuzzInput& in, std::size_t size) {
  const std::uint8_t stir = in.Byte();
  const auto pattern = in.Take(4096);
  std::vector<std::uint8_t> bytes(size, 0);
  std::uint32_t noise = stir;
  for (std::size_t i = 0; i < size && !pattern.empty(); ++i) {
    noise = noise * 1103515245u + 12345u;
    const std::uint8_t mix = (stir & 0x80) ? static_cast<std::uint8_t>(noise >> 16) : 0;
    bytes[i] = static_cast<std::uint8_t>(pattern[i % pattern.size()] ^ mix);
  }
  return SnapshotImage(std::move(bytes));
}

// What a .sna header does not carry through the "Z80R" and "SPCR" blocks:
// the interrupt byte comes back as its bit 2 alone, the TR-DOS byte as 0.
SnapshotImage AsItComesBack(SnapshotImage image) {
  image.WriteOffset(kHeaderInterrupts, image.ReadOffset(kHeaderInterrupts) & kInterruptsEnabled);
  if (image.Size() == kSnapshotSize128K) image.WriteOffset(kOffset128KTrDos, 0);
  return image;
}

void Compare(const SnapshotImage& expected, const SnapshotImage& back, std::size_t from, std::size_t to) {
  const auto a = expected.Range(from, to - from);
  const auto b = back.Range(from, to - from);
  const auto mismatch = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
  if (mismatch.first != a.end() || mismatch.second != b.end()) {
    fuzz::Fail("image offset " + std::to_string(from + static_cast<std::size_t>(mismatch.first - a.begin())) +
               " differs after a .szx round trip of a " + std::to_string(expected.Size()) + "-byte image");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::FuzzInput in(std::span<const std::uint8_t>(data, size));
  // The editor holds 48K and 128K images, and a .sna of any other length
  // from 49179 bytes on at that length.
  const int shape = in.Uniform(0, 3);
  const std::size_t imageSize = shape == 0   ? kSnapshotSize48K
                                : shape == 1 ? kSnapshotSize128K
                                             : static_cast<std::size_t>(in.Uniform(kSnapshotSize48K, 140000));
  const SnapshotImage image = ImageFrom(in, imageSize);
  std::optional<KeptSzxBlocks> kept;
  if (in.Bool()) {
    kept.emplace();
    const auto z80r = in.Take(kKeptZ80rSize);
    std::copy(z80r.begin(), z80r.end(), kept->z80r.begin());
    const auto spcr = in.Take(kKeptSpcrSize);
    std::copy(spcr.begin(), spcr.end(), kept->spcr.begin());
  }

  const std::vector<std::uint8_t> file = BuildSzxFile(image, kept);
  const auto back = ReadSzxSnapshot(file, SnapshotImage(), {});
  if (!back) fuzz::Fail("the file written does not read back");
  if (imageSize != kSnapshotSize48K && imageSize != kSnapshotSize128K) return 0;  // no machine to compare
  if (back->image.Size() != imageSize) {
    fuzz::Fail("a " + std::to_string(imageSize) + "-byte image comes back as " + std::to_string(back->image.Size()) +
               " bytes (file of " + std::to_string(file.size()) + ")");
  }
  // The RAM the file holds: every bank.
  const SnapshotImage expected = AsItComesBack(image);
  const std::size_t ramEnd = imageSize;
  if (!kept) {
    Compare(expected, back->image, 0, ramEnd);
    return 0;
  }
  // Kept blocks go back as they were (the layer sets their size fields), and
  // the registers come from them; the RAM is the image's, with a 48K PC
  // pushed below the kept SP.
  SnapshotImage pushed = expected;
  if (imageSize == kSnapshotSize48K) {
    const auto word = [&](std::size_t at) {
      return static_cast<std::uint16_t>(kept->z80r[at] | kept->z80r[at + 1] << 8);
    };
    const auto stack = static_cast<std::uint16_t>(word(kZ80rSP) - 2);
    if (stack >= kRamStart) pushed.WriteWord(stack, word(kZ80rPC));
  }
  Compare(pushed, back->image, ImageOffsetOf(kRamStart), kOffset128KPc);
  if (imageSize == kSnapshotSize128K) Compare(expected, back->image, kOffsetBank1, ramEnd);
  for (std::size_t i = 0; i < kKeptZ80rSize; ++i) {
    if (i >= kSzxBlockSize && i < kSzxBlockHeaderSize) continue;
    if (back->kept.z80r[i] != kept->z80r[i]) fuzz::Fail("kept Z80R byte " + std::to_string(i) + " changed");
  }
  for (std::size_t i = 0; i < kKeptSpcrSize; ++i) {
    if (i >= kSzxBlockSize && i < kSzxBlockHeaderSize) continue;
    if (back->kept.spcr[i] != kept->spcr[i]) fuzz::Fail("kept SPCR byte " + std::to_string(i) + " changed");
  }
  return 0;
}
