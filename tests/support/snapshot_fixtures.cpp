#include "support/snapshot_fixtures.h"

#include <zlib.h>

#include <algorithm>

#include "level/level_addresses.h"
#include "render/screen_tables.h"

namespace kestrova::testing {

namespace {

void PutLe(Bytes& bytes, std::uint32_t value, int width) {
  for (int i = 0; i < width; ++i) bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

}  // namespace

Bytes BytesOf(const SnapshotImage& image) { return Bytes(image.Bytes().begin(), image.Bytes().end()); }

Bytes OutsideTheScreen(std::span<const std::uint8_t> image) {
  const std::size_t screen = ImageOffsetOf(kScreenAreaStart);
  Bytes kept(image.begin(), image.end());
  kept.erase(kept.begin() + static_cast<std::ptrdiff_t>(screen),
             kept.begin() + static_cast<std::ptrdiff_t>(screen + kScreenAreaSize));
  return kept;
}

SnapshotImage FixtureImage(DemoMachine machine) {
  SnapshotImage image = MakeDemoSnapshot(machine);
  for (std::uint32_t a = kLevelAreaStart; a <= kLevelAreaLast; ++a) image.Write(a, 0);
  const std::uint8_t levels[] = {0x00, 0x0A, 0x83, 0x05, 0x22, 0x01, 0x00, 0x05, 0x22, 0x01, 0xFF};
  for (std::uint32_t i = 0; i < sizeof levels; ++i) image.Write(kLevelAreaStart + i, levels[i]);
  std::uint8_t value = 0x11;
  for (std::size_t offset = kHeaderI; offset < kHeaderSP; ++offset) image.WriteOffset(offset, value++);
  image.WriteOffset(kHeaderInterrupts, 0x04);
  image.WriteOffsetWord(kHeaderSP, 0xFF00);
  image.WriteOffset(kHeaderIM, 1);
  image.WriteOffset(kHeaderBorder, 5);
  if (machine == DemoMachine::Spectrum48K) {
    image.WriteWord(0xFF00, 0x8123);
  } else {
    image.WriteOffsetWord(kOffset128KPc, 0x8123);
  }
  return image;
}

Bytes SzxBlock(const std::string& id, const Bytes& body) {
  Bytes block(id.begin(), id.end());
  PutLe(block, static_cast<std::uint32_t>(body.size()), 4);
  block.insert(block.end(), body.begin(), body.end());
  return block;
}

Bytes SzxFile(std::uint8_t machine, const std::vector<Bytes>& blocks) {
  Bytes file = {'Z', 'X', 'S', 'T', 1, 4, machine, 0};
  for (const Bytes& block : blocks) file.insert(file.end(), block.begin(), block.end());
  return file;
}

Bytes Z80rBody(std::uint16_t sp, std::uint16_t pc) {
  Bytes body;
  const std::uint16_t pairs[] = {0x0102, 0x0304, 0x0506, 0x0708, 0x090A, 0x0B0C, 0x0D0E, 0x0F10, 0x1112, 0x1314};
  for (std::uint16_t pair : pairs) PutLe(body, pair, 2);  // AF BC DE HL AF' BC' DE' HL' IX IY
  PutLe(body, sp, 2);
  PutLe(body, pc, 2);
  body.push_back(0x3F);  // I
  body.push_back(0x7E);  // R
  body.push_back(1);     // IFF1
  body.push_back(1);     // IFF2
  body.push_back(1);     // IM
  body.resize(37, 0);
  return body;
}

Bytes SpcrBody(std::uint8_t border, std::uint8_t port7FFD) { return {border, port7FFD, 0, 0, 0, 0, 0, 0}; }

Bytes RawRampBody(std::uint8_t page, std::uint8_t fill) {
  Bytes body(3 + 16384, fill);
  body[0] = 0;
  body[1] = 0;
  body[2] = page;
  return body;
}

Bytes CompressedRampBody(std::uint8_t page, const Bytes& page16K) {
  uLongf size = compressBound(static_cast<uLong>(page16K.size()));
  Bytes compressed(size);
  compress2(compressed.data(), &size, page16K.data(), static_cast<uLong>(page16K.size()), Z_BEST_COMPRESSION);
  compressed.resize(size);
  Bytes body(3 + compressed.size());
  body[0] = 1;
  body[1] = 0;
  body[2] = page;
  std::copy(compressed.begin(), compressed.end(), body.begin() + 3);
  return body;
}

Bytes PaddingBlock(std::size_t blockLength) { return SzxBlock("XPAD", Bytes(blockLength - 8, 0xEE)); }

}  // namespace kestrova::testing
