#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "surface/fast_dib.h"

namespace kestrova::testing {

// A picture as rows from the top, 0x00RRGGBB pixels.
struct TopDownPicture {
  int width = 0;
  int height = 0;
  std::vector<Pixel> pixels;  // row by row from the top

  Pixel At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + x]; }
  bool operator==(const TopDownPicture&) const = default;
};

TopDownPicture PictureOf(const TFastDIB& surface);

// The picture as the tool writes it (PngFile).
std::vector<std::uint8_t> EncodePng(const TopDownPicture& picture);
// Reads 8-bit RGB and 8-bit colour-indexed PNGs without interlace, any of
// the five row filters: independent of PngFile, which it checks. Nothing for
// anything else or a damaged file.
std::optional<TopDownPicture> DecodePng(const std::vector<std::uint8_t>& bytes);

std::optional<std::vector<std::uint8_t>> ReadFileBytes(const std::string& path);
bool WriteFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);

// What differs between `picture` and the golden PNG at `path` (the first few
// pixels and their count); empty when they are equal. With
// KESTROVA_UPDATE_GOLDEN set in the environment the picture is written there
// instead and that is reported, so the new golden gets looked at.
std::vector<std::string> GoldenPictureMismatches(const TopDownPicture& picture, const std::string& path);

}  // namespace kestrova::testing
