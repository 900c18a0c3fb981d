#pragma once

#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>

#include <memory>
#include <optional>
#include <string>

#include "app/controls.h"
#include "app/fast_img.h"
#include "app/properties_window.h"
#include "app/selection_gestures.h"
#include "editor/editor.h"
#include "emulatorio/qt_emulator.h"
#include "spectrumio/libspectrum_formats.h"

namespace kestrova::app {

// The window's two layouts: the resizable one whose map fills it (the
// tall map, zoomable), and the classic one of fixed size with the 512 x 384
// map view, every control at its designed place.
enum class MapLayout { Tall, Classic };

// The main window: a thin view over the Editor. Every gesture becomes one
// Editor call, after which Sync() brings the controls in line with what the
// Editor exposes; no control keeps editor state of its own.
class TForm1 : public QMainWindow {
  Q_OBJECT

 public:
  TForm1(Ui& ui, Files& files, QWidget* parent = nullptr, MapLayout layout = MapLayout::Tall);

  Editor& Core() { return editor_; }
  const Editor& Core() const { return editor_; }
  QtEmulator& EmulatorPort() { return emulator_; }
  TForm2& Properties() { return *properties_; }

  // The file named when the program was started, loaded as "Load Snapshot"
  // would load it.
  void OpenAtStart(const QString& path);
  // The name as the system's bytes, which may not be UTF-8.
  void OpenAtStart(const std::string& path);

  // Whether the title picture was made (it is, when Image1 first paints).
  bool TitlePictureMade() const { return titlePicture_.has_value(); }

  // The window's client size for the Editor's outer window size.
  static QSize ClientSizeFor(int outerWidth, int outerHeight);

  // Brings every control in line with what the Editor exposes; runs after
  // each gesture, and after calls made on Core() by others.
  void Sync();
  // A line in the status bar for a while, from beside the Editor (the side
  // file of unsaved work, the settings).
  void ShowNotice(const std::string& text);

  // "View" > "Classic Layout" and the zoom of the tall map (1..4); the
  // zoom is kept while the classic layout shows the map at 2x.
  void SetClassicLayout(bool classic);
  bool ClassicLayout() const { return layout_ == MapLayout::Classic; }
  void SetZoom(int zoom);
  int Zoom() const { return zoom_; }

 signals:
  // After every Sync: the window shows what the Editor holds now.
  void Synced();

 protected:
  void closeEvent(QCloseEvent* event) override;
  // The palette strip's tooltip (the name of the picture under the pointer)
  // and the tall map's keys.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Runs one Editor call, then brings the window in line with it.
  template <typename Call>
  void Run(Call&& call) {
    call();
    Sync();
  }
  void SyncWindowState();
  void SyncCaptions();
  void SyncChooser();
  void SyncScrollBar();
  void SyncSurfaces();
  void SyncHistory();
  // A line the Editor counts (a refusal, a notice), shown for a while over
  // the status bar's text when it is new since `shown`.
  void SyncStatusLine(const Refusal& line, unsigned& shown);

  // The layouts (main_window_layout.cpp).
  void BuildViewMenu();
  void PlaceClassically();
  void LayOutTall();
  // The tall map's bands for the room its area has, told to the Editor.
  void FitTallMap();
  // The palette's rows for the window's width, told to the Editor.
  void FitPalette();
  // The resizable window grown to show what a window of `client` shows.
  void GrowTallWindow(QSize client);
  void SyncLayoutActions();
  // The keys and wheel of the tall map; true when the event was theirs.
  bool TallMapKey(const QKeyEvent& key);
  void TurnWheelOverMap(int notches, Qt::KeyboardModifiers modifiers);

  // Whether work may be dropped now (by "Exit", the close box or another
  // load); the place where unsaved changes are asked about.
  bool MayDropWork();

  void BuildMenus();
  void BuildControls();
  void ConnectControls();
  void ConnectMapView();
  void ConnectPalette();
  // The palette picture's name as the strip's tooltip.
  bool ShowPaletteName(const QHelpEvent* help);
  // After a right press on the map: the popup the Editor built, where it says.
  void ShowPopupAfterPress(QPoint globalPosition);
  void ShowPopup(QPoint globalPosition);
  // The client-area position of a point of a control.
  QPoint ClientPoint(const QWidget* control, QPoint position) const;

  // Before editor_, which starts it; its scratch folder goes with the window.
  QtEmulator emulator_;
  LibspectrumFormats formats_;
  Editor editor_;
  std::optional<TFastDIB> titlePicture_;  // shown by Image1 before the first load; made when it first paints

  // "File" and "Options"
  QAction* saveSnapshot_ = nullptr;
  QAction* saveSnapshotAs_ = nullptr;
  QAction* saveTap_ = nullptr;
  QAction* runInEmulator_ = nullptr;
  QAction* runTapInEmulator_ = nullptr;
  QAction* loadScreen_ = nullptr;
  QMenu* options_ = nullptr;
  // "Edit": taking back and doing again
  QMenu* edit_ = nullptr;
  QAction* undo_ = nullptr;
  QAction* redo_ = nullptr;

  TFastIMG* image1_ = nullptr;  // the title picture
  QComboBox* comboBox1_ = nullptr;
  UpDownControl* upDown1_ = nullptr;
  QLabel* label1_ = nullptr;
  QLabel* label2_ = nullptr;
  QCheckBox* checkBox1_ = nullptr;
  QPushButton* button1_ = nullptr;
  QScrollArea* scrollBox1_ = nullptr;
  TFastIMG* fastImg1_ = nullptr;  // map view
  TFastIMG* fastImg2_ = nullptr;  // level overview
  TFastIMG* fastImg3_ = nullptr;  // object palette
  TFastIMG* fastImg4_ = nullptr;  // drag picture
  QScrollBar* scrollBar1_ = nullptr;
  StatusPanel* statusBar1_ = nullptr;

  SelectionGestures* selection_ = nullptr;  // the map's selection, clipboard and their keys
  std::unique_ptr<TForm2> properties_;      // after editor_: it shows the Editor's options

  bool contextMenuPending_ = false;  // a popup waits for the map's context-menu event
  // What the chooser and the caption were last given, so that a sync after
  // a pointer move compares plain strings instead of building Qt ones.
  std::vector<std::string> chooserShown_;
  std::string caption_;  // the caption shown
  // The modified mark and the "Edit" menu as last shown; nothing at first.
  struct HistoryShown {
    bool modified = false;
    bool editMenuVisible = false;
    bool canUndo = false;
    bool canRedo = false;
    std::string undoText;
    std::string redoText;
    bool operator==(const HistoryShown&) const = default;
  };
  std::optional<HistoryShown> historyShown_;
  std::string bytesFreeShown_, fortressShown_, fortressHintShown_;  // Label1's text, Label2's and its hint
  unsigned refusalsShown_ = 0;
  unsigned noticesShown_ = 0;
  QSize outerSize_;

  MapLayout layout_;
  int zoom_ = kActualSizeZoom;
  QWidget* mapArea_ = nullptr;  // the tall map's room, FastIMG1 in its middle
  QMenu* view_ = nullptr;
  QAction* classicLayout_ = nullptr;
  QActionGroup* zoomLevels_ = nullptr;
  QList<QAction*> zoomActions_;  // "Zoom In", "Zoom Out", "Actual Size" and the levels
  bool overviewHeld_ = false;    // a left press in the overview drags the tall map
};

}  // namespace kestrova::app
