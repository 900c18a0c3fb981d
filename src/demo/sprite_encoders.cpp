#include "demo/sprite_encoders.h"

#include <array>
#include <stdexcept>
#include <string>

namespace kestrova::demo {

namespace {

// The serpentine layouts count bytes along the snake: even rows run left to
// right, odd rows right to left, and the address falls with every byte.
int SerpentineIndex(int width, int row, int byte) {
  return row * width + (row % 2 == 0 ? byte : width - 1 - byte);
}

// Truck: columns c .. c + 6 read P, P + 3, P + 2, P + 5, P + 4, P + 7, P + 6.
constexpr std::array<int, 7> kTruckByteOffsets = {0, 3, 2, 5, 4, 7, 6};
constexpr int kTruckRowStep = 8;
constexpr int kWallRowStep = 4;
constexpr int kStripRowStep = 2;
constexpr int kBridgeRowStep = 2;

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
  const auto p = static_cast<std::int64_t>(shape.start);
  std::int64_t address = p;
  switch (shape.layout) {
    case SpriteLayout::PairedSerpentine:
      address = p - 2 * SerpentineIndex(shape.width, row, byte);
      break;
    case SpriteLayout::PlainSerpentine:
      address = p - SerpentineIndex(shape.width, row, byte);
      break;
    case SpriteLayout::Linear:
      address = p - static_cast<std::int64_t>(shape.stride) * row + byte;
      break;
    case SpriteLayout::Strip:
      address = p - kStripRowStep * row;
      break;
    case SpriteLayout::Truck:
      address = p - kTruckRowStep * row + kTruckByteOffsets[static_cast<std::size_t>(byte)];
      break;
    case SpriteLayout::Wall:
      address = p - kWallRowStep * row + byte;
      break;
    case SpriteLayout::Bridge:
      // The right byte of each pair is at P, the left one at P - 1.
      address = p - kBridgeRowStep * row - (byte == 0 ? 1 : 0);
      break;
  }
  return static_cast<std::uint32_t>(address);
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
    BadPicture(name, "does not fit its sprite of " + std::to_string(shape.width) + " x " +
                         std::to_string(shape.height));
  }
  for (int row = 0; row < shape.height; ++row) {
    const int rowFromTop = shape.height - 1 - row;
    for (int byte = 0; byte < shape.width; ++byte) {
      memory.Write(SpriteByteAddress(shape, row, byte), picture.At(rowFromTop, byte), name);
    }
  }
}

}  // namespace kestrova::demo
