#include "edit/attribute_command.h"

#include <algorithm>
#include <string>

#include "edit/context_menu.h"
#include "edit/edit_addresses.h"

namespace kestrova {

namespace {

constexpr int kBrightInkTag = 0;
constexpr int kBrightPaperTag = 9;
constexpr int kFirstInkTag = 1;
constexpr int kLastInkTag = 8;
constexpr int kFirstPaperTag = 10;
constexpr int kLastPaperTag = 17;

std::uint8_t WithInk(std::uint8_t b, int ink) { return static_cast<std::uint8_t>((b & 0xF8) | ink); }

// The byte's paper takes the ink colour; bright and flash are cleared.
void SetPaperFromInk(SnapshotImage& image, std::uint32_t address, int ink) {
  image.Write(address, static_cast<std::uint8_t>((image.Read(address) & kInkBits) | (ink << 3)));
}

void MatchInkColours(SnapshotImage& image, std::uint32_t tile, int ink) {
  switch (tile) {
    case 5:
      SetPaperFromInk(image, kRoadTopEdgingColour, ink);
      SetPaperFromInk(image, kRoadEdgingInnerColour, ink);
      break;
    case 16:
      image.Write(kTripleGrenadeSecondColour, WithInk(image.Read(kTripleGrenadeSecondColour), ink));
      break;
    case 17:
      image.Write(kQuintupleGrenadeSecondColour, WithInk(image.Read(kQuintupleGrenadeSecondColour), ink));
      break;
    case 13:
      image.Write(kWaterEdgeColour, static_cast<std::uint8_t>(((image.Read(kWaterColour) & kInkBits) << 3) +
                                                              ((image.Read(kWaterStrip1Colour) & 0xF8) >> 3)));
      break;
    case 14:
    case 25:
      image.Write(kWaterStrip1Colour,
                  static_cast<std::uint8_t>(((image.Read(kWaterStrip2Colour) & kInkBits) << 3) + ink));
      break;
    default:
      break;
  }
}

}  // namespace

Outcome ApplyAttribute(SnapshotImage& image, std::uint32_t address, std::uint32_t tile, int tag) {
  const std::uint8_t b = image.Read(address);
  if (tag == kBrightInkTag || tag == kBrightPaperTag) {
    image.Write(address, static_cast<std::uint8_t>(b ^ kBrightBit));
  } else if (tag >= kFirstInkTag && tag <= kLastInkTag) {
    const int ink = tag - kFirstInkTag;
    image.Write(address, WithInk(b, ink));
    MatchInkColours(image, tile, ink);
  } else if (tag >= kFirstPaperTag && tag <= kLastPaperTag) {
    image.Write(address, static_cast<std::uint8_t>((b & 0xC7) | ((tag - kFirstPaperTag) << 3)));
  } else {
    return Error{"no colour has the number " + std::to_string(tag)};
  }
  return Outcome::Done();
}

std::vector<std::uint32_t> ColourByteAddresses() {
  std::vector<std::uint32_t> addresses = {kRoadTopEdgingColour,       kRoadEdgingInnerColour,
                                          kTripleGrenadeSecondColour, kQuintupleGrenadeSecondColour,
                                          kWaterEdgeColour,           kWaterStrip1Colour};
  for (const PopupRow& row : kPopupRows) {
    if (!row.attribute) continue;
    for (std::uint32_t tile = row.firstTile; tile <= row.lastTile; ++tile)
      addresses.push_back(AttributeAddressOf(row, tile));
  }
  std::sort(addresses.begin(), addresses.end());
  addresses.erase(std::unique(addresses.begin(), addresses.end()), addresses.end());
  return addresses;
}

}  // namespace kestrova
