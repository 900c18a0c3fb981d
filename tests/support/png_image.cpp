#include "support/png_image.h"

#include "surface/png_file.h"

#include <array>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

#include <zlib.h>

namespace kestrova::testing {

namespace {

constexpr std::array<std::uint8_t, 8> kSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr std::uint8_t kBitDepth = 8;
constexpr std::uint8_t kColourTypeRgb = 2;
constexpr std::uint8_t kColourTypeIndexed = 3;

std::uint32_t GetU32(const std::vector<std::uint8_t>& in, std::size_t at) {
  return (std::uint32_t{in[at]} << 24) | (std::uint32_t{in[at + 1]} << 16) | (std::uint32_t{in[at + 2]} << 8) |
         std::uint32_t{in[at + 3]};
}

int Paeth(int a, int b, int c) {
  const int p = a + b - c;
  const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
  if (pa <= pb && pa <= pc) return a;
  return pb <= pc ? b : c;
}

bool Unfilter(std::vector<std::uint8_t>& raw, int width, int height, std::size_t bytesPerPixel) {
  const std::size_t stride = static_cast<std::size_t>(width) * bytesPerPixel;
  if (raw.size() != (stride + 1) * static_cast<std::size_t>(height)) return false;
  std::vector<std::uint8_t> previous(stride, 0);
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = raw.data() + static_cast<std::size_t>(y) * (stride + 1);
    const std::uint8_t filter = row[0];
    std::uint8_t* line = row + 1;
    for (std::size_t i = 0; i < stride; ++i) {
      const int a = i >= bytesPerPixel ? line[i - bytesPerPixel] : 0;
      const int b = previous[i];
      const int c = i >= bytesPerPixel ? previous[i - bytesPerPixel] : 0;
      int add = 0;
      switch (filter) {
        case 0:
          add = 0;
          break;
        case 1:
          add = a;
          break;
        case 2:
          add = b;
          break;
        case 3:
          add = (a + b) / 2;
          break;
        case 4:
          add = Paeth(a, b, c);
          break;
        default:
          return false;
      }
      line[i] = static_cast<std::uint8_t>(line[i] + add);
    }
    previous.assign(line, line + stride);
  }
  return true;
}

}  // namespace

TopDownPicture PictureOf(const TFastDIB& surface) {
  TopDownPicture picture{surface.Width(), surface.Height(), {}};
  for (int y = 0; y < surface.Height(); ++y) {
    for (int x = 0; x < surface.Width(); ++x) picture.pixels.push_back(surface.PixelAtTop(x, y) & 0xFFFFFF);
  }
  return picture;
}

std::vector<std::uint8_t> EncodePng(const TopDownPicture& picture) {
  return PngFile(picture.width, picture.height, picture.pixels);
}

std::optional<TopDownPicture> DecodePng(const std::vector<std::uint8_t>& bytes) {
  if (bytes.size() < kSignature.size() || !std::equal(kSignature.begin(), kSignature.end(), bytes.begin()))
    return std::nullopt;
  int width = 0, height = 0;
  std::uint8_t colourType = 0;
  std::vector<Pixel> palette;
  std::vector<std::uint8_t> packed;
  std::size_t at = kSignature.size();
  bool ended = false;
  while (!ended && at + 12 <= bytes.size()) {
    const std::uint32_t length = GetU32(bytes, at);
    if (length > bytes.size() - at - 12) return std::nullopt;
    const std::string type(bytes.begin() + static_cast<long>(at + 4), bytes.begin() + static_cast<long>(at + 8));
    const std::size_t data = at + 8;
    const uLong crc = crc32(0, bytes.data() + at + 4, static_cast<uInt>(length + 4));
    if (GetU32(bytes, data + length) != static_cast<std::uint32_t>(crc)) return std::nullopt;
    if (type == "IHDR") {
      colourType = bytes[data + 9];
      if (length != 13 || bytes[data + 8] != kBitDepth ||
          (colourType != kColourTypeRgb && colourType != kColourTypeIndexed) || bytes[data + 12] != 0)
        return std::nullopt;
      width = static_cast<int>(GetU32(bytes, data));
      height = static_cast<int>(GetU32(bytes, data + 4));
      if (width <= 0 || height <= 0 || width > 1 << 14 || height > 1 << 14) return std::nullopt;
    } else if (type == "PLTE") {
      if (length % 3 != 0 || length > 3 * 256) return std::nullopt;
      for (std::size_t i = data; i < data + length; i += 3)
        palette.push_back((Pixel{bytes[i]} << 16) | (Pixel{bytes[i + 1]} << 8) | Pixel{bytes[i + 2]});
    } else if (type == "IDAT") {
      packed.insert(packed.end(), bytes.begin() + static_cast<long>(data),
                    bytes.begin() + static_cast<long>(data + length));
    } else if (type == "IEND") {
      ended = true;
    }
    at = data + length + 4;
  }
  const bool indexed = colourType == kColourTypeIndexed;
  if (!ended || width == 0 || (indexed && palette.empty())) return std::nullopt;
  const std::size_t bytesPerPixel = indexed ? 1 : 3;
  uLongf rawSize =
      static_cast<uLongf>((static_cast<std::size_t>(width) * bytesPerPixel + 1) * static_cast<std::size_t>(height));
  std::vector<std::uint8_t> raw(rawSize);
  if (uncompress(raw.data(), &rawSize, packed.data(), static_cast<uLong>(packed.size())) != Z_OK) return std::nullopt;
  raw.resize(rawSize);
  if (!Unfilter(raw, width, height, bytesPerPixel)) return std::nullopt;
  TopDownPicture picture{width, height, {}};
  const std::size_t stride = static_cast<std::size_t>(width) * bytesPerPixel;
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* line = raw.data() + static_cast<std::size_t>(y) * (stride + 1) + 1;
    for (int x = 0; x < width; ++x) {
      const std::uint8_t* p = line + static_cast<std::size_t>(x) * bytesPerPixel;
      if (indexed && p[0] >= palette.size()) return std::nullopt;
      picture.pixels.push_back(indexed ? palette[p[0]] : (Pixel{p[0]} << 16) | (Pixel{p[1]} << 8) | Pixel{p[2]});
    }
  }
  return picture;
}

std::optional<std::vector<std::uint8_t>> ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool WriteFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

std::vector<std::string> GoldenPictureMismatches(const TopDownPicture& picture, const std::string& path) {
  if (std::getenv("KESTROVA_UPDATE_GOLDEN")) {
    if (!WriteFileBytes(path, EncodePng(picture))) return {"could not write the golden " + path};
    return {"golden written to " + path};
  }
  const auto file = ReadFileBytes(path);
  if (!file) return {"no golden at " + path};
  const auto golden = DecodePng(*file);
  if (!golden) return {"the golden " + path + " is not a PNG this reader takes"};
  if (golden->width != picture.width || golden->height != picture.height) {
    return {"the golden " + path + " is " + std::to_string(golden->width) + " x " + std::to_string(golden->height)};
  }
  constexpr int kReported = 5;
  std::vector<std::string> mismatches;
  int differing = 0;
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      if (picture.At(x, y) == golden->At(x, y) || ++differing > kReported) continue;
      std::ostringstream text;
      text << "pixel (" << x << ", " << y << "): " << std::hex << picture.At(x, y) << " not " << golden->At(x, y);
      mismatches.push_back(text.str());
    }
  }
  if (differing > 0) mismatches.push_back(std::to_string(differing) + " pixels differ from " + path);
  return mismatches;
}

}  // namespace kestrova::testing
