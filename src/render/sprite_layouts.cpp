#include "render/sprite_layouts.h"

#include <array>

namespace kestrova {
namespace {

constexpr std::array<int, 7> kTruckByteOrder = {0, 3, 2, 5, 4, 7, 6};
constexpr int kTruckRowStep = 8;

// Serpentine rows come in pairs of 2 * rowBytes addresses (rowBytes = W
// bytes at the given step): the even row runs down from its start, the odd
// row up from the start of the next row.
std::int64_t SerpentineAddress(std::int64_t start, int width, int step, int row, int byte) {
  const std::int64_t pair = 2 * static_cast<std::int64_t>(width) * step;
  const std::int64_t pairStart = start - (row / 2) * pair;
  if (row % 2 == 0) return pairStart - static_cast<std::int64_t>(byte) * step;
  return pairStart - (pair - step) + static_cast<std::int64_t>(byte) * step;
}

}  // namespace

std::uint32_t SpriteByteAddress(const SpriteShape& shape, int row, int byte) {
  const std::int64_t start = shape.start;
  std::int64_t address = start;
  switch (shape.layout) {
    case SpriteLayout::kPairedSerpentine:
      address = SerpentineAddress(start, shape.width, 2, row, byte);
      break;
    case SpriteLayout::kPlainSerpentine:
      address = SerpentineAddress(start, shape.width, 1, row, byte);
      break;
    case SpriteLayout::kLinear:
      address = start + byte - static_cast<std::int64_t>(row) * (shape.stride != 0 ? shape.stride : shape.width);
      break;
    case SpriteLayout::kStrip:
      address = start - 2 * static_cast<std::int64_t>(row);
      break;
    case SpriteLayout::kTruck:
      address = start - static_cast<std::int64_t>(row) * kTruckRowStep +
                (byte >= 0 && byte < static_cast<int>(kTruckByteOrder.size()) ? kTruckByteOrder[static_cast<std::size_t>(byte)] : byte);
      break;
  }
  // Outside 0..0xFFFFFFFF only for rows and bytes outside the sprite; such an
  // address reads as nothing.
  return address < 0 ? 0 : static_cast<std::uint32_t>(address);
}

}  // namespace kestrova
