#include "surface/fast_dib.h"

#include <algorithm>
#include <cstdlib>

namespace kestrova {

void TFastDIB::Resize(int width, int height) {
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  pixels_.assign(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), 0);
}

void TFastDIB::Fill(Pixel colour) { std::fill(pixels_.begin(), pixels_.end(), colour); }

Pixel TFastDIB::PixelAt(int x, int rowIndex) const {
  if (x < 0 || x >= width_ || rowIndex < 0 || rowIndex >= height_) return 0;
  return Row(rowIndex)[x];
}

void TFastDIB::SetPixel(int x, int rowIndex, Pixel colour) {
  if (x < 0 || x >= width_ || rowIndex < 0 || rowIndex >= height_) return;
  Row(rowIndex)[x] = colour;
}

void TFastDIB::Line(int x0, int y0, int x1, int y1, Pixel colour) {
  const int dx = std::abs(x1 - x0);
  const int dy = -std::abs(y1 - y0);
  const int sx = x0 < x1 ? 1 : -1;
  const int sy = y0 < y1 ? 1 : -1;
  int error = dx + dy;
  int x = x0;
  int y = y0;
  while (x != x1 || y != y1) {
    SetPixelTop(x, y, colour);
    const int twice = 2 * error;
    if (twice >= dy) {
      error += dy;
      x += sx;
    }
    if (twice <= dx) {
      error += dx;
      y += sy;
    }
  }
}

void TFastDIB::CopyNearestTo(TFastDIB& target) const {
  if (!HasRows() || !target.HasRows()) return;
  const std::uint32_t stepX = (static_cast<std::uint32_t>(width_) << 16) / static_cast<std::uint32_t>(target.width_);
  const std::uint32_t stepY = (static_cast<std::uint32_t>(height_) << 16) / static_cast<std::uint32_t>(target.height_);
  for (int j = 0; j < target.height_; ++j) {
    const Pixel* source = Row(static_cast<int>((static_cast<std::uint32_t>(j) * stepY) >> 16));
    Pixel* destination = target.Row(j);
    std::uint32_t position = 0;
    for (int i = 0; i < target.width_; ++i, position += stepX) destination[i] = source[position >> 16];
  }
}

void TFastDIB::StretchRectTo(const Rect& source, TFastDIB& target, const Rect& destination) const {
  if (source.width <= 0 || source.height <= 0 || destination.width <= 0 || destination.height <= 0) return;
  const std::uint32_t stepX = (static_cast<std::uint32_t>(source.width) << 16) / static_cast<std::uint32_t>(destination.width);
  const std::uint32_t stepY = (static_cast<std::uint32_t>(source.height) << 16) / static_cast<std::uint32_t>(destination.height);
  for (int j = 0; j < destination.height; ++j) {
    const int targetY = destination.y + j;
    if (targetY < 0 || targetY >= target.height_) continue;
    const int sourceY = source.y + static_cast<int>((static_cast<std::uint32_t>(j) * stepY) >> 16);
    for (int i = 0; i < destination.width; ++i) {
      const int targetX = destination.x + i;
      if (targetX < 0 || targetX >= target.width_) continue;
      const int sourceX = source.x + static_cast<int>((static_cast<std::uint32_t>(i) * stepX) >> 16);
      target.SetPixelTop(targetX, targetY, PixelAtTop(sourceX, sourceY));
    }
  }
}

}  // namespace kestrova
