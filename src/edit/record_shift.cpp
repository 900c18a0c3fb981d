#include "edit/record_shift.h"

#include "level/level_addresses.h"

namespace kestrova {

bool InLevelArea(std::uint32_t address) { return address >= kLevelAreaStart && address <= kLevelAreaLast; }

bool OpenGap(SnapshotImage& image, std::uint32_t p, std::uint32_t n) {
  if (!InLevelArea(p) || n > kLevelAreaLength) return false;
  for (std::uint32_t a = kLevelAreaLast; a > p; --a) image.Write(a, image.Read(a - n));
  return true;
}

bool RemoveBytes(SnapshotImage& image, std::uint32_t a, std::uint32_t n) {
  if (!InLevelArea(a) || n > kLevelAreaLength) return false;
  for (std::uint32_t p = a; p <= kLevelAreaLast; ++p) image.Write(p, image.Read(p + n));
  return true;
}

}  // namespace kestrova
