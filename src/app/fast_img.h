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

  // Takes the surface's picture, and its size, when `revision` differs from
  // the one shown, and repaints only then.
  void ShowSurface(const TFastDIB& surface, unsigned revision);
  // The picture as shown (top row first).
  const QImage& Picture() const { return picture_; }

 signals:
  void Pressed(Qt::MouseButton button, QPoint position);
  void Moved(QPoint position, Qt::MouseButtons buttons);
  void Released(Qt::MouseButton button, QPoint position);
  // A whole wheel notch (or several) turned over the control; positive away
  // from the user.
  void WheelTurned(int notches);
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
  QImage picture_;
  unsigned revision_ = 0;
  bool shown_ = false;
  int wheelRemainder_ = 0;  // eighths of a degree not yet a whole notch
};

// The surface as a QImage, top row first.
QImage ImageOf(const TFastDIB& surface);

}  // namespace kestrova::app
