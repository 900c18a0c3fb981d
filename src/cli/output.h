#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "base/hex.h"
#include "qtio/qt_files.h"

namespace kestrova::cli {

// The name that stands for standard output (and input) on the command line.
inline constexpr const char* kStandardStream = "-";

// The names a snapshot output may end in, as "Save Snapshot" takes them.
inline const std::vector<std::string> kSnapshotExtensions = {".sna", ".SNA", ".szx", ".SZX", ".z80", ".Z80"};

// "kestrova COMMAND: FILE: reason" (or "kestrova COMMAND: reason") on
// standard error.
void PrintError(const std::string& command, const std::string& file, const std::string& reason);

// The output's extension when it is one of `accepted` (compared exactly),
// otherwise the reason it is refused, naming the accepted ones.
struct ExtensionCheck {
  std::string extension;
  std::string refusal;
};
ExtensionCheck CheckExtension(const std::string& path, const std::vector<std::string>& accepted);

// How errors name an output: "standard output" for "-".
std::string OutputName(const std::string& target);

// Why a snapshot cannot be written to `output` (missing, standard output, an
// extension that is not a snapshot's); nothing when it can.
std::optional<std::string> SnapshotOutputRefusal(const std::string& output);

// Files for the command line: reads and writes through QtFiles, except that
// the one name a save handler is given (a name of the right extension) is
// written to the output the person named, exactly as named, or to standard
// output for "-". The handler's rules (the overwrite question, the name
// rule) then work on that name without changing what is written.
class CommandLineFiles : public Files {
 public:
  // The name to hand the save dialog for `target` in the format of
  // `extension` (a name the handler keeps as it is).
  std::string Redirect(const std::string& target, const std::string& extension);
  const std::string& Placeholder() const { return placeholder_; }

  bool Exists(const std::string& path) override;
  Result<std::vector<std::uint8_t>> Read(const std::string& path) override;
  Outcome Write(const std::string& path, std::span<const std::uint8_t> bytes) override;

 private:
  std::string Target(const std::string& path) const { return path == placeholder_ ? target_ : path; }
  QtFiles files_;
  std::string placeholder_;
  std::string target_;
};

// Writes bytes to standard output; the reason when it failed.
Outcome WriteStandardOutput(std::span<const std::uint8_t> bytes);

// Writes a whole output file (or standard output): refused for an existing
// file without --force. True when written; otherwise reported.
bool WriteOutput(const std::string& command, const std::string& target, std::span<const std::uint8_t> bytes,
                 bool force);

// Prints text on standard output.
void PrintText(const std::string& text);

}  // namespace kestrova::cli
