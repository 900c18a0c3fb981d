#include "app/fast_img.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <cstring>

namespace kestrova::app {

namespace {

constexpr int kWheelNotch = 120;  // eighths of a degree in one notch of a wheel

// TFastDIB pixels are 0x00RRGGBB; QImage::Format_RGB32 wants the top byte set.
constexpr Pixel kOpaque = 0xFF000000u;

// Rows never overlap, which lets the compiler copy many pixels at once.
void CopyRow(const Pixel* __restrict from, Pixel* __restrict to, int count) {
  for (int x = 0; x < count; ++x) to[x] = from[x] | kOpaque;
}

void CopyInto(const TFastDIB& surface, QImage& image) {
  const int width = surface.Width();
  uchar* bits = image.bits();
  const qsizetype stride = image.bytesPerLine();
  for (int y = 0; y < surface.Height(); ++y) {
    CopyRow(surface.RowTop(y), reinterpret_cast<Pixel*>(bits + y * stride), width);
  }
}

}  // namespace

QImage ImageOf(const TFastDIB& surface) {
  QImage image(surface.Width(), surface.Height(), QImage::Format_RGB32);
  CopyInto(surface, image);
  return image;
}

TFastIMG::TFastIMG(const QString& name, QSize size, QWidget* parent) : QWidget(parent) {
  setObjectName(name);
  setFixedSize(size);
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void TFastIMG::ShowSurface(const TFastDIB& surface, unsigned revision) {
  if (shown_ && revision == revision_) return;
  shown_ = true;
  revision_ = revision;
  if (picture_.width() != surface.Width() || picture_.height() != surface.Height()) {
    picture_ = QImage(surface.Width(), surface.Height(), QImage::Format_RGB32);
    // The control takes its picture's size (the drag picture's changes with
    // every pick).
    setFixedSize(surface.Width(), surface.Height());
  }
  CopyInto(surface, picture_);
  update();
}

void TFastIMG::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  // No smoothing: at a device pixel ratio above 1 every picture pixel
  // becomes a block of device pixels of one colour.
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  if (picture_.isNull()) {
    painter.fillRect(event->rect(), Qt::black);
    return;
  }
  // The picture covers the control: only the part to repaint is copied.
  painter.drawImage(event->rect().topLeft(), picture_, event->rect());
}

void TFastIMG::mousePressEvent(QMouseEvent* event) {
  emit Pressed(event->button(), event->position().toPoint());
}

void TFastIMG::mouseMoveEvent(QMouseEvent* event) { emit Moved(event->position().toPoint(), event->buttons()); }

void TFastIMG::mouseReleaseEvent(QMouseEvent* event) {
  emit Released(event->button(), event->position().toPoint());
}

void TFastIMG::wheelEvent(QWheelEvent* event) {
  // A fine-grained wheel or touch pad sends small steps; they count once
  // they add up to a whole notch.
  wheelRemainder_ += event->angleDelta().y();
  const int notches = wheelRemainder_ / kWheelNotch;
  wheelRemainder_ -= notches * kWheelNotch;
  if (notches != 0) emit WheelTurned(notches);
  event->accept();
}

void TFastIMG::contextMenuEvent(QContextMenuEvent* event) {
  emit ContextMenuAsked(event->globalPos());
  event->accept();
}

}  // namespace kestrova::app
