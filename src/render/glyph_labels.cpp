#include "render/glyph_labels.h"

namespace kestrova {

namespace {
constexpr int kGlyphRows = 8;
}

void DrawLabel(ScreenCanvas& canvas, std::string_view text, int bottomRow, std::uint8_t attribute,
               std::optional<LabelTile> tile, int minRow) {
  const SnapshotImage& image = canvas.Image();
  for (int column = 0; column < static_cast<int>(text.size()); ++column) {
    const std::uint32_t glyph = GlyphAddress(text[static_cast<std::size_t>(column)]);
    for (int r = 0; r < kGlyphRows; ++r) {
      const auto d = canvas.Offset(bottomRow - r, column, minRow);
      if (!d) continue;
      canvas.OrDisplayByte(*d, image.Read(glyph + static_cast<std::uint32_t>(kGlyphRows - 1 - r)));
      if (tile) canvas.SetTile(*d, tile->tile, tile->owner);
      canvas.SetColour(*d, attribute);
    }
  }
}

void DrawTitleBanner(ScreenCanvas& canvas) {
  const SnapshotImage& image = canvas.Image();
  for (int column = 0; column < kScreenColumns; ++column) {
    const std::uint32_t glyph = GlyphAddress(kBannerText[static_cast<std::size_t>(column)]);
    for (int row = 0; row < kGlyphRows; ++row) {
      if (const auto d = canvas.Offset(row, column)) {
        canvas.SetDisplayByte(*d, image.Read(glyph + static_cast<std::uint32_t>(row)));
      }
    }
    canvas.SetCellColour(0, column, kBannerAttribute);
  }
}

}  // namespace kestrova
