// The tall map: which band the map view's state is kept for, the gestures
// on the tall map as the map view's handlers at that band's offset, and the
// tall picture, which shows the level without the map view's title banner.
#include <algorithm>
#include <cstring>

#include "editor/editor.h"

namespace kestrova {

namespace {

constexpr Pixel kFrameColour = 0xFFFFFF;

// A one-pixel frame just inside `frame`, with its top and bottom rows kept
// on the surface.
void DrawOverviewFrame(TFastDIB& overview, const Rect& frame) {
  const int top = std::clamp(frame.y, 0, overview.Height() - 1);
  const int bottom = std::clamp(frame.y + frame.height - 1, top, overview.Height() - 1);
  const int right = overview.Width() - 1;
  overview.Line(0, top, right + 1, top, kFrameColour);
  overview.Line(0, bottom, right + 1, bottom, kFrameColour);
  overview.Line(0, top, 0, bottom + 1, kFrameColour);
  overview.Line(right, top, right, bottom + 1, kFrameColour);
}

}  // namespace

void Editor::UseTallMap(const TallMap& map, int left, int top, int paletteTop) {
  tallInUse_ = true;
  tall_ = map;
  mapInWindow_ = {left, top, map.Width(), map.Height(), paletteTop};
  SettleFocus();
}

void Editor::UseMapViewOnly() {
  tallInUse_ = false;
  mapInWindow_ = MapInWindow{};
}

int Editor::FocusBand() const {
  // An offset set by another handler (a level chosen, an undo) may lie
  // below the focus band's place: the focus then moves down to where the
  // level's start is at or below the map's bottom.
  const int offset = state_.place.scrollOffset;
  int band = std::min(focusBand_, tall_.Bands() - 1);
  if (offset < kWindowRows * band) band = std::min(offset / kWindowRows, tall_.Bands() - 1);
  return std::max(band, 0);
}

int Editor::TallBottom() const { return state_.place.scrollOffset - kWindowRows * FocusBand(); }

void Editor::SettleFocus() { focusBand_ = FocusBand(); }

void Editor::FocusOnBand(int band) {
  SettleFocus();
  if (band == focusBand_) return;
  const int bottom = TallBottom();
  focusBand_ = band;
  state_.place.scrollOffset = bottom + kWindowRows * band;
  PlaceThumbAtOffset();
  Refresh();
}

MapPixel Editor::FocusOnTallPixel(int x, int y) {
  const BandPixel pixel = tall_.ViewPixelOf(x, y);
  FocusOnBand(pixel.band);
  return pixel.view;
}

void Editor::MovePointerOverTall(int x, int y) {
  if (!HasSnapshot()) return;
  const MapPixel view = FocusOnTallPixel(x, y);
  MovePointerOverMap(view.x, view.y);
}

void Editor::PressTall(MouseButton button, int x, int y) {
  if (!HasSnapshot()) return;
  const MapPixel view = FocusOnTallPixel(x, y);
  PressMap(button, view.x, view.y);
}

const TFastDIB& Editor::TallPicture() {
  SettleFocus();
  const TallDrawing now{view_.revisions.mapView, TallBottom(), focusBand_, tall_};
  if (tallDrawn_ == now) return tallPicture_;
  DrawTallPicture();
  tallDrawn_ = now;
  ++tallRevision_;
  return tallPicture_;
}

void Editor::DrawTallPicture() {
  if (tallPicture_.Width() != tall_.Width() || tallPicture_.Height() != tall_.Height()) {
    tallPicture_.Resize(tall_.Width(), tall_.Height());
  }
  if (!HasSnapshot()) return;
  // The bands besides the focus are drawn at their offsets into the screen
  // area too; it is given back as the focus band's refresh left it.
  const std::span<std::uint8_t> bytes = image_.MutableBytes();
  const std::size_t screenStart = ImageOffsetOf(kScreenAreaStart);
  ScreenBytes screen{};
  const bool keepsScreen = bytes.size() >= screenStart + kScreenAreaSize;
  if (keepsScreen) std::memcpy(screen.data(), bytes.data() + screenStart, kScreenAreaSize);
  if (bandMap_.Width() != kMapWidth) bandMap_.Resize(kMapWidth, kWindowRows);
  if (bandView_.Width() != kMapViewWidth) bandView_.Resize(kMapViewWidth, kMapViewHeight);

  LevelPlace place = state_.place;
  WalkMemory walk;
  RenderTarget target{image_, place, walk, bandGrid_, tables_, bandMap_, &bandUnder_};
  const int bottom = TallBottom();
  for (int band = 0; band < tall_.Bands(); ++band) {
    if (band == focusBand_) continue;
    place.scrollOffset = bottom + kWindowRows * band;
    walk = state_.walk;
    RenderMapView(target, bandView_, view_.showLandSpace);
    ShowUnderBanner(bandUnder_, topRows_);
    PutBand(bandView_, topRows_, tall_, band, tallPicture_);
  }
  if (keepsScreen) std::memcpy(bytes.data() + screenStart, screen.data(), kScreenAreaSize);
  ShowUnderBanner(underBanner_, topRows_);
  PutBand(viewBitmap_, topRows_, tall_, focusBand_, tallPicture_);
}

const TFastDIB& Editor::FramedOverview() {
  const Rect frame = TallOverviewFrame();
  const FrameDrawing now{view_.revisions.overview, frame.y, frame.height};
  if (frameDrawn_ == now) return framedOverview_;
  if (framedOverview_.Width() != overviewBitmap_.Width() || framedOverview_.Height() != overviewBitmap_.Height()) {
    framedOverview_.Resize(overviewBitmap_.Width(), overviewBitmap_.Height());
  }
  overviewBitmap_.CopyNearestTo(framedOverview_);
  DrawOverviewFrame(framedOverview_, frame);
  frameDrawn_ = now;
  ++framedRevision_;
  return framedOverview_;
}

}  // namespace kestrova
