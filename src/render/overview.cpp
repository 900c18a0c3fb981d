#include "render/overview.h"

#include <algorithm>

#include "level/level_stream.h"
#include "render/palette_colours.h"
#include "render/walk_skip.h"
#include "surface/four_pixels.h"

namespace kestrova {

namespace {

// sum / count rounded half up, for sums of at most 255 * count: below 2^16
// by a multiplication with a 24.40 reciprocal (x * m >> 40 is floor(x / d)
// for x < 2^24 when m = ceil(2^40 / d) and d < 2^16), beyond by division.
class RoundedDivider {
 public:
  explicit RoundedDivider(std::uint64_t count)
      : count_(count), half_(count / 2), reciprocal_(count < kLimit ? ((1ull << 40) + count - 1) / count : 0) {}
  std::uint32_t operator()(std::uint64_t sum) const {
    if (reciprocal_ != 0) return static_cast<std::uint32_t>(((sum + half_) * reciprocal_) >> 40);
    return static_cast<std::uint32_t>((sum + half_) / count_);
  }

 private:
  static constexpr std::uint64_t kLimit = 1u << 16;
  std::uint64_t count_;
  std::uint64_t half_;
  std::uint64_t reciprocal_;
};

// What every whole-level window changes, put back afterwards.
struct SavedWalkState {
  explicit SavedWalkState(EditorState& state)
      : state_(state), scrollOffset_(state.scrollOffset), conversion_(state.conversion), whole_(state.wholeLevelMode) {}
  ~SavedWalkState() {
    state_.scrollOffset = scrollOffset_;
    state_.conversion = conversion_;
    state_.wholeLevelMode = whole_;
  }
  SavedWalkState(const SavedWalkState&) = delete;
  SavedWalkState& operator=(const SavedWalkState&) = delete;

 private:
  EditorState& state_;
  std::int32_t scrollOffset_;
  ConversionParameters conversion_;
  bool whole_;
};

// The windows of the whole level, drawn in order of k, as one walk. Window
// k is what the walk from level start at scroll offset 192 * k draws; every
// record it passes without drawing (those wholly below the window) is also
// passed by every later window, so each window picks the walk up where the
// records below it end, with the row and the state the walk from level
// start would have there: the state the previous window left (the walks
// run one after another) changed by everything passed so far.
class WindowWalks {
 public:
  explicit WindowWalks(const RenderTarget& target)
      : image_(target.image), levelEnd_(target.state.levelEnd), cursor_(LevelStartEntry(target.state).cursor) {}

  // The refresh steps of window k, with MapBitmap's base row `baseRow`.
  void Render(RenderTarget& target, int k, int baseRow) {
    Draw(target, k, baseRow, true);
    ConvertScreen(target);
  }

  // The refresh steps of window k up to the conversion. The CellGrid is
  // cleared only when `keepGrid`, for a window whose grid is kept: no
  // drawing depends on what the grid held before, only the grid itself.
  void Draw(RenderTarget& target, int k, int baseRow, bool keepGrid) {
    EditorState& state = target.state;
    state.scrollOffset = kWindowRows * k;
    state.conversion = ConversionParameters{};
    state.conversion.baseRow = baseRow;
    if (keepGrid) ClearCellGrid(target.grid);
    ClearMapScreen(target.image);
    DrawLevelFrom(target, EntryFor(LevelStartEntry(state).row, state));
  }

 private:
  WalkEntry EntryFor(std::int32_t startRow, EditorState& state) {
    while (WalkGoesOnAfter(cursor_)) {
      const ObjectRecord record = ReadRecord(image_, static_cast<std::uint32_t>(cursor_));
      const std::int64_t row = startRow - rowsPassed_;
      if (!RecordBelowWindow(record, row)) break;
      passed_.Pass(record);
      rowsPassed_ += row - RowAfterPassing(record, row);
      cursor_ += 2;
    }
    passed_.ApplyTo(state);
    return WalkEntry{cursor_, static_cast<std::int32_t>(startRow - rowsPassed_)};
  }

  // Whether the walk goes on to the record after the one at `cursor` (its
  // row stays on, as every record passed here lies below the window).
  bool WalkGoesOnAfter(std::int32_t cursor) const {
    const std::int64_t next = static_cast<std::int64_t>(cursor) + 2;
    return next <= static_cast<std::int64_t>(levelEnd_) && next <= kRamEnd;
  }

  const SnapshotImage& image_;
  std::uint32_t levelEnd_;
  std::int32_t cursor_;
  std::int64_t rowsPassed_ = 0;
  PassedRecords passed_;
};

int WindowCount(int height) { return std::max(1, (std::max(height, 0) + kWindowRows - 1) / kWindowRows); }

}  // namespace

std::vector<OverviewScaler::Span> OverviewScaler::Spans(int source, int count) {
  std::vector<Span> spans(static_cast<std::size_t>(std::max(count, 0)));
  if (count <= 0) return spans;
  const std::uint64_t step = (static_cast<std::uint64_t>(std::max(source, 0)) << 16) / static_cast<std::uint64_t>(count);
  for (int j = 0; j < count; ++j) {
    Span& span = spans[static_cast<std::size_t>(j)];
    span.first = static_cast<int>((static_cast<std::uint64_t>(j) * step) >> 16);
    span.last = j + 1 == count ? source : static_cast<int>((static_cast<std::uint64_t>(j + 1) * step) >> 16);
    span.last = std::max(span.last, span.first + 1);
  }
  return spans;
}

OverviewScaler::OverviewScaler(int sourceWidth, int sourceHeight, int width, int height)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      columns_(Spans(sourceWidth, width_)),
      rows_(Spans(sourceHeight, height_)),
      redBlue_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), 0),
      green_(redBlue_.size(), 0),
      rowsAdded_(static_cast<std::size_t>(height_), 0),
      rowRedBlue_(static_cast<std::size_t>(width_), 0),
      rowGreen_(static_cast<std::size_t>(width_), 0),
      pendingRedBlue_(static_cast<std::size_t>(width_), 0),
      pendingGreen_(static_cast<std::size_t>(width_), 0) {
  // A source narrower than the output would read past its rows.
  for (Span& span : columns_) {
    span.first = std::min(span.first, std::max(sourceWidth, 0));
    span.last = std::min(span.last, std::max(sourceWidth, 0));
  }
  fourWide_ = true;
  for (int i = 0; i < width_; ++i) {
    const Span& span = columns_[static_cast<std::size_t>(i)];
    fourWide_ = fourWide_ && span.first == 4 * i && span.last == 4 * i + 4;
  }
}

bool OverviewScaler::TakesRow(int sourceRow) {
  if (nextRow_ > 0 && sourceRow < rows_[static_cast<std::size_t>(nextRow_ - 1)].first) nextRow_ = 0;
  while (nextRow_ < height_ && rows_[static_cast<std::size_t>(nextRow_)].last <= sourceRow) ++nextRow_;
  return nextRow_ < height_ && rows_[static_cast<std::size_t>(nextRow_)].first <= sourceRow;
}

void OverviewScaler::AddRow(int sourceRow, const Pixel* pixels) {
  if (!TakesRow(sourceRow)) return;
  // The row's sums per output column, once, however many output rows take it.
  if (fourWide_) {
    // The map into the overview: every column span is four pixels.
    constexpr Pixel kRedBlue = 0xFF00FF, kGreen = 0x00FF00;
    for (int i = 0; i < width_; ++i) {
      const Pixel* p = pixels + 4 * i;
      const std::uint32_t lanes = (p[0] & kRedBlue) + (p[1] & kRedBlue) + (p[2] & kRedBlue) + (p[3] & kRedBlue);
      const std::uint32_t greens = (p[0] & kGreen) + (p[1] & kGreen) + (p[2] & kGreen) + (p[3] & kGreen);
      rowRedBlue_[static_cast<std::size_t>(i)] = (static_cast<std::uint64_t>(lanes >> 16) << 32) | (lanes & 0xFFFF);
      rowGreen_[static_cast<std::size_t>(i)] = greens >> 8;
    }
  }
  for (int i = 0; i < width_ && !fourWide_; ++i) {
    const Span& span = columns_[static_cast<std::size_t>(i)];
    std::uint64_t redBlue = 0;
    std::uint64_t green = 0;
    for (int x = span.first; x < span.last;) {
      // Up to 256 pixels in 16-bit lanes (red | blue) and one 32-bit sum.
      const int chunkEnd = std::min(span.last, x + 256);
      std::uint32_t lanes = 0;
      std::uint32_t greens = 0;
      for (; x < chunkEnd; ++x) {
        lanes += pixels[x] & 0xFF00FF;
        greens += pixels[x] & 0x00FF00;
      }
      redBlue += (static_cast<std::uint64_t>(lanes >> 16) << 32) | (lanes & 0xFFFF);
      green += greens >> 8;
    }
    rowRedBlue_[static_cast<std::size_t>(i)] = redBlue;
    rowGreen_[static_cast<std::size_t>(i)] = green;
  }
  Accumulate(sourceRow);
}

void OverviewScaler::AddGroupSums(int sourceRow, const std::uint32_t* redBlue, const std::uint32_t* green) {
  if (!fourWide_ || !TakesRow(sourceRow)) return;
  const int next = nextRow_ + 1;
  if (next >= height_ || rows_[static_cast<std::size_t>(next)].first > sourceRow) {
    // Only output row nextRow_ takes this row.
    if (pendingRows_ > 0 && (pendingRow_ != nextRow_ || pendingRows_ == kMostPendingRows)) FlushPending();
    pendingRow_ = nextRow_;
    AddLanes(pendingRedBlue_.data(), redBlue, pendingRedBlue_.size());
    AddLanes(pendingGreen_.data(), green, pendingGreen_.size());
    ++pendingRows_;
    return;
  }
  for (int i = 0; i < width_; ++i) {
    const std::uint32_t lanes = redBlue[i];
    rowRedBlue_[static_cast<std::size_t>(i)] = (static_cast<std::uint64_t>(lanes >> 16) << 32) | (lanes & 0xFFFF);
    rowGreen_[static_cast<std::size_t>(i)] = green[i];
  }
  Accumulate(sourceRow);
}

void OverviewScaler::FlushPending() {
  if (pendingRows_ == 0) return;
  const std::size_t base = static_cast<std::size_t>(pendingRow_) * static_cast<std::size_t>(width_);
  for (std::size_t i = 0; i < static_cast<std::size_t>(width_); ++i) {
    const std::uint32_t lanes = pendingRedBlue_[i];
    redBlue_[base + i] += (static_cast<std::uint64_t>(lanes >> 16) << 32) | (lanes & 0xFFFF);
    green_[base + i] += pendingGreen_[i];
  }
  rowsAdded_[static_cast<std::size_t>(pendingRow_)] += static_cast<std::uint32_t>(pendingRows_);
  std::fill(pendingRedBlue_.begin(), pendingRedBlue_.end(), 0);
  std::fill(pendingGreen_.begin(), pendingGreen_.end(), 0);
  pendingRows_ = 0;
}

void OverviewScaler::Accumulate(int sourceRow) {
  for (int j = nextRow_; j < height_ && rows_[static_cast<std::size_t>(j)].first <= sourceRow; ++j) {
    if (sourceRow >= rows_[static_cast<std::size_t>(j)].last) continue;
    const std::size_t base = static_cast<std::size_t>(j) * static_cast<std::size_t>(width_);
    for (int i = 0; i < width_; ++i) {
      redBlue_[base + static_cast<std::size_t>(i)] += rowRedBlue_[static_cast<std::size_t>(i)];
      green_[base + static_cast<std::size_t>(i)] += rowGreen_[static_cast<std::size_t>(i)];
    }
    ++rowsAdded_[static_cast<std::size_t>(j)];
  }
}

void OverviewScaler::Finish(TFastDIB& target) {
  FlushPending();
  if (target.Width() != width_ || target.Height() != height_) target.Resize(width_, height_);
  for (int j = 0; j < height_; ++j) {
    Pixel* out = target.Row(j);
    const std::uint64_t rows = rowsAdded_[static_cast<std::size_t>(j)];
    const std::size_t base = static_cast<std::size_t>(j) * static_cast<std::size_t>(width_);
    std::uint64_t dividerCount = 1;
    RoundedDivider mean(dividerCount);  // spans mostly share one width
    for (int i = 0; i < width_; ++i) {
      const Span& span = columns_[static_cast<std::size_t>(i)];
      const std::uint64_t count = rows * static_cast<std::uint64_t>(span.last - span.first);
      if (count == 0) {
        out[i] = 0;
        continue;
      }
      if (count != dividerCount) mean = RoundedDivider(dividerCount = count);
      const std::uint64_t redBlue = redBlue_[base + static_cast<std::size_t>(i)];
      out[i] = mean(redBlue >> 32) << 16 | mean(green_[base + static_cast<std::size_t>(i)]) << 8 |
               mean(redBlue & 0xFFFFFFFF);
    }
  }
}

namespace {

// The whole-level pass around `window(walks, k, last)`, which draws window k
// and takes what it needs of it: MapBitmap at 256 x 192, WholeLevelMode,
// the windows in order, the view's state put back afterwards.
template <typename Window>
void WholeLevelPass(RenderTarget& target, int height, Window window) {
  SavedWalkState saved(target.state);
  if (target.mapBitmap.Width() != kMapWidth || target.mapBitmap.Height() != kWindowRows) {
    target.mapBitmap.Resize(kMapWidth, kWindowRows);
  }
  target.state.wholeLevelMode = true;
  const int windows = WindowCount(height);
  WindowWalks walks(target);
  for (int k = 0; k < windows; ++k) window(walks, k, k + 1 == windows);
}

}  // namespace

void RenderWholeLevel(RenderTarget& target, int height, const WindowSink& sink) {
  WholeLevelPass(target, height, [&](WindowWalks& walks, int k, bool) {
    walks.Render(target, k, kWindowRows - 1);
    sink(kWindowRows * k, target.mapBitmap);
  });
}

namespace {

// The four-pixel group sums of one screen row, as OverviewScaler takes
// them: each half of a display byte is four pixels of ink or paper.
class ScreenRowSums {
 public:
  explicit ScreenRowSums(const ScreenTables& tables) : tables_(tables) {}

  // Screen row y; the colours are worked out once per character row, and
  // again for each new window (Restart).
  void Take(const std::uint8_t* screen, int y) {
    const std::uint32_t rowStart = tables_.rowStart[static_cast<std::size_t>(y)];
    if (y >> 3 != coloursFor_) TakeColours(screen, rowStart);
    coloursFor_ = y >> 3;
    for (std::size_t c = 0; c < kScreenColumns; ++c) {
      const std::uint8_t byte = screen[rowStart + c];
      const std::size_t left = kInkCount[byte >> 4], right = kInkCount[byte & 0x0F];
      redBlue[2 * c] = redBlue_[c][left];
      redBlue[2 * c + 1] = redBlue_[c][right];
      green[2 * c] = green_[c][left];
      green[2 * c + 1] = green_[c][right];
    }
  }

  void Restart() { coloursFor_ = -1; }

  std::array<std::uint32_t, 2 * kScreenColumns> redBlue{};
  std::array<std::uint32_t, 2 * kScreenColumns> green{};

 private:
  static constexpr std::array<std::uint8_t, 16> kInkCount = {0, 1, 1, 2, 1, 2, 2, 3, 1, 2, 2, 3, 2, 3, 3, 4};

  // Per column, the sums of four pixels of which 0..4 show the ink.
  void TakeColours(const std::uint8_t* screen, std::uint32_t rowStart) {
    for (std::size_t c = 0; c < kScreenColumns; ++c) {
      const std::uint8_t attribute = screen[tables_.attrOffset[rowStart + c]];
      const Pixel ink = InkOf(attribute), paper = PaperOf(attribute);
      for (std::uint32_t inked = 0; inked <= 4; ++inked) {
        redBlue_[c][inked] = inked * (ink & 0xFF00FF) + (4 - inked) * (paper & 0xFF00FF);
        green_[c][inked] = inked * ((ink >> 8) & 0xFF) + (4 - inked) * ((paper >> 8) & 0xFF);
      }
    }
  }

  const ScreenTables& tables_;
  int coloursFor_ = -1;  // the character row the colours are for
  std::array<std::array<std::uint32_t, 5>, kScreenColumns> redBlue_{}, green_{};
};

}  // namespace

void DrawOverview(RenderTarget& target, int height, TFastDIB& overview) {
  const int rows = std::max(height, 0);
  OverviewScaler scaler(kMapWidth, rows, overview.Width(), overview.Height());
  const std::span<const std::uint8_t> screen =
      target.image.Range(ImageOffsetOf(kScreenAreaStart), kScreenAreaSize);
  if (!scaler.FourWide() || screen.size() < kScreenAreaSize) {
    RenderWholeLevel(target, rows, [&](int firstRow, const TFastDIB& window) {
      for (int r = 0; r < window.Height() && firstRow + r < rows; ++r) scaler.AddRow(firstRow + r, window.Row(r));
    });
    scaler.Finish(overview);
    return;
  }
  // As RenderWholeLevel, each window's rows summed from the screen area:
  // picture row 192 * k + r is screen row 191 - r of window k.
  ScreenRowSums sums(target.tables);
  WholeLevelPass(target, rows, [&](WindowWalks& walks, int k, bool last) {
    walks.Draw(target, k, kWindowRows - 1, last);
    sums.Restart();
    for (int r = 0; r < kWindowRows && kWindowRows * k + r < rows; ++r) {
      sums.Take(screen.data(), kWindowRows - 1 - r);
      scaler.AddGroupSums(kWindowRows * k + r, sums.redBlue.data(), sums.green.data());
    }
    if (last) ConvertScreen(target);  // MapBitmap holds the last window, as it always has
  });
  scaler.Finish(overview);
}

void ScalePicture(const TFastDIB& picture, TFastDIB& overview) {
  OverviewScaler scaler(picture.Width(), picture.Height(), overview.Width(), overview.Height());
  for (int r = 0; r < picture.Height(); ++r) scaler.AddRow(r, picture.Row(r));
  scaler.Finish(overview);
}

std::optional<std::string> RenderWholePicture(RenderTarget& target, int height, TFastDIB& picture) {
  if (height > kWholePictureMaxRows) {
    return "The level is " + std::to_string(height) + " rows tall; a whole-level picture is limited to " +
           std::to_string(kWholePictureMaxRows) + " rows.";
  }
  SavedWalkState saved(target.state);
  picture.Resize(kMapWidth, std::max(height, 0));
  RenderTarget tall{target.image, target.state, target.grid, target.tables, picture};
  tall.state.wholeLevelMode = true;
  const int windows = WindowCount(height);
  WindowWalks walks(tall);
  for (int k = 0; k < windows; ++k) walks.Render(tall, k, kWindowRows - 1 + kWindowRows * k);
  return std::nullopt;
}

}  // namespace kestrova
