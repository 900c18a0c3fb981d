// kestrova save IN OUT.sna|OUT.szx [--force]: "Load Snapshot", then "Save Snapshot".
#include <cstdio>

#include "cli/editor_session.h"
#include "export/file_names.h"
#include "snapshot/snapshot_file_kind.h"

namespace kestrova::cli {

int RunSave(const Arguments& arguments) {
  const std::optional<CommandLine> line = ParseCommandLine(arguments, {});
  if (!line || line->words.size() != 2) {
    std::fprintf(stderr, "usage: kestrova save IN OUT.sna|OUT.szx [--force]\n");
    return 2;
  }
  const std::string& input = line->words[0];
  const std::string& output = line->words[1];
  // "Save Snapshot" writes nothing for any other extension: say so rather
  // than end quietly.
  const SnapshotFileKind kind = SnapshotFileKindOf(output);
  if (kind == SnapshotFileKind::Other) {
    PrintError("save", output + ": the name must end in .sna, .SNA, .szx or .SZX");
    return 2;
  }
  const std::optional<std::string> written = ForceExtension(output, kind == SnapshotFileKind::Sna ? ".sna" : ".szx");

  EditorSession session("save", line->force);
  if (!session.LoadSnapshot(input)) return 1;
  return session.Save(&Editor::SaveSnapshot, output, written.value_or(output));
}

}  // namespace kestrova::cli
