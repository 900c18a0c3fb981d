#include "demo/sprite_encoders.h"

#include <stdexcept>
#include <string>

#include "render/sprite_layouts.h"

namespace kestrova::demo {

namespace {

// The demo's wall and bridge layouts are linear ones in the renderer's terms:
// the wall's rows are 4 bytes apart; the bridge's rows are 2 apart with the
// left byte one below the right byte at the start.
constexpr int kWallRowStep = 4;
constexpr int kBridgeRowStep = 2;

kestrova::SpriteShape RenderShape(const SpriteShape& shape) {
  using Layout = kestrova::SpriteLayout;
  switch (shape.layout) {
    case SpriteLayout::PairedSerpentine:
      return {Layout::kPairedSerpentine, shape.width, shape.height, shape.start};
    case SpriteLayout::PlainSerpentine:
      return {Layout::kPlainSerpentine, shape.width, shape.height, shape.start};
    case SpriteLayout::Linear:
      return {Layout::kLinear, shape.width, shape.height, shape.start, shape.stride};
    case SpriteLayout::Strip:
      return {Layout::kStrip, shape.width, shape.height, shape.start};
    case SpriteLayout::Truck:
      return {Layout::kTruck, shape.width, shape.height, shape.start};
    case SpriteLayout::Wall:
      return {Layout::kLinear, shape.width, shape.height, shape.start, kWallRowStep};
    case SpriteLayout::Bridge:
      return {Layout::kLinear, shape.width, shape.height, shape.start - 1, kBridgeRowStep};
  }
  return {Layout::kLinear, shape.width, shape.height, shape.start, shape.stride};
}

std::uint8_t ReverseBits(std::uint8_t value) {
  std::uint8_t result = 0;
  for (int bit = 0; bit < 8; ++bit) {
    if (value & (1 << bit)) result = static_cast<std::uint8_t>(result | (0x80 >> bit));
  }
  return result;
}

std::string_view TrimBlanks(std::string_view line) {
  while (!line.empty() && (line.front() == ' ' || line.front() == '\t' || line.front() == '\r')) line.remove_prefix(1);
  while (!line.empty() && (line.back() == ' ' || line.back() == '\t' || line.back() == '\r')) line.remove_suffix(1);
  return line;
}

[[noreturn]] void BadPicture(std::string_view name, const std::string& what) {
  throw std::invalid_argument("picture " + std::string(name) + ": " + what);
}

}  // namespace

std::uint32_t SpriteByteAddress(const SpriteShape& shape, int row, int byte) {
  return kestrova::SpriteByteAddress(RenderShape(shape), row, byte);
}

Picture ParsePicture(std::string_view art, int width, int height, std::string_view name) {
  Picture picture{width, height, {}};
  picture.bytes.reserve(static_cast<std::size_t>(width * height));
  int rows = 0;
  while (!art.empty()) {
    const std::size_t end = art.find('\n');
    const std::string_view line = TrimBlanks(art.substr(0, end));
    art = end == std::string_view::npos ? std::string_view() : art.substr(end + 1);
    if (line.empty()) continue;
    if (line.size() != static_cast<std::size_t>(8 * width)) {
      BadPicture(name, "row " + std::to_string(rows) + " is " + std::to_string(line.size()) + " pixels wide, not " +
                           std::to_string(8 * width));
    }
    for (int byte = 0; byte < width; ++byte) {
      std::uint8_t value = 0;
      for (int bit = 0; bit < 8; ++bit) {
        const char pixel = line[static_cast<std::size_t>(8 * byte + bit)];
        if (pixel == '#') {
          value = static_cast<std::uint8_t>(value | (0x80 >> bit));
        } else if (pixel != '.') {
          BadPicture(name, std::string("unexpected character '") + pixel + "' in row " + std::to_string(rows));
        }
      }
      picture.bytes.push_back(value);
    }
    ++rows;
  }
  if (rows != height) BadPicture(name, std::to_string(rows) + " rows, not " + std::to_string(height));
  return picture;
}

Picture Mirrored(const Picture& picture) {
  Picture result = picture;
  for (int row = 0; row < picture.height; ++row) {
    for (int byte = 0; byte < picture.width; ++byte) {
      result.bytes[static_cast<std::size_t>(row * picture.width + byte)] =
          ReverseBits(picture.At(row, picture.width - 1 - byte));
    }
  }
  return result;
}

void EncodeSprite(DemoMemory& memory, const SpriteShape& shape, const Picture& picture, std::string_view name) {
  if (picture.width != shape.width || picture.height != shape.height) {
    BadPicture(name,
               "does not fit its sprite of " + std::to_string(shape.width) + " x " + std::to_string(shape.height));
  }
  for (int row = 0; row < shape.height; ++row) {
    const int rowFromTop = shape.height - 1 - row;
    for (int byte = 0; byte < shape.width; ++byte) {
      memory.Write(SpriteByteAddress(shape, row, byte), picture.At(rowFromTop, byte), name);
    }
  }
}

}  // namespace kestrova::demo
