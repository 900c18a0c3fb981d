#include "cli/editor_session.h"

#include <algorithm>
#include <cstdio>

namespace kestrova::cli {

std::optional<CommandLine> ParseCommandLine(const Arguments& arguments, const std::vector<std::string>& valueOptions) {
  CommandLine line;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == "--force") {
      line.force = true;
    } else if (std::find(valueOptions.begin(), valueOptions.end(), argument) != valueOptions.end()) {
      if (i + 1 >= arguments.size() || line.options.count(argument)) return std::nullopt;
      line.options[argument] = arguments[++i];
    } else if (argument.size() > 1 && argument[0] == '-') {
      return std::nullopt;
    } else {
      line.words.push_back(argument);
    }
  }
  return line;
}

bool TakeFileWord(const std::string& argument, std::string& file, bool& haveFile) {
  if (haveFile || (!argument.empty() && argument[0] == '-')) return false;
  file = argument;
  haveFile = true;
  return true;
}

void PrintError(const std::string& command, const std::string& text) {
  std::fprintf(stderr, "kestrova %s: %s\n", command.c_str(), text.c_str());
}

EditorSession::EditorSession(std::string command, bool force) : command_(std::move(command)) { ui_.force = force; }

bool EditorSession::ReportMessages() {
  bool ok = true;
  for (const BatchUi::Shown& shown : ui_.messages) {
    if (shown.buttons == MessageButtons::OkCancel) continue;  // the overwrite question, answered by --force
    std::fprintf(stderr, "%s: %s\n", shown.title.c_str(), shown.text.c_str());
    if (shown.icon == MessageIcon::Error) ok = false;
  }
  ui_.messages.clear();
  return ok;
}

bool EditorSession::LoadSnapshot(const std::string& path) {
  ui_.paths = {path};
  editor_.LoadSnapshot();
  const bool ok = ReportMessages();
  if (ok && !editor_.HasSnapshot()) {
    PrintError(command_, path + " is not a snapshot: the name must end in .sna, .SNA, .szx or .SZX");
    return false;
  }
  return ok && editor_.HasSnapshot();
}

bool EditorSession::LoadScreen(const std::string& path) {
  ui_.paths = {path};
  editor_.LoadScreen();
  return ReportMessages() && editor_.State().loadedScreen;
}

int EditorSession::Save(bool (Editor::*handler)(), const std::string& chosen, const std::string& written) {
  ui_.paths = {chosen};
  (editor_.*handler)();
  bool refused = false;
  for (const BatchUi::Shown& shown : ui_.messages) {
    if (shown.buttons == MessageButtons::OkCancel && !ui_.force) refused = true;
  }
  const bool ok = ReportMessages();
  if (refused) {
    PrintError(command_, written + " already exists; --force replaces it");
    return 1;
  }
  if (!ok) return 1;
  std::printf("%s\n", written.c_str());
  return 0;
}

}  // namespace kestrova::cli
