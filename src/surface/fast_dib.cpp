#include "surface/fast_dib.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace kestrova {

namespace {

// 16.16 step from `from` units to `to` units; 64-bit so that tall surfaces
// (more than 65535 rows) do not overflow.
std::uint64_t FixedStep(int from, int to) {
  return (static_cast<std::uint64_t>(from) << 16) / static_cast<std::uint64_t>(to);
}

int FixedIndex(int i, std::uint64_t step) { return static_cast<int>((static_cast<std::uint64_t>(i) * step) >> 16); }

// A start point this far outside the surface is moved along the line first,
// so that no line costs more steps than its visible part plus this margin.
constexpr std::int64_t kLineMargin = 1 << 16;

}  // namespace

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
  std::int64_t x = x0, y = y0;
  const std::int64_t endX = x1, endY = y1;
  // Nothing to draw when the line's box misses the surface.
  if (std::max(x, endX) < 0 || std::min(x, endX) >= width_ || std::max(y, endY) < 0 || std::min(y, endY) >= height_)
    return;
  const auto far = [&](std::int64_t px, std::int64_t py) {
    return px < -kLineMargin || py < -kLineMargin || px > width_ + kLineMargin || py > height_ + kLineMargin;
  };
  if (far(x, y)) {
    // Only for absurd coordinates: start where the line enters the margin
    // box around the surface, so the walk below stays short.
    const double dxd = static_cast<double>(endX - x), dyd = static_cast<double>(endY - y);
    double enter = 0, leave = 1;
    const auto clip = [&](double p, double q) {  // keeps the part with p * t <= q
      if (p == 0) return q >= 0;
      const double t = q / p;
      if (p < 0) {
        if (t > leave) return false;
        enter = std::max(enter, t);
      } else {
        if (t < enter) return false;
        leave = std::min(leave, t);
      }
      return true;
    };
    const double margin = static_cast<double>(kLineMargin);
    if (!clip(-dxd, static_cast<double>(x) + margin) ||
        !clip(dxd, static_cast<double>(width_) + margin - static_cast<double>(x)) ||
        !clip(-dyd, static_cast<double>(y) + margin) ||
        !clip(dyd, static_cast<double>(height_) + margin - static_cast<double>(y))) {
      return;
    }
    x = std::llround(static_cast<double>(x) + enter * dxd);
    y = std::llround(static_cast<double>(y) + enter * dyd);
  }
  const std::int64_t dx = std::llabs(endX - x);
  const std::int64_t dy = -std::llabs(endY - y);
  const std::int64_t sx = x < endX ? 1 : -1;
  const std::int64_t sy = y < endY ? 1 : -1;
  std::int64_t error = dx + dy;
  bool entered = false;
  while (x != endX || y != endY) {
    const bool inside = x >= 0 && x < width_ && y >= 0 && y < height_;
    if (inside) {
      RowTop(static_cast<int>(y))[x] = colour;
      entered = true;
    } else if (entered) {
      return;  // a straight line does not come back
    }
    const std::int64_t twice = 2 * error;
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
  const std::uint64_t stepX = FixedStep(width_, target.width_);
  const std::uint64_t stepY = FixedStep(height_, target.height_);
  const std::size_t rowBytes = static_cast<std::size_t>(target.width_) * sizeof(Pixel);
  int previousSource = -1;
  for (int j = 0; j < target.height_; ++j) {
    const int sourceRow = FixedIndex(j, stepY);
    Pixel* destination = target.Row(j);
    if (sourceRow == previousSource) {
      // Same source row as the line before: copy that line.
      std::memcpy(destination, target.Row(j - 1), rowBytes);
      continue;
    }
    previousSource = sourceRow;
    const Pixel* source = Row(sourceRow);
    if (stepX == (1u << 15)) {
      // Exactly twice as wide: each source pixel becomes a pair.
      const int pairs = target.width_ / 2;
      int k = 0;
      for (; k + 8 <= pairs; k += 8) {
        // In a local block of 16, which the compiler turns into wide stores.
        Pixel block[16];
        for (int n = 0; n < 8; ++n) block[2 * n] = block[2 * n + 1] = source[k + n];
        std::memcpy(destination + 2 * k, block, sizeof block);
      }
      for (; k < pairs; ++k) destination[2 * k] = destination[2 * k + 1] = source[k];
      if (target.width_ & 1) destination[target.width_ - 1] = source[pairs];
    } else {
      std::uint64_t position = 0;
      for (int i = 0; i < target.width_; ++i, position += stepX) destination[i] = source[position >> 16];
    }
  }
}

void TFastDIB::StretchRectTo(const Rect& source, TFastDIB& target, const Rect& destination) const {
  if (source.width <= 0 || source.height <= 0 || destination.width <= 0 || destination.height <= 0) return;
  const std::uint64_t stepX = FixedStep(source.width, destination.width);
  const std::uint64_t stepY = FixedStep(source.height, destination.height);
  // Only the part of the destination that lies on the target.
  const int firstJ = std::max(0, -destination.y);
  const int lastJ = std::min(destination.height, target.height_ - destination.y);
  const int firstI = std::max(0, -destination.x);
  const int lastI = std::min(destination.width, target.width_ - destination.x);
  for (int j = firstJ; j < lastJ; ++j) {
    Pixel* out = target.RowTop(destination.y + j);
    const std::int64_t sourceY = static_cast<std::int64_t>(source.y) + FixedIndex(j, stepY);
    const bool rowInside = sourceY >= 0 && sourceY < height_;
    const Pixel* in = rowInside ? RowTop(static_cast<int>(sourceY)) : nullptr;
    for (int i = firstI; i < lastI; ++i) {
      const std::int64_t sourceX = static_cast<std::int64_t>(source.x) + FixedIndex(i, stepX);
      out[destination.x + i] = (in && sourceX >= 0 && sourceX < width_) ? in[sourceX] : 0;
    }
  }
}

}  // namespace kestrova
