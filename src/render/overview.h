#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "render/renderer.h"
#include "surface/fast_dib.h"

namespace kestrova {

constexpr int kOverviewWidth = 64;
constexpr int kOverviewHeight = 384;
constexpr int kWindowRows = 192;
constexpr int kMapWidth = 256;
// The tallest whole-level picture handed out (64 MiB of pixels).
constexpr int kWholePictureMaxRows = 65536;

// Scales a picture into a smaller (or larger) surface by averaging: output
// pixel (i, j) is the rounded mean of the source pixels in its span of
// columns and rows, spans taken with 16.16 steps (at least one source pixel
// each). Rows are handed in one at a time, bottom-up index ascending, so the
// picture itself never has to exist.
class OverviewScaler {
 public:
  OverviewScaler(int sourceWidth, int sourceHeight, int width, int height);

  // Source row `sourceRow` (bottom-up index) of sourceWidth pixels.
  void AddRow(int sourceRow, const Pixel* pixels);
  // Writes the result into `target` (resized to width x height); output rows
  // no source row reached are black.
  void Finish(TFastDIB& target) const;

 private:
  struct Span {
    int first = 0;
    int last = 0;  // one past the end
  };
  static std::vector<Span> Spans(int source, int count);

  int width_;
  int height_;
  std::vector<Span> columns_;
  std::vector<Span> rows_;
  std::vector<std::uint64_t> redBlue_;  // per output pixel: red sum << 32 | blue sum
  std::vector<std::uint64_t> green_;
  std::vector<std::uint32_t> rowsAdded_;  // per output row
  std::vector<std::uint64_t> rowRedBlue_;  // the row being added, per output column
  std::vector<std::uint64_t> rowGreen_;
  int nextRow_ = 0;                       // first output row that may still take rows
  bool fourWide_ = false;                 // every column span is 4i..4i+3
};

// Renders a level of `height` rows window by window in WholeLevelMode (at
// least one window, then while 192 * k < height): scroll offset 192 * k,
// clear, DrawLevel, ConvertScreen into target.mapBitmap (256 x 192, base
// 191); each converted window goes to `sink` with the bottom-up row of the
// whole picture its bitmap row 0 stands for (192 * k). The scroll offset,
// conversion parameters and mode flag are restored afterwards; the screen
// area and the CellGrid hold the last window. The windows are drawn as one
// walk: each picks up where the records below it end, so a tall level costs
// its height, not its height squared.
using WindowSink = std::function<void(int firstRow, const TFastDIB& window)>;
void RenderWholeLevel(RenderTarget& target, int height, const WindowSink& sink);

// The level overview: the whole level scaled into `overview` (its own size),
// with memory bounded whatever the height.
void DrawOverview(RenderTarget& target, int height, TFastDIB& overview);

// The same scaling applied to a whole picture.
void ScalePicture(const TFastDIB& picture, TFastDIB& overview);

// The whole level as one 256 x height picture, built the way the tall
// MapBitmap is: each window converted with base 191 + 192 * k. Refused with
// a message above kWholePictureMaxRows rows.
std::optional<std::string> RenderWholePicture(RenderTarget& target, int height, TFastDIB& picture);

}  // namespace kestrova
