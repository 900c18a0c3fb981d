// kestrova demo [--128k] -o FILE.sna|FILE.szx|FILE.z80 [--force]: writes the demo game.
#include "cli/commands.h"
#include "cli/output.h"
#include "demo/demo_game.h"
#include "snapshot/ram_banks.h"
#include "snapshot/snapshot_file_kind.h"
#include "snapshot/szx_writer.h"
#include "spectrumio/libspectrum_formats.h"

namespace kestrova::cli {

int RunDemo(const ParsedCommand& line) {
  const std::string output = line.Value("output");
  if (const auto refusal = SnapshotOutputRefusal(output)) return UsageFailure(line.command, *refusal);
  const ExtensionCheck check = CheckExtension(output, kSnapshotExtensions);
  const SnapshotImage image = MakeDemoSnapshot(line.Has("128k") ? DemoMachine::Spectrum128K : DemoMachine::Spectrum48K);
  const SnapshotFileKind kind = SnapshotFileKindOf("demo" + check.extension);
  if (kind == SnapshotFileKind::Szx) {
    return WriteOutput(line.command, output, BuildSzxFile(image, std::nullopt), line.Has("force")) ? kDone : kFailed;
  }
  if (kind == SnapshotFileKind::Z80) {
    LibspectrumFormats formats;
    const Result<std::vector<std::uint8_t>> z80 = formats.Write(image, ".z80");
    if (!z80) {
      PrintError(line.command, output, z80.ErrorMessage());
      return kFailed;
    }
    return WriteOutput(line.command, output, *z80, line.Has("force")) ? kDone : kFailed;
  }
  return WriteOutput(line.command, output, SnaFileFromImage(image), line.Has("force")) ? kDone : kFailed;
}

}  // namespace kestrova::cli
