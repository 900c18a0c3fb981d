#pragma once

#include <QMenu>
#include <QObject>

#include <string>

#include "app/app_settings.h"
#include "ports/files.h"

namespace kestrova::app {

class TForm1;

// "File" > "Open Recent": the snapshots last loaded or saved (kept in the
// settings), a file that is gone greyed with a note, and "Clear".
class RecentFilesMenu : public QObject {
  Q_OBJECT

 public:
  RecentFilesMenu(TForm1& window, AppSettings& settings, Files& files);

  QMenu* Menu() const { return menu_; }
  // The entries from the settings, as the menu shows them when it opens.
  void Rebuild();

 private:
  // After every Sync: a file newly loaded or saved comes first.
  void Notice();

  TForm1& window_;
  AppSettings& settings_;
  Files& files_;
  QMenu* menu_;
  std::string shownPath_;
};

}  // namespace kestrova::app
