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
  // A message shown for a while (a refusal) is painted over the text.
  connect(this, &QStatusBar::messageChanged, this, [this] { update(); });
}

void StatusPanel::SetText(const QString& text) {
  if (text == text_) return;
  text_ = text;
  update();
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
  // The bar shares its top row with the map's scroll bar, which repaints on
  // every scroll step: the text is laid out only when the part to repaint
  // reaches it.
  const QRect textBox(kStatusTextPlace, size());
  if (!event->rect().intersects(textBox)) return;
  QFont font = painter.font();
  font.setBold(true);
  font.setPointSize(kStatusTextPoints);
  painter.setFont(font);
  painter.setPen(Qt::black);
  // The place is that of the text's top-left corner in the bar.
  painter.drawText(textBox, Qt::AlignLeft | Qt::AlignTop, Shown());
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
