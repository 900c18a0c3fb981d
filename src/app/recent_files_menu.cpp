#include "app/recent_files_menu.h"

#include <QFileInfo>

#include "app/main_window.h"
#include "editor/recent_files.h"
#include "qtio/qt_strings.h"

namespace kestrova::app {

RecentFilesMenu::RecentFilesMenu(TForm1& window, AppSettings& settings, Files& files)
    : window_(window), settings_(settings), files_(files) {
  auto* file = window.findChild<QMenu*>("File1");
  menu_ = new QMenu("Open Recent", file);
  menu_->setObjectName("OpenRecent1");
  // Beside "Load Snapshot", the other way to open a game.
  const QList<QAction*> actions = file->actions();
  file->insertMenu(actions.size() > 1 ? actions[1] : nullptr, menu_);
  connect(menu_, &QMenu::aboutToShow, this, &RecentFilesMenu::Rebuild);
  connect(&window, &TForm1::Synced, this, &RecentFilesMenu::Notice);
  shownPath_ = window.Core().SnapshotPath();
  Rebuild();
}

void RecentFilesMenu::Rebuild() {
  menu_->clear();
  const std::vector<RecentFileEntry> entries = RecentFileEntries(settings_.RecentFiles(), files_);
  for (const RecentFileEntry& entry : entries) {
    QAction* action = menu_->addAction(Q(entry.caption));
    action->setEnabled(entry.exists);
    action->setToolTip(entry.exists ? Q(entry.path) : Q(entry.path) + " is no longer there");
    const std::string path = entry.path;
    connect(action, &QAction::triggered, this, [this, path] {
      window_.Core().OpenNamedFile(path);
      window_.Sync();
    });
  }
  menu_->addSeparator();
  QAction* clear = menu_->addAction("Clear");
  clear->setObjectName("ClearRecent1");
  clear->setEnabled(!entries.empty());
  // The menu is built afresh when it next opens: an action is never deleted
  // while its own signal runs.
  connect(clear, &QAction::triggered, this, [this] { settings_.SetRecentFiles({}); });
}

void RecentFilesMenu::Notice() {
  const std::string& path = window_.Core().SnapshotPath();
  if (path == shownPath_) return;
  shownPath_ = path;
  if (path.empty()) return;
  // Whole, so that the entry opens the same file from any folder.
  const std::string whole = QFileInfo(Q(path)).absoluteFilePath().toStdString();
  settings_.SetRecentFiles(WithRecentFile(settings_.RecentFiles(), whole));
}

}  // namespace kestrova::app
