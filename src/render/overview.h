#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/result.h"
#include "render/map_geometry.h"
#include "render/renderer.h"
#include "render/rounded_means.h"
#include "surface/fast_dib.h"

namespace kestrova {

// The tallest whole-level picture handed out (64 MiB of pixels).
constexpr int kWholePictureMaxRows = 65536;

// Scales a picture into a smaller (or larger) surface by averaging: output
// pixel (i, j) is the rounded mean of the source pixels in its span of
// columns and rows, spans taken with 16.16 steps (at least one source pixel
// each). Rows are handed in one at a time or a few together, bottom-up
// index ascending, so the picture itself never has to exist; an output row
// is worked out as soon as the rows after its span come, and only the rows
// still open are summed.
class OverviewScaler {
 public:
  OverviewScaler(int sourceWidth, int sourceHeight, int width, int height);
  // Scaling into `target` at its own size, each output row written there as
  // soon as it is worked out.
  OverviewScaler(int sourceWidth, int sourceHeight, TFastDIB& target);
  OverviewScaler(const OverviewScaler&) = delete;
  OverviewScaler& operator=(const OverviewScaler&) = delete;

  // Source row `sourceRow` (bottom-up index) of sourceWidth pixels.
  void AddRow(int sourceRow, const Pixel* pixels);

  // Whether every output column is the mean of four source pixels, 4i..4i+3.
  bool FourWide() const { return fourWide_; }
  // One past the last of the source rows from `sourceRow` on that the same
  // output rows take.
  int SameRowsEnd(int sourceRow) const;
  // Four-pixel group totals come one array per colour, the groups of the
  // even output columns first: output column i at GroupIndex(i).
  std::size_t GroupIndex(int column) const {
    return static_cast<std::size_t>(column % 2 == 0 ? column / 2 : (width_ + 1) / 2 + column / 2);
  }
  // Source rows firstRow..firstRow + rows - 1 (FourWide only; the same
  // output rows take them all, at most kMostGroupRows of them) given by the
  // totals of their four-pixel groups per colour.
  void AddGroupSums(int firstRow, int rows, const std::uint16_t* red, const std::uint16_t* green,
                    const std::uint16_t* blue);
  // Works out the rows still open and puts the result into `target`
  // (resized to width x height; nothing more to do for the target the
  // scaler was made with); output rows no source row reached are black.
  void Finish(TFastDIB& target);

  // The most rows whose four-pixel group totals fit in 16 bits.
  static constexpr int kMostGroupRows = 64;

 private:
  struct Span {
    int first = 0;
    int last = 0;  // one past the end
  };
  // Output rows firstRow..firstRow + rows - 1, which share one span of source rows.
  struct Strip {
    Span source;
    int firstRow = 0;
    int rows = 0;
  };
  OverviewScaler(int sourceWidth, int sourceHeight, int width, int height, TFastDIB* target);
  static std::vector<Span> Spans(int source, int count);
  static std::vector<Strip> Strips(const std::vector<Span>& rows);
  // The most strips that one source row is in: the slots of sums needed.
  static std::size_t MostOpenStrips(const std::vector<Strip>& strips);
  std::size_t SlotStart(std::size_t strip) const { return (strip % slots_) * static_cast<std::size_t>(width_); }
  // Works out every strip that ends at or before `sourceRow`.
  void CloseBefore(std::int64_t sourceRow);
  // The rounded means of a strip into its output rows; its slot is cleared.
  void Close(std::size_t strip);
  // The means into `out` from the pending group totals alone (FourWide,
  // at most kMostGroupRows rows), or from the wide sums.
  void MeansOfPending(std::size_t strip, Pixel* out);
  void MeansOfWide(std::size_t strip, Pixel* out);
  // Adds a strip's pending group totals to its wide sums.
  void FlushPending(std::size_t strip);
  void ClearPending(std::size_t strip);

  int width_;
  int height_;
  std::vector<Span> columns_;
  std::vector<Strip> strips_;
  std::size_t firstOpen_ = 0;  // the strips before it are worked out
  std::size_t slots_ = 1;
  // Per slot and output column: the wide sums (red << 32 | blue, green),
  // and per slot and group the totals still pending, as AddGroupSums takes them.
  std::vector<std::uint64_t> redBlue_;
  std::vector<std::uint64_t> green_;
  std::vector<std::uint16_t> pendingRed_;
  std::vector<std::uint16_t> pendingGreen_;
  std::vector<std::uint16_t> pendingBlue_;
  std::vector<std::uint32_t> pendingRows_;  // per slot
  std::vector<std::uint32_t> rowsAdded_;    // per strip
  // The row being added: per output column (any width), in four-pixel groups (FourWide).
  std::vector<std::uint64_t> columnRedBlue_;
  std::vector<std::uint64_t> columnGreen_;
  std::vector<std::uint16_t> groupRed_;
  std::vector<std::uint16_t> groupGreen_;
  std::vector<std::uint16_t> groupBlue_;
  EightRoundedDivider mean_{1};  // the means of meanCount_ pixels, as the last strip took
  std::uint32_t meanCount_ = 1;
  std::vector<Pixel> result_;  // without a target of its own: the result, bottom-up
  TFastDIB* target_ = nullptr;
  Pixel* out_;             // where the result goes, bottom-up
  bool fourWide_ = false;  // every column span is 4i..4i+3
};

// Renders a level of `height` rows window by window in WholeLevelMode (at
// least one window, then while 192 * k < height): scroll offset 192 * k,
// clear, DrawLevel, ConvertScreen into target.mapBitmap (256 x 192, base
// 191); each converted window goes to `sink` with the bottom-up row of the
// whole picture its bitmap row 0 stands for (192 * k). The scroll offset,
// conversion parameters and mode flag are restored afterwards; the screen
// area and the CellGrid hold the last window (the grid is filled in for the
// last window alone). The windows are drawn as one
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

// DrawOverview's walk without its pictures: every window's records passed,
// none drawn, which leaves the walk's memory (the state the next walk
// starts from) as DrawOverview leaves it. The screen area and the CellGrid
// are left alone: the editor's refresh after an overview draws them anew.
void WalkOverview(RenderTarget& target, int height);

// The same scaling applied to a whole picture.
void ScalePicture(const TFastDIB& picture, TFastDIB& overview);

// The whole level as one 256 x height picture, built the way the tall
// MapBitmap is: each window converted with base 191 + 192 * k. Refused with
// a message above kWholePictureMaxRows rows.
Outcome RenderWholePicture(RenderTarget& target, int height, TFastDIB& picture);

}  // namespace kestrova
