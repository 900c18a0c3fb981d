#include "demo/demo_game.h"

#include "level/level_addresses.h"

namespace kestrova {

SnapshotImage MakeDemoSnapshot(DemoMachine machine) {
  SnapshotImage image(std::vector<std::uint8_t>(
      machine == DemoMachine::Spectrum48K ? kSnapshotSize48K : kSnapshotSize128K, 0));
  image.WriteOffsetWord(kHeaderSP, 0xFF00);
  image.WriteWord(0xFF00, 0x8000);
  image.Write(0x751D, 0xAE);
  image.Write(0x7A93, 0x76);
  const std::uint8_t level[] = {0x83, 0x05, 0x00, 0x0A, 0x22, 0x01, 0xFF};
  for (std::uint32_t i = 0; i < sizeof level; ++i) image.Write(kLevelAreaStart + i, level[i]);
  return image;
}

}  // namespace kestrova
