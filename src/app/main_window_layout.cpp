// The window's two layouts and the "View" menu: the resizable window whose
// tall map fills it, at a zoom of 1x to 4x, and the classic layout of fixed
// size. Both hold the same controls under the same object names.
#include <QApplication>
#include <QBoxLayout>
#include <QMenuBar>
#include <QSignalBlocker>

#include <cstdlib>

#include "app/form_design.h"
#include "app/main_window.h"
#include "render/map_geometry.h"

namespace kestrova::app {

namespace {

// The designed heights and widths that the layouts keep.
constexpr int kStatusBarHeight = 33;
constexpr QSize kUpDownSize{17, 25};
constexpr int kScrollBarWidth = 17;
constexpr int kChooserWidth = 145;
constexpr int kLayoutSpacing = 4;
// The resizable window's size after a load, when it was smaller: the map
// at 2x with two bands, the controls around it.
constexpr QSize kTallWindowSize{700, 960};

}  // namespace

void TForm1::BuildViewMenu() {
  view_ = menuBar()->addMenu("View");
  view_->setObjectName("View1");
  const auto add = [this](const char* caption, const char* name, QKeySequence keys, auto handler) {
    QAction* action = view_->addAction(caption);
    action->setObjectName(name);
    action->setShortcut(keys);
    connect(action, &QAction::triggered, this, handler);
    zoomActions_.append(action);
    return action;
  };
  QAction* zoomIn = add("Zoom In", "ZoomIn1", QKeySequence("Ctrl+="), [this] { SetZoom(TallMap::ZoomedBy(zoom_, 1)); });
  // Ctrl++ too, where "+" takes the shift key.
  zoomIn->setShortcuts({QKeySequence("Ctrl+="), QKeySequence("Ctrl++")});
  add("Zoom Out", "ZoomOut1", QKeySequence("Ctrl+-"), [this] { SetZoom(TallMap::ZoomedBy(zoom_, -1)); });
  add("Actual Size", "ActualSize1", QKeySequence("Ctrl+0"), [this] { SetZoom(kActualSizeZoom); });
  view_->addSeparator();
  zoomLevels_ = new QActionGroup(this);
  for (int zoom = kSmallestZoom; zoom <= kLargestZoom; ++zoom) {
    const QByteArray name = "Zoom" + QByteArray::number(zoom) + "x1";
    QAction* level = add("", name.constData(), QKeySequence(), [this, zoom] { SetZoom(zoom); });
    level->setText(QString::number(zoom) + "×");
    level->setCheckable(true);
    zoomLevels_->addAction(level);
  }
  view_->addSeparator();
  classicLayout_ = view_->addAction("Classic Layout");
  classicLayout_->setObjectName("ClassicLayout1");
  classicLayout_->setCheckable(true);
  connect(classicLayout_, &QAction::toggled, this, &TForm1::SetClassicLayout);
  SyncLayoutActions();
}

void TForm1::SyncLayoutActions() {
  const QSignalBlocker quiet(classicLayout_);
  classicLayout_->setChecked(ClassicLayout());
  // The classic layout shows the map view at its own 2x.
  for (QAction* action : zoomActions_) action->setEnabled(!ClassicLayout());
  for (QAction* level : zoomLevels_->actions()) {
    level->setChecked(level->objectName() == "Zoom" + QString::number(zoom_) + "x1");
  }
}

void TForm1::LayOutTall() {
  QWidget* client = centralWidget();
  if (mapArea_ == nullptr) {
    mapArea_ = new QWidget(client);
    mapArea_->setObjectName("MapArea");
    mapArea_->setAutoFillBackground(true);
    QPalette dark = mapArea_->palette();
    dark.setColor(QPalette::Window, Qt::darkGray);
    mapArea_->setPalette(dark);
    mapArea_->installEventFilter(this);
  }
  fastImg1_->setParent(mapArea_);
  scrollBar1_->clearMask();
  // The palette wraps into rows to the window's width: no scroll bar.
  scrollBox1_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  scrollBar1_->setFixedWidth(kScrollBarWidth);
  scrollBar1_->setSingleStep(kWheelRowsPerLine);
  statusBar1_->setFixedHeight(kStatusBarHeight);
  comboBox1_->setMinimumWidth(kChooserWidth);
  upDown1_->setFixedSize(kUpDownSize);

  auto* controls = new QHBoxLayout;
  controls->addWidget(comboBox1_);
  controls->addWidget(upDown1_);
  auto* captions = new QVBoxLayout;
  captions->setSpacing(0);
  captions->addWidget(label2_);
  captions->addWidget(label1_);
  controls->addLayout(captions);
  controls->addWidget(checkBox1_);
  controls->addStretch(1);
  controls->addWidget(button1_);

  auto* side = new QVBoxLayout;
  side->addWidget(fastImg2_);
  side->addStretch(1);
  auto* map = new QHBoxLayout;
  map->setSpacing(0);
  map->addWidget(mapArea_, 1);
  map->addWidget(scrollBar1_);
  map->addSpacing(kLayoutSpacing);
  map->addLayout(side);

  auto* column = new QVBoxLayout(client);
  column->setContentsMargins(kLayoutSpacing, 0, kLayoutSpacing, 0);
  column->setSpacing(kLayoutSpacing);
  column->addWidget(image1_, 0, Qt::AlignCenter);
  column->addLayout(controls);
  column->addWidget(scrollBox1_);
  column->addLayout(map, 1);
  column->addWidget(statusBar1_);
  FitTallMap();
}

void TForm1::FitTallMap() {
  if (mapArea_ == nullptr || ClassicLayout()) return;
  mapArea_->setMinimumSize(kMapWidth * zoom_, kWindowRows * zoom_);
  const TallMap map = TallMap::Filling(zoom_, mapArea_->height());
  // The map fills the area's height; its columns are centred in the width.
  fastImg1_->setFixedSize(map.Width(), map.Height());
  fastImg1_->move(std::max((mapArea_->width() - map.Width()) / 2, 0), 0);
  const QPoint inClient = fastImg1_->mapTo(centralWidget(), QPoint(0, 0));
  editor_.UseTallMap(map, inClient.x(), inClient.y(), scrollBox1_->y());
  FitPalette();
}

void TForm1::FitPalette() {
  const PaletteRows rows(centralWidget()->width() - 2 * kLayoutSpacing);
  editor_.UsePaletteRows(rows);
  scrollBox1_->setFixedHeight(rows.Height());
}

void TForm1::SetZoom(int zoom) {
  zoom_ = std::clamp(zoom, kSmallestZoom, kLargestZoom);
  FitTallMap();
  SyncLayoutActions();
  Sync();
}

void TForm1::SetClassicLayout(bool classic) {
  if (classic == ClassicLayout()) {
    SyncLayoutActions();
    return;
  }
  const bool shown = isVisible();
  layout_ = classic ? MapLayout::Classic : MapLayout::Tall;
  QWidget* client = centralWidget();
  if (classic) {
    delete client->layout();  // its nested layouts go with it, the controls stay
    fastImg1_->setParent(client);
    if (mapArea_ != nullptr) mapArea_->hide();
    // The strip in its scroll box, as designed.
    editor_.UsePaletteRows(PaletteRows());
    scrollBox1_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    scrollBox1_->setMinimumHeight(0);
    scrollBox1_->setMaximumHeight(QWIDGETSIZE_MAX);
    PlaceClassically();
    editor_.UseMapViewOnly();
    setWindowFlags(kFixedBorderWindow);
  } else {
    client->setMinimumSize(0, 0);
    client->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    setWindowFlags(Qt::Window);
    LayOutTall();
  }
  outerSize_ = QSize();  // the window's size is set anew for the layout
  SyncLayoutActions();
  Sync();
  if (shown) show();
}

void TForm1::GrowTallWindow(QSize client) {
  const QSize designed(client.width(), client.height() + menuBar()->sizeHint().height());
  // The resizable window only grows: to the designed size before a load,
  // and to room for two bands at 2x after it.
  resize(size().expandedTo(editor_.HasSnapshot() ? kTallWindowSize : designed));
}

void TForm1::TurnWheelOverMap(int notches, Qt::KeyboardModifiers modifiers) {
  if (!ClassicLayout() && modifiers.testFlag(Qt::ControlModifier)) {
    SetZoom(TallMap::ZoomedBy(zoom_, notches));
    return;
  }
  Run([&] {
    const int lines = QApplication::wheelScrollLines();
    for (int i = 0; i < std::abs(notches); ++i) {
      ClassicLayout() ? editor_.TurnWheel(notches, true, lines) : editor_.TurnTallWheel(notches, lines);
    }
  });
}

bool TForm1::TallMapKey(const QKeyEvent& key) {
  if (ClassicLayout() || key.modifiers() != Qt::NoModifier) return false;
  switch (key.key()) {
    case Qt::Key_PageUp:
      Run([this] { editor_.PageTall(1); });
      return true;
    case Qt::Key_PageDown:
      Run([this] { editor_.PageTall(-1); });
      return true;
    case Qt::Key_Home:
      Run([this] { editor_.ScrollTallToStart(); });
      return true;
    case Qt::Key_End:
      Run([this] { editor_.ScrollTallToEnd(); });
      return true;
    default:
      return false;
  }
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  if (watched == mapArea_ && (event->type() == QEvent::Resize || event->type() == QEvent::Move)) {
    FitTallMap();
    if (properties_ != nullptr) Sync();  // not while the window is being built
  } else if (watched == fastImg3_ && event->type() == QEvent::ToolTip) {
    return ShowPaletteName(static_cast<const QHelpEvent*>(event));
  } else if (watched == fastImg1_ && event->type() == QEvent::KeyPress) {
    if (TallMapKey(static_cast<const QKeyEvent&>(*event))) return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace kestrova::app
