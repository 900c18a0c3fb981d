#pragma once

#include <QImage>
#include <QPoint>
#include <QWidget>

#include "surface/fast_dib.h"

namespace kestrova::app {

// An image control that shows a TFastDIB 1:1, pixel-exact at any device
// pixel ratio, and hands mouse presses, moves and releases with
// control-relative positions to its owner. While a button is held the
// control keeps the mouse (Qt's implicit grab), so moves and the release
// arrive even outside it.
class TFastIMG : public QWidget {
  Q_OBJECT

 public:
  TFastIMG(const QString& name, QSize size, QWidget* parent);

  // Shows `surface`, which must live as long as the control shows it: its
  // pixels are read when the control paints, without a copy of its own. The
  // control takes the surface's size, and repaints when `revision` differs
  // from the one shown.
  void ShowSurface(const TFastDIB& surface, unsigned revision);
  unsigned ShownRevision() const { return revision_; }
  // The picture the control paints (top row first).
  QImage Picture() const;
  // An outline drawn over the picture, never into it (the drop marker); an
  // empty rectangle for none.
  void ShowMarker(const QRect& marker);
  QRect Marker() const { return marker_; }

 signals:
  void Pressed(Qt::MouseButton button, QPoint position);
  void Moved(QPoint position, Qt::MouseButtons buttons);
  void Released(Qt::MouseButton button, QPoint position);
  // A whole wheel notch (or several) turned over the control; positive away
  // from the user.
  void WheelTurned(int notches, Qt::KeyboardModifiers modifiers);
  // The platform asked for the control's context menu (after a right press).
  void ContextMenuAsked(QPoint globalPosition);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void PaintThroughStrips(QPainter& painter, const QRect& part);
  void PaintMarker(QPainter& painter);

  const TFastDIB* surface_ = nullptr;
  unsigned revision_ = 0;
  QRect marker_;
  QImage strip_;            // a few rows on their way to the painter
  int wheelRemainder_ = 0;  // eighths of a degree not yet a whole notch
};

// The surface as a QImage, top row first.
QImage ImageOf(const TFastDIB& surface);

}  // namespace kestrova::app
