#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>
#include <optional>

#include "ports/emulator.h"

namespace kestrova {

// The environment variable that names the emulator's command line.
inline constexpr const char* kEmulatorVariable = "KESTROVA_EMULATOR";

// The emulator's command line as words: KESTROVA_EMULATOR when it is set
// (split as a shell splits simple words), else the command of the
// preferences (split the same way), else the first of Fuse's programs on the
// path; nothing when none names one.
std::optional<QStringList> EmulatorCommand(const QString& preferred = {});

// The program and its arguments for `file`: every "%f" in the words stands
// for the file; without one the file is appended, and for a tape Fuse (a
// program whose name starts with "fuse") is told to load and start it.
QStringList EmulatorArguments(const QStringList& command, EmulatorMedium medium, const QString& file);

// Starts the emulator as a detached process, in a scratch folder that is
// removed with this object.
class QtEmulator : public Emulator {
 public:
  Result<std::string> ScratchFolder() override;
  EmulatorStart Start(EmulatorMedium medium, const std::string& path) override;
  // The command of the preferences; empty for none.
  void SetPreferredCommand(const QString& command) { preferred_ = command; }
  const QString& PreferredCommand() const { return preferred_; }

 private:
  QString preferred_;
  std::unique_ptr<QTemporaryDir> folder_;
};

}  // namespace kestrova
