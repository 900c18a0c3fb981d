#include "edit/record_shift.h"

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

}  // namespace

Outcome OpenGap(SnapshotImage& image, std::uint32_t p, std::uint32_t n) {
  if (Outcome shiftable = Shiftable(p, n); !shiftable) return shiftable;
  for (std::uint32_t a = kLevelAreaLast; a > p; --a) image.Write(a, image.Read(a - n));
  return Outcome::Done();
}

Outcome RemoveBytes(SnapshotImage& image, std::uint32_t a, std::uint32_t n) {
  if (Outcome shiftable = Shiftable(a, n); !shiftable) return shiftable;
  for (std::uint32_t p = a; p <= kLevelAreaLast; ++p) image.Write(p, image.Read(p + n));
  return Outcome::Done();
}

}  // namespace kestrova
