#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "demo/demo_memory.h"

namespace kestrova::demo {

// How a drawer walks a sprite's bytes in the game's memory. The encoders here
// are the inverse: they put a picture's bytes where the drawer will read them.
// The addresses are render's SpriteByteAddress; Wall and Bridge name the two
// linear layouts of the wall and bridge drawers.
enum class SpriteLayout {
  PairedSerpentine,  // every other address, rows alternating direction
  PlainSerpentine,   // consecutive addresses, rows alternating direction
  Linear,            // left to right, each row `stride` below the last
  Strip,             // one byte per row, every other address downward
  Truck,             // seven bytes of every eight, in the truck's column order
  Wall,              // four bytes per row, left to right, repeated three times
  Bridge,            // a left and a right byte per row, repeated across the screen
};

struct SpriteShape {
  SpriteLayout layout = SpriteLayout::Linear;
  int width = 1;            // bytes per row
  int height = 1;           // rows
  std::uint32_t start = 0;  // address of row 0 (the bottom line)
  int stride = 0;           // linear layout only; 0 means the width
};

// The address a drawer reads for byte `byte` (0 = leftmost column) of row
// `row` (0 = the bottom line) of a sprite, as render's SpriteByteAddress
// gives it.
std::uint32_t SpriteByteAddress(const SpriteShape& shape, int row, int byte);

// A 1-bit picture, `width` bytes wide, rows stored top row first as a person
// draws them; bit 7 of a byte is its leftmost pixel.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> bytes;  // height rows of width bytes

  std::uint8_t At(int rowFromTop, int byte) const { return bytes[static_cast<std::size_t>(rowFromTop * width + byte)]; }
};

// Reads an ASCII picture: rows of '#' (ink) and '.' (paper), 8 characters a
// byte; blank lines and leading/trailing blanks of a row are ignored. Throws
// std::invalid_argument, naming `name`, when the picture is not width bytes
// by height rows or holds another character.
Picture ParsePicture(std::string_view art, int width, int height, std::string_view name);

// The picture flipped left to right.
Picture Mirrored(const Picture& picture);

// Writes every byte of the picture where the layout places it. A picture of
// the wrong size throws std::invalid_argument.
void EncodeSprite(DemoMemory& memory, const SpriteShape& shape, const Picture& picture, std::string_view name);

}  // namespace kestrova::demo
