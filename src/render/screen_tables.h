#pragma once

#include <array>
#include <cstdint>

namespace kestrova {

constexpr int kScreenRows = 192;
constexpr int kScreenColumns = 32;
constexpr std::uint32_t kDisplayFileSize = 6144;
constexpr std::uint32_t kAttributeFileOffset = 0x1800;
constexpr std::uint32_t kScreenAreaSize = 6912;
constexpr std::uint32_t kScreenAreaStart = 0x4000;
constexpr std::uint32_t kAttributeFileStart = 0x5800;

// The display-file offset of each pixel row's first byte, and the attribute
// offset (from 0x4000) of each display byte.
struct ScreenTables {
  std::array<std::uint32_t, kScreenRows> rowStart{};
  std::array<std::uint32_t, kDisplayFileSize> attrOffset{};
};

// Pixel row of display offset d in the Spectrum's interleaved layout.
constexpr int PixelRowOfDisplayOffset(std::uint32_t d) {
  return static_cast<int>(((d >> 5) & 7) * 8 + ((d >> 8) & 7) + ((d >> 11) & 3) * 64);
}

ScreenTables BuildScreenTables();

}  // namespace kestrova
