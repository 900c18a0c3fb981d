#pragma once

#include <QObject>

#include <array>
#include <memory>
#include <string>

#include "app/app_settings.h"
#include "app/help_menu.h"
#include "app/recent_files_menu.h"
#include "app/recovery_autosave.h"
#include "app/snapshot_drop.h"
#include "ports/files.h"
#include "ports/recovery_store.h"

namespace kestrova::app {

class TForm1;

// What the window adds to the editor as a desktop program: the settings kept
// between runs (dialog folders, geometry, the map's layout and zoom, recent
// files, the emulator command, the autosave interval), "Open Recent", "Preferences…", drops of snapshot
// files, the side file of unsaved work, "Help" and the controls' hints. Built around a window before it
// is shown, and ended before the window; the settings and the side files
// live where they are given, so tests never touch the person's own.
class DesktopSession : public QObject {
  Q_OBJECT

 public:
  DesktopSession(TForm1& window, AppSettings& settings, RecoveryStore& store, Files& files);
  // Keeps what the window ends with (its geometry, the folders).
  ~DesktopSession() override;

  // At start, once the window shows: the question about the work of editors
  // that did not end cleanly.
  void OfferRecovery() { autosave_.OfferRecovery(); }

  RecentFilesMenu& Recent() { return recent_; }
  HelpMenu& Help() { return help_; }
  RecoveryAutosave& Autosave() { return autosave_; }
  // "Options" > "Preferences…".
  void EditPreferences();

 private:
  void ApplySettings();
  // After every Sync: the folders the dialogs were last used in.
  void KeepFolders();

  TForm1& window_;
  AppSettings& settings_;
  RecoveryAutosave autosave_;
  RecentFilesMenu recent_;
  SnapshotDrop drop_;
  HelpMenu help_;
  std::array<std::string, kFileDialogKinds> keptFolders_;
};

}  // namespace kestrova::app
