#include "snapshot/check_table.h"

namespace kestrova {

void UpdateCheckTable(SnapshotImage& image) {
  for (std::uint32_t i = 0; i < kCheckTableSize; ++i) {
    std::uint8_t x = 0;
    for (std::uint32_t k = 0; k < kCheckedPages; ++k) x ^= image.Read(kCheckedRangeStart + i + 256 * k);
    image.Write(kCheckTableStart + i, x);
  }
}

}  // namespace kestrova
