#pragma once

#include <QHash>
#include <QLabel>
#include <QPixmap>
#include <QProxyStyle>
#include <QScrollBar>
#include <QStaticText>
#include <QStatusBar>
#include <QString>
#include <QToolButton>
#include <QWidget>

#include <string>

namespace kestrova::app {

// An up-down control: two arrow buttons over a position within a range.
// A click moves the position one step (kept within the range) and reports
// the new position; the owner shows whatever position the model then holds.
class UpDownControl : public QWidget {
  Q_OBJECT

 public:
  UpDownControl(const QString& name, int minimum, int maximum, QWidget* parent);
  int Position() const { return position_; }
  void SetPosition(int position) { position_ = position; }

 signals:
  void Clicked(int newPosition);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Step(int by);
  QToolButton* up_;
  QToolButton* down_;
  int minimum_;
  int maximum_;
  int position_;
};

// The status bar with its one owner-drawn panel: the panel's text in black,
// bold, 14 point at (2, 6) of the bar, over the button face colour. The
// text follows the pointer, so it is laid out once per change of what shows
// and repainted only where the old and the new text lie.
class StatusPanel : public QStatusBar {
  Q_OBJECT

 public:
  StatusPanel(const QString& name, QWidget* parent);
  // Compared as given: a move that leaves the text as it was costs no Qt string.
  void SetText(const std::string& text);
  // The lasting label at the bar's right end for a screen the next tape
  // carries, with its hint; an empty caption hides it.
  void SetHeldScreen(const std::string& caption, const std::string& hint);
  const QString& Text() const { return text_; }
  // What the bar shows: a message shown for a while, else the text.
  QString Shown() const { return currentMessage().isEmpty() ? text_ : currentMessage(); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  // Lays out what shows now and repaints where it was and where it is.
  void Relayout();
  QFont TextFont() const;

  std::string given_;
  QString text_;
  QStaticText shown_;                    // Shown(), laid out
  QHash<QString, QStaticText> laidOut_;  // the texts shown lately
  QRect shownBox_;                       // where it lies in the bar
  QLabel* heldScreen_;
  std::string heldCaption_, heldHint_;  // as last given: compared without building Qt strings
};

// The map's vertical scroll bar. A scroll step moves its thumb by a pixel
// or so: only where the thumb was and where it is now is painted again.
class MapScrollBar : public QScrollBar {
  Q_OBJECT

 public:
  explicit MapScrollBar(QWidget* parent);

 protected:
  void sliderChange(SliderChange change) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QRect ThumbRect() const;
  QRect thumb_;  // where the thumb is painted; none when not known
};

// The classic style of the map's scroll bar. Its dithered groove is costly
// to fill afresh on every move of the thumb, so it is painted once for the
// bar's size and colours and copied from then on: the same pixels.
class ClassicScrollBarStyle : public QProxyStyle {
 public:
  explicit ClassicScrollBarStyle(QObject* owner);
  void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                   const QWidget* widget) const override;

 private:
  // The groove as the classic style paints it over the whole widget (both
  // pages of it look alike).
  const QPixmap& Groove(ControlElement element, const QStyleOption& option, const QWidget& widget) const;

  struct GrooveKey {
    QSize pixels;
    qreal pixelRatio = 0;
    QRgb light = 0;
    QRgb window = 0;
    bool operator==(const GrooveKey&) const = default;
  };
  mutable GrooveKey grooveKey_;
  mutable QPixmap groove_;
};

}  // namespace kestrova::app
