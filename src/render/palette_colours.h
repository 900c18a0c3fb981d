#pragma once

#include <array>

#include "surface/fast_dib.h"

namespace kestrova {

// Index = bright * 8 + colour number; 0x00RRGGBB. Normal white is not grey.
constexpr std::array<Pixel, 16> kSpectrumPalette = {
    0x000000, 0x0000CA, 0xCA0000, 0xCA00CA, 0x00CA00, 0x00CACA, 0xCACA00, 0xC5C7C5,
    0x000000, 0x0000FF, 0xFF0000, 0xFF00FF, 0x00FF00, 0x00FFFF, 0xFFFF00, 0xFFFFFF,
};

constexpr Pixel kPaletteBlue = kSpectrumPalette[1];
constexpr Pixel kPaletteRed = kSpectrumPalette[2];
constexpr Pixel kPaletteCyan = kSpectrumPalette[5];
constexpr Pixel kPaletteYellow = kSpectrumPalette[6];

constexpr Pixel InkOf(std::uint8_t attribute) { return kSpectrumPalette[(attribute & 7) + 8 * ((attribute >> 6) & 1)]; }
constexpr Pixel PaperOf(std::uint8_t attribute) {
  return kSpectrumPalette[((attribute >> 3) & 7) + 8 * ((attribute >> 6) & 1)];
}

}  // namespace kestrova
