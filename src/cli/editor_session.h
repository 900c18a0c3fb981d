#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "cli/batch_ui.h"
#include "cli/commands.h"
#include "editor/editor.h"
#include "qtio/qt_files.h"

namespace kestrova::cli {

// The editor driven from the command line, through the same handlers as the
// window: the file dialogs are answered from the arguments, the overwrite
// question by --force, and every message box is printed.
class EditorSession {
 public:
  EditorSession(std::string command, bool force);

  // "Load Snapshot" of `path`; false (reported) when nothing was loaded.
  bool LoadSnapshot(const std::string& path);
  // "Load Screen$" of `path`; false (reported) when it was refused.
  bool LoadScreen(const std::string& path);
  // Runs a save handler with `chosen` as the save dialog's answer; `written`
  // is the name the handler writes to. The exit status: 0 written, 1 refused
  // (an existing file without --force) or failed.
  int Save(bool (Editor::*handler)(), const std::string& chosen, const std::string& written);

 private:
  // Prints the message boxes shown since the last call; true when none of
  // them was an error.
  bool ReportMessages();

  std::string command_;
  BatchUi ui_;
  QtFiles files_;
  Editor editor_{ui_, files_};
};

// The arguments of one command: plain words, options with a value (each at
// most once) and --force.
struct CommandLine {
  std::vector<std::string> words;
  std::map<std::string, std::string> options;
  bool force = false;
};
// Nothing when an option is unknown, repeated or lacks its value.
std::optional<CommandLine> ParseCommandLine(const Arguments& arguments, const std::vector<std::string>& valueOptions);

// Takes a plain word as a command's one file. False for anything that
// starts with '-' or for a second file: the command line is not understood.
bool TakeFileWord(const std::string& argument, std::string& file, bool& haveFile);

// "kestrova NAME: text" on standard error.
void PrintError(const std::string& command, const std::string& text);

}  // namespace kestrova::cli
