#pragma once

#include <QStackedWidget>
#include <QString>
#include <QWidget>

#include <vector>

namespace kestrova::app {

// A page control whose tabs wrap into as many rows as its width needs,
// each row filling the width; the row holding the current tab sits next to
// the pages, as the system's own multi-row tabs do. The owner decides the
// current page: a press on a tab, or Ctrl+Tab, only reports the choice.
class PageControl : public QWidget {
  Q_OBJECT

 public:
  PageControl(const QString& name, QWidget* parent);

  void AddPage(QWidget* page, const QString& caption);
  int Count() const { return static_cast<int>(tabs_.size()); }
  const QString& Caption(int index) const { return tabs_[static_cast<std::size_t>(index)].caption; }
  QWidget* Page(int index) const { return pages_->widget(index); }
  int Current() const { return pages_->currentIndex(); }
  void SetCurrent(int index);
  // Where the tab is drawn, and where it takes a press.
  QRect TabRect(int index) const { return tabs_[static_cast<std::size_t>(index)].rect; }
  // The area the pages and their frame take, below the rows of tabs.
  QRect PaneRect() const;

 signals:
  void TabChosen(int index);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  struct Tab {
    QString caption;
    int row = 0;  // counted in page order from the first tab
    QRect rect;
  };

  void Layout();
  int TabHeight() const;
  int RowCount() const;

  std::vector<Tab> tabs_;
  QStackedWidget* pages_;
};

}  // namespace kestrova::app
