#include "app/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHelpEvent>
#include <QKeySequence>
#include <QMenuBar>
#include <QRegion>
#include <QSignalBlocker>
#include <QToolTip>

#include <algorithm>
#include <array>
#include <functional>
#include <initializer_list>
#include <string_view>
#include <utility>

#include "app/popup_menu.h"
#include "demo/title_picture.h"
#include "editor/command_captions.h"
#include "level/game_settings.h"
#include "qtio/qt_strings.h"
#include "render/map_geometry.h"

#include "app/form_design.h"

namespace kestrova::app {

namespace {

// The designed outer sizes count a frame of 4 pixels at each side and a
// title and menu bar of 54 pixels in all; the client area is what is left.
constexpr QSize kDesignedFrame{8, 54};

struct ControlPlace {
  std::string_view name;
  QRect rect;  // client pixels: left, top, width, height
};

// Where each control sits in the client area. Label1 and Label2 size
// themselves to their text.
constexpr std::array kPlaces{
    ControlPlace{"Image1", QRect(0, 0, 500, 300)},
    ControlPlace{"ComboBox1", QRect(8, 0, 145, 21)},
    ControlPlace{"UpDown1", QRect(160, 0, 17, 25)},
    ControlPlace{"Label2", QRect(184, 2, 0, 13)},
    ControlPlace{"Label1", QRect(184, 18, 0, 13)},
    ControlPlace{"CheckBox1", QRect(328, 17, 113, 17)},
    ControlPlace{"Button1", QRect(516, 5, 75, 25)},
    ControlPlace{"ScrollBox1", QRect(0, kPaletteBoxTop, 592, 61)},
    ControlPlace{"FastIMG1", QRect(kMapViewLeft, kMapViewTop, kMapViewWidth, kMapViewHeight)},
    ControlPlace{"ScrollBar1", QRect(kMapViewLeft + kMapViewWidth, kMapViewTop, 17, 385)},
    ControlPlace{"FastIMG2", QRect(kOverviewLeft, kMapViewTop, kOverviewWidth, kOverviewHeight)},
    ControlPlace{"StatusBar1", QRect(0, 480, 595, 33)},
    ControlPlace{"FastIMG4", QRect(kDragPictureLeft, kDragPictureTop, 20, 20)},
};

constexpr QRect PlaceOf(std::string_view name) {
  for (const ControlPlace& place : kPlaces) {
    if (place.name == name) return place.rect;
  }
  return {};
}

void Place(QWidget* widget) {
  const QRect rect = PlaceOf(widget->objectName().toStdString());
  if (rect.width() == 0) {
    widget->move(rect.topLeft());
    widget->adjustSize();
    widget->resize(widget->width(), rect.height());
  } else {
    widget->setGeometry(rect);
  }
}

// The part of a control that controls made after it (so above it) leave
// showing, in the control's own pixels.
QRegion UncoveredPart(std::string_view name, std::initializer_list<std::string_view> above) {
  const QRect place = PlaceOf(name);
  QRegion part(place);
  for (const std::string_view other : above) part -= PlaceOf(other);
  return part.translated(-place.topLeft());
}

constexpr int kScrollBarSmallChange = 1;
constexpr int kRefusalShownMs = 5000;

// Runs `build` once, just before `control` first paints: what only shows in
// a control is not made for a window that never shows it.
class BeforeFirstPaint : public QObject {
 public:
  BeforeFirstPaint(QWidget* control, std::function<void()> build) : QObject(control), build_(std::move(build)) {
    control->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      watched->removeEventFilter(this);
      build_();
      deleteLater();
    }
    return false;
  }

 private:
  std::function<void()> build_;
};

MouseButton ButtonOf(Qt::MouseButton button) {
  if (button == Qt::RightButton) return MouseButton::Right;
  if (button == Qt::MiddleButton) return MouseButton::Middle;
  return MouseButton::Left;
}

}  // namespace

TForm1::TForm1(Ui& ui, Files& files, QWidget* parent, MapLayout layout)
    : QMainWindow(parent), editor_(ui, files, &emulator_), layout_(layout) {
  editor_.UseSnapshotFormats(formats_);
  setObjectName("TForm1");
  setWindowTitle(Q(editor_.View().caption));
  setWindowFlags(ClassicLayout() ? kFixedBorderWindow : Qt::Window);
  setFont(DesignFont());
  BuildMenus();
  BuildControls();
  if (ClassicLayout()) {
    PlaceClassically();
  } else {
    LayOutTall();
  }
  ConnectControls();
  ConnectMapView();
  ConnectPalette();
  auto* selectionStatus = new QLabel(statusBar1_);
  statusBar1_->addPermanentWidget(selectionStatus);
  selection_ = new SelectionGestures(
      editor_, fastImg1_, edit_, selectionStatus, [this] { return !ClassicLayout(); },
      [this](const std::function<void()>& call) { Run(call); });
  properties_ = std::make_unique<TForm2>(editor_, [this](const std::function<void()>& call) { Run(call); });
  Sync();
}

QSize TForm1::ClientSizeFor(int outerWidth, int outerHeight) { return QSize(outerWidth, outerHeight) - kDesignedFrame; }

void TForm1::BuildMenus() {
  QMenu* file = menuBar()->addMenu("File");
  file->setObjectName("File1");
  const auto add = [this](QMenu* menu, const char* caption, const char* name, QKeySequence keys, auto handler) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    action->setShortcut(keys);
    connect(action, &QAction::triggered, this, handler);
    return action;
  };
  QAction* load = add(file, "Load Snapshot", "LoadSnapshot1", QKeySequence("Ctrl+J"), [this] {
    if (MayDropWork()) Run([this] { editor_.LoadSnapshot(); });
  });
  load->setShortcuts({QKeySequence("Ctrl+J"), QKeySequence("Ctrl+O")});
  saveSnapshot_ = add(file, "Save Snapshot", "SaveSnapshot1", QKeySequence("Ctrl+S"),
                      [this] { Run([this] { editor_.SaveSnapshot(); }); });
  saveSnapshotAs_ = add(file, "Save Snapshot As…", "SaveSnapshotAs1", QKeySequence("Ctrl+Shift+S"),
                        [this] { Run([this] { editor_.SaveSnapshotAs(); }); });
  saveTap_ = add(file, "Save TAP", "SaveTAP1", QKeySequence("Ctrl+T"), [this] { Run([this] { editor_.SaveTap(); }); });
  loadScreen_ = add(file, "Load Screen$", "LoadScreen1", QKeySequence("Ctrl+K"),
                    [this] { Run([this] { editor_.LoadScreen(); }); });
  runInEmulator_ = add(file, "Run in Emulator", "RunInEmulator1", QKeySequence("F5"),
                       [this] { Run([this] { editor_.RunInEmulator(); }); });
  runTapInEmulator_ = add(file, "Run TAP in Emulator", "RunTAPInEmulator1", QKeySequence("Shift+F5"),
                          [this] { Run([this] { editor_.RunTapInEmulator(); }); });
  // Ctrl+X is "Cut" (selection_gestures.cpp).
  add(file, "Exit", "Exit1", QKeySequence("Ctrl+Q"), [this] { close(); });
  // Delete has no menu entry: it deletes the selection, or what the pointer is over on the map.
  auto* deleteKey = new QAction(this);
  deleteKey->setObjectName("DeleteUnderPointer1");
  deleteKey->setShortcut(QKeySequence(Qt::Key_Delete));
  connect(deleteKey, &QAction::triggered, this, [this] { Run([this] { editor_.PressDelete(); }); });
  addAction(deleteKey);

  edit_ = menuBar()->addMenu("Edit");
  edit_->setObjectName("Edit1");
  undo_ = add(edit_, kUndoCaption, "Undo1", QKeySequence("Ctrl+Z"), [this] { Run([this] { editor_.Undo(); }); });
  redo_ = add(edit_, kRedoCaption, "Redo1", QKeySequence("Ctrl+Y"), [this] { Run([this] { editor_.Redo(); }); });
  redo_->setShortcuts({QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")});

  options_ = menuBar()->addMenu("Options");
  options_->setObjectName("Options1");
  QMenu* disassembly = options_->addMenu("Disassembly");
  disassembly->setObjectName("Disassembly1");
  add(disassembly, "Save Disassembly", "SaveDisassembly1", QKeySequence("Ctrl+D"),
      [this] { Run([this] { editor_.SaveDisassembly(); }); });
  QMenu* kestrova = options_->addMenu("Kestrova");
  kestrova->setObjectName("Kestrova1");
  add(kestrova, kSpawnCaption, "Spawn1", QKeySequence(), [this] { Run([this] { editor_.Spawn(); }); });
  add(kestrova, kLivesCaption, "Lives1", QKeySequence(), [this] { Run([this] { editor_.Lives(); }); });
  QMenu* enemy = options_->addMenu("Enemy");
  enemy->setObjectName("Enemy1");
  add(enemy, kDelayCaption, "Delay1", QKeySequence(), [this] { Run([this] { editor_.Delay(); }); });
  BuildViewMenu();
}

void TForm1::BuildControls() {
  auto* client = new QWidget(this);
  client->setObjectName("ClientArea");
  setCentralWidget(client);

  image1_ = new TFastIMG("Image1", QSize(kTitlePictureWidth, kTitlePictureHeight), client);
  // A file named at start hides the title picture before it ever paints.
  new BeforeFirstPaint(image1_, [this] { image1_->ShowSurface(titlePicture_.emplace(MakeTitlePicture()), 1); });

  comboBox1_ = new QComboBox(client);
  comboBox1_->setObjectName("ComboBox1");
  comboBox1_->setEditable(false);
  comboBox1_->setFocusPolicy(Qt::ClickFocus);  // no tab stop

  upDown1_ = new UpDownControl("UpDown1", 0, kFortressByteMax, client);
  label2_ = new QLabel("Fortress byte: ", client);
  label2_->setObjectName("Label2");
  label1_ = new QLabel(client);
  label1_->setObjectName("Label1");
  QFont bold = label1_->font();
  bold.setBold(true);
  label1_->setFont(bold);

  checkBox1_ = new QCheckBox("Show Land Space", client);
  checkBox1_->setObjectName("CheckBox1");
  button1_ = new QPushButton(kWipeLevelsCaption, client);
  button1_->setObjectName("Button1");

  scrollBox1_ = new QScrollArea(client);
  scrollBox1_->setObjectName("ScrollBox1");
  scrollBox1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  scrollBox1_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  scrollBox1_->setFrameShape(QFrame::NoFrame);
  fastImg3_ = new TFastIMG("FastIMG3", QSize(1024, 40), nullptr);
  scrollBox1_->setWidget(fastImg3_);

  fastImg1_ = new TFastIMG("FastIMG1", QSize(kMapViewWidth, kMapViewHeight), client);
  fastImg1_->setFocusPolicy(Qt::ClickFocus);
  scrollBar1_ = new MapScrollBar(client);
  scrollBar1_->setObjectName("ScrollBar1");
  scrollBar1_->setFocusPolicy(Qt::NoFocus);  // no tab stop
  scrollBar1_->setPageStep(kMapViewPageRows);
  scrollBar1_->setSingleStep(kScrollBarSmallChange);
  scrollBar1_->setTracking(true);
  scrollBar1_->setStyle(new ClassicScrollBarStyle(scrollBar1_));
  fastImg2_ = new TFastIMG("FastIMG2", QSize(kOverviewWidth, kOverviewHeight), client);
  statusBar1_ = new StatusPanel("StatusBar1", client);
  fastImg4_ = new TFastIMG("FastIMG4", QSize(20, 20), client);
  fastImg1_->installEventFilter(this);
}

void TForm1::PlaceClassically() {
  for (QWidget* widget :
       std::initializer_list<QWidget*>{image1_, comboBox1_, upDown1_, label2_, label1_, checkBox1_, button1_,
                                       scrollBox1_, fastImg1_, scrollBar1_, fastImg2_, statusBar1_, fastImg4_}) {
    Place(widget);
  }
  // The scroll bar's last column lies under the overview and its last row
  // under the status bar. Masked to the part that shows, its repaint on every
  // scroll step leaves those two alone.
  scrollBar1_->setMask(UncoveredPart("ScrollBar1", {"FastIMG2", "StatusBar1"}));
}

void TForm1::ConnectControls() {
  connect(comboBox1_, &QComboBox::activated, this, [this](int index) { Run([&] { editor_.ChooseLevel(index); }); });
  connect(scrollBar1_, &QScrollBar::valueChanged, this, [this](int position) {
    // The tall map's bar runs from its far end (0) to the level's start.
    Run([&] {
      ClassicLayout() ? editor_.ScrollTo(position) : editor_.ScrollTall(editor_.TallBottomLimit() - position);
    });
  });
  connect(checkBox1_, &QCheckBox::clicked, this,
          [this](bool checked) { Run([&] { editor_.SetShowLandSpace(checked); }); });
  connect(upDown1_, &UpDownControl::Clicked, this,
          [this](int position) { Run([&] { editor_.ClickFortressByte(position); }); });
  connect(button1_, &QPushButton::clicked, this, [this] { Run([this] { editor_.WipeLevels(); }); });
  connect(fastImg2_, &TFastIMG::Pressed, this, [this](Qt::MouseButton button, QPoint position) {
    overviewHeld_ = !ClassicLayout() && button == Qt::LeftButton;
    Run([&] {
      ClassicLayout() ? editor_.PressOverview(ButtonOf(button), position.y())
                      : editor_.PressTallOverview(ButtonOf(button), position.y());
    });
  });
  // On the tall map a drag in the overview scrolls as it goes.
  connect(fastImg2_, &TFastIMG::Moved, this, [this](QPoint position, Qt::MouseButtons) {
    if (overviewHeld_) Run([&] { editor_.DragTallOverview(position.y()); });
  });
  connect(fastImg2_, &TFastIMG::Released, this, [this](Qt::MouseButton, QPoint) { overviewHeld_ = false; });
}

void TForm1::ConnectMapView() {
  connect(fastImg1_, &TFastIMG::Pressed, this, [this](Qt::MouseButton button, QPoint position) {
    Run([&] {
      ClassicLayout() ? editor_.PressMap(ButtonOf(button), position.x(), position.y())
                      : editor_.PressTall(ButtonOf(button), position.x(), position.y());
    });
    if (button == Qt::RightButton) ShowPopupAfterPress(fastImg1_->mapToGlobal(position));
  });
  connect(fastImg1_, &TFastIMG::ContextMenuAsked, this, [this](QPoint globalPosition) {
    if (!std::exchange(contextMenuPending_, false)) return;
    ShowPopup(globalPosition);
  });
  connect(fastImg1_, &TFastIMG::Moved, this, [this](QPoint position, Qt::MouseButtons) {
    Run([&] {
      ClassicLayout() ? editor_.MovePointerOverMap(position.x(), position.y())
                      : editor_.MovePointerOverTall(position.x(), position.y());
    });
  });
  connect(fastImg1_, &TFastIMG::Released, this,
          [this](Qt::MouseButton button, QPoint) { Run([&] { editor_.ReleaseMap(ButtonOf(button)); }); });
  connect(fastImg1_, &TFastIMG::WheelTurned, this, &TForm1::TurnWheelOverMap);
}

void TForm1::ConnectPalette() {
  connect(fastImg3_, &TFastIMG::Pressed, this, [this](Qt::MouseButton button, QPoint position) {
    const QPoint client = ClientPoint(fastImg3_, position);
    const int stripX = editor_.PaletteStripX(position.x(), position.y());
    Run([&] { editor_.PressPalette(ButtonOf(button), stripX, client.x(), client.y()); });
  });
  connect(fastImg3_, &TFastIMG::Moved, this, [this](QPoint position, Qt::MouseButtons buttons) {
    if (buttons == Qt::NoButton) {
      Run([&] { editor_.PointAtPalette(editor_.PaletteStripX(position.x(), position.y())); });
      return;
    }
    const QPoint client = ClientPoint(fastImg3_, position);
    Run([&] { editor_.MovePointerOverWindow(client.x(), client.y()); });
  });
  connect(fastImg3_, &TFastIMG::Released, this,
          [this](Qt::MouseButton, QPoint) { Run([this] { editor_.ReleasePalette(); }); });
  fastImg3_->installEventFilter(this);
}

bool TForm1::ShowPaletteName(const QHelpEvent* help) {
  const QString name = Q(editor_.PaletteSlotName(editor_.PaletteStripX(help->pos().x(), help->pos().y())));
  if (name.isEmpty()) {
    QToolTip::hideText();
  } else {
    QToolTip::showText(help->globalPos(), name, fastImg3_);
  }
  return true;
}

QPoint TForm1::ClientPoint(const QWidget* control, QPoint position) const {
  return control->mapTo(centralWidget(), position);
}

void TForm1::ShowPopupAfterPress(QPoint globalPosition) {
  contextMenuPending_ = editor_.PopupShown() == PopupPlacement::ContextMenu;
  if (editor_.PopupShown() == PopupPlacement::AtCursor) ShowPopup(globalPosition);
}

void TForm1::ShowPopup(QPoint globalPosition) {
  PopupMenu popup(editor_.Popup(), this);
  if (const MenuItem* chosen = popup.Choose(globalPosition)) Run([&] { editor_.RunMenuCommand(*chosen); });
}

void TForm1::OpenAtStart(const QString& path) { OpenAtStart(path.toStdString()); }
void TForm1::OpenAtStart(const std::string& path) {
  Run([&] { editor_.OpenAtStart(path); });
}

bool TForm1::MayDropWork() {
  bool goOn = false;
  Run([&] { goOn = editor_.MaybeSave(); });
  return goOn;
}

void TForm1::closeEvent(QCloseEvent* event) {
  if (MayDropWork()) {
    event->accept();
  } else {
    event->ignore();
  }
}

void TForm1::Sync() {
  SyncWindowState();
  SyncCaptions();
  SyncChooser();
  SyncScrollBar();
  SyncSurfaces();
  SyncHistory();
  // A refusal says why the last edit did nothing; a notice what it changed
  // beyond the map.
  SyncStatusLine(editor_.View().lastRefusal, refusalsShown_);
  SyncStatusLine(editor_.View().lastNotice, noticesShown_);
  properties_->Sync();
  if (selection_) selection_->Sync();
  emit Synced();
}

void TForm1::ShowNotice(const std::string& text) { statusBar1_->showMessage(Q(text), kRefusalShownMs); }

void TForm1::SyncStatusLine(const Refusal& line, unsigned& shown) {
  if (line.count == shown) return;
  shown = line.count;
  statusBar1_->showMessage(Q(line.reason), kRefusalShownMs);
}

void TForm1::SyncHistory() {
  // The caption marks unsaved changes where its "[*]" stands, as the platform does.
  const ViewState& view = editor_.View();
  if (view.caption != caption_) {
    caption_ = view.caption;
    setWindowTitle(Q(caption_));
  }
  // Most gestures leave these as they were; the window's title and the
  // actions are told again only when something changed.
  HistoryShown history{view.modified, view.editMenuVisible, view.canUndo, view.canRedo, view.undoText, view.redoText};
  if (history == historyShown_) return;
  historyShown_ = std::move(history);
  setWindowModified(view.modified);
  edit_->menuAction()->setVisible(view.editMenuVisible);
  undo_->setEnabled(view.canUndo);
  undo_->setText(Q(view.undoText));
  redo_->setEnabled(view.canRedo);
  redo_->setText(Q(view.redoText));
}

void TForm1::SyncWindowState() {
  const ViewState& view = editor_.View();
  const QSize outer(view.windowWidth, view.windowHeight);
  if (outer != outerSize_) {
    outerSize_ = outer;
    const QSize client = ClientSizeFor(outer.width(), outer.height());
    if (ClassicLayout()) {
      centralWidget()->setFixedSize(client);
      setFixedSize(client.width(), client.height() + menuBar()->sizeHint().height());
    } else {
      GrowTallWindow(client);
    }
  }
  const ControlVisibility& visible = view.visible;
  const std::pair<QWidget*, bool ControlVisibility::*> controls[] = {
      {image1_, &ControlVisibility::titlePicture},     {comboBox1_, &ControlVisibility::levelChooser},
      {checkBox1_, &ControlVisibility::showLandSpace}, {label1_, &ControlVisibility::bytesFreeCaption},
      {label2_, &ControlVisibility::fortressCaption},  {upDown1_, &ControlVisibility::fortressByte},
      {scrollBar1_, &ControlVisibility::levelScroll},  {statusBar1_, &ControlVisibility::statusBar},
      {scrollBox1_, &ControlVisibility::palette},      {fastImg1_, &ControlVisibility::mapView},
      {fastImg2_, &ControlVisibility::overview},       {fastImg4_, &ControlVisibility::dragPicture},
      {button1_, &ControlVisibility::wipeButton}};
  for (const auto& [widget, shown] : controls) SetShown(widget, visible.*shown);
  if (mapArea_ != nullptr) SetShown(mapArea_, !ClassicLayout() && visible.mapView);
  // "Save Snapshot As…" and "Run in Emulator" go with "Save Snapshot", "Run
  // TAP in Emulator" with "Save TAP": one entry of the table each.
  const std::pair<QAction*, bool ControlVisibility::*> menuEntries[] = {
      {saveTap_, &ControlVisibility::menuSaveTap},
      {runTapInEmulator_, &ControlVisibility::menuSaveTap},
      {saveSnapshot_, &ControlVisibility::menuSaveSnapshot},
      {saveSnapshotAs_, &ControlVisibility::menuSaveSnapshot},
      {runInEmulator_, &ControlVisibility::menuSaveSnapshot},
      {loadScreen_, &ControlVisibility::menuLoadScreen},
      {options_->menuAction(), &ControlVisibility::menuOptions}};
  for (const auto& [action, shown] : menuEntries) action->setVisible(visible.*shown);
  button1_->setEnabled(view.wipeButtonEnabled);
  if (view.mapHasFocus && fastImg1_->isVisible() && focusWidget() != fastImg1_) fastImg1_->setFocus();
}

void TForm1::SyncCaptions() {
  const ViewState& view = editor_.View();
  // Compared as the Editor gives them: a pointer move builds no Qt strings.
  if (view.bytesFreeCaption != bytesFreeShown_) {
    bytesFreeShown_ = view.bytesFreeCaption;
    label1_->setText(Q(bytesFreeShown_));
    Place(label1_);
  }
  if (!view.fortressCaption.empty() && view.fortressCaption != fortressShown_) {
    fortressShown_ = view.fortressCaption;
    label2_->setText(Q(fortressShown_));
    Place(label2_);
  }
  if (view.fortressHint != fortressHintShown_) {
    fortressHintShown_ = view.fortressHint;
    label2_->setToolTip(Q(fortressHintShown_));
  }
  upDown1_->SetPosition(view.fortressByte);
  statusBar1_->SetText(view.statusText);
  statusBar1_->SetHeldScreen(view.heldScreenCaption, view.heldScreenHint);
  if (checkBox1_->isChecked() != view.showLandSpace) {
    const QSignalBlocker quiet(checkBox1_);
    checkBox1_->setChecked(view.showLandSpace);
  }
}

void TForm1::SyncChooser() {
  const ViewState& view = editor_.View();
  const QSignalBlocker quiet(comboBox1_);
  if (view.chooserEntries != chooserShown_) {
    chooserShown_ = view.chooserEntries;
    comboBox1_->clear();
    for (const std::string& entry : view.chooserEntries) comboBox1_->addItem(Q(entry));
  }
  if (comboBox1_->currentIndex() != view.chooserIndex) comboBox1_->setCurrentIndex(view.chooserIndex);
}

void TForm1::SyncScrollBar() {
  const ViewState& view = editor_.View();
  const QSignalBlocker quiet(scrollBar1_);
  if (!ClassicLayout()) {
    const int limit = editor_.TallBottomLimit();
    if (scrollBar1_->maximum() != limit) scrollBar1_->setRange(0, limit);
    if (scrollBar1_->pageStep() != editor_.Tall().PageRows()) scrollBar1_->setPageStep(editor_.Tall().PageRows());
    const int position = std::clamp(limit - editor_.TallBottom(), 0, limit);
    if (scrollBar1_->value() != position) scrollBar1_->setValue(position);
    return;
  }
  if (scrollBar1_->maximum() != view.scrollMaximum) scrollBar1_->setRange(0, view.scrollMaximum);
  if (scrollBar1_->value() != view.scrollPosition) scrollBar1_->setValue(view.scrollPosition);
}

void TForm1::SyncSurfaces() {
  const SurfaceRevisions& revisions = editor_.View().revisions;
  if (ClassicLayout()) {
    fastImg1_->ShowSurface(editor_.MapView(), revisions.mapView);
    fastImg2_->ShowSurface(editor_.OverviewBitmap(), revisions.overview);
  } else {
    fastImg1_->ShowSurface(editor_.TallPicture(), editor_.TallRevision());
    fastImg2_->ShowSurface(editor_.FramedOverview(), editor_.FramedOverviewRevision());
  }
  if (ClassicLayout()) {
    fastImg3_->ShowSurface(editor_.PaletteBitmap(), revisions.palette);
  } else {
    fastImg3_->ShowSurface(editor_.PalettePicture(), editor_.PalettePictureRevision());
  }
  const std::optional<Rect> marker = editor_.DropMarker();
  fastImg1_->ShowMarker(marker ? QRect(marker->x, marker->y, marker->width, marker->height) : QRect());
  fastImg4_->ShowSurface(editor_.DragBitmap(), revisions.dragPicture);
  const QPoint dragPicture(editor_.DragPictureLeft(), editor_.DragPictureTop());
  if (fastImg4_->pos() != dragPicture) fastImg4_->move(dragPicture);
  if (editor_.View().visible.dragPicture) fastImg4_->raise();
}

}  // namespace kestrova::app
