// The .sna reader on any bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "snapshot/sna.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto image = kestrova::ReadSna(std::span<const std::uint8_t>(data, size));
  if (image.Ok() && (image->Size() != size || size < kestrova::kSnapshotSize48K)) std::abort();
  return 0;
}
