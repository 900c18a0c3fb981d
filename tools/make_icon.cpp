// Writes the program's icon at the sizes named, as
// FOLDER/NxN/apps/kestrova-editor.png, drawn from the demo game by the
// editor's own code: the letter K of the demo's character set, in the title
// picture's colours, over a strip of one of its levels as the map view
// shows it. Every pixel of the drawing is a whole square block of the icon.
//   kestrova_make_icon DEMO.sna FOLDER SIZE...
#include <QDir>
#include <QImage>
#include <QString>

#include <cstdio>
#include <optional>
#include <string>
#include <utility>

#include "cli/command_line.h"
#include "cli/session.h"
#include "render/glyph_labels.h"
#include "render/palette_colours.h"

namespace {

using kestrova::Pixel;
using kestrova::TFastDIB;

constexpr Pixel kBlack = kestrova::kSpectrumPalette[0];
constexpr Pixel kBrightRed = kestrova::kSpectrumPalette[10];
constexpr Pixel kBrightYellow = kestrova::kSpectrumPalette[14];

constexpr int kGlyphSize = 8;

// The strip of the demo's level 2 under the letter: the river, a post of
// the bridge and the bank beyond, in Spectrum pixels of the map view at
// that scroll offset.
constexpr int kSceneLevel = 2;
constexpr int kSceneScroll = 200;
constexpr int kSceneLeft = 110;
constexpr int kSceneTop = 62;
constexpr int kMapViewScale = 2;

// Two drawings: the letter on a black band above a red rule and the level
// strip where the icon is a whole multiple of its size, the letter alone
// for the other sizes.
constexpr int kSceneDrawingSize = 32;
constexpr int kBandHeight = 19;  // the letter at twice its size, with its shadow
constexpr int kLetterScale = 2;
constexpr int kLetterLeft = 8;
constexpr int kLetterTop = 1;

void FillRect(TFastDIB& picture, int left, int top, int width, int height, Pixel colour) {
  for (int y = top; y < top + height; ++y) {
    for (int x = left; x < left + width; ++x) picture.SetPixelTop(x, y, colour);
  }
}

// The demo's K, each glyph pixel `scale` pixels wide, with the title's
// shadow one glyph pixel down and to the right.
void DrawLetter(TFastDIB& picture, const kestrova::SnapshotImage& demo, int left, int top, int scale) {
  const std::uint32_t glyph = kestrova::GlyphAddress('K');
  for (const auto& [offset, colour] : {std::pair{scale, kBrightRed}, std::pair{0, kBrightYellow}}) {
    for (int r = 0; r < kGlyphSize; ++r) {
      const std::uint8_t bits = demo.Read(glyph + static_cast<std::uint32_t>(r));
      for (int bit = 0; bit < kGlyphSize; ++bit) {
        if ((bits & (0x80 >> bit)) != 0)
          FillRect(picture, left + offset + bit * scale, top + offset + r * scale, scale, scale, colour);
      }
    }
  }
}

TFastDIB LetterDrawing(const kestrova::SnapshotImage& demo) {
  TFastDIB drawing(kGlyphSize, kGlyphSize);
  drawing.Fill(kBlack);
  DrawLetter(drawing, demo, 0, 0, 1);
  return drawing;
}

TFastDIB LetterAndSceneDrawing(const kestrova::Editor& editor) {
  TFastDIB drawing(kSceneDrawingSize, kSceneDrawingSize);
  const int sceneTop = kBandHeight + 1;
  editor.MapView().StretchRectTo({kSceneLeft * kMapViewScale, kSceneTop * kMapViewScale,
                                  kSceneDrawingSize * kMapViewScale, (kSceneDrawingSize - sceneTop) * kMapViewScale},
                                 drawing, {0, sceneTop, kSceneDrawingSize, kSceneDrawingSize - sceneTop});
  FillRect(drawing, 0, 0, kSceneDrawingSize, kBandHeight, kBlack);
  FillRect(drawing, 0, kBandHeight, kSceneDrawingSize, 1, kBrightRed);
  DrawLetter(drawing, editor.Image(), kLetterLeft, kLetterTop, kLetterScale);
  return drawing;
}

bool WriteIcon(const TFastDIB& drawing, int size, const QString& folder) {
  TFastDIB icon(size, size);
  drawing.CopyNearestTo(icon);
  QImage image(size, size, QImage::Format_RGB32);
  for (int y = 0; y < size; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < size; ++x) line[x] = 0xFF000000u | icon.PixelAtTop(x, y);
  }
  const QString apps = QString("%1/%2x%2/apps").arg(folder).arg(size);
  return QDir().mkpath(apps) && image.save(apps + "/kestrova-editor.png", "PNG");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: kestrova_make_icon DEMO.sna FOLDER SIZE...\n");
    return 2;
  }
  kestrova::cli::Session session("make_icon", false);
  kestrova::Editor& editor = session.GetEditor();
  editor.SetDrawing(true);  // the icon shows the map view
  if (!session.Load(argv[1])) return 1;
  editor.ChooseLevel(kSceneLevel - 1);
  editor.ScrollTo(editor.View().scrollMaximum - kSceneScroll);

  const TFastDIB letter = LetterDrawing(editor.Image());
  const TFastDIB letterAndScene = LetterAndSceneDrawing(editor);
  for (int i = 3; i < argc; ++i) {
    const std::optional<int> size = kestrova::cli::WholeNumber(argv[i]);
    if (!size || *size <= 0 || *size % kGlyphSize != 0) {
      std::fprintf(stderr, "kestrova_make_icon: %s: not a size the icon is drawn at (a multiple of %d)\n", argv[i],
                   kGlyphSize);
      return 2;
    }
    const TFastDIB& drawing = *size % kSceneDrawingSize == 0 ? letterAndScene : letter;
    if (!WriteIcon(drawing, *size, QString::fromLocal8Bit(argv[2]))) {
      std::fprintf(stderr, "kestrova_make_icon: could not write the %dx%d icon into %s\n", *size, *size, argv[2]);
      return 1;
    }
  }
  return 0;
}
