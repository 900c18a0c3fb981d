// kestrova render FILE [--level N] [--scroll S] [--land-space] [--scale K]
// [--no-banner] [-o OUT] [--scr OUT] [--png OUT] [--grid OUT] [--overview OUT]
// [--whole OUT] [--force]: the level as the editor draws it.
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/session.h"
#include "level/level_table.h"
#include "render/map_geometry.h"
#include "render/overview.h"
#include "surface/png_file.h"

namespace kestrova::cli {

namespace {

using Bytes = std::vector<std::uint8_t>;

// The pictures are the Spectrum's pixels scaled by a whole number: the map
// view holds them doubled already.
constexpr int kMapDefaultScale = 2;
constexpr int kPictureDefaultScale = 1;

Bytes PngBytes(const TFastDIB& picture, int step, int scale) {
  const int width = picture.Width() / step * scale;
  const int height = picture.Height() / step * scale;
  std::vector<Pixel> pixels;
  pixels.reserve(static_cast<std::size_t>(std::max(width, 0)) * static_cast<std::size_t>(std::max(height, 0)));
  for (int y = 0; y < height; ++y) {
    const Pixel* row = picture.RowTop(y / scale * step);
    for (int x = 0; x < width; ++x) pixels.push_back(row[x / scale * step]);
  }
  return PngFile(width, height, pixels);
}

Bytes GridBytes(const CellGrid& grid) {
  Bytes bytes;
  bytes.reserve(3 * kDisplayFileSize * 4);
  for (const auto* entries : {&grid.tileId, &grid.ownerPos, &grid.landPos}) {
    for (const std::uint32_t value : *entries) {
      for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<std::uint8_t>(value >> shift));
    }
  }
  return bytes;
}

Bytes ScreenBytesOf(const SnapshotImage& image) {
  Bytes bytes(kScreenAreaSize);
  for (std::uint32_t i = 0; i < kScreenAreaSize; ++i) bytes[i] = image.Read(kScreenAreaStart + i);
  return bytes;
}

// The map view drawn again on copies in the whole-level drawing mode, which
// leaves the title banner out. That mode keeps no land-space lines: they are
// taken from a walk in the view's own mode.
TFastDIB MapViewWithoutBanner(const Editor& editor) {
  const auto draw = [&](bool whole, std::vector<int>* lines, TFastDIB& map) {
    SnapshotImage image = editor.Image();
    WalkMemory walk = editor.Walk();
    walk.wholeLevelMode = whole;
    walk.conversion = ConversionParameters{};
    walk.RewindToWalkStart();
    CellGrid grid;
    RenderTarget target{image, editor.Place(), walk, grid, editor.Tables(), map};
    ClearCellGrid(grid);
    ClearMapScreen(image);
    DrawLevel(target, lines);
    ConvertScreen(target);
  };
  std::vector<int> lines;
  TFastDIB map(kMapWidth, kWindowRows);
  if (editor.View().showLandSpace) draw(false, &lines, map);
  draw(true, nullptr, map);
  TFastDIB view(kMapViewWidth, kMapViewHeight);  // the editor draws no map view of its own here
  if (editor.View().showLandSpace) {
    ShowLandSpace(map, view, lines);
  } else {
    ShowMap(map, view);
  }
  return view;
}

// The whole level at 256 x H, drawn on copies so the editor's view stays as it is.
Outcome WholePicture(const Editor& editor, TFastDIB& picture) {
  SnapshotImage image = editor.Image();
  WalkMemory walk = editor.Walk();
  CellGrid grid;
  TFastDIB map(kMapWidth, kWindowRows);
  RenderTarget target{image, editor.Place(), walk, grid, editor.Tables(), map};
  return RenderWholePicture(target, editor.View().scrollMaximum, picture);
}

// One output: the path it goes to and how its bytes are made (or why they
// cannot be).
struct Output {
  std::string path;
  std::function<Result<Bytes>()> make;
};

}  // namespace

int RunRender(const ParsedCommand& line) {
  std::string mapPicture = line.Value("png");
  std::string screen = line.Value("scr");
  if (line.Has("output")) {
    const std::string output = line.Value("output");
    const ExtensionCheck check = CheckExtension(output, {".png", ".PNG", ".scr", ".SCR"});
    if (output == kStandardStream || !check.refusal.empty())
      return UsageFailure(line.command, output + ": " + CheckExtension("", {".png", ".scr"}).refusal +
                                            " (--png - or --scr - write to standard output)");
    (check.extension == ".png" || check.extension == ".PNG" ? mapPicture : screen) = output;
  }
  const std::vector<std::string> named = {mapPicture, screen, line.Value("grid"), line.Value("overview"),
                                          line.Value("whole")};
  if (std::all_of(named.begin(), named.end(), [](const std::string& path) { return path.empty(); }))
    return UsageFailure(line.command, "nothing to write: give -o OUT.png, --scr, --grid, --overview or --whole");
  if (std::count(named.begin(), named.end(), std::string(kStandardStream)) > 1)
    return UsageFailure(line.command, "only one output can go to standard output");

  Session session(line.command, line.Has("force"));
  Editor& editor = session.GetEditor();
  if (!session.Load(line.words[0])) return kFailed;
  // The map view and the overview are the editor's own pictures: drawn when
  // written, by the level's choice below and what follows it (so not by the
  // load, whose pictures that choice draws again). The rest come from the
  // state, the grid and the screen area, or are drawn on copies.
  editor.SetDrawing((!mapPicture.empty() && !line.Has("no-banner")) || line.Has("overview"));
  const int count = LevelCount(editor.Levels());
  const int level = line.Number("level", 1);
  if (level > count)
    return UsageFailure(line.command, "--level " + std::to_string(level) + ": " + line.words[0] + " has " +
                                          std::to_string(count) + " level" + (count == 1 ? "" : "s"));
  editor.ChooseLevel(level - 1);
  if (line.Has("land-space")) editor.SetShowLandSpace(true);
  const int scroll = line.Number("scroll", 0);
  const int height = editor.View().scrollMaximum;
  if (scroll > height)
    return UsageFailure(line.command, "--scroll " + std::to_string(scroll) + ": level " + std::to_string(level) +
                                          " is " + std::to_string(height) + " rows high; the scroll goes from 0 to " +
                                          std::to_string(height));
  if (scroll != 0) editor.ScrollTo(height - scroll);

  const bool scaled = line.Has("scale");
  const int mapScale = scaled ? line.Number("scale", kMapDefaultScale) : kMapDefaultScale;
  const int pictureScale = scaled ? line.Number("scale", kPictureDefaultScale) : kPictureDefaultScale;
  const std::vector<Output> outputs = {
      {screen, [&]() -> Result<Bytes> { return ScreenBytesOf(editor.Image()); }},
      {mapPicture,
       [&]() -> Result<Bytes> {
         const TFastDIB view = line.Has("no-banner") ? MapViewWithoutBanner(editor) : editor.MapView();
         return PngBytes(view, kMapScale, mapScale);
       }},
      {line.Value("grid"), [&]() -> Result<Bytes> { return GridBytes(editor.Grid()); }},
      {line.Value("overview"), [&]() -> Result<Bytes> { return PngBytes(editor.OverviewBitmap(), 1, pictureScale); }},
      {line.Value("whole"),
       [&]() -> Result<Bytes> {
         TFastDIB picture;
         if (const Outcome drawn = WholePicture(editor, picture); !drawn) return Error{drawn.ErrorMessage()};
         if (!picture.HasRows())
           return Error{"level " + std::to_string(level) +
                        " has no land space, so its whole-level picture has no rows"};
         return PngBytes(picture, 1, pictureScale);
       }},
  };
  bool written = true;
  for (const Output& output : outputs) {
    if (output.path.empty()) continue;
    const Result<Bytes> bytes = output.make();
    if (!bytes || bytes->empty()) {
      PrintError(line.command, output.path, bytes ? "could not encode the picture" : bytes.ErrorMessage());
      written = false;
      continue;
    }
    written = WriteOutput(line.command, output.path, *bytes, line.Has("force")) && written;
  }
  return written ? kDone : kFailed;
}

}  // namespace kestrova::cli
