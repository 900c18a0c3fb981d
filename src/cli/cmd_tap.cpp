// kestrova tap IN -o OUT.tap [--screen SCREEN.scr] [--force]: "Load Snapshot",
// "Load Screen$" when a screen is given, then "Save TAP".
#include <cstdio>

#include "cli/editor_session.h"
#include "export/file_names.h"

namespace kestrova::cli {

int RunTap(const Arguments& arguments) {
  const std::optional<CommandLine> line = ParseCommandLine(arguments, {"-o", "--screen"});
  if (!line || line->words.size() != 1 || !line->options.count("-o")) {
    std::fprintf(stderr, "usage: kestrova tap IN -o OUT.tap [--screen SCREEN.scr] [--force]\n");
    return 2;
  }
  const std::string& output = line->options.at("-o");
  EditorSession session("tap", line->force);
  if (!session.LoadSnapshot(line->words[0])) return 1;
  if (line->options.count("--screen") && !session.LoadScreen(line->options.at("--screen"))) return 1;
  return session.Save(&Editor::SaveTap, output, ForceExtension(output, ".tap").value_or(output));
}

}  // namespace kestrova::cli
