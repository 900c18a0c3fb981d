#include "render/screen_tables.h"

namespace kestrova {

ScreenTables BuildScreenTables() {
  ScreenTables tables;
  for (std::uint32_t d = 0; d < kDisplayFileSize; ++d) {
    const int y = PixelRowOfDisplayOffset(d);
    if ((d & 31) == 0) tables.rowStart[static_cast<std::size_t>(y)] = d;
    tables.attrOffset[d] = kAttributeFileOffset + static_cast<std::uint32_t>(y >> 3) * 32 + (d & 31);
  }
  return tables;
}

}  // namespace kestrova
