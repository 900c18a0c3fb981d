#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kestrova {

// 0x00RRGGBB: in memory the bytes blue, green, red, unused.
using Pixel = std::uint32_t;

struct Rect {
  int x = 0;  // left
  int y = 0;  // top, counted from the top of the picture
  int width = 0;
  int height = 0;
};

// A 32-bit pixel surface. Rows are stored bottom-up: row index 0 is the
// bottom line of the picture. Functions taking (x, y) with "top" in the name
// count y from the top.
class TFastDIB {
 public:
  TFastDIB() = default;
  TFastDIB(int width, int height) { Resize(width, height); }

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool HasRows() const { return height_ > 0 && width_ > 0; }

  // New size (negative sizes count as 0); the content is cleared to black.
  void Resize(int width, int height);

  // Row by bottom-up index; the index must lie in 0..Height() - 1.
  Pixel* Row(int index) { return pixels_.data() + static_cast<std::size_t>(index) * static_cast<std::size_t>(width_); }
  const Pixel* Row(int index) const {
    return pixels_.data() + static_cast<std::size_t>(index) * static_cast<std::size_t>(width_);
  }
  // Row with y counted from the top.
  Pixel* RowTop(int y) { return Row(height_ - 1 - y); }
  const Pixel* RowTop(int y) const { return Row(height_ - 1 - y); }

  void Fill(Pixel colour);

  // Single pixels by bottom-up row index; outside the surface reads 0 and
  // writes nothing.
  Pixel PixelAt(int x, int rowIndex) const;
  void SetPixel(int x, int rowIndex, Pixel colour);

  // Single pixels with y counted from the top.
  Pixel PixelAtTop(int x, int y) const { return PixelAt(x, height_ - 1 - y); }
  void SetPixelTop(int x, int y, Pixel colour) { SetPixel(x, height_ - 1 - y, colour); }

  // One-pixel line from (x0, y0) towards (x1, y1), y from the top; the end
  // point itself is not drawn. Clipped to the surface.
  void Line(int x0, int y0, int x1, int y1, Pixel colour);

  // Nearest-neighbour copy of the whole surface into `target` at the
  // target's size, with 16.16 fixed-point steps: target row j (bottom-up)
  // and column i take source row (j * stepY) >> 16 and column (i * stepX) >> 16.
  void CopyNearestTo(TFastDIB& target) const;

  // Nearest-neighbour stretch of `source` (y from the top) into `target`'s
  // rectangle `destination` (y from the top), 16.16 fixed-point steps.
  // Target pixels outside the target are skipped; source pixels outside this
  // surface read as black.
  void StretchRectTo(const Rect& source, TFastDIB& target, const Rect& destination) const;

  const std::vector<Pixel>& Pixels() const { return pixels_; }

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<Pixel> pixels_;
};

}  // namespace kestrova
