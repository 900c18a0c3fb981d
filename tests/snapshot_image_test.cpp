#include "snapshot/snapshot_image.h"

#include <gtest/gtest.h>

namespace kestrova {
namespace {

TEST(SnapshotImage, MapsSpectrumAddressesAfterTheHeader) {
  SnapshotImage image(std::vector<std::uint8_t>(kSnapshotSize48K, 0));
  image.Write(0x4000, 0x12);
  image.Write(0xFFFF, 0x34);
  EXPECT_EQ(image.Bytes()[27], 0x12);
  EXPECT_EQ(image.Bytes()[49178], 0x34);
  EXPECT_EQ(ImageOffsetOf(0x9236), 0x9236u - 16384u + 27u);
}

TEST(SnapshotImage, AccessOutsideTheImageReadsZeroAndWritesNothing) {
  SnapshotImage image(std::vector<std::uint8_t>(100, 0xAA));
  const std::vector<std::uint8_t> before(image.Bytes().begin(), image.Bytes().end());
  for (std::uint32_t address : {0x0000u, 0x3FFFu, 0x4100u, 0xFFFFu, 0x10000u, 0xFFFFFFFFu}) {
    image.Write(address, 0x55);
    if (address >= 0x4100) {
      EXPECT_EQ(image.Read(address), 0) << address;
    }
  }
  EXPECT_EQ(image.Read(0x3FFF), 0);
  EXPECT_EQ(std::vector<std::uint8_t>(image.Bytes().begin(), image.Bytes().end()), before);
  EXPECT_EQ(image.ReadOffset(100), 0);
}

TEST(SnapshotImage, WordsAreLowByteFirst) {
  SnapshotImage image(std::vector<std::uint8_t>(kSnapshotSize48K, 0));
  image.WriteWord(0x8000, 0xBEEF);
  EXPECT_EQ(image.Read(0x8000), 0xEF);
  EXPECT_EQ(image.Read(0x8001), 0xBE);
  EXPECT_EQ(image.ReadWord(0x8000), 0xBEEF);
}

}  // namespace
}  // namespace kestrova
