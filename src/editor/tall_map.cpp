#include "editor/tall_map.h"

#include <algorithm>
#include <cstring>

namespace kestrova {

namespace {

// Division rounding towards minus infinity: a pointer above or left of the
// map maps to negative view pixels, as it does on the map view.
constexpr int FloorDiv(int a, int b) { return a / b - ((a % b != 0 && (a < 0) != (b < 0)) ? 1 : 0); }

}  // namespace

TallMap::TallMap(int zoom, int bands)
    : zoom_(std::clamp(zoom, kSmallestZoom, kLargestZoom)), bands_(std::max(bands, 1)) {}

int TallMap::BandOf(int y) const { return std::clamp(bands_ - 1 - FloorDiv(y, BandHeight()), 0, bands_ - 1); }

BandPixel TallMap::ViewPixelOf(int x, int y) const {
  const int band = BandOf(y);
  return {band, {FloorDiv(kMapScale * x, zoom_), FloorDiv(kMapScale * (y - BandTop(band)), zoom_)}};
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
  const int z = std::clamp(zoom, kSmallestZoom, kLargestZoom);
  return std::max(1, height / (kWindowRows * z));
}

int TallMap::ZoomedBy(int zoom, int steps) { return std::clamp(zoom + steps, kSmallestZoom, kLargestZoom); }

void PutBand(const TFastDIB& view, const TallMap& map, int band, TFastDIB& picture) {
  const int zoom = map.Zoom();
  const int top = map.BandTop(band);
  const std::size_t rowBytes = static_cast<std::size_t>(map.Width()) * sizeof(Pixel);
  for (int row = 0; row < kWindowRows; ++row) {
    // The view doubles every Spectrum pixel: its even rows and columns hold each once.
    const Pixel* from = view.RowTop(kMapScale * row);
    Pixel* first = picture.RowTop(top + zoom * row);
    if (zoom == kMapScale) {
      std::memcpy(first, from, rowBytes);
    } else {
      for (int column = 0; column < kMapWidth; ++column)
        std::fill_n(first + zoom * column, zoom, from[kMapScale * column]);
    }
    for (int copy = 1; copy < zoom; ++copy) std::memcpy(picture.RowTop(top + zoom * row + copy), first, rowBytes);
  }
}

}  // namespace kestrova
