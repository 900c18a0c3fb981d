#include "snapshot/snapshot_image.h"

#include <algorithm>

namespace kestrova {

std::span<const std::uint8_t> SnapshotImage::Range(std::size_t offset, std::size_t length) const {
  if (offset >= bytes_.size()) return {};
  return std::span<const std::uint8_t>(bytes_).subspan(offset, std::min(length, bytes_.size() - offset));
}

void SnapshotImage::CopyIn(std::size_t offset, std::span<const std::uint8_t> source) {
  if (offset >= bytes_.size()) return;
  const std::size_t count = std::min(source.size(), bytes_.size() - offset);
  std::copy_n(source.begin(), count, bytes_.begin() + static_cast<std::ptrdiff_t>(offset));
}

}  // namespace kestrova
