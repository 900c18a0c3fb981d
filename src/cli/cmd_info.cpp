// kestrova info FILE [--json]: what the editor finds in a snapshot.
#include <cstdio>
#include <optional>
#include <string>

#include "cli/batch_ui.h"
#include "cli/commands.h"
#include "cli/editor_session.h"
#include "editor/editor.h"
#include "level/level_summary.h"
#include "qtio/qt_files.h"

namespace kestrova::cli {

namespace {

struct InfoOptions {
  std::string file;
  bool json = false;
};

std::optional<InfoOptions> ParseInfoOptions(const Arguments& arguments) {
  InfoOptions options;
  bool haveFile = false;
  for (const std::string& argument : arguments) {
    if (argument == "--json") {
      options.json = true;
    } else if (!TakeFileWord(argument, options.file, haveFile)) {
      return std::nullopt;
    }
  }
  if (!haveFile) return std::nullopt;
  return options;
}

// The message boxes the load showed with the error icon, one text a line.
bool PrintErrors(const BatchUi& ui) {
  bool printed = false;
  for (const BatchUi::Shown& shown : ui.messages) {
    if (shown.icon != MessageIcon::Error) continue;
    std::fprintf(stderr, "%s\n", shown.text.c_str());
    printed = true;
  }
  return printed;
}

}  // namespace

int RunInfo(const Arguments& arguments) {
  const std::optional<InfoOptions> options = ParseInfoOptions(arguments);
  if (!options) {
    std::fprintf(stderr, "usage: kestrova info FILE [--json]\n");
    return 2;
  }
  BatchUi ui;
  ui.paths = {options->file};
  QtFiles files;
  Editor editor(ui, files);
  editor.LoadSnapshot();
  if (ui.Failed()) {
    if (!PrintErrors(ui)) ui.PrintMessages();
    return 1;
  }
  if (!editor.HasSnapshot()) {
    // The load ends without a word on a name it does not read (neither
    // .sna nor .szx); the tool says so.
    std::fprintf(stderr, "kestrova info: nothing was loaded from %s (a .sna or .szx file is needed)\n",
                 options->file.c_str());
    return 1;
  }
  const SnapshotSummary summary =
      SummariseSnapshot(editor.Image(), editor.Levels(), editor.State().bytesFree, editor.State().loadedFromSzx);
  const std::string out = options->json ? SummaryJson(summary) + "\n" : SummaryText(summary);
  std::fputs(out.c_str(), stdout);
  return 0;
}

}  // namespace kestrova::cli
