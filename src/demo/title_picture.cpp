#include "demo/title_picture.h"

#include <array>
#include <optional>
#include <string_view>

#include "demo/demo_game.h"
#include "demo/sprite_encoders.h"
#include "level/level_table.h"
#include "render/glyph_labels.h"
#include "render/overview.h"
#include "render/palette_colours.h"
#include "render/renderer.h"

namespace kestrova {

namespace {

// Every Spectrum pixel of the scene is a 2 x 2 block, as in the map view.
constexpr int kViewScale = 2;

// The scene: a window of the demo's Long March (level 5), the tunnel through
// the wall with a bunker on each side, cut out of the map view below the
// view's own title banner (its first 16 rows).
constexpr int kSceneLevel = 5;
constexpr int kSceneScroll = 1432;
constexpr int kSceneLeft = (kViewScale * kMapWidth - kTitlePictureWidth) / 2;
constexpr int kSceneTop = 72;

// The bands over the scene, in picture rows: the name on top, the first step
// at the bottom, each edged by a red rule towards the scene.
constexpr int kNameBandHeight = 90;
constexpr int kRuleHeight = 2;
constexpr int kStepBandTop = 270;
constexpr int kNameTop = 12;
constexpr int kEditorTop = 60;
constexpr int kStepTop = 278;

constexpr Pixel kBlack = kSpectrumPalette[0];
constexpr Pixel kBrightRed = kSpectrumPalette[10];
constexpr Pixel kBrightYellow = kSpectrumPalette[14];
constexpr Pixel kBrightWhite = kSpectrumPalette[15];

constexpr int kGlyphSize = 8;

// Marks the first-step line needs that the game's character set lacks,
// drawn in the same bold face.
struct ExtraGlyph {
  char character;
  std::string_view picture;
};
constexpr std::array<ExtraGlyph, 4> kExtraGlyphs = {{
    {'>', R"(
        .##.....
        ..##....
        ...##...
        ....##..
        ...##...
        ..##....
        .##.....
        ........
    )"},
    {'(', R"(
        ....##..
        ...##...
        ..##....
        ..##....
        ..##....
        ...##...
        ....##..
        ........
    )"},
    {')', R"(
        ..##....
        ...##...
        ....##..
        ....##..
        ....##..
        ...##...
        ..##....
        ........
    )"},
    {'+', R"(
        ........
        ...##...
        ...##...
        .######.
        ...##...
        ...##...
        ........
        ........
    )"},
}};

using GlyphRows = std::array<std::uint8_t, kGlyphSize>;

// The rows of `c`, top first: the demo game's own glyph, or one of the extra
// marks.
GlyphRows GlyphOf(const SnapshotImage& demo, char c) {
  GlyphRows rows{};
  for (const ExtraGlyph& extra : kExtraGlyphs) {
    if (extra.character != c) continue;
    const demo::Picture picture = demo::ParsePicture(extra.picture, 1, kGlyphSize, "title mark");
    for (int r = 0; r < kGlyphSize; ++r) rows[static_cast<std::size_t>(r)] = picture.At(r, 0);
    return rows;
  }
  const std::uint32_t glyph = GlyphAddress(c);
  for (int r = 0; r < kGlyphSize; ++r)
    rows[static_cast<std::size_t>(r)] = demo.Read(glyph + static_cast<std::uint32_t>(r));
  return rows;
}

void FillRect(TFastDIB& picture, const Rect& rect, Pixel colour) {
  for (int y = rect.y; y < rect.y + rect.height; ++y) {
    for (int x = rect.x; x < rect.x + rect.width; ++x) picture.SetPixelTop(x, y, colour);
  }
}

struct TextStyle {
  int scale;  // picture pixels per glyph pixel
  Pixel colour;
  std::optional<Pixel> shadow = std::nullopt;  // drawn one glyph pixel down and right
};

int TextWidth(std::string_view text, int scale) { return static_cast<int>(text.size()) * kGlyphSize * scale; }

void DrawTextLayer(TFastDIB& picture, const SnapshotImage& demo, std::string_view text, int left, int top, int scale,
                   Pixel colour) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const GlyphRows rows = GlyphOf(demo, text[i]);
    const int glyphLeft = left + static_cast<int>(i) * kGlyphSize * scale;
    for (int r = 0; r < kGlyphSize; ++r) {
      for (int bit = 0; bit < kGlyphSize; ++bit) {
        if ((rows[static_cast<std::size_t>(r)] & (0x80 >> bit)) == 0) continue;
        FillRect(picture, {glyphLeft + bit * scale, top + r * scale, scale, scale}, colour);
      }
    }
  }
}

// `text` centred across the picture (on an even column, as the scene's
// pixels are) with its top on `top`.
void DrawCentredText(TFastDIB& picture, const SnapshotImage& demo, std::string_view text, int top,
                     const TextStyle& style) {
  const int left = (picture.Width() - TextWidth(text, style.scale)) / 2 / kViewScale * kViewScale;
  if (style.shadow)
    DrawTextLayer(picture, demo, text, left + style.scale, top + style.scale, style.scale, *style.shadow);
  DrawTextLayer(picture, demo, text, left, top, style.scale, style.colour);
}

// The demo level's window at the scene's scroll offset, as the map view shows it.
TFastDIB SceneView(SnapshotImage& demo) {
  const LevelTable table = ScanLevelTable(demo);
  LevelPlace place;
  place.levelStart = table[kSceneLevel - 1];
  place.levelEnd = LevelEndByBoundsRule(demo, table, kSceneLevel - 1).value_or(place.levelStart);
  place.scrollOffset = kSceneScroll;
  WalkMemory walk;
  CellGrid grid;
  const ScreenTables tables = BuildScreenTables();
  TFastDIB map(kMapWidth, kWindowRows);
  TFastDIB view(kViewScale * kMapWidth, kViewScale * kWindowRows);
  RenderTarget target{demo, place, walk, grid, tables, map};
  RenderMapView(target, view, false);
  return view;
}

}  // namespace

TFastDIB MakeTitlePicture() {
  SnapshotImage demo = MakeDemoSnapshot(DemoMachine::Spectrum48K);
  TFastDIB picture(kTitlePictureWidth, kTitlePictureHeight);
  const TFastDIB view = SceneView(demo);
  view.StretchRectTo({kSceneLeft, kSceneTop, kTitlePictureWidth, kTitlePictureHeight}, picture,
                     {0, 0, kTitlePictureWidth, kTitlePictureHeight});

  // The name on a black band at the top, the first step on one at the bottom.
  FillRect(picture, {0, 0, kTitlePictureWidth, kNameBandHeight}, kBlack);
  FillRect(picture, {0, kNameBandHeight, kTitlePictureWidth, kRuleHeight}, kBrightRed);
  DrawCentredText(picture, demo, "KESTROVA", kNameTop, {5, kBrightYellow, kBrightRed});
  DrawCentredText(picture, demo, "EDITOR", kEditorTop, {3, kBrightWhite});

  FillRect(picture, {0, kStepBandTop, kTitlePictureWidth, kRuleHeight}, kBrightRed);
  FillRect(picture,
           {0, kStepBandTop + kRuleHeight, kTitlePictureWidth, kTitlePictureHeight - kStepBandTop - kRuleHeight},
           kBlack);
  DrawCentredText(picture, demo, "FILE > LOAD SNAPSHOT (CTRL+J)", kStepTop, {2, kBrightWhite});
  return picture;
}

}  // namespace kestrova
