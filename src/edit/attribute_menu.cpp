#include "edit/attribute_menu.h"

#include <string>

#include "edit/attribute_command.h"

namespace kestrova {

namespace {

constexpr std::uint32_t kFirstPaperTile = 103;
constexpr std::uint32_t kLastPaperTile = 109;
constexpr std::uint32_t kTunnelBandTile = 116;

MenuItem ColourList(std::string_view caption, int firstTag, bool enabled, std::size_t checkedItem, bool bright) {
  MenuItem list;
  list.caption = std::string(caption);
  for (std::size_t i = 0; i < kColourNames.size(); ++i) {
    MenuItem item;
    item.caption = std::string(kColourNames[i]);
    item.tag = firstTag + static_cast<int>(i);
    item.enabled = enabled;
    item.command = MenuCommand::Attribute;
    item.checked = (i == 0 && bright) || i == checkedItem;
    list.children.push_back(item);
  }
  return list;
}

}  // namespace

bool PaperChangeable(std::uint32_t tile) {
  return (tile >= kFirstPaperTile && tile <= kLastPaperTile) || tile == kTunnelBandTile;
}

std::vector<MenuItem> BuildAttributeSubmenu(std::uint32_t tile, std::uint8_t colour) {
  const bool bright = (colour & kBrightBit) != 0;
  const std::size_t ink = static_cast<std::size_t>(colour & kInkBits) + 1;
  const std::size_t paper = static_cast<std::size_t>((colour & kPaperBits) >> 3) + 1;
  return {ColourList("Ink", 0, true, ink, bright),
          ColourList("Paper", kPaperTagOffset, PaperChangeable(tile), paper, bright)};
}

}  // namespace kestrova
