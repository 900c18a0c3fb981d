#include "surface/png_file.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <optional>

namespace kestrova {

namespace {

constexpr std::array<std::uint8_t, 8> kSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr std::uint8_t kBitDepth = 8;
constexpr std::uint8_t kColourTypeRgb = 2;
constexpr std::uint8_t kColourTypeIndexed = 3;
constexpr std::uint8_t kFilterNone = 0;
constexpr std::size_t kMostPaletteColours = 256;

using Bytes = std::vector<std::uint8_t>;

void PutU32(Bytes& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void PutChunk(Bytes& out, const char* type, std::span<const std::uint8_t> data) {
  PutU32(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t typeAt = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  PutU32(out, static_cast<std::uint32_t>(crc32(0, out.data() + typeAt, static_cast<uInt>(out.size() - typeAt))));
}

// The picture's colours in order of first appearance and each pixel's index
// among them; nothing when there are more than a palette holds.
struct Indexed {
  std::vector<Pixel> colours;
  Bytes indices;
};
std::optional<Indexed> IndexColours(std::span<const Pixel> pixels) {
  Indexed indexed;
  indexed.indices.reserve(pixels.size());
  Pixel last = 0;
  std::uint8_t lastIndex = 0;
  for (const Pixel pixel : pixels) {
    const Pixel colour = pixel & 0xFFFFFF;
    if (indexed.colours.empty() || colour != last) {
      const auto found = std::find(indexed.colours.begin(), indexed.colours.end(), colour);
      const auto index = static_cast<std::size_t>(found - indexed.colours.begin());
      if (index == indexed.colours.size()) {
        if (index == kMostPaletteColours) return std::nullopt;
        indexed.colours.push_back(colour);
      }
      last = colour;
      lastIndex = static_cast<std::uint8_t>(index);
    }
    indexed.indices.push_back(lastIndex);
  }
  return indexed;
}

// The rows as PNG's image data takes them, before compression: each row
// after its filter byte, `bytesPerPixel` bytes a pixel.
template <typename PutPixel>
Bytes Scanlines(int width, int height, std::size_t bytesPerPixel, PutPixel put) {
  const std::size_t stride = static_cast<std::size_t>(width) * bytesPerPixel + 1;
  Bytes raw(stride * static_cast<std::size_t>(height));
  for (std::size_t y = 0; y < static_cast<std::size_t>(height); ++y) {
    std::uint8_t* row = raw.data() + y * stride;
    row[0] = kFilterNone;
    for (std::size_t x = 0; x < static_cast<std::size_t>(width); ++x)
      put(y * static_cast<std::size_t>(width) + x, row + 1 + x * bytesPerPixel);
  }
  return raw;
}

Bytes Compressed(const Bytes& raw) {
  uLongf size = compressBound(static_cast<uLong>(raw.size()));
  Bytes packed(size);
  if (compress2(packed.data(), &size, raw.data(), static_cast<uLong>(raw.size()), Z_DEFAULT_COMPRESSION) != Z_OK)
    return {};
  packed.resize(size);
  return packed;
}

}  // namespace

std::vector<std::uint8_t> PngFile(int width, int height, std::span<const Pixel> pixels) {
  if (width <= 0 || height <= 0 || pixels.size() < static_cast<std::size_t>(width) * static_cast<std::size_t>(height))
    return {};
  pixels = pixels.first(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  const std::optional<Indexed> indexed = IndexColours(pixels);
  Bytes palette;
  Bytes raw;
  if (indexed) {
    for (const Pixel colour : indexed->colours) {
      palette.insert(palette.end(), {static_cast<std::uint8_t>(colour >> 16), static_cast<std::uint8_t>(colour >> 8),
                                     static_cast<std::uint8_t>(colour)});
    }
    raw = Scanlines(width, height, 1, [&](std::size_t at, std::uint8_t* out) { *out = indexed->indices[at]; });
  } else {
    raw = Scanlines(width, height, 3, [&](std::size_t at, std::uint8_t* out) {
      out[0] = static_cast<std::uint8_t>(pixels[at] >> 16);
      out[1] = static_cast<std::uint8_t>(pixels[at] >> 8);
      out[2] = static_cast<std::uint8_t>(pixels[at]);
    });
  }
  const Bytes packed = Compressed(raw);
  if (packed.empty()) return {};

  Bytes file(kSignature.begin(), kSignature.end());
  Bytes header;
  PutU32(header, static_cast<std::uint32_t>(width));
  PutU32(header, static_cast<std::uint32_t>(height));
  header.insert(header.end(), {kBitDepth, indexed ? kColourTypeIndexed : kColourTypeRgb, 0, 0, 0});
  PutChunk(file, "IHDR", header);
  if (indexed) PutChunk(file, "PLTE", palette);
  PutChunk(file, "IDAT", packed);
  PutChunk(file, "IEND", {});
  return file;
}

}  // namespace kestrova
