#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "demo/demo_addresses.h"
#include "demo/demo_memory.h"
#include "demo/sprite_encoders.h"

namespace kestrova::demo {

// One sprite of the demo game: where and how its drawer reads it, and its
// picture. A mirrored sprite names the sprite whose picture it shows flipped
// left to right instead of holding one of its own.
struct SpriteArt {
  std::string_view name;
  SpriteShape shape;
  std::string_view picture;   // ASCII rows, top row first; empty when mirrored
  std::string_view mirrorOf;  // the sprite this one mirrors, or empty
};

// One 8 x 8 glyph of the character set.
struct GlyphArt {
  std::string_view name;
  std::uint32_t address;
  std::string_view picture;
};

// One colour byte: a whole attribute, or only an ink where the drawer adds
// the yellow paper itself.
struct ColourByte {
  std::string_view name;
  std::uint32_t address;
  std::uint8_t value;
};

constexpr std::uint32_t LetterGlyph(char letter) {
  return kGlyphLetterA + 8 * static_cast<std::uint32_t>(letter - 'A');
}

std::span<const SpriteArt> DemoSoldiersSprites();
std::span<const SpriteArt> DemoVehiclesSprites();
std::span<const SpriteArt> DemoBuildingsSprites();
std::span<const SpriteArt> DemoNatureSprites();
std::span<const GlyphArt> DemoGlyphs();
std::span<const ColourByte> DemoColours();

// The picture of a sprite, flipped when it mirrors another one. Throws
// std::invalid_argument for a malformed picture or an unknown mirror source.
Picture SpritePicture(const SpriteArt& sprite);

// Writes every sprite, glyph and colour byte. Throws DemoMemoryConflict when
// two of them need different values at one address.
void WriteDemoArt(DemoMemory& memory);

}  // namespace kestrova::demo
