// kestrova asm IN -o OUT.asm [--force]: "Load Snapshot", then "Save Disassembly".
#include <cstdio>

#include "cli/editor_session.h"
#include "export/file_names.h"

namespace kestrova::cli {

int RunAsm(const Arguments& arguments) {
  const std::optional<CommandLine> line = ParseCommandLine(arguments, {"-o"});
  if (!line || line->words.size() != 1 || !line->options.count("-o")) {
    std::fprintf(stderr, "usage: kestrova asm IN -o OUT.asm [--force]\n");
    return 2;
  }
  const std::string& output = line->options.at("-o");
  EditorSession session("asm", line->force);
  if (!session.LoadSnapshot(line->words[0])) return 1;
  return session.Save(&Editor::SaveDisassembly, output, ForceExtension(output, ".asm").value_or(output));
}

}  // namespace kestrova::cli
