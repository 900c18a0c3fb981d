#include "app/controls.h"

#include <QPainter>
#include <QResizeEvent>

#include <algorithm>

namespace kestrova::app {

namespace {

constexpr QPoint kStatusTextPlace{2, 6};
constexpr int kStatusTextPoints = 14;

}  // namespace

UpDownControl::UpDownControl(const QString& name, int minimum, int maximum, QWidget* parent)
    : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this)), minimum_(minimum),
      maximum_(maximum), position_(minimum) {
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

StatusPanel::StatusPanel(const QString& name, QWidget* parent) : QStatusBar(parent) {
  setObjectName(name);
  setSizeGripEnabled(false);
}

void StatusPanel::SetText(const QString& text) {
  if (text == text_) return;
  text_ = text;
  update();
}

void StatusPanel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().color(QPalette::Button));
  QFont font = painter.font();
  font.setBold(true);
  font.setPointSize(kStatusTextPoints);
  painter.setFont(font);
  painter.setPen(Qt::black);
  // The place is that of the text's top-left corner in the bar.
  painter.drawText(QRect(kStatusTextPlace, size()), Qt::AlignLeft | Qt::AlignTop, text_);
}

}  // namespace kestrova::app
