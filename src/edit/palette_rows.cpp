#include "edit/palette_rows.h"

#include <algorithm>

#include "edit/palette_tables.h"

namespace kestrova {

namespace {

// Whether a picture of the strip crosses strip column x (has pixels on both sides of it).
bool PictureCrosses(int x) {
  for (const PalettePicture& picture : kPalettePictures) {
    for (int i = 0; i < picture.rectangles; ++i) {
      const Rect& place = picture.destination[static_cast<std::size_t>(i)];
      if (place.x < x && x < place.x + place.width) return true;
    }
  }
  return false;
}

// The strip's pieces: cut at slot edges that no picture crosses.
std::vector<int> PieceEdges() {
  std::vector<int> edges{0};
  for (int x = kPaletteSlotWidth; x < kPaletteStripWidth; x += kPaletteSlotWidth) {
    if (!PictureCrosses(x)) edges.push_back(x);
  }
  edges.push_back(kPaletteStripWidth);
  return edges;
}

}  // namespace

PaletteRows::PaletteRows() : PaletteRows(kPaletteStripWidth) {}

PaletteRows::PaletteRows(int width) {
  const std::vector<int> edges = PieceEdges();
  for (std::size_t i = 0; i + 1 < edges.size(); ++i) pieces_.push_back({edges[i], edges[i + 1] - edges[i], 0, 0});
  const int rows = LayOut(std::max(width, kPaletteSlotWidth));
  // The narrowest width that needs no more rows evens the rows out.
  int narrower = kPaletteSlotWidth;
  while (LayOut(narrower) > rows) narrower += kPaletteSlotWidth;
}

int PaletteRows::LayOut(int width) {
  int row = 0;
  int left = 0;
  width_ = 0;
  for (Piece& piece : pieces_) {
    if (left > 0 && left + piece.width > width) {
      ++row;
      left = 0;
    }
    piece.row = row;
    piece.left = left;
    left += piece.width;
    width_ = std::max(width_, left);
  }
  rows_ = row + 1;
  return rows_;
}

int PaletteRows::Height() const { return rows_ * kPaletteStripHeight; }

int PaletteRows::StripXAt(int x, int y) const {
  if (y < 0 || y >= Height()) return -1;
  const int row = y / kPaletteStripHeight;
  for (const Piece& piece : pieces_) {
    if (piece.row == row && x >= piece.left && x < piece.left + piece.width) return piece.stripLeft + x - piece.left;
  }
  return -1;
}

void PaletteRows::Wrap(const TFastDIB& strip, TFastDIB& rows) const {
  if (rows.Width() != Width() || rows.Height() != Height()) rows.Resize(Width(), Height());
  rows.Fill(0);
  for (const Piece& piece : pieces_) {
    for (int y = 0; y < kPaletteStripHeight && y < strip.Height(); ++y) {
      const Pixel* from = strip.RowTop(y) + piece.stripLeft;
      std::copy_n(from, piece.width, rows.RowTop(piece.row * kPaletteStripHeight + y) + piece.left);
    }
  }
}

}  // namespace kestrova
