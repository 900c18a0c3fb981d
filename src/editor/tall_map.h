#pragma once

#include <algorithm>
#include <cstdint>

#include "render/map_geometry.h"
#include "surface/fast_dib.h"

namespace kestrova {

// The tall map: the resizable window's map, a stack of bands that each show
// exactly the 512 x 384 map view at a scroll offset of its own.
//
//   Band 0 is the bottom band. Band k shows the map view at scroll offset
//   B + 192 k, where B, the bottom offset, is the level row at the bottom of
//   the tall map. Level rows grow upward, so higher bands show later parts
//   of the level.
//
// At zoom z every Spectrum pixel is z x z pixels, so a band is 256 z wide
// and 192 z high. The map is as high as the room it has: band 0 stands on
// its bottom edge, and as many bands are stacked as it takes to reach its
// top edge, so the top band may be cut off there, its top rows hidden above
// the map. Tall-map pixel (X, Y) of band k (Y from the map's top) is pixel
// (floor(2 X / z), floor(2 Y' / z)) of that band's map view, Y' being Y less
// the band's top, which for a cut top band lies above the map (a negative
// map row). A pointer below the map belongs to band 0, where it lies below
// that band's view just as it lies below the map; one above the map belongs
// to the top band, its view row counted from the map's top edge, so that it
// lies above the view just as it lies above the map (a drag there scrolls).
//
// Zoom, band count and limits are plain geometry; which band the Editor
// keeps its state for (the focus band) is the Editor's.
inline constexpr int kSmallestZoom = 1;
inline constexpr int kLargestZoom = 4;
inline constexpr int kActualSizeZoom = kMapScale;  // what "Actual Size" goes back to: the map view's own scale

// Rows the wheel scrolls per wheel-scroll line, on the map view and the tall map alike.
inline constexpr int kWheelRowsPerLine = 10;
// A page leaves this many rows of the last page in sight, as a page of the
// map view's scroll bar does.
inline constexpr int kPageOverlapRows = kWindowRows - kMapViewPageRows;

// A pixel of the tall map as the map view of one band sees it.
struct BandPixel {
  int band = 0;
  MapPixel view;
};

class TallMap {
 public:
  constexpr TallMap() = default;
  // Zoom within 1..4, at least one band, each band whole.
  TallMap(int zoom, int bands);
  // The map that fills `height` map pixels at `zoom` (at least one pixel
  // high): the bands it takes to reach the top, the top one perhaps cut.
  static TallMap Filling(int zoom, int height);

  int Zoom() const { return zoom_; }
  int Bands() const { return bands_; }
  int Width() const { return kMapWidth * zoom_; }
  int BandHeight() const { return kWindowRows * zoom_; }
  int Height() const { return height_; }
  // The map pixels of the top band that lie above the map's top edge.
  int HiddenHeight() const { return BandHeight() * bands_ - height_; }
  // Level rows in sight at once: the whole Spectrum rows the map's height
  // holds (those of a cut top band counted as far as they show).
  int RowsShown() const { return height_ / zoom_; }

  // The band a pointer at map row y is over: above the map the top band,
  // below it band 0.
  int BandOf(int y) const;
  // The map row of a band's top (negative for a cut top band).
  int BandTop(int band) const { return (bands_ - 1 - band) * BandHeight() - HiddenHeight(); }
  // The band under map pixel (x, y) and the view pixel it is there.
  BandPixel ViewPixelOf(int x, int y) const;

  // The bottom offset goes from 0 up to the last place where the level's
  // far end is still at or above the map's top.
  int HighestBottom(int levelHeight) const;
  int ClampedBottom(std::int64_t bottom, int levelHeight) const;
  // The scroll step of `pages` pages (positive towards the level's far end).
  int PageRows() const { return std::max(RowsShown() - kPageOverlapRows, 1); }

  // The overview frame around rows bottom .. bottom + RowsShown() - 1 of a
  // level of `levelHeight` rows, in the overview's pixels (64 x overviewHeight).
  Rect OverviewFrame(int bottom, int levelHeight, int overviewHeight) const;
  // A press or drag at overview row y: the bottom offset that brings the
  // row's place in the level to the middle of the tall map, as the map view
  // brings it to its middle, kept within the limits.
  int BottomForOverviewRow(int y, int levelHeight, int overviewHeight) const;

  // How many bands it takes to fill `height` pixels at `zoom` (never fewer than one).
  static int BandsFor(int height, int zoom);
  // A zoom `steps` steps on from `zoom`, within 1..4.
  static int ZoomedBy(int zoom, int steps);

  bool operator==(const TallMap&) const = default;

 private:
  int zoom_ = kActualSizeZoom;
  int bands_ = 1;
  int height_ = kWindowRows * kActualSizeZoom;
};

// The map view `view` (512 x 384) at the zoom of `map` into band `band` of
// `picture` (map.Width() x map.Height()): each Spectrum pixel a block of
// zoom x zoom pixels; the rows of a cut top band above the map are left out.
// The view's top 16 rows, where the title banner is, come from `topRows`
// (512 x 16) instead: the tall map shows the level alone, as the whole-level
// picture does.
void PutBand(const TFastDIB& view, const TFastDIB& topRows, const TallMap& map, int band, TFastDIB& picture);

}  // namespace kestrova
