#include "app/app_settings.h"

#include <QStringList>

#include <algorithm>
#include <array>

#include "editor/tall_map.h"
#include "qtio/qt_strings.h"

namespace kestrova::app {

namespace {

// The key of each kind of file dialog's folder: one table.
constexpr std::array<const char*, kFileDialogKinds> kFolderKeys = {"folders/snapshot", "folders/screen", "folders/tape",
                                                                   "folders/listing"};
constexpr const char* kGeometryKey = "window/geometry";
constexpr const char* kClassicKey = "view/classic";
constexpr const char* kZoomKey = "view/zoom";
constexpr const char* kRecentKey = "recent/files";
constexpr const char* kEmulatorKey = "emulator/command";
constexpr const char* kAutosaveKey = "recovery/interval";

const char* FolderKey(FileDialogKind kind) { return kFolderKeys[static_cast<std::size_t>(kind)]; }

}  // namespace

AppSettings::AppSettings()
    : settings_(QSettings::IniFormat, QSettings::UserScope, "kestrova-editor", "kestrova-editor") {}

AppSettings::AppSettings(const QString& path) : settings_(path, QSettings::IniFormat) {}

std::string AppSettings::LastFolder(FileDialogKind kind) const {
  return settings_.value(FolderKey(kind)).toString().toStdString();
}

void AppSettings::SetLastFolder(FileDialogKind kind, const std::string& folder) {
  settings_.setValue(FolderKey(kind), Q(folder));
}

QByteArray AppSettings::Geometry() const { return settings_.value(kGeometryKey).toByteArray(); }
void AppSettings::SetGeometry(const QByteArray& geometry) { settings_.setValue(kGeometryKey, geometry); }

bool AppSettings::ClassicLayout() const { return settings_.value(kClassicKey, false).toBool(); }
void AppSettings::SetClassicLayout(bool classic) { settings_.setValue(kClassicKey, classic); }

int AppSettings::Zoom() const {
  bool ok = false;
  const int zoom = settings_.value(kZoomKey, kActualSizeZoom).toInt(&ok);
  return ok ? std::clamp(zoom, kSmallestZoom, kLargestZoom) : kActualSizeZoom;
}
void AppSettings::SetZoom(int zoom) { settings_.setValue(kZoomKey, std::clamp(zoom, kSmallestZoom, kLargestZoom)); }

std::vector<std::string> AppSettings::RecentFiles() const {
  std::vector<std::string> files;
  for (const QString& file : settings_.value(kRecentKey).toStringList()) {
    if (!file.isEmpty()) files.push_back(file.toStdString());
  }
  return files;
}

void AppSettings::SetRecentFiles(const std::vector<std::string>& files) {
  QStringList list;
  for (const std::string& file : files) list << Q(file);
  settings_.setValue(kRecentKey, list);
}

QString AppSettings::EmulatorCommand() const { return settings_.value(kEmulatorKey).toString(); }
void AppSettings::SetEmulatorCommand(const QString& command) { settings_.setValue(kEmulatorKey, command.trimmed()); }

int AppSettings::AutosaveSeconds() const {
  bool ok = false;
  const int seconds = settings_.value(kAutosaveKey, kDefaultAutosaveSeconds).toInt(&ok);
  return ok ? std::clamp(seconds, kLeastAutosaveSeconds, kMostAutosaveSeconds) : kDefaultAutosaveSeconds;
}
void AppSettings::SetAutosaveSeconds(int seconds) {
  settings_.setValue(kAutosaveKey, std::clamp(seconds, kLeastAutosaveSeconds, kMostAutosaveSeconds));
}

}  // namespace kestrova::app
