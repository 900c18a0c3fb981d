#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "edit/menu_model.h"

namespace kestrova {

// Colour items 0..8 of "Ink" (tags 0..8) and "Paper" (tags 9..17).
constexpr std::array<std::string_view, 9> kColourNames = {"Bright", "Black", "Blue",   "Red",  "Magenta",
                                                          "Green",  "Cyan",  "Yellow", "White"};
constexpr int kPaperTagOffset = 9;

// True for the tiles whose colour byte has a paper colour worth changing.
bool PaperChangeable(std::uint32_t tile);

// "Ink" and "Paper" with their colour items, checked after the colour byte b:
// "Bright" in both when b has bit 6, the ink item (b AND 7) + 1 and the paper
// item ((b AND 0x38) shr 3) + 1. The flash bit is not shown.
std::vector<MenuItem> BuildAttributeSubmenu(std::uint32_t tile, std::uint8_t colour);

}  // namespace kestrova
