#include "app/qt_recovery_store.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QStandardPaths>

#include "qtio/qt_files.h"
#include "qtio/qt_strings.h"

namespace kestrova {

namespace {

constexpr const char* kSideFile = ".recovery";
constexpr const char* kLock = ".lock";
constexpr const char* kSetAside = ".damaged";
constexpr const char* kFolderName = "kestrova-editor";

// Only a process that is gone makes a lock stale, never its age: an editor
// left open for a day still holds its work.
std::unique_ptr<QLockFile> LockAt(const QString& path) {
  auto lock = std::make_unique<QLockFile>(path);
  lock->setStaleLockTime(0);
  return lock;
}

}  // namespace

QString RecoveryFolder() {
  const QString state = qEnvironmentVariable("XDG_STATE_HOME");
  if (QDir::isAbsolutePath(state)) return QDir(state).filePath(kFolderName);
  const QString home = QDir::homePath();
  if (!home.isEmpty() && home != QDir::rootPath()) return QDir(home).filePath(QString(".local/state/") + kFolderName);
  return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation)).filePath(kFolderName);
}

QtRecoveryStore::QtRecoveryStore(QString folder)
    : folder_(std::move(folder)),
      ownId_(QString("recovery-%1-%2")
                 .arg(QCoreApplication::applicationPid())
                 .arg(QRandomGenerator::system()->generate(), 8, 16, QChar('0'))) {}

QtRecoveryStore::~QtRecoveryStore() = default;

QString QtRecoveryStore::PathOf(const QString& id, const char* suffix) const {
  return QDir(folder_).filePath(id + suffix);
}

QString QtRecoveryStore::OwnPath() const { return PathOf(ownId_, kSideFile); }

Outcome QtRecoveryStore::MakeFolder() {
  if (!QDir().mkpath(folder_)) return Error{"could not make the folder \"" + folder_.toStdString() + "\""};
  // The work is the person's own: no one else reads it.
  QFile::setPermissions(folder_, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  return Outcome::Done();
}

Outcome QtRecoveryStore::WriteOwn(std::span<const std::uint8_t> bytes) {
  if (!ownLock_) {
    if (Outcome made = MakeFolder(); !made) return made;
    auto lock = LockAt(PathOf(ownId_, kLock));
    if (!lock->tryLock(0)) return Error{"could not lock \"" + PathOf(ownId_, kLock).toStdString() + "\""};
    ownLock_ = std::move(lock);
  }
  QtFiles files;
  Outcome written = files.Write(OwnPath().toStdString(), bytes);
  if (written) ownWritten_ = true;
  return written;
}

void QtRecoveryStore::RemoveOwn() {
  if (!ownWritten_) return;
  QFile::remove(OwnPath());
  ownWritten_ = false;
}

std::vector<std::string> QtRecoveryStore::Orphans() {
  std::vector<std::string> orphans;
  const QDir folder(folder_);
  const QStringList names = folder.entryList({QString("*") + kSideFile}, QDir::Files, QDir::Time | QDir::Reversed);
  for (const QString& name : names) {
    const QString id = name.chopped(static_cast<qsizetype>(std::string_view(kSideFile).size()));
    if (id == ownId_ || held_.contains(id.toStdString())) continue;
    auto lock = LockAt(PathOf(id, kLock));
    // Held: its editor still runs, or another one is asking about it.
    if (!lock->tryLock(0)) continue;
    held_[id.toStdString()] = std::move(lock);
    orphans.push_back(id.toStdString());
  }
  return orphans;
}

Result<std::vector<std::uint8_t>> QtRecoveryStore::Read(const std::string& orphan) {
  QtFiles files;
  return files.Read(PathOf(Q(orphan), kSideFile).toStdString());
}

void QtRecoveryStore::Release(const std::string& orphan) { held_.erase(orphan); }

void QtRecoveryStore::Discard(const std::string& orphan) {
  QFile::remove(PathOf(Q(orphan), kSideFile));
  held_.erase(orphan);
}

Result<std::string> QtRecoveryStore::SetAside(const std::string& orphan) {
  const QString from = PathOf(Q(orphan), kSideFile);
  // A name of its own, so that nothing earlier set aside is replaced.
  const QString to = PathOf(Q(orphan) + "-" + QDateTime::currentDateTimeUtc().toString("yyyyMMddHHmmss"), kSetAside);
  const bool moved = QFile::rename(from, to);
  held_.erase(orphan);
  if (!moved) return Error{"could not rename \"" + from.toStdString() + "\""};
  return to.toStdString();
}

}  // namespace kestrova
