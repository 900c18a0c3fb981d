#pragma once

#include <QByteArray>
#include <QSettings>
#include <QString>

#include <string>
#include <vector>

#include "ports/ui.h"

namespace kestrova::app {

// What the window keeps between runs, in an INI file through QSettings:
// on Linux $XDG_CONFIG_HOME/kestrova-editor/kestrova-editor.ini (or under
// ~/.config). Only the window reads and writes it; the core never does.
class AppSettings {
 public:
  // The person's own settings file.
  AppSettings();
  // Another file (tests).
  explicit AppSettings(const QString& path);

  QString Path() const { return settings_.fileName(); }

  std::string LastFolder(FileDialogKind kind) const;
  void SetLastFolder(FileDialogKind kind, const std::string& folder);

  QByteArray Geometry() const;
  void SetGeometry(const QByteArray& geometry);
  // The map's layout and zoom, kept for the window that shows them: the
  // resizable one (the default) or the classic fixed layout, and 1 to 4
  // times.
  bool ClassicLayout() const;
  void SetClassicLayout(bool classic);
  int Zoom() const;
  void SetZoom(int zoom);

  std::vector<std::string> RecentFiles() const;
  void SetRecentFiles(const std::vector<std::string>& files);

  QString EmulatorCommand() const;
  void SetEmulatorCommand(const QString& command);
  // Seconds from the last edit to the side file of unsaved work.
  int AutosaveSeconds() const;
  void SetAutosaveSeconds(int seconds);

  void Sync() { settings_.sync(); }

 private:
  QSettings settings_;
};

inline constexpr int kLeastAutosaveSeconds = 1;
inline constexpr int kMostAutosaveSeconds = 600;
inline constexpr int kDefaultAutosaveSeconds = 5;

}  // namespace kestrova::app
