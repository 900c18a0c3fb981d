#include "app/snapshot_drop.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

#include <string>

#include <optional>

#include "app/main_window.h"

namespace kestrova::app {

namespace {

// The first local file a drag carries; one at a time is opened.
std::optional<QString> DroppedFile(const QMimeData* data) {
  if (data == nullptr || !data->hasUrls()) return std::nullopt;
  for (const QUrl& url : data->urls()) {
    if (url.isLocalFile()) return url.toLocalFile();
  }
  return std::nullopt;
}

}  // namespace

SnapshotDrop::SnapshotDrop(TForm1& window) : window_(window) {
  window.setAcceptDrops(true);
  window.installEventFilter(this);
}

bool SnapshotDrop::eventFilter(QObject* watched, QEvent* event) {
  if (watched != &window_) return false;
  if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
    auto* drag = static_cast<QDragMoveEvent*>(event);
    if (DroppedFile(drag->mimeData())) drag->acceptProposedAction();
    return true;
  }
  if (event->type() == QEvent::Drop) {
    auto* drop = static_cast<QDropEvent*>(event);
    const std::optional<QString> file = DroppedFile(drop->mimeData());
    if (!file) return true;
    drop->acceptProposedAction();
    // After the drop has ended: the question about unsaved changes and any
    // message are modal, and must not run inside the platform's drag.
    const std::string path = file->toStdString();
    QTimer::singleShot(0, this, [this, path] {
      window_.Core().OpenNamedFile(path);
      window_.Sync();
    });
    return true;
  }
  return false;
}

}  // namespace kestrova::app
