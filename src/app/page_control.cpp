#include "app/page_control.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>

namespace kestrova::app {

namespace {

constexpr int kTabPadding = 6;  // each side of a caption
constexpr int kPageMargin = 4;  // between the pane's edge and a page
constexpr int kRaise = 2;       // how much taller the current tab stands

}  // namespace

PageControl::PageControl(const QString& name, QWidget* parent) : QWidget(parent), pages_(new QStackedWidget(this)) {
  setObjectName(name);
  setFocusPolicy(Qt::StrongFocus);
}

void PageControl::AddPage(QWidget* page, const QString& caption) {
  pages_->addWidget(page);
  tabs_.push_back({caption, 0, QRect()});
  Layout();
}

void PageControl::SetCurrent(int index) {
  if (index == Current()) return;
  pages_->setCurrentIndex(index);
  Layout();
}

int PageControl::TabHeight() const { return fontMetrics().height() + kTabPadding; }

int PageControl::RowCount() const { return tabs_.empty() ? 0 : tabs_.back().row + 1; }

QRect PageControl::PaneRect() const {
  const int top = RowCount() * TabHeight();
  return {0, top, width(), height() - top};
}

// Tabs fill rows in page order; each row is stretched to the full width,
// and the rows turn round so that the current tab's row comes last.
void PageControl::Layout() {
  std::vector<std::vector<std::size_t>> rows(1);
  int used = 0;
  for (std::size_t i = 0; i < tabs_.size(); ++i) {
    const int natural = fontMetrics().horizontalAdvance(tabs_[i].caption) + 2 * kTabPadding;
    if (!rows.back().empty() && used + natural > width()) {
      rows.emplace_back();
      used = 0;
    }
    rows.back().push_back(i);
    tabs_[i].row = static_cast<int>(rows.size()) - 1;
    tabs_[i].rect.setWidth(natural);
    used += natural;
  }
  const int count = static_cast<int>(rows.size());
  const int currentRow = Current() >= 0 ? tabs_[static_cast<std::size_t>(Current())].row : count - 1;
  for (int row = 0; row < count; ++row) {
    const std::vector<std::size_t>& members = rows[static_cast<std::size_t>(row)];
    int natural = 0;
    for (std::size_t i : members) natural += tabs_[i].rect.width();
    const int extra = std::max(0, width() - natural);
    const int n = static_cast<int>(members.size());
    const int top = ((row + count - 1 - currentRow) % count) * TabHeight();
    int left = 0;
    for (int k = 0; k < n; ++k) {
      Tab& tab = tabs_[members[static_cast<std::size_t>(k)]];
      const int tabWidth = tab.rect.width() + extra * (k + 1) / n - extra * k / n;
      tab.rect = QRect(left, top, tabWidth, TabHeight());
      left += tabWidth;
    }
  }
  pages_->setGeometry(PaneRect().adjusted(kPageMargin, kPageMargin, -kPageMargin, -kPageMargin));
  update();
}

// Drawn the classic way: each tab a raised card, the current one a little
// taller and open into the pane below it.
void PageControl::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QPalette& colours = palette();
  const QRect pane = PaneRect().adjusted(0, 0, -1, -1);
  painter.fillRect(pane, colours.window());
  painter.setPen(colours.color(QPalette::Mid));
  painter.drawRect(pane);

  const auto draw = [&](int index) {
    const Tab& tab = tabs_[static_cast<std::size_t>(index)];
    const bool current = index == Current();
    const QRect card = tab.rect.adjusted(0, current ? 0 : kRaise, -1, current ? 1 : 0);
    painter.fillRect(card, current ? colours.window() : colours.button());
    painter.setPen(colours.color(QPalette::Mid));
    painter.drawLine(card.bottomLeft(), card.topLeft());
    painter.drawLine(card.topLeft(), card.topRight());
    painter.drawLine(card.topRight(), card.bottomRight());
    if (!current) painter.drawLine(card.bottomLeft(), card.bottomRight());
    painter.setPen(colours.color(QPalette::WindowText));
    const QRect text = card.adjusted(0, current ? 0 : -kRaise / 2, 0, current ? -1 : 0);
    painter.drawText(text, Qt::AlignCenter, tab.caption);
    if (current && hasFocus()) {
      QStyleOptionFocusRect focus;
      focus.initFrom(this);
      focus.rect = painter.boundingRect(text, Qt::AlignCenter, tab.caption).adjusted(-2, 0, 2, 0);
      style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
  };
  // The current tab last, over its neighbours.
  for (int index = 0; index < Count(); ++index) {
    if (index != Current()) draw(index);
  }
  if (Current() >= 0) draw(Current());
}

void PageControl::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  for (int index = 0; index < Count(); ++index) {
    if (TabRect(index).contains(event->position().toPoint())) {
      if (index != Current()) emit TabChosen(index);
      return;
    }
  }
}

// Ctrl+Tab and Ctrl+Shift+Tab step through the pages, wherever the focus
// is inside them.
void PageControl::keyPressEvent(QKeyEvent* event) {
  const bool tab = event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab;
  if (!tab || !(event->modifiers() & Qt::ControlModifier) || Count() == 0) {
    QWidget::keyPressEvent(event);
    return;
  }
  const bool back = event->key() == Qt::Key_Backtab || (event->modifiers() & Qt::ShiftModifier);
  emit TabChosen((Current() + (back ? Count() - 1 : 1)) % Count());
}

void PageControl::resizeEvent(QResizeEvent*) { Layout(); }

}  // namespace kestrova::app
