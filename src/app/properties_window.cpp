#include "app/properties_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QRadioButton>
#include <QSignalBlocker>

#include <array>
#include <utility>

#include "app/form_design.h"
#include "app/option_object_names.h"
#include "qtio/qt_strings.h"

namespace kestrova::app {

namespace {

QRect RectOf(const ControlBounds& bounds) { return {bounds.left, bounds.top, bounds.width, bounds.height}; }

}  // namespace

TForm2::TForm2(Editor& editor, RunCall run) : editor_(editor), run_(std::move(run)) {
  setObjectName("TForm2");
  setWindowTitle(Q(kPropertiesCaption));
  setWindowFlags(kFixedBorderWindow);
  // Closing the main window ends the program even while this one shows.
  setAttribute(Qt::WA_QuitOnClose, false);
  setFont(DesignFont());
  setFixedSize(kPropertiesClientWidth, kPropertiesClientHeight);
  move(kPropertiesLeft, kPropertiesTop);

  pageControl1_ = new PageControl(Q(kPropertiesPagesObjectName), this);
  pageControl1_->setGeometry(RectOf(kPropertiesPagesBounds));
  BuildPages();
  connect(pageControl1_, &PageControl::TabChosen, this,
          [this](int index) { run_([this, index] { editor_.ChooseTab(static_cast<PropertiesTab>(index)); }); });

  close_ = new QPushButton(Q(kCloseCaption), this);
  close_->setObjectName("CloseButton");
  close_->setGeometry(RectOf(kCloseBounds));
  connect(close_, &QPushButton::clicked, this, [this] { run_([this] { editor_.CloseProperties(); }); });

  Sync();
}

void TForm2::BuildPages() {
  std::array<QWidget*, kPropertiesTabCaptions.size()> pages{};
  for (std::size_t tab = 0; tab < pages.size(); ++tab) {
    pages[tab] = new QWidget;
    pageControl1_->AddPage(pages[tab], Q(kPropertiesTabCaptions[tab]));
  }
  const auto groupBox = [&](std::string_view name, const ControlBounds& bounds) {
    auto* box = new QGroupBox(pages[static_cast<std::size_t>(PropertiesTab::Cliff)]);
    box->setObjectName(Q(name));
    box->setGeometry(RectOf(bounds));
    return box;
  };
  QGroupBox* cliffBox = groupBox(kCliffBoxObjectName, kCliffBoxBounds);
  QGroupBox* cliffEdgeBox = groupBox(kCliffEdgeBoxObjectName, kCliffEdgeBoxBounds);
  for (const OptionControlInfo& info : OptionControls()) {
    QWidget* parent = info.place == OptionPlace::CliffBox       ? cliffBox
                      : info.place == OptionPlace::CliffEdgeBox ? cliffEdgeBox
                                                                : pages[static_cast<std::size_t>(info.tab)];
    options_.push_back({BuildOption(info, parent), &info});
  }
}

QAbstractButton* TForm2::BuildOption(const OptionControlInfo& info, QWidget* parent) {
  QAbstractButton* button = nullptr;
  if (info.kind == OptionKind::OneOfPlace) {
    auto* radio = new QRadioButton(Q(info.caption), parent);
    // The model decides which radio button of a place is checked.
    radio->setAutoExclusive(false);
    button = radio;
  } else {
    button = new QCheckBox(Q(info.caption), parent);
  }
  button->setObjectName(Q(ObjectNameOf(info.id)));
  button->setGeometry(RectOf(info.bounds));
  // This system's box and font can need a few pixels more than the design
  // gave the caption: the control grows to the right, never clips.
  if (button->sizeHint().width() > button->width()) button->resize(button->sizeHint().width(), button->height());
  button->installEventFilter(this);
  return button;
}

const TForm2::OptionButton* TForm2::OptionOf(const QObject* widget) const {
  for (const OptionButton& option : options_) {
    if (option.button == widget) return &option;
  }
  return nullptr;
}

// The buttons keep their own pressed look and focus; what a release or a
// key makes of them is the Editor's.
bool TForm2::eventFilter(QObject* watched, QEvent* event) {
  const OptionButton* option = OptionOf(watched);
  if (option == nullptr || !option->button->isEnabled()) return QWidget::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:  // a second click
      if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) leftPressedOn_ = option->button;
      return false;
    case QEvent::MouseButtonRelease:
      return OnMouseRelease(*option, *static_cast<QMouseEvent*>(event));
    case QEvent::KeyRelease:
      return OnKeyRelease(*option, *static_cast<QKeyEvent*>(event));
    default:
      return false;
  }
}

// A left press and release on the same control is a click; any other
// release over a control is a release without a click (the cliff boxes'
// rule). A release away from the control does nothing.
bool TForm2::OnMouseRelease(const OptionButton& option, const QMouseEvent& event) {
  const bool over = option.button->rect().contains(event.position().toPoint());
  const bool click = event.button() == Qt::LeftButton && leftPressedOn_ == option.button && over;
  if (event.button() == Qt::LeftButton) {
    leftPressedOn_ = nullptr;
    option.button->setDown(false);
  }
  const OptionId id = option.info->id;
  if (click) {
    run_([this, id] { editor_.ClickOption(id); });
  } else if (over) {
    run_([this, id] { editor_.ReleaseMouseOverOption(id); });
  }
  return true;
}

// Space on a focused control: a radio button is clicked, a check box only
// toggles.
bool TForm2::OnKeyRelease(const OptionButton& option, const QKeyEvent& event) {
  if (event.key() != Qt::Key_Space || event.isAutoRepeat() || !option.button->isDown()) return false;
  option.button->setDown(false);
  const OptionId id = option.info->id;
  if (option.info->kind == OptionKind::OneOfPlace) {
    run_([this, id] { editor_.ClickOption(id); });
  } else {
    run_([this, id] { editor_.ToggleOptionFromKeyboard(id); });
  }
  return true;
}

void TForm2::closeEvent(QCloseEvent* event) {
  run_([this] { editor_.CloseProperties(); });
  event->accept();
}

void TForm2::Sync() {
  const PropertiesDialogState& dialog = editor_.PropertiesDialog();
  SetShown(pageControl1_, dialog.pageControlVisible);
  pageControl1_->SetCurrent(static_cast<int>(dialog.currentTab));
  const PropertiesOptions& model = editor_.Options();
  for (const auto& [button, info] : options_) {
    const OptionControl& control = ControlOf(model, info->id);
    if (button->isChecked() == control.checked && button->isEnabled() == control.enabled) continue;
    const QSignalBlocker quiet(button);
    button->setChecked(control.checked);
    button->setEnabled(control.enabled);
  }
  if (isVisible() != dialog.visible) {
    setVisible(dialog.visible);
    if (dialog.visible) {
      raise();
      activateWindow();
    }
  }
}

}  // namespace kestrova::app
