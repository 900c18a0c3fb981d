// kestrova demo [--128k] -o FILE.sna|FILE.szx [--force]: writes the demo game.
#include "cli/commands.h"
#include "cli/output.h"
#include "demo/demo_game.h"
#include "snapshot/snapshot_file_kind.h"
#include "snapshot/ram_banks.h"
#include "snapshot/szx_writer.h"

namespace kestrova::cli {

int RunDemo(const ParsedCommand& line) {
  const std::string output = line.Value("output");
  if (const auto refusal = SnapshotOutputRefusal(output)) return UsageFailure(line.command, *refusal);
  const ExtensionCheck check = CheckExtension(output, kSnapshotExtensions);
  const SnapshotImage image = MakeDemoSnapshot(line.Has("128k") ? DemoMachine::Spectrum128K : DemoMachine::Spectrum48K);
  if (SnapshotFileKindOf("demo" + check.extension) == SnapshotFileKind::Szx) {
    return WriteOutput(line.command, output, BuildSzxFile(image, std::nullopt), line.Has("force")) ? kDone : kFailed;
  }
  return WriteOutput(line.command, output, SnaFileFromImage(image), line.Has("force")) ? kDone : kFailed;
}

}  // namespace kestrova::cli
