#include "emulatorio/qt_emulator.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <array>

#include "qtio/qt_strings.h"

namespace kestrova {

namespace {

// Fuse's programs, in the order they are looked for on the path.
constexpr std::array kFusePrograms{"fuse", "fuse-gtk", "fuse-sdl"};
const QString kFileMark = QStringLiteral("%f");

bool IsFuse(const QString& program) { return QFileInfo(program).fileName().startsWith(QStringLiteral("fuse")); }

// Why `program` cannot be started, or nothing when it can be tried.
std::optional<QString> MissingProgram(const QString& program) {
  if (!program.contains('/')) {
    if (QStandardPaths::findExecutable(program).isEmpty()) return "no program \"" + program + "\" is on the path";
    return std::nullopt;
  }
  const QFileInfo file(program);
  if (!file.exists()) return "\"" + program + "\" does not exist";
  if (!file.isFile() || !file.isExecutable()) return "\"" + program + "\" is not a program that may be run";
  return std::nullopt;
}

}  // namespace

std::optional<QStringList> EmulatorCommand(const QString& preferred) {
  for (const QString& named : {qEnvironmentVariable(kEmulatorVariable).trimmed(), preferred.trimmed()}) {
    if (named.isEmpty()) continue;
    const QStringList words = QProcess::splitCommand(named);
    if (!words.isEmpty()) return words;
  }
  for (const char* program : kFusePrograms) {
    const QString found = QStandardPaths::findExecutable(program);
    if (!found.isEmpty()) return QStringList{found};
  }
  return std::nullopt;
}

QStringList EmulatorArguments(const QStringList& command, EmulatorMedium medium, const QString& file) {
  QStringList words = command;
  bool placed = false;
  // The program itself is never the file.
  for (qsizetype i = 1; i < words.size(); ++i) {
    if (!words[i].contains(kFileMark)) continue;
    words[i].replace(kFileMark, file);
    placed = true;
  }
  if (placed) return words;
  if (medium == EmulatorMedium::Tape && IsFuse(words.front()))
    words << "--auto-load"
          << "--tape";
  words << file;
  return words;
}

Result<std::string> QtEmulator::ScratchFolder() {
  if (!folder_) {
    folder_ = std::make_unique<QTemporaryDir>(QDir::tempPath() + "/kestrova-editor-XXXXXX");
    if (!folder_->isValid()) {
      const QString reason = folder_->errorString();
      folder_.reset();
      return Error{reason.toStdString()};
    }
  }
  return folder_->path().toStdString();
}

EmulatorStart QtEmulator::Start(EmulatorMedium medium, const std::string& path) {
  const std::optional<QStringList> command = EmulatorCommand(preferred_);
  if (!command) return {EmulatorStart::Kind::NotFound, {}, {}};
  const QStringList words = EmulatorArguments(*command, medium, Q(path));
  const std::string shown = command->join(' ').toStdString();
  if (const std::optional<QString> missing = MissingProgram(words.front())) {
    return {EmulatorStart::Kind::Failed, shown, missing->toStdString()};
  }
  QProcess process;
  process.setProgram(words.front());
  process.setArguments(words.mid(1));
  if (!process.startDetached()) return {EmulatorStart::Kind::Failed, shown, process.errorString().toStdString()};
  return {EmulatorStart::Kind::Started, shown, {}};
}

}  // namespace kestrova
