#include "app/selection_gestures.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>

#include <span>

#include "qtio/qt_strings.h"

namespace kestrova::app {

namespace {

QRect ToQRect(const Rect& r) { return QRect(r.x, r.y, r.width, r.height); }

}  // namespace

SelectionOverlay::SelectionOverlay(QWidget* map) : QWidget(map) {
  setObjectName("SelectionOutline");
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setAttribute(Qt::WA_NoSystemBackground);
  resize(map->size());
}

void SelectionOverlay::Show(std::vector<QRect> outline, std::optional<QRect> band) {
  if (outline == outline_ && band == band_) return;
  outline_ = std::move(outline);
  band_ = band;
  update();
}

void SelectionOverlay::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  // Two colours, dashed, so that the outline shows on any of the game's colours.
  QPen light(Qt::white, 0, Qt::SolidLine);
  QPen dark(Qt::magenta, 0, Qt::DashLine);
  for (const QRect& r : outline_) {
    const QRect edge = r.adjusted(0, 0, -1, -1);
    painter.setPen(light);
    painter.drawRect(edge);
    painter.setPen(dark);
    painter.drawRect(edge);
  }
  if (band_) {
    painter.setPen(QPen(Qt::yellow, 0, Qt::DashLine));
    painter.drawRect(band_->normalized().adjusted(0, 0, -1, -1));
  }
}

SelectionGestures::SelectionGestures(Editor& editor, TFastIMG* map, QMenu* edit, QLabel* status,
                                     std::function<bool()> tall, Runner run)
    : QObject(map),
      editor_(editor),
      map_(map),
      status_(status),
      tall_(std::move(tall)),
      run_(std::move(run)),
      overlay_(new SelectionOverlay(map)) {
  status_->setObjectName("SelectionStatus");
  map_->installEventFilter(this);
  AddActions(edit);
}

void SelectionGestures::AddActions(QMenu* edit) {
  edit->addSeparator();
  const auto add = [this, edit](const char* caption, const char* name, QKeySequence keys, auto handler) {
    QAction* action = edit->addAction(caption);
    action->setObjectName(name);
    action->setShortcut(keys);
    connect(action, &QAction::triggered, this, handler);
  };
  add("Cut", "Cut1", QKeySequence("Ctrl+X"), [this] { Cut(); });
  add("Copy", "Copy1", QKeySequence("Ctrl+C"), [this] { Copy(); });
  add("Paste", "Paste1", QKeySequence("Ctrl+V"), [this] { Paste(); });
  add("Select All", "SelectAll1", QKeySequence("Ctrl+A"), [this] { run_([this] { editor_.SelectAll(); }); });
  // Escape has no menu entry: it clears the selection.
  QWidget* window = map_->window();
  auto* clear = new QAction(window);
  clear->setObjectName("ClearSelection1");
  clear->setShortcut(QKeySequence(Qt::Key_Escape));
  connect(clear, &QAction::triggered, this, [this] { run_([this] { editor_.ClearSelection(); }); });
  window->addAction(clear);
}

void SelectionGestures::PutOnClipboard(const RecordClip& clip) {
  auto* data = new QMimeData;
  const std::vector<std::uint8_t> own = EncodeClip(clip);
  data->setData(kRecordsMimeType, QByteArray(reinterpret_cast<const char*>(own.data()), static_cast<int>(own.size())));
  data->setText(Q(ClipScript(clip, editor_.Place().currentLevelIndex + 1)));
  QApplication::clipboard()->setMimeData(data);
}

void SelectionGestures::Copy() {
  if (const std::optional<RecordClip> clip = editor_.CopySelection()) PutOnClipboard(*clip);
}

void SelectionGestures::Cut() {
  run_([this] {
    const Result<RecordClip> cut = editor_.CutSelection();
    if (cut) PutOnClipboard(*cut);
  });
}

void SelectionGestures::Paste() {
  const QMimeData* data = QApplication::clipboard()->mimeData();
  const QByteArray own = data ? data->data(kRecordsMimeType) : QByteArray();
  const std::string text = data ? data->text().toStdString() : std::string();
  run_([&] {
    editor_.PasteClipboard(
        std::span(reinterpret_cast<const std::uint8_t*>(own.constData()), static_cast<std::size_t>(own.size())), text);
  });
}

bool SelectionGestures::eventFilter(QObject* watched, QEvent* event) {
  if (watched != map_) return false;
  if (event->type() == QEvent::Resize) {
    overlay_->resize(map_->size());
    return false;
  }
  const bool press = event->type() == QEvent::MouseButtonPress;
  const bool move = event->type() == QEvent::MouseMove;
  const bool release = event->type() == QEvent::MouseButtonRelease;
  if (!press && !move && !release) return false;
  const auto* mouse = static_cast<QMouseEvent*>(event);
  const QPoint at = mouse->position().toPoint();
  if (press && mouse->button() == Qt::LeftButton && (mouse->modifiers() & Qt::ControlModifier)) {
    run_([&] { tall_() ? editor_.ToggleSelectionAtTall(at.x(), at.y()) : editor_.ToggleSelectionAt(at.x(), at.y()); });
    toggleHeld_ = true;
    return true;
  }
  // The release of a toggling click is the click's: no drag ended, nothing redrawn.
  if (toggleHeld_ && (move || release)) {
    if (release && mouse->button() == Qt::LeftButton) toggleHeld_ = false;
    return true;
  }
  if (press && mouse->button() == Qt::LeftButton && (mouse->modifiers() & Qt::ShiftModifier)) {
    bandStart_ = at;
    bandEnd_ = at;
    Redraw();
    return true;
  }
  if (!bandStart_) return false;
  bandEnd_ = at;
  if (release && mouse->button() == Qt::LeftButton) {
    const QPoint from = *bandStart_;
    bandStart_.reset();
    run_([&] {
      tall_() ? editor_.SelectInTallBand(from.x(), from.y(), at.x(), at.y())
              : editor_.SelectInBand(from.x(), from.y(), at.x(), at.y());
    });
    return true;
  }
  Redraw();
  return true;
}

void SelectionGestures::Sync() {
  // Sync runs on every pointer move: the label is touched only when its text changes.
  std::string summary = editor_.Selection().Summary();
  if (summary != shownSummary_) {
    status_->setText(Q(summary));
    shownSummary_ = std::move(summary);
  }
  Redraw();
}

void SelectionGestures::Redraw() {
  std::vector<QRect> outline;
  if (!editor_.Selection().Empty()) {
    for (const Rect& r : tall_() ? editor_.TallSelectionOutline() : editor_.SelectionOutline())
      outline.push_back(ToQRect(r));
  }
  std::optional<QRect> band;
  if (bandStart_) band = QRect(*bandStart_, bandEnd_).normalized();
  overlay_->Show(std::move(outline), band);
}

}  // namespace kestrova::app
