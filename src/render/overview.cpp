#include "render/overview.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "level/level_stream.h"
#include "render/palette_colours.h"
#include "render/walk_skip.h"
#include "surface/lanes.h"

namespace kestrova {

namespace {

// What every whole-level window changes in the walk's memory, put back
// afterwards. (The windows' scroll offsets are their own places; the view's
// place is never written.)
struct SavedWalkState {
  explicit SavedWalkState(WalkMemory& walk) : walk_(walk), conversion_(walk.conversion), whole_(walk.wholeLevelMode) {}
  ~SavedWalkState() {
    walk_.conversion = conversion_;
    walk_.wholeLevelMode = whole_;
  }
  SavedWalkState(const SavedWalkState&) = delete;
  SavedWalkState& operator=(const SavedWalkState&) = delete;

 private:
  WalkMemory& walk_;
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
      : image_(target.image), levelEnd_(target.place.levelEnd), cursor_(LevelStartEntry(target.place).cursor) {}

  // The refresh steps of window k, with MapBitmap's base row `baseRow`.
  void Render(RenderTarget& target, int k, int baseRow, bool last) {
    Draw(target, k, baseRow, last);
    ConvertScreen(target);
  }

  // Window k's walk without drawing: its records passed, leaving the walk's
  // memory for the windows after it as drawing them would.
  void Pass(RenderTarget& target, int k) {
    LevelPlace windowPlace = target.place;
    windowPlace.scrollOffset = kWindowRows * k;
    RenderTarget window{target.image, windowPlace, target.walk, target.grid, target.tables, target.mapBitmap};
    PassLevelFrom(window, EntryFor(LevelStartEntry(windowPlace).row, target.walk));
  }

  // The refresh steps of window k up to the conversion. Only the last
  // window's CellGrid is kept, so only the last clears and fills it in: no
  // drawing depends on what the grid holds.
  void Draw(RenderTarget& target, int k, int baseRow, bool last) {
    LevelPlace windowPlace = target.place;
    windowPlace.scrollOffset = kWindowRows * k;
    RenderTarget window{target.image, windowPlace, target.walk, target.grid, target.tables, target.mapBitmap};
    WalkMemory& walk = target.walk;
    walk.conversion = ConversionParameters{};
    walk.conversion.baseRow = baseRow;
    if (last) ClearCellGrid(target.grid);
    ClearMapScreen(target.image);
    DrawLevelFrom(window, EntryFor(LevelStartEntry(windowPlace).row, walk), nullptr,
                  last ? GridWrites::kWrite : GridWrites::kSkip);
  }

 private:
  WalkEntry EntryFor(std::int32_t startRow, WalkMemory& walk) {
    while (WalkGoesOnAfter(cursor_)) {
      const ObjectRecord record = ReadRecord(image_, static_cast<std::uint32_t>(cursor_));
      const std::int64_t row = startRow - rowsPassed_;
      if (!RecordBelowWindow(record, row)) break;
      passed_.Pass(record);
      rowsPassed_ += row - RowAfterPassing(record, row);
      cursor_ += 2;
    }
    passed_.ApplyTo(walk);
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
  const std::uint64_t step =
      (static_cast<std::uint64_t>(std::max(source, 0)) << 16) / static_cast<std::uint64_t>(count);
  for (int j = 0; j < count; ++j) {
    Span& span = spans[static_cast<std::size_t>(j)];
    span.first = static_cast<int>((static_cast<std::uint64_t>(j) * step) >> 16);
    span.last = j + 1 == count ? source : static_cast<int>((static_cast<std::uint64_t>(j + 1) * step) >> 16);
    span.last = std::max(span.last, span.first + 1);
  }
  return spans;
}

std::vector<OverviewScaler::Strip> OverviewScaler::Strips(const std::vector<Span>& rows) {
  std::vector<Strip> strips;
  for (int j = 0; j < static_cast<int>(rows.size()); ++j) {
    const Span& span = rows[static_cast<std::size_t>(j)];
    if (!strips.empty() && strips.back().source.first == span.first && strips.back().source.last == span.last) {
      ++strips.back().rows;
    } else {
      strips.push_back(Strip{span, j, 1});
    }
  }
  return strips;
}

std::size_t OverviewScaler::MostOpenStrips(const std::vector<Strip>& strips) {
  // Both ends of the spans ascend, so the strips that a row is in are
  // consecutive, and the most of them meet at the first row of one.
  std::size_t most = 1;
  std::size_t ended = 0;  // strips that end at or before the current first row
  for (std::size_t s = 0; s < strips.size(); ++s) {
    while (strips[ended].source.last <= strips[s].source.first) ++ended;
    most = std::max(most, s - ended + 1);
  }
  return most;
}

OverviewScaler::OverviewScaler(int sourceWidth, int sourceHeight, int width, int height)
    : OverviewScaler(sourceWidth, sourceHeight, width, height, nullptr) {}

OverviewScaler::OverviewScaler(int sourceWidth, int sourceHeight, TFastDIB& target)
    : OverviewScaler(sourceWidth, sourceHeight, target.Width(), target.Height(), &target) {}

OverviewScaler::OverviewScaler(int sourceWidth, int sourceHeight, int width, int height, TFastDIB* target)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      columns_(Spans(sourceWidth, width_)),
      strips_(Strips(Spans(sourceHeight, height_))),
      slots_(MostOpenStrips(strips_)),
      redBlue_(slots_ * static_cast<std::size_t>(width_), 0),
      green_(redBlue_.size(), 0),
      pendingRed_(redBlue_.size(), 0),
      pendingGreen_(redBlue_.size(), 0),
      pendingBlue_(redBlue_.size(), 0),
      pendingRows_(slots_, 0),
      rowsAdded_(strips_.size(), 0),
      columnRedBlue_(static_cast<std::size_t>(width_), 0),
      columnGreen_(static_cast<std::size_t>(width_), 0),
      groupRed_(static_cast<std::size_t>(width_), 0),
      groupGreen_(static_cast<std::size_t>(width_), 0),
      groupBlue_(static_cast<std::size_t>(width_), 0),
      result_(target != nullptr ? 0 : static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_)),
      target_(target),
      out_(target != nullptr && target->HasRows() ? target->Row(0) : result_.data()) {
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

int OverviewScaler::SameRowsEnd(int sourceRow) const {
  std::size_t s = firstOpen_;
  while (s < strips_.size() && strips_[s].source.last <= sourceRow) ++s;
  if (s == strips_.size()) return std::numeric_limits<int>::max();
  // No strip takes the row: the rows up to the next strip are alike.
  if (strips_[s].source.first > sourceRow) return strips_[s].source.first;
  // The first strip that takes the row ends first; a later one may begin sooner.
  int end = strips_[s].source.last;
  std::size_t next = s + 1;
  while (next < strips_.size() && strips_[next].source.first <= sourceRow) ++next;
  if (next < strips_.size()) end = std::min(end, strips_[next].source.first);
  return end;
}

void OverviewScaler::AddRow(int sourceRow, const Pixel* pixels) {
  if (fourWide_) {
    // The map into the overview: every column span is four pixels.
    for (int i = 0; i < width_; ++i) {
      const Pixel* p = pixels + 4 * i;
      const std::size_t group = GroupIndex(i);
      const auto total = [&](int shift) {
        return static_cast<std::uint16_t>(((p[0] >> shift) & 0xFF) + ((p[1] >> shift) & 0xFF) +
                                          ((p[2] >> shift) & 0xFF) + ((p[3] >> shift) & 0xFF));
      };
      groupRed_[group] = total(16);
      groupGreen_[group] = total(8);
      groupBlue_[group] = total(0);
    }
    AddGroupSums(sourceRow, 1, groupRed_.data(), groupGreen_.data(), groupBlue_.data());
    return;
  }
  constexpr Pixel kRedBlue = 0xFF00FF, kGreen = 0x00FF00;
  // The row's sums per output column, once, however many output rows take it.
  for (int i = 0; i < width_; ++i) {
    const Span& span = columns_[static_cast<std::size_t>(i)];
    std::uint64_t redBlue = 0;
    std::uint64_t green = 0;
    for (int x = span.first; x < span.last;) {
      // Up to 256 pixels in 16-bit lanes (red | blue) and one 32-bit sum.
      const int chunkEnd = std::min(span.last, x + 256);
      std::uint32_t lanes = 0;
      std::uint32_t greens = 0;
      for (; x < chunkEnd; ++x) {
        lanes += pixels[x] & kRedBlue;
        greens += pixels[x] & kGreen;
      }
      redBlue += (static_cast<std::uint64_t>(lanes >> 16) << 32) | (lanes & 0xFFFF);
      green += greens >> 8;
    }
    columnRedBlue_[static_cast<std::size_t>(i)] = redBlue;
    columnGreen_[static_cast<std::size_t>(i)] = green;
  }
  CloseBefore(sourceRow);
  for (std::size_t s = firstOpen_; s < strips_.size() && strips_[s].source.first <= sourceRow; ++s) {
    if (sourceRow >= strips_[s].source.last) continue;
    const std::size_t slot = SlotStart(s);
    for (std::size_t i = 0; i < static_cast<std::size_t>(width_); ++i) {
      redBlue_[slot + i] += columnRedBlue_[i];
      green_[slot + i] += columnGreen_[i];
    }
    ++rowsAdded_[s];
  }
}

void OverviewScaler::AddGroupSums(int firstRow, int rows, const std::uint16_t* red, const std::uint16_t* green,
                                  const std::uint16_t* blue) {
  if (!fourWide_ || rows <= 0) return;
  CloseBefore(firstRow);
  const std::size_t width = static_cast<std::size_t>(width_);
  for (std::size_t s = firstOpen_; s < strips_.size() && strips_[s].source.first <= firstRow; ++s) {
    if (firstRow >= strips_[s].source.last) continue;
    const std::size_t slot = SlotStart(s);
    std::uint32_t& pending = pendingRows_[s % slots_];
    if (pending + static_cast<std::uint32_t>(rows) > kMostGroupRows) FlushPending(s);
    AddEightLanes(pendingRed_.data() + slot, red, width);
    AddEightLanes(pendingGreen_.data() + slot, green, width);
    AddEightLanes(pendingBlue_.data() + slot, blue, width);
    pending += static_cast<std::uint32_t>(rows);
    rowsAdded_[s] += static_cast<std::uint32_t>(rows);
  }
}

void OverviewScaler::FlushPending(std::size_t strip) {
  std::uint32_t& pending = pendingRows_[strip % slots_];
  if (pending == 0) return;
  const std::size_t slot = SlotStart(strip);
  for (int i = 0; i < width_; ++i) {
    const std::size_t group = slot + GroupIndex(i);
    redBlue_[slot + static_cast<std::size_t>(i)] +=
        static_cast<std::uint64_t>(pendingRed_[group]) << 32 | pendingBlue_[group];
    green_[slot + static_cast<std::size_t>(i)] += pendingGreen_[group];
  }
  ClearPending(strip);
}

void OverviewScaler::ClearPending(std::size_t strip) {
  const std::size_t slot = SlotStart(strip);
  const std::size_t width = static_cast<std::size_t>(width_);
  std::fill_n(pendingRed_.begin() + static_cast<std::ptrdiff_t>(slot), width, 0);
  std::fill_n(pendingGreen_.begin() + static_cast<std::ptrdiff_t>(slot), width, 0);
  std::fill_n(pendingBlue_.begin() + static_cast<std::ptrdiff_t>(slot), width, 0);
  pendingRows_[strip % slots_] = 0;
}

void OverviewScaler::CloseBefore(std::int64_t sourceRow) {
  while (firstOpen_ < strips_.size() && strips_[firstOpen_].source.last <= sourceRow) Close(firstOpen_++);
}

void OverviewScaler::Close(std::size_t strip) {
  const std::uint32_t rows = rowsAdded_[strip];
  const Strip& outputRows = strips_[strip];
  const std::size_t width = static_cast<std::size_t>(width_);
  Pixel* out = out_ + static_cast<std::size_t>(outputRows.firstRow) * width;
  if (rows == 0) {
    std::fill_n(out, width * static_cast<std::size_t>(outputRows.rows), 0);  // no source row reached them
    return;
  }
  if (fourWide_ && rows <= kMostGroupRows) {
    MeansOfPending(strip, out);
  } else {
    MeansOfWide(strip, out);
  }
  for (int r = 1; r < outputRows.rows; ++r) std::copy_n(out, width, out + static_cast<std::size_t>(r) * width);
}

void OverviewScaler::MeansOfPending(std::size_t strip, Pixel* out) {
  static_assert(4 * kMostGroupRows <= EightRoundedDivider::kMostCount);
  const std::uint32_t count = 4 * rowsAdded_[strip];
  const std::size_t slot = SlotStart(strip);
  const std::uint16_t* red = pendingRed_.data() + slot;
  const std::uint16_t* green = pendingGreen_.data() + slot;
  const std::uint16_t* blue = pendingBlue_.data() + slot;
  // Eight even and eight odd output columns at a time: blue and green
  // share a 16-bit lane (means are at most 255), red takes the lane above.
  if (count != meanCount_) mean_ = EightRoundedDivider(meanCount_ = count);  // strips mostly share one height
  const EightRoundedDivider& mean = mean_;
  const std::size_t evens = (static_cast<std::size_t>(width_) + 1) / 2, odds = static_cast<std::size_t>(width_) / 2;
  std::size_t c = 0;
  for (; c + 8 <= odds; c += 8) {
    const EightLanes evenBlueGreen = mean(LoadEight(blue + c)) | mean(LoadEight(green + c)) << 8;
    const EightLanes oddBlueGreen = mean(LoadEight(blue + evens + c)) | mean(LoadEight(green + evens + c)) << 8;
    const EightLanes evenRed = mean(LoadEight(red + c)), oddRed = mean(LoadEight(red + evens + c));
    for (std::size_t half = 0; half < 2; ++half) {
      const FourLanes even = WidenHalf(evenBlueGreen, half) | WidenHalf(evenRed, half) << 16;
      const FourLanes odd = WidenHalf(oddBlueGreen, half) | WidenHalf(oddRed, half) << 16;
      StoreFour(out + 2 * c + 8 * half, __builtin_shufflevector(even, odd, 0, 4, 1, 5));
      StoreFour(out + 2 * c + 8 * half + 4, __builtin_shufflevector(even, odd, 2, 6, 3, 7));
    }
  }
  for (int i = static_cast<int>(2 * c); i < width_; ++i) {
    const RoundedDivider single(count);
    const std::size_t group = GroupIndex(i);
    out[i] = single(red[group]) << 16 | single(green[group]) << 8 | single(blue[group]);
  }
  ClearPending(strip);
}

void OverviewScaler::MeansOfWide(std::size_t strip, Pixel* out) {
  FlushPending(strip);
  const std::uint64_t rows = rowsAdded_[strip];
  const std::size_t slot = SlotStart(strip);
  std::uint64_t dividerCount = 1;
  RoundedDivider mean(dividerCount);  // spans mostly share one width
  for (std::size_t i = 0; i < static_cast<std::size_t>(width_); ++i) {
    const Span& span = columns_[i];
    const std::uint64_t count = rows * static_cast<std::uint64_t>(span.last - span.first);
    const std::uint64_t redBlue = redBlue_[slot + i];
    const std::uint64_t green = green_[slot + i];
    redBlue_[slot + i] = 0;
    green_[slot + i] = 0;
    if (count == 0) continue;  // a column past a narrow source stays black
    if (count != dividerCount) mean = RoundedDivider(dividerCount = count);
    out[i] = mean(redBlue >> 32) << 16 | mean(green) << 8 | mean(redBlue & 0xFFFFFFFF);
  }
}

void OverviewScaler::Finish(TFastDIB& target) {
  CloseBefore(std::numeric_limits<std::int64_t>::max());
  if (&target == target_) return;
  if (target.Width() != width_ || target.Height() != height_) target.Resize(width_, height_);
  if (!result_.empty()) std::copy(result_.begin(), result_.end(), target.Row(0));
}

namespace {

// The whole-level pass around `window(walks, k, last)`, which draws window k
// and takes what it needs of it: MapBitmap at 256 x 192, WholeLevelMode,
// the windows in order, the view's state put back afterwards.
template <typename Window>
void WholeLevelPass(RenderTarget& target, int height, Window window) {
  SavedWalkState saved(target.walk);
  if (target.mapBitmap.Width() != kMapWidth || target.mapBitmap.Height() != kWindowRows) {
    target.mapBitmap.Resize(kMapWidth, kWindowRows);
  }
  target.walk.wholeLevelMode = true;
  const int windows = WindowCount(height);
  WindowWalks walks(target);
  for (int k = 0; k < windows; ++k) window(walks, k, k + 1 == windows);
}

}  // namespace

void RenderWholeLevel(RenderTarget& target, int height, const WindowSink& sink) {
  WholeLevelPass(target, height, [&](WindowWalks& walks, int k, bool last) {
    walks.Render(target, k, kWindowRows - 1, last);
    sink(kWindowRows * k, target.mapBitmap);
  });
}

namespace {

// Per attribute: the paper's colours, and what each pixel of ink adds to
// them, modulo 2^16.
struct AttributeColours {
  struct Colours {
    std::array<std::uint16_t, 3> paper{};  // red, green, blue
    std::array<std::uint16_t, 3> step{};
  };
  std::array<Colours, 256> colours{};
  constexpr AttributeColours() {
    for (int attribute = 0; attribute < 256; ++attribute) {
      const Pixel ink = InkOf(static_cast<std::uint8_t>(attribute)),
                  paper = PaperOf(static_cast<std::uint8_t>(attribute));
      Colours& entry = colours[static_cast<std::size_t>(attribute)];
      for (std::size_t colour = 0; colour < 3; ++colour) {
        const int shift = 16 - 8 * static_cast<int>(colour);
        entry.paper[colour] = static_cast<std::uint16_t>((paper >> shift) & 0xFF);
        entry.step[colour] = static_cast<std::uint16_t>(((ink >> shift) & 0xFF) - entry.paper[colour]);
      }
    }
  }
};
constexpr AttributeColours kAttributeColours{};

// The four-pixel group totals of a few screen rows of one character row,
// as OverviewScaler takes them from a 256-pixel-wide source into 64 output
// columns: each half of a display byte is four pixels of ink or paper, so
// the totals follow from how many of them show the ink.
class ScreenGroupSums {
 public:
  explicit ScreenGroupSums(const ScreenTables& tables) : tables_(tables) {}

  // Screen rows topRow..bottomRow (top to bottom, one character row). The
  // colours are taken once per character row, and again for each new
  // window (Restart).
  void Take(const std::uint8_t* screen, int topRow, int bottomRow) {
    if (topRow >> 3 != coloursFor_) TakeColours(screen, topRow);
    const InkCounts counts = CountInk(screen, topRow, bottomRow);
    // Every total stays below 2^16 (at most 32 pixels of 255), so sums
    // taken modulo 2^16 are exact. Output column 2c is the left half of
    // byte c, 2c + 1 its right half.
    const EightLanes pixels = EightLanes{} + static_cast<std::uint16_t>(4 * (bottomRow - topRow + 1));
    for (std::size_t c = 0; c < kScreenColumns; c += 8) {
      const EightLanes left = WidenEight(counts.left.data() + c), right = WidenEight(counts.right.data() + c);
      for (std::size_t colour = 0; colour < 3; ++colour) {
        const EightLanes paper = pixels * LoadEight(paper_[colour].data() + c);
        const EightLanes step = LoadEight(step_[colour].data() + c);
        StoreEight(totals[colour].data() + c, paper + left * step);
        StoreEight(totals[colour].data() + kScreenColumns + c, paper + right * step);
      }
    }
  }

  void Restart() { coloursFor_ = -1; }

  // Red, green and blue per output column, the even ones first.
  std::array<std::array<std::uint16_t, 2 * kScreenColumns>, 3> totals{};

 private:
  // Per column, how many of the pixels of its left and right halves show the ink.
  struct InkCounts {
    std::array<std::uint8_t, kScreenColumns> left;
    std::array<std::uint8_t, kScreenColumns> right;
  };

  // Eight bytes at a time, each byte's halves counted in its own lane (at
  // most 4 per row, so eight rows fit in a byte).
  InkCounts CountInk(const std::uint8_t* screen, int topRow, int bottomRow) const {
    constexpr std::size_t kWords = kScreenColumns / 8;
    std::array<std::uint64_t, kWords> left{}, right{};
    for (int y = topRow; y <= bottomRow; ++y) {
      const std::uint8_t* bytes = screen + tables_.rowStart[static_cast<std::size_t>(y)];
      for (std::size_t w = 0; w < kWords; ++w) {
        std::uint64_t bits;
        std::memcpy(&bits, bytes + 8 * w, sizeof bits);
        bits -= (bits >> 1) & 0x5555555555555555u;
        bits = (bits & 0x3333333333333333u) + ((bits >> 2) & 0x3333333333333333u);
        left[w] += (bits >> 4) & 0x0F0F0F0F0F0F0F0Fu;
        right[w] += bits & 0x0F0F0F0F0F0F0F0Fu;
      }
    }
    InkCounts counts;
    std::memcpy(counts.left.data(), left.data(), sizeof left);
    std::memcpy(counts.right.data(), right.data(), sizeof right);
    return counts;
  }

  // The paper and steps per column of the character row of screen row `y`,
  // unless its attributes are those of the row they were last worked out for.
  void TakeColours(const std::uint8_t* screen, int y) {
    coloursFor_ = y >> 3;
    const std::uint8_t* attributes = screen + tables_.attrOffset[tables_.rowStart[static_cast<std::size_t>(y)]];
    if (std::equal(attributes, attributes + kScreenColumns, attributes_.begin())) return;
    std::copy_n(attributes, kScreenColumns, attributes_.begin());
    for (std::size_t c = 0; c < kScreenColumns; ++c) {
      const AttributeColours::Colours& colours = kAttributeColours.colours[attributes[c]];
      for (std::size_t colour = 0; colour < 3; ++colour) {
        paper_[colour][c] = colours.paper[colour];
        step_[colour][c] = colours.step[colour];
      }
    }
  }

  const ScreenTables& tables_;
  int coloursFor_ = -1;                                    // the character row the colours are for
  std::array<std::uint8_t, kScreenColumns> attributes_{};  // the attributes they come from
  std::array<std::array<std::uint16_t, kScreenColumns>, 3> paper_{}, step_{};
};

}  // namespace

void DrawOverview(RenderTarget& target, int height, TFastDIB& overview) {
  const int rows = std::max(height, 0);
  OverviewScaler scaler(kMapWidth, rows, overview);
  const std::span<const std::uint8_t> screen = target.image.Range(ImageOffsetOf(kScreenAreaStart), kScreenAreaSize);
  if (!scaler.FourWide() || screen.size() < kScreenAreaSize) {
    RenderWholeLevel(target, rows, [&](int firstRow, const TFastDIB& window) {
      for (int r = 0; r < window.Height() && firstRow + r < rows; ++r) scaler.AddRow(firstRow + r, window.Row(r));
    });
    scaler.Finish(overview);
    return;
  }
  // As RenderWholeLevel, each window's rows summed from the screen area:
  // picture row 192 * k + r is screen row 191 - r of window k. The rows go
  // in runs that one character row holds and the same output rows take.
  ScreenGroupSums sums(target.tables);
  WholeLevelPass(target, rows, [&](WindowWalks& walks, int k, bool last) {
    walks.Draw(target, k, kWindowRows - 1, last);
    sums.Restart();
    const int windowStart = kWindowRows * k;
    const int windowRows = std::min(kWindowRows, rows - windowStart);
    for (int r = 0; r < windowRows;) {
      const int sameRows = scaler.SameRowsEnd(windowStart + r) - windowStart;
      const int end = std::min({(r / 8 + 1) * 8, windowRows, sameRows});
      sums.Take(screen.data(), kWindowRows - end, kWindowRows - 1 - r);
      scaler.AddGroupSums(windowStart + r, end - r, sums.totals[0].data(), sums.totals[1].data(),
                          sums.totals[2].data());
      r = end;
    }
    if (last) ConvertScreen(target);  // MapBitmap holds the last window, as it always has
  });
  scaler.Finish(overview);
}

void WalkOverview(RenderTarget& target, int height) {
  WholeLevelPass(target, std::max(height, 0), [&](WindowWalks& walks, int k, bool) { walks.Pass(target, k); });
}

void ScalePicture(const TFastDIB& picture, TFastDIB& overview) {
  OverviewScaler scaler(picture.Width(), picture.Height(), overview.Width(), overview.Height());
  for (int r = 0; r < picture.Height(); ++r) scaler.AddRow(r, picture.Row(r));
  scaler.Finish(overview);
}

Outcome RenderWholePicture(RenderTarget& target, int height, TFastDIB& picture) {
  if (height > kWholePictureMaxRows) {
    return Error{"The level is " + std::to_string(height) + " rows tall; a whole-level picture is limited to " +
                 std::to_string(kWholePictureMaxRows) + " rows."};
  }
  SavedWalkState saved(target.walk);
  picture.Resize(kMapWidth, std::max(height, 0));
  RenderTarget tall{target.image, target.place, target.walk, target.grid, target.tables, picture};
  tall.walk.wholeLevelMode = true;
  const int windows = WindowCount(height);
  WindowWalks walks(tall);
  for (int k = 0; k < windows; ++k) walks.Render(tall, k, kWindowRows - 1 + kWindowRows * k, k + 1 == windows);
  return Outcome::Done();
}

}  // namespace kestrova
