#include "editor/tall_map.h"

#include <algorithm>
#include <cstring>

#include "render/renderer.h"

namespace kestrova {

namespace {

// Division rounding towards minus infinity: a pointer above or left of the
// map maps to negative view pixels, as it does on the map view.
constexpr int FloorDiv(int a, int b) { return a / b - ((a % b != 0 && (a < 0) != (b < 0)) ? 1 : 0); }

}  // namespace

TallMap::TallMap(int zoom, int bands)
    : zoom_(std::clamp(zoom, kSmallestZoom, kLargestZoom)),
      bands_(std::max(bands, 1)),
      height_(BandHeight() * bands_) {}

TallMap TallMap::Filling(int zoom, int height) {
  TallMap map(zoom, BandsFor(height, zoom));
  map.height_ = std::clamp(height, 1, map.height_);
  return map;
}

int TallMap::BandOf(int y) const {
  return std::clamp(bands_ - 1 - FloorDiv(y + HiddenHeight(), BandHeight()), 0, bands_ - 1);
}

BandPixel TallMap::ViewPixelOf(int x, int y) const {
  const int band = BandOf(y);
  // Above the map the rows count from its top edge, not from the hidden top
  // of a cut band, so that the pointer is above the view there too.
  const int fromTop = y < 0 ? y : y - BandTop(band);
  return {band, {FloorDiv(kMapScale * x, zoom_), FloorDiv(kMapScale * fromTop, zoom_)}};
}

int TallMap::HighestBottom(int levelHeight) const { return std::max(0, levelHeight - RowsShown()); }

int TallMap::ClampedBottom(std::int64_t bottom, int levelHeight) const {
  return static_cast<int>(std::clamp<std::int64_t>(bottom, 0, HighestBottom(levelHeight)));
}

Rect TallMap::OverviewFrame(int bottom, int levelHeight, int overviewHeight) const {
  if (levelHeight <= 0) return {0, 0, kOverviewWidth, overviewHeight};
  // Overview row of level row r: the level's far end at the top.
  const auto rowOf = [&](std::int64_t levelRow) {
    const std::int64_t y = (static_cast<std::int64_t>(levelHeight) - levelRow) * overviewHeight / levelHeight;
    return static_cast<int>(std::clamp<std::int64_t>(y, 0, overviewHeight));
  };
  const int top = rowOf(static_cast<std::int64_t>(bottom) + RowsShown());
  const int end = rowOf(bottom);
  return {0, top, kOverviewWidth, end - top};
}

int TallMap::BottomForOverviewRow(int y, int levelHeight, int overviewHeight) const {
  const std::int64_t levelRow = levelHeight - RowsBelowFarEnd(y, levelHeight, overviewHeight);
  return ClampedBottom(levelRow - RowsShown() / 2, levelHeight);
}

int TallMap::BandsFor(int height, int zoom) {
  const int bandHeight = kWindowRows * std::clamp(zoom, kSmallestZoom, kLargestZoom);
  return std::max(1, (height + bandHeight - 1) / bandHeight);
}

int TallMap::ZoomedBy(int zoom, int steps) { return std::clamp(zoom + steps, kSmallestZoom, kLargestZoom); }

void PutBand(const TFastDIB& view, const TFastDIB& topRows, const TallMap& map, int band, TFastDIB& picture) {
  const int zoom = map.Zoom();
  const int top = map.BandTop(band);
  const std::size_t rowBytes = static_cast<std::size_t>(map.Width()) * sizeof(Pixel);
  // The Spectrum rows of the band from the first whose last copy shows.
  for (int row = std::max(0, FloorDiv(-top, zoom)); row < kWindowRows; ++row) {
    // The view doubles every Spectrum pixel: its even rows and columns hold each once.
    const Pixel* from = (row < kBannerRows ? topRows : view).RowTop(kMapScale * row);
    const int firstCopy = std::max(top + zoom * row, 0);
    const int end = std::min(top + zoom * (row + 1), map.Height());
    if (firstCopy >= end) continue;
    Pixel* first = picture.RowTop(firstCopy);
    if (zoom == kMapScale) {
      std::memcpy(first, from, rowBytes);
    } else {
      for (int column = 0; column < kMapWidth; ++column)
        std::fill_n(first + zoom * column, zoom, from[kMapScale * column]);
    }
    for (int copy = firstCopy + 1; copy < end; ++copy) std::memcpy(picture.RowTop(copy), first, rowBytes);
  }
}

}  // namespace kestrova
