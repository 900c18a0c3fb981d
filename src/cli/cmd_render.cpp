// kestrova render FILE [--level N] [--scroll S] [--land-space] [--scr OUT.scr]
// [--png OUT.png] [--grid OUT.bin] [--overview OUT.png] [--whole OUT.png]:
// the map of one level as the editor draws it.
#include <QBuffer>
#include <QByteArray>
#include <QImage>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "cli/batch_ui.h"
#include "cli/commands.h"
#include "cli/editor_session.h"
#include "editor/editor.h"
#include "level/level_table.h"
#include "qtio/qt_files.h"
#include "render/overview.h"

namespace kestrova::cli {

namespace {

constexpr const char* kUsage =
    "usage: kestrova render FILE [--level N] [--scroll S] [--land-space] [--scr OUT.scr] [--png OUT.png]\n"
    "                            [--grid OUT.bin] [--overview OUT.png] [--whole OUT.png]\n";

struct RenderOptions {
  std::string file;
  int level = 1;
  int scroll = 0;
  bool landSpace = false;
  std::string scr, png, grid, overview, whole;
};

std::optional<int> ParseCount(const std::string& text) {
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [last, error] = std::from_chars(text.data(), end, value);
  if (error != std::errc() || last != end || value < 0) return std::nullopt;
  return value;
}

std::optional<RenderOptions> ParseRenderOptions(const Arguments& arguments) {
  RenderOptions options;
  bool haveFile = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    const bool hasValue = i + 1 < arguments.size();
    std::string* path = argument == "--scr"        ? &options.scr
                        : argument == "--png"      ? &options.png
                        : argument == "--grid"     ? &options.grid
                        : argument == "--overview" ? &options.overview
                        : argument == "--whole"    ? &options.whole
                                                   : nullptr;
    if (path) {
      if (!hasValue) return std::nullopt;
      *path = arguments[++i];
    } else if (argument == "--level" || argument == "--scroll") {
      const std::optional<int> value = hasValue ? ParseCount(arguments[++i]) : std::nullopt;
      if (!value) return std::nullopt;
      (argument == "--level" ? options.level : options.scroll) = *value;
    } else if (argument == "--land-space") {
      options.landSpace = true;
    } else if (!TakeFileWord(argument, options.file, haveFile)) {
      return std::nullopt;
    }
  }
  if (!haveFile) return std::nullopt;
  return options;
}

void ScrollBy(Editor& editor, int offset) {
  editor.State().scrollOffset = offset;
  ViewState& view = editor.View();
  view.scrollPosition = std::clamp(view.scrollMaximum - offset, 0, std::max(view.scrollMaximum, 0));
  editor.Refresh();
}

std::vector<std::uint8_t> PngBytes(const TFastDIB& picture) {
  QImage image(picture.Width(), picture.Height(), QImage::Format_RGB32);
  for (int y = 0; y < picture.Height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    const Pixel* row = picture.RowTop(y);
    for (int x = 0; x < picture.Width(); ++x) line[x] = 0xFF000000u | row[x];
  }
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "PNG")) return {};
  return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

std::vector<std::uint8_t> GridBytes(const CellGrid& grid) {
  std::vector<std::uint8_t> bytes;
  bytes.reserve(3 * kDisplayFileSize * 4);
  for (const auto* entries : {&grid.tileId, &grid.ownerPos, &grid.landPos}) {
    for (const std::uint32_t value : *entries) {
      for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<std::uint8_t>(value >> shift));
    }
  }
  return bytes;
}

std::vector<std::uint8_t> ScreenBytesOf(const SnapshotImage& image) {
  std::vector<std::uint8_t> bytes(kScreenAreaSize);
  for (std::uint32_t i = 0; i < kScreenAreaSize; ++i) bytes[i] = image.Read(kScreenAreaStart + i);
  return bytes;
}

// The whole level at 256 x H, drawn on copies so the editor's view stays as it is.
std::optional<std::string> WholePicture(const Editor& editor, TFastDIB& picture) {
  SnapshotImage image = editor.Image();
  EditorState state = editor.State();
  CellGrid grid;
  TFastDIB map(kMapWidth, kWindowRows);
  RenderTarget target{image, state, grid, editor.Tables(), map};
  return RenderWholePicture(target, editor.View().scrollMaximum, picture);
}

bool WriteOutput(Files& files, const std::string& path, const std::vector<std::uint8_t>& bytes) {
  if (path.empty()) return true;
  if (bytes.empty()) {
    std::fprintf(stderr, "kestrova render: could not encode %s\n", path.c_str());
    return false;
  }
  if (const auto error = files.Write(path, bytes)) {
    std::fprintf(stderr, "kestrova render: could not write %s: %s\n", path.c_str(), error->message.c_str());
    return false;
  }
  return true;
}

}  // namespace

int RunRender(const Arguments& arguments) {
  const std::optional<RenderOptions> options = ParseRenderOptions(arguments);
  if (!options) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  BatchUi ui;
  ui.paths = {options->file};
  QtFiles files;
  Editor editor(ui, files);
  editor.LoadSnapshot();
  if (ui.Failed()) {
    ui.PrintMessages();
    return 1;
  }
  if (!editor.HasSnapshot()) {
    std::fprintf(stderr, "kestrova render: nothing was loaded from %s (a .sna or .szx file is needed)\n",
                 options->file.c_str());
    return 1;
  }

  const int count = LevelCount(editor.Levels());
  if (options->level < 1 || options->level > count) {
    std::fprintf(stderr, "kestrova render: there is no level %d; the snapshot has %d level%s\n", options->level, count,
                 count == 1 ? "" : "s");
    return 1;
  }
  editor.ChooseLevel(options->level - 1);
  if (options->landSpace) editor.SetShowLandSpace(true);
  if (options->scroll != 0) ScrollBy(editor, options->scroll);

  bool written = WriteOutput(files, options->scr, ScreenBytesOf(editor.Image()));
  written = WriteOutput(files, options->png, options->png.empty() ? std::vector<std::uint8_t>() : PngBytes(editor.MapView())) &&
            written;
  written = WriteOutput(files, options->grid, GridBytes(editor.Grid())) && written;
  written = WriteOutput(files, options->overview,
                        options->overview.empty() ? std::vector<std::uint8_t>() : PngBytes(editor.OverviewBitmap())) &&
            written;
  if (!options->whole.empty()) {
    TFastDIB picture;
    if (const auto refused = WholePicture(editor, picture)) {
      std::fprintf(stderr, "kestrova render: %s\n", refused->c_str());
      return 1;
    }
    if (!picture.HasRows()) {
      std::fprintf(stderr, "kestrova render: level %d has no land space, so its whole-level picture has no rows\n",
                   options->level);
      return 1;
    }
    written = WriteOutput(files, options->whole, PngBytes(picture)) && written;
  }
  return written ? 0 : 1;
}

}  // namespace kestrova::cli
