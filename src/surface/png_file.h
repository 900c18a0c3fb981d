#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "surface/fast_dib.h"

namespace kestrova {

// A picture of width x height pixels (0x00RRGGBB, row by row from the top)
// as a PNG file: 8-bit colour-indexed when it has at most 256 colours (a
// Spectrum picture has 16 at most), 8-bit RGB otherwise. Either decodes to
// exactly these pixels. Nothing for a picture without pixels or with fewer
// pixels than its size.
std::vector<std::uint8_t> PngFile(int width, int height, std::span<const Pixel> pixels);

}  // namespace kestrova
