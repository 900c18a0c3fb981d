#pragma once

#include <string>

#include "base/result.h"

namespace kestrova {

// What a file handed to the emulator holds: the emulator is told to load a
// tape, and to start it, in another way than a snapshot.
enum class EmulatorMedium { Snapshot, Tape };

// How a start went. Only the Editor words the message a person sees.
struct EmulatorStart {
  enum class Kind {
    Started,   // the emulator runs on its own, detached from the editor
    NotFound,  // no emulator command is named or on the path
    Failed,    // the command was found but could not be started
  };
  Kind kind = Kind::NotFound;
  std::string command;  // the command line tried (Started, Failed)
  std::string reason;   // why it failed (Failed)
};

// How the Editor starts an emulator on a file it wrote. The window
// implements it with a detached process; the tool has none.
class Emulator {
 public:
  virtual ~Emulator() = default;
  // A folder of this run's own for the files handed over, made on first use
  // and removed, with everything in it, when the port goes.
  virtual Result<std::string> ScratchFolder() = 0;
  // Starts the emulator on `path` and returns at once; the emulator keeps
  // running after the editor exits.
  virtual EmulatorStart Start(EmulatorMedium medium, const std::string& path) = 0;
};

}  // namespace kestrova
