#include "edit/record_shift.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "level/level_addresses.h"

namespace kestrova {
namespace {

// An image whose every byte differs from its neighbours, `size` bytes long
// (a whole 48K image, or one that ends inside the bytes a shift reads).
SnapshotImage Numbered(std::size_t size) {
  std::vector<std::uint8_t> bytes(size);
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(i * 7 + i / 251);
  return SnapshotImage(std::move(bytes));
}

// The shifts as their descriptions say them, one byte at a time.
void OpenGapByteByByte(SnapshotImage& image, std::uint32_t p, std::uint32_t n) {
  for (std::uint32_t a = kLevelAreaLast; a > p; --a) image.Write(a, image.Read(a - n));
}
void RemoveBytesByteByByte(SnapshotImage& image, std::uint32_t a, std::uint32_t n) {
  for (std::uint32_t p = a; p <= kLevelAreaLast; ++p) image.Write(p, image.Read(p + n));
}

struct Shift {
  std::uint32_t at;
  std::uint32_t n;
};

// At the area's two ends and inside it, for no bytes up to the whole area;
// in a whole image and in one that ends in the middle of the bytes moved
// (which reads zeros past its end and writes nothing there).
TEST(RecordShift, MovesTheBytesAsOneByOneCopiesDo) {
  const Shift shifts[] = {{kLevelAreaStart, 0},
                          {kLevelAreaStart, 2},
                          {kLevelAreaStart, kLevelAreaLength},
                          {0x9500, 2},
                          {0x9500, 14},
                          {0x9500, 1000},
                          {kLevelAreaLast - 1, 2},
                          {kLevelAreaLast, 2},
                          {kLevelAreaLast, kLevelAreaLength}};
  for (const std::size_t size : {std::size_t{kSnapshotSize48K}, ImageOffsetOf(0x9700), ImageOffsetOf(0x9900)}) {
    for (const Shift& shift : shifts) {
      SnapshotImage opened = Numbered(size), openedByHand = Numbered(size);
      ASSERT_TRUE(OpenGap(opened, shift.at, shift.n));
      OpenGapByteByByte(openedByHand, shift.at, shift.n);
      EXPECT_TRUE(std::ranges::equal(opened.Bytes(), openedByHand.Bytes()))
          << "gap of " << shift.n << " at " << std::hex << shift.at << " in " << std::dec << size << " bytes";

      SnapshotImage removed = Numbered(size), removedByHand = Numbered(size);
      ASSERT_TRUE(RemoveBytes(removed, shift.at, shift.n));
      RemoveBytesByteByByte(removedByHand, shift.at, shift.n);
      EXPECT_TRUE(std::ranges::equal(removed.Bytes(), removedByHand.Bytes()))
          << shift.n << " removed at " << std::hex << shift.at << " in " << std::dec << size << " bytes";
    }
  }
}

TEST(RecordShift, RefusesShiftsOutsideTheAreaOrLargerThanIt) {
  for (const Shift& shift :
       {Shift{kLevelAreaStart - 1, 2}, Shift{kLevelAreaLast + 1, 2}, Shift{kLevelAreaStart, kLevelAreaLength + 1}}) {
    SnapshotImage image = Numbered(kSnapshotSize48K);
    const SnapshotImage before = image;
    EXPECT_FALSE(OpenGap(image, shift.at, shift.n));
    EXPECT_FALSE(RemoveBytes(image, shift.at, shift.n));
    EXPECT_TRUE(std::ranges::equal(image.Bytes(), before.Bytes()));
  }
}

}  // namespace
}  // namespace kestrova
