#include "edit/record_shift.h"

#include <cstring>
#include <string>

#include "level/level_addresses.h"

namespace kestrova {

bool InLevelArea(std::uint32_t address) { return address >= kLevelAreaStart && address <= kLevelAreaLast; }

namespace {

// Whether n bytes at `address` can move, and why not.
Outcome Shiftable(std::uint32_t address, std::uint32_t n) {
  if (!InLevelArea(address)) return Error{"the address is outside the level area"};
  if (n > kLevelAreaLength) return Error{std::to_string(n) + " bytes are more than the level area holds"};
  return Outcome::Done();
}

// The `count` bytes at `from` copied to `to`, as a byte-by-byte copy in the
// direction that reads each byte before it is overwritten does it. At once
// when the image holds both ranges: a wipe removes pair after pair.
void MoveBytes(SnapshotImage& image, std::uint32_t from, std::uint32_t to, std::uint32_t count) {
  if (count == 0) return;
  if (image.HoldsAddress(from) && image.HoldsAddress(from + count - 1) && image.HoldsAddress(to) &&
      image.HoldsAddress(to + count - 1)) {
    std::uint8_t* bytes = image.MutableBytes().data();
    std::memmove(bytes + ImageOffsetOf(to), bytes + ImageOffsetOf(from), count);
  } else if (to < from) {
    for (std::uint32_t i = 0; i < count; ++i) image.Write(to + i, image.Read(from + i));
  } else {
    for (std::uint32_t i = count; i > 0; --i) image.Write(to + i - 1, image.Read(from + i - 1));
  }
}

}  // namespace

Outcome OpenGap(SnapshotImage& image, std::uint32_t p, std::uint32_t n) {
  if (Outcome shiftable = Shiftable(p, n); !shiftable) return shiftable;
  MoveBytes(image, p + 1 - n, p + 1, kLevelAreaLast - p);
  return Outcome::Done();
}

Outcome RemoveBytes(SnapshotImage& image, std::uint32_t a, std::uint32_t n) {
  if (Outcome shiftable = Shiftable(a, n); !shiftable) return shiftable;
  MoveBytes(image, a + n, a, kLevelAreaLast - a + 1);
  return Outcome::Done();
}

}  // namespace kestrova
