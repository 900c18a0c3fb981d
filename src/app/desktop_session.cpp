#include "app/desktop_session.h"

#include <QMenu>

#include "app/main_window.h"
#include "app/preferences_dialog.h"
#include "app/tooltips.h"

namespace kestrova::app {

namespace {

constexpr std::array kDialogKinds = {FileDialogKind::Snapshot, FileDialogKind::Screen, FileDialogKind::Tape,
                                     FileDialogKind::Listing};

}  // namespace

DesktopSession::DesktopSession(TForm1& window, AppSettings& settings, RecoveryStore& store, Files& files)
    : window_(window),
      settings_(settings),
      autosave_(window, store, settings.AutosaveSeconds()),
      recent_(window, settings, files),
      drop_(window),
      help_(window) {
  ApplySettings();
  GiveTooltips(window, window.Properties());
  if (auto* options = window.findChild<QMenu*>("Options1")) {
    QAction* preferences = options->addAction("Preferences…");
    preferences->setObjectName("Preferences1");
    connect(preferences, &QAction::triggered, this, &DesktopSession::EditPreferences);
  }
  connect(&window, &TForm1::Synced, this, &DesktopSession::KeepFolders);
}

DesktopSession::~DesktopSession() {
  settings_.SetGeometry(window_.saveGeometry());
  settings_.SetClassicLayout(window_.ClassicLayout());
  settings_.SetZoom(window_.Zoom());
  KeepFolders();
  settings_.Sync();
}

void DesktopSession::ApplySettings() {
  Editor& editor = window_.Core();
  for (const FileDialogKind kind : kDialogKinds) {
    const std::string folder = settings_.LastFolder(kind);
    if (!folder.empty()) editor.SetLastFolder(kind, folder);
    keptFolders_[static_cast<std::size_t>(kind)] = editor.LastFolder(kind);
  }
  window_.EmulatorPort().SetPreferredCommand(settings_.EmulatorCommand());
  window_.SetZoom(settings_.Zoom());
  const QByteArray geometry = settings_.Geometry();
  if (!geometry.isEmpty()) window_.restoreGeometry(geometry);
}

void DesktopSession::KeepFolders() {
  const Editor& editor = window_.Core();
  for (const FileDialogKind kind : kDialogKinds) {
    std::string& kept = keptFolders_[static_cast<std::size_t>(kind)];
    if (editor.LastFolder(kind) == kept) continue;
    kept = editor.LastFolder(kind);
    settings_.SetLastFolder(kind, kept);
  }
}

void DesktopSession::EditPreferences() {
  PreferencesDialog dialog(&window_);
  dialog.SetEmulatorCommand(settings_.EmulatorCommand());
  dialog.SetAutosaveSeconds(settings_.AutosaveSeconds());
  if (dialog.exec() != QDialog::Accepted) return;
  settings_.SetEmulatorCommand(dialog.EmulatorCommand());
  settings_.SetAutosaveSeconds(dialog.AutosaveSeconds());
  window_.EmulatorPort().SetPreferredCommand(settings_.EmulatorCommand());
  autosave_.SetInterval(settings_.AutosaveSeconds());
  settings_.Sync();
}

}  // namespace kestrova::app
