#pragma once

// The stand-in emulator (tests/emulator/stand_in_emulator.sh) as the
// emulator the editor starts, and what each of its runs recorded. Qt tests only.
#include <QByteArray>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

#include <signal.h>

#include <map>
#include <optional>

namespace kestrova::testing {

struct StandInRun {
  qint64 pid = 0;
  QStringList words;  // the program's file name, then its arguments
  QByteArray copy;    // the file it was handed, as it was then
  bool Running() const { return kill(static_cast<pid_t>(pid), 0) == 0; }
};

// Sets KESTROVA_EMULATOR and the stand-in's own variables for its lifetime,
// and puts back what they were; runs still holding are ended with it.
class StandInEmulator {
 public:
  static QString Script() { return QStringLiteral(KESTROVA_STAND_IN_EMULATOR); }

  StandInEmulator() {
    for (const char* name : {"KESTROVA_EMULATOR", "STAND_IN_RECORD", "STAND_IN_HOLD", "PATH"}) {
      if (qEnvironmentVariableIsSet(name)) saved_[name] = qgetenv(name);
      else saved_[name] = std::nullopt;
    }
    qputenv("STAND_IN_RECORD", record_.path().toLocal8Bit());
    Name(Script());
  }
  ~StandInEmulator() {
    for (const qint64 pid : seen_) kill(static_cast<pid_t>(pid), SIGKILL);
    for (const auto& [name, value] : saved_) {
      if (value) qputenv(name, *value);
      else qunsetenv(name);
    }
  }
  StandInEmulator(const StandInEmulator&) = delete;
  StandInEmulator& operator=(const StandInEmulator&) = delete;

  void Name(const QString& command) { qputenv("KESTROVA_EMULATOR", command.toLocal8Bit()); }
  void Hold(int seconds) { qputenv("STAND_IN_HOLD", QByteArray::number(seconds)); }

  // The next run not yet returned, waited for while the event loop runs.
  std::optional<StandInRun> NextRun(int timeoutMs = 10000) {
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < timeoutMs) {
      for (const QString& name : QDir(record_.path()).entryList({"*.args"}, QDir::Files)) {
        const qint64 pid = name.section('.', 0, 0).toLongLong();
        if (seen_.contains(pid)) continue;
        seen_.insert(pid);
        StandInRun run;
        run.pid = pid;
        run.words = QString::fromLocal8Bit(ReadAll(record_.filePath(name))).split('\n', Qt::SkipEmptyParts);
        run.copy = ReadAll(record_.filePath(QString::number(pid) + ".copy"));
        return run;
      }
      QTest::qWait(20);
    }
    return std::nullopt;
  }

 private:
  static QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
  QTemporaryDir record_;
  QSet<qint64> seen_;
  std::map<const char*, std::optional<QByteArray>> saved_;
};

}  // namespace kestrova::testing
