#pragma once

#include <cstdint>

namespace kestrova {

// How the game stores a sprite's bytes. Rows are counted from the sprite's
// bottom line (r = 0) upward; byte k of a row is drawn in column anchor + k.
enum class SpriteLayout : std::uint8_t {
  // Bytes at every other address; even rows run down from the row start,
  // odd rows up. After an even row the start falls by 4W - 2, after an odd
  // row by 2.
  kPairedSerpentine,
  // As above with a step of 1: after an even row by 2W - 1, after an odd by 1.
  kPlainSerpentine,
  // Row r, byte k at start + k - r * stride.
  kLinear,
  // One byte per row, row r at start - 2r.
  kStrip,
  // The truck: seven bytes per row in the order 0, 3, 2, 5, 4, 7, 6 from the
  // row start; the start falls by 8 per row.
  kTruck,
};

struct SpriteShape {
  SpriteLayout layout;
  int width;   // bytes per row
  int height;  // rows
  std::uint32_t start;
  int stride = 0;  // linear layout only; 0 means the width
};

// The Spectrum address that holds byte k of row r of the sprite (the demo
// game places its graphics with it). A row or byte outside the sprite may
// give an address below 0, returned as 0, which reads as nothing.
std::uint32_t SpriteByteAddress(const SpriteShape& shape, int row, int byte);

}  // namespace kestrova
