#pragma once

#include <vector>

#include "surface/fast_dib.h"

namespace kestrova {

// The palette strip as the resizable window shows it: wrapped into rows
// that fit the width it has. The strip is cut only where no picture
// crosses (a picture may be wider than its slot, or stand over two), and
// the pieces fill the rows in the strip's order, each row as full as the
// first while the rows stay as few. Every pixel shown is a strip pixel,
// so a press there means what a press on the strip means.
class PaletteRows {
 public:
  // The strip as one row, as it is.
  PaletteRows();
  // Rows that fit `width` pixels; the widest piece is never cut, so a
  // narrower width still takes that piece's width.
  explicit PaletteRows(int width);

  int Width() const { return width_; }
  int Height() const;
  int Rows() const { return rows_; }
  // The strip position (x, 0..1023) shown at pixel (x, y) of the rows; -1
  // where the rows show no part of the strip (past a row's last piece).
  int StripXAt(int x, int y) const;
  // The strip (1024 x 40) wrapped into `rows` (resized to Width() x
  // Height()); room past a row's last piece is black.
  void Wrap(const TFastDIB& strip, TFastDIB& rows) const;

  bool operator==(const PaletteRows&) const = default;

 private:
  struct Piece {
    int stripLeft = 0;
    int width = 0;
    int row = 0;
    int left = 0;  // in the row
    bool operator==(const Piece&) const = default;
  };
  // The pieces laid into rows at most `width` wide; the rows it takes.
  int LayOut(int width);

  std::vector<Piece> pieces_;
  int width_ = 0;
  int rows_ = 1;
};

}  // namespace kestrova
