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

  // Whether every output column is the mean of four source pixels, 4i..4i+3.
  bool FourWide() const { return fourWide_; }
  // A source row given by the sums of its four-pixel groups (FourWide only):
  // redBlue[i] holds the red sum in bits 16-31 and the blue sum in bits
  // 0-15, green[i] the green sum.
  void AddGroupSums(int sourceRow, const std::uint32_t* redBlue, const std::uint32_t* green);
  // Writes the result into `target` (resized to width x height); output rows
  // no source row reached are black.
  void Finish(TFastDIB& target);

 private:
  struct Span {
    int first = 0;
    int last = 0;  // one past the end
  };
  static std::vector<Span> Spans(int source, int count);
  // Whether an output row takes `sourceRow`; moves nextRow_ to the first one.
  bool TakesRow(int sourceRow);
  // Adds the row sums in rowRedBlue_ / rowGreen_ to the output rows that take `sourceRow`.
  void Accumulate(int sourceRow);
  // Adds the pending group sums to their output row.
  void FlushPending();

  int width_;
  int height_;
  std::vector<Span> columns_;
  std::vector<Span> rows_;
  std::vector<std::uint64_t> redBlue_;  // per output pixel: red sum << 32 | blue sum
  std::vector<std::uint64_t> green_;
  std::vector<std::uint32_t> rowsAdded_;  // per output row
  std::vector<std::uint64_t> rowRedBlue_;  // the row being added, per output column
  std::vector<std::uint64_t> rowGreen_;
  // Group sums of source rows that one output row alone takes, added up in
  // their 16-bit lanes (at most 64 rows of at most 4 * 255) before they go
  // into the wide sums.
  static constexpr int kMostPendingRows = 64;
  std::vector<std::uint32_t> pendingRedBlue_;
  std::vector<std::uint32_t> pendingGreen_;
  int pendingRow_ = 0;
  int pendingRows_ = 0;
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
// with memory bounded whatever the height. Leaves what RenderWholeLevel
// leaves, MapBitmap holding the last window; into a 64-pixel-wide overview
// the windows are scaled straight from the screen area, without converting
// each into MapBitmap first.
void DrawOverview(RenderTarget& target, int height, TFastDIB& overview);

// The same scaling applied to a whole picture.
void ScalePicture(const TFastDIB& picture, TFastDIB& overview);

// The whole level as one 256 x height picture, built the way the tall
// MapBitmap is: each window converted with base 191 + 192 * k. Refused with
// a message above kWholePictureMaxRows rows.
std::optional<std::string> RenderWholePicture(RenderTarget& target, int height, TFastDIB& picture);

}  // namespace kestrova
