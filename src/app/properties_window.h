#pragma once

#include <QAbstractButton>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QWidget>

#include <functional>
#include <vector>

#include "app/page_control.h"
#include "edit/properties_rules.h"
#include "editor/editor.h"

namespace kestrova::app {

// The "Properties" window: a view over the Editor's options and dialog
// state. Every click, release over a control, key toggle, tab change and
// close becomes one Editor call handed to `run`, which makes the call and
// brings both windows in line; the buttons never decide their own checked
// or enabled state.
class TForm2 : public QWidget {
  Q_OBJECT

 public:
  // Runs one Editor call, then syncs every window.
  using RunCall = std::function<void(const std::function<void()>&)>;

  TForm2(Editor& editor, RunCall run);

  // Shows what the Editor holds: visibility, the page control, the current
  // tab and every option's checked and enabled state.
  void Sync();

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct OptionButton {
    QAbstractButton* button;
    const OptionControlInfo* info;
  };

  void BuildPages();
  QAbstractButton* BuildOption(const OptionControlInfo& info, QWidget* parent);
  const OptionButton* OptionOf(const QObject* widget) const;
  bool OnMouseRelease(const OptionButton& option, const QMouseEvent& event);
  bool OnKeyRelease(const OptionButton& option, const QKeyEvent& event);

  Editor& editor_;
  RunCall run_;
  PageControl* pageControl1_ = nullptr;
  QPushButton* close_ = nullptr;
  std::vector<OptionButton> options_;
  QAbstractButton* leftPressedOn_ = nullptr;  // the control a left press began on
};

}  // namespace kestrova::app
