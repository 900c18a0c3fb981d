#include "app/fast_img.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPaintEngine>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <optional>

namespace kestrova::app {

namespace {

constexpr int kWheelNotch = 120;  // eighths of a degree in one notch of a wheel

// TFastDIB pixels are 0x00RRGGBB; QImage::Format_RGB32 wants the top byte set.
constexpr Pixel kOpaque = 0xFF000000u;

// Rows never overlap, which lets the compiler copy many pixels at once.
void CopyRow(const Pixel* __restrict from, Pixel* __restrict to, int count) {
  for (int x = 0; x < count; ++x) to[x] = from[x] | kOpaque;
}

// The rectangle `part` of `surface` (y from the top) into `image` at `at`.
void CopyPart(const TFastDIB& surface, const QRect& part, QImage& image, QPoint at) {
  for (int y = 0; y < part.height(); ++y) {
    CopyRow(surface.RowTop(part.top() + y) + part.left(), reinterpret_cast<Pixel*>(image.scanLine(at.y() + y)) + at.x(),
            part.width());
  }
}

// The picture a painter paints on, when the surface's pixels can go there
// directly: an image of 32-bit opaque pixels, reached from the control by a
// whole-pixel shift alone (no scaling, no opacity, no other composition).
struct ScreenImage {
  QImage* image = nullptr;
  QPoint shift;     // from control pixels to image pixels
  QRegion allowed;  // the image pixels the painter may paint, by its clips
};

std::optional<ScreenImage> ScreenImageOf(QPainter& painter) {
  QPaintEngine* engine = painter.paintEngine();
  QPaintDevice* device = engine != nullptr ? engine->paintDevice() : nullptr;
  if (device == nullptr || device->devType() != QInternal::Image) return std::nullopt;
  auto* image = static_cast<QImage*>(device);
  const bool opaqueFormat =
      image->format() == QImage::Format_RGB32 || image->format() == QImage::Format_ARGB32_Premultiplied;
  // A shared image would be copied by the first write; its painter would
  // then paint on the old pixels.
  if (!opaqueFormat || !image->isDetached()) return std::nullopt;
  const QTransform& transform = painter.deviceTransform();
  if (transform.type() != QTransform::TxTranslate || transform.dx() != std::trunc(transform.dx()) ||
      transform.dy() != std::trunc(transform.dy())) {
    return std::nullopt;
  }
  if (painter.opacity() != 1.0 || painter.compositionMode() != QPainter::CompositionMode_SourceOver) {
    return std::nullopt;
  }
  ScreenImage screen{image, QPoint(static_cast<int>(transform.dx()), static_cast<int>(transform.dy())),
                     QRegion(image->rect())};
  if (!engine->systemClip().isEmpty()) screen.allowed &= engine->systemClip();
  if (painter.hasClipping()) screen.allowed &= painter.clipRegion().translated(screen.shift);
  return screen;
}

// Rows go through a strip that stays in the processor's cache when the
// painter's picture cannot take them directly.
constexpr int kStripPixels = 8192;

}  // namespace

QImage ImageOf(const TFastDIB& surface) {
  QImage image(surface.Width(), surface.Height(), QImage::Format_RGB32);
  CopyPart(surface, QRect(0, 0, surface.Width(), surface.Height()), image, QPoint(0, 0));
  return image;
}

TFastIMG::TFastIMG(const QString& name, QSize size, QWidget* parent) : QWidget(parent) {
  setObjectName(name);
  setFixedSize(size);
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void TFastIMG::ShowSurface(const TFastDIB& surface, unsigned revision) {
  if (surface_ == &surface && revision == revision_) return;
  surface_ = &surface;
  revision_ = revision;
  // The control takes its picture's size (the drag picture's changes with
  // every pick).
  if (size() != QSize(surface.Width(), surface.Height())) setFixedSize(surface.Width(), surface.Height());
  update();
}

void TFastIMG::ShowMarker(const QRect& marker) {
  if (marker == marker_) return;
  if (!marker_.isEmpty()) update(marker_);
  marker_ = marker;
  if (!marker_.isEmpty()) update(marker_);
}

QImage TFastIMG::Picture() const { return surface_ != nullptr ? ImageOf(*surface_) : QImage(); }

void TFastIMG::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  // No smoothing: at a device pixel ratio above 1 every picture pixel
  // becomes a block of device pixels of one colour.
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  const QRect picture = surface_ != nullptr ? QRect(0, 0, surface_->Width(), surface_->Height()) : QRect();
  // Anything the picture does not cover (nothing, once the control has the
  // picture's size) is black.
  for (const QRect& bare : event->region().subtracted(picture)) painter.fillRect(bare, Qt::black);
  const QRegion asked = event->region() & picture;
  if (const std::optional<ScreenImage> screen = ScreenImageOf(painter)) {
    for (const QRect& target : asked.translated(screen->shift) & screen->allowed) {
      CopyPart(*surface_, target.translated(-screen->shift), *screen->image, target.topLeft());
    }
  } else {
    for (const QRect& part : asked) PaintThroughStrips(painter, part);
  }
  if (!marker_.isEmpty()) PaintMarker(painter);
}

void TFastIMG::PaintMarker(QPainter& painter) {
  // Black outside, white inside: it shows on any colour of the map.
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(Qt::black, 0));
  painter.drawRect(marker_.adjusted(0, 0, -1, -1));
  painter.setPen(QPen(Qt::white, 0));
  painter.drawRect(marker_.adjusted(1, 1, -2, -2));
}

void TFastIMG::PaintThroughStrips(QPainter& painter, const QRect& part) {
  const int stripRows = std::max(1, kStripPixels / part.width());
  if (strip_.width() < part.width() || strip_.height() < stripRows) {
    strip_ = QImage(std::max(strip_.width(), part.width()), std::max(strip_.height(), stripRows), QImage::Format_RGB32);
  }
  for (int top = part.top(); top <= part.bottom(); top += stripRows) {
    const QRect rows(part.left(), top, part.width(), std::min(stripRows, part.bottom() + 1 - top));
    CopyPart(*surface_, rows, strip_, QPoint(0, 0));
    painter.drawImage(rows.topLeft(), strip_, QRect(QPoint(0, 0), rows.size()));
  }
}

void TFastIMG::mousePressEvent(QMouseEvent* event) { emit Pressed(event->button(), event->position().toPoint()); }

void TFastIMG::mouseMoveEvent(QMouseEvent* event) { emit Moved(event->position().toPoint(), event->buttons()); }

void TFastIMG::mouseReleaseEvent(QMouseEvent* event) { emit Released(event->button(), event->position().toPoint()); }

void TFastIMG::wheelEvent(QWheelEvent* event) {
  // A fine-grained wheel or touch pad sends small steps; they count once
  // they add up to a whole notch.
  wheelRemainder_ += event->angleDelta().y();
  const int notches = wheelRemainder_ / kWheelNotch;
  wheelRemainder_ -= notches * kWheelNotch;
  if (notches != 0) emit WheelTurned(notches, event->modifiers());
  event->accept();
}

void TFastIMG::contextMenuEvent(QContextMenuEvent* event) {
  emit ContextMenuAsked(event->globalPos());
  event->accept();
}

}  // namespace kestrova::app
