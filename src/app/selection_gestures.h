#pragma once

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QObject>
#include <QRect>
#include <QWidget>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/fast_img.h"
#include "editor/editor.h"

namespace kestrova::app {

// The MIME type of the editor's own clipboard form of copied objects.
inline constexpr const char* kRecordsMimeType = "application/x-kestrova-records";

// The outline of the selection and the rubber band, drawn over the map
// control as a widget of its own: the map's picture, the game's pixels,
// stays as the Editor drew it.
class SelectionOverlay : public QWidget {
  Q_OBJECT

 public:
  explicit SelectionOverlay(QWidget* map);
  void Show(std::vector<QRect> outline, std::optional<QRect> band);
  const std::vector<QRect>& Outline() const { return outline_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::vector<QRect> outline_;
  std::optional<QRect> band_;
};

// The map's selection gestures and keys, each one Editor call: Ctrl+click
// toggles the object under the pointer, Shift+drag draws a rubber band,
// Ctrl+A selects all, Escape clears; "Edit" > "Cut", "Copy" and "Paste"
// (Ctrl+X, Ctrl+C, Ctrl+V) go through the system clipboard, as the
// editor's own form and as edit commands in text.
class SelectionGestures : public QObject {
  Q_OBJECT

 public:
  using Runner = std::function<void(const std::function<void()>&)>;
  // `tall` says whether the map shows the tall map (else the map view);
  // `run` makes one Editor call and brings the window in line.
  SelectionGestures(Editor& editor, TFastIMG* map, QMenu* edit, QLabel* status, std::function<bool()> tall, Runner run);

  // After every sync: the outline and the status text as the Editor has them.
  void Sync();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void AddActions(QMenu* edit);
  void Copy();
  void Cut();
  void Paste();
  void PutOnClipboard(const RecordClip& clip);
  void Redraw();

  Editor& editor_;
  TFastIMG* map_;
  QLabel* status_;
  std::string shownSummary_;  // what status_ shows
  std::function<bool()> tall_;
  Runner run_;
  SelectionOverlay* overlay_;
  std::optional<QPoint> bandStart_;  // a Shift+drag is drawing the band from here
  QPoint bandEnd_;
  bool toggleHeld_ = false;  // the left button of a Ctrl+click is down
};

}  // namespace kestrova::app
