#include "render/overview.h"

#include <algorithm>

namespace kestrova {

namespace {

std::uint64_t RedBlue(Pixel p) { return (static_cast<std::uint64_t>(p & 0xFF0000) << 16) | (p & 0xFF); }

std::uint32_t RoundedMean(std::uint64_t sum, std::uint64_t count) {
  return static_cast<std::uint32_t>((sum + count / 2) / count);
}

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

// One window of the whole level: the refresh steps at scroll offset 192 * k.
void RenderWindow(RenderTarget& target, int k, int baseRow) {
  EditorState& state = target.state;
  state.scrollOffset = kWindowRows * k;
  state.conversion = ConversionParameters{};
  state.conversion.baseRow = baseRow;
  ClearCellGrid(target.grid);
  ClearMapScreen(target.image);
  DrawLevel(target);
  ConvertScreen(target);
}

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
      rowsAdded_(static_cast<std::size_t>(height_), 0) {
  // A source narrower than the output would read past its rows.
  for (Span& span : columns_) {
    span.first = std::min(span.first, std::max(sourceWidth, 0));
    span.last = std::min(span.last, std::max(sourceWidth, 0));
  }
}

void OverviewScaler::AddRow(int sourceRow, const Pixel* pixels) {
  if (nextRow_ > 0 && sourceRow < rows_[static_cast<std::size_t>(nextRow_ - 1)].first) nextRow_ = 0;
  while (nextRow_ < height_ && rows_[static_cast<std::size_t>(nextRow_)].last <= sourceRow) ++nextRow_;
  for (int j = nextRow_; j < height_ && rows_[static_cast<std::size_t>(j)].first <= sourceRow; ++j) {
    if (sourceRow >= rows_[static_cast<std::size_t>(j)].last) continue;
    const std::size_t base = static_cast<std::size_t>(j) * static_cast<std::size_t>(width_);
    for (int i = 0; i < width_; ++i) {
      const Span& span = columns_[static_cast<std::size_t>(i)];
      std::uint64_t redBlue = 0;
      std::uint32_t green = 0;
      for (int x = span.first; x < span.last; ++x) {
        redBlue += RedBlue(pixels[x]);
        green += (pixels[x] >> 8) & 0xFF;
      }
      redBlue_[base + static_cast<std::size_t>(i)] += redBlue;
      green_[base + static_cast<std::size_t>(i)] += green;
    }
    ++rowsAdded_[static_cast<std::size_t>(j)];
  }
}

void OverviewScaler::Finish(TFastDIB& target) const {
  if (target.Width() != width_ || target.Height() != height_) target.Resize(width_, height_);
  for (int j = 0; j < height_; ++j) {
    Pixel* out = target.Row(j);
    const std::uint64_t rows = rowsAdded_[static_cast<std::size_t>(j)];
    const std::size_t base = static_cast<std::size_t>(j) * static_cast<std::size_t>(width_);
    for (int i = 0; i < width_; ++i) {
      const Span& span = columns_[static_cast<std::size_t>(i)];
      const std::uint64_t count = rows * static_cast<std::uint64_t>(span.last - span.first);
      if (count == 0) {
        out[i] = 0;
        continue;
      }
      const std::uint64_t redBlue = redBlue_[base + static_cast<std::size_t>(i)];
      const std::uint32_t red = RoundedMean(redBlue >> 32, count);
      const std::uint32_t blue = RoundedMean(redBlue & 0xFFFFFFFF, count);
      const std::uint32_t green = RoundedMean(green_[base + static_cast<std::size_t>(i)], count);
      out[i] = (red << 16) | (green << 8) | blue;
    }
  }
}

void RenderWholeLevel(RenderTarget& target, int height, const WindowSink& sink) {
  SavedWalkState saved(target.state);
  if (target.mapBitmap.Width() != kMapWidth || target.mapBitmap.Height() != kWindowRows) {
    target.mapBitmap.Resize(kMapWidth, kWindowRows);
  }
  target.state.wholeLevelMode = true;
  const int windows = WindowCount(height);
  for (int k = 0; k < windows; ++k) {
    RenderWindow(target, k, kWindowRows - 1);
    sink(kWindowRows * k, target.mapBitmap);
  }
}

void DrawOverview(RenderTarget& target, int height, TFastDIB& overview) {
  const int rows = std::max(height, 0);
  OverviewScaler scaler(kMapWidth, rows, overview.Width(), overview.Height());
  RenderWholeLevel(target, rows, [&](int firstRow, const TFastDIB& window) {
    for (int r = 0; r < window.Height() && firstRow + r < rows; ++r) scaler.AddRow(firstRow + r, window.Row(r));
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
  for (int k = 0; k < windows; ++k) RenderWindow(tall, k, kWindowRows - 1 + kWindowRows * k);
  return std::nullopt;
}

}  // namespace kestrova
