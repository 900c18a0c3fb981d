#include "app/controls.h"

#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QStyleFactory>
#include <QStyleOption>

#include <algorithm>

namespace kestrova::app {

namespace {

constexpr QPoint kStatusTextPlace{2, 6};
constexpr int kStatusTextPoints = 14;
constexpr qsizetype kLaidOutTexts = 64;
constexpr int kLabelGap = 8;

}  // namespace

UpDownControl::UpDownControl(const QString& name, int minimum, int maximum, QWidget* parent)
    : QWidget(parent),
      up_(new QToolButton(this)),
      down_(new QToolButton(this)),
      minimum_(minimum),
      maximum_(maximum),
      position_(minimum) {
  setObjectName(name);
  up_->setObjectName(name + "Up");
  down_->setObjectName(name + "Down");
  up_->setArrowType(Qt::UpArrow);
  down_->setArrowType(Qt::DownArrow);
  for (QToolButton* button : {up_, down_}) {
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoRepeat(true);
  }
  connect(up_, &QToolButton::clicked, this, [this] { Step(1); });
  connect(down_, &QToolButton::clicked, this, [this] { Step(-1); });
}

void UpDownControl::Step(int by) { emit Clicked(std::clamp(position_ + by, minimum_, maximum_)); }

void UpDownControl::resizeEvent(QResizeEvent* event) {
  const int half = event->size().height() / 2;
  up_->setGeometry(0, 0, event->size().width(), half);
  down_->setGeometry(0, half, event->size().width(), event->size().height() - half);
}

StatusPanel::StatusPanel(const QString& name, QWidget* parent) : QStatusBar(parent), heldScreen_(new QLabel(this)) {
  setObjectName(name);
  setSizeGripEnabled(false);
  heldScreen_->setObjectName("HeldScreenLabel");
  heldScreen_->hide();
  addPermanentWidget(heldScreen_);
  // It fills all it paints: nothing under it need be painted first.
  setAttribute(Qt::WA_OpaquePaintEvent);
  // A message shown for a while (a refusal) is painted over the text.
  connect(this, &QStatusBar::messageChanged, this, [this] { Relayout(); });
}

void StatusPanel::SetText(const std::string& text) {
  if (text == given_) return;
  given_ = text;
  text_ = QString::fromStdString(text);
  Relayout();
}

QFont StatusPanel::TextFont() const {
  QFont bold = font();
  bold.setBold(true);
  bold.setPointSize(kStatusTextPoints);
  return bold;
}

void StatusPanel::Relayout() {
  const QString shown = Shown();
  const QRect before = shownBox_;
  if (shown != shown_.text()) {
    // The pointer goes back and forth over a few kinds of object: each of
    // their texts is laid out once.
    auto known = laidOut_.constFind(shown);
    if (known == laidOut_.cend()) {
      if (laidOut_.size() >= kLaidOutTexts) laidOut_.clear();
      QStaticText text(shown);
      text.setTextFormat(Qt::PlainText);
      text.prepare(QTransform(), TextFont());
      known = laidOut_.insert(shown, text);
    }
    shown_ = *known;
  }
  shownBox_ = shown.isEmpty() ? QRect() : QRect(kStatusTextPlace, shown_.size().toSize() + QSize(1, 1));
  update(QRegion(before) | shownBox_);
}

void StatusPanel::changeEvent(QEvent* event) {
  QStatusBar::changeEvent(event);
  // Laid out in the font it had: a new font lays it out again.
  if (event->type() == QEvent::FontChange) {
    laidOut_.clear();
    shown_ = QStaticText();
    Relayout();
  }
}

void StatusPanel::SetHeldScreen(const std::string& caption, const std::string& hint) {
  if (caption == heldCaption_ && hint == heldHint_) return;
  heldCaption_ = caption;
  heldHint_ = hint;
  heldScreen_->setText(QString::fromStdString(caption));
  heldScreen_->setToolTip(QString::fromStdString(hint));
  heldScreen_->setVisible(!caption.empty());
}

void StatusPanel::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.fillRect(event->rect(), palette().color(QPalette::Button));
  if (!event->rect().intersects(shownBox_)) return;
  // A long text stops short of the held screen's label: both stay readable.
  if (heldScreen_->isVisible()) painter.setClipRect(QRect(0, 0, heldScreen_->x() - kLabelGap, height()));
  painter.setFont(TextFont());
  painter.setPen(Qt::black);
  // The place is that of the text's top-left corner in the bar.
  painter.drawStaticText(kStatusTextPlace, shown_);
}

MapScrollBar::MapScrollBar(QWidget* parent) : QScrollBar(Qt::Vertical, parent) {}

QRect MapScrollBar::ThumbRect() const {
  QStyleOptionSlider option;
  initStyleOption(&option);
  return style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, this);
}

void MapScrollBar::sliderChange(SliderChange change) {
  const QRect now = ThumbRect();
  // A new value moves the thumb alone; a new range or step may change the
  // whole bar.
  if (change == SliderValueChange && thumb_.isValid()) {
    if (now != thumb_) update(QRegion(thumb_) | now);
  } else {
    QScrollBar::sliderChange(change);
  }
  thumb_ = now;
}

void MapScrollBar::resizeEvent(QResizeEvent* event) {
  QScrollBar::resizeEvent(event);
  thumb_ = QRect();
}

ClassicScrollBarStyle::ClassicScrollBarStyle(QObject* owner) : QProxyStyle(QStyleFactory::create("Windows")) {
  setParent(owner);
}

void ClassicScrollBarStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                                        const QWidget* widget) const {
  // A pressed page is drawn darker, and rarely: the classic style paints it.
  const bool groove = element == CE_ScrollBarAddPage || element == CE_ScrollBarSubPage;
  if (!groove || widget == nullptr || (option->state & State_Sunken)) {
    QProxyStyle::drawControl(element, option, painter, widget);
    return;
  }
  const QPixmap& picture = Groove(element, *option, *widget);
  const qreal ratio = picture.devicePixelRatio();
  painter->drawPixmap(QRectF(option->rect), picture,
                      QRectF(QPointF(option->rect.topLeft()) * ratio, QSizeF(option->rect.size()) * ratio));
}

const QPixmap& ClassicScrollBarStyle::Groove(ControlElement element, const QStyleOption& option,
                                             const QWidget& widget) const {
  const qreal ratio = widget.devicePixelRatio();
  const GrooveKey key{widget.size() * ratio, ratio, option.palette.light().color().rgb(),
                      option.palette.window().color().rgb()};
  if (groove_.isNull() || !(key == grooveKey_)) {
    grooveKey_ = key;
    groove_ = QPixmap(key.pixels);
    groove_.setDevicePixelRatio(ratio);
    QPainter painter(&groove_);
    QStyleOption whole(option);  // the classic style reads only the plain option here
    whole.rect = widget.rect();
    QProxyStyle::drawControl(element, &whole, &painter, &widget);
  }
  return groove_;
}

}  // namespace kestrova::app
