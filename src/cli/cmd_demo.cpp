// kestrova demo [--128k] -o FILE.sna|FILE.szx: writes the demo game.
#include <cstdio>
#include <optional>
#include <string>

#include "cli/commands.h"
#include "demo/demo_game.h"
#include "qtio/qt_files.h"
#include "snapshot/snapshot_file_kind.h"
#include "snapshot/szx_writer.h"

namespace kestrova::cli {

namespace {

struct DemoRequest {
  DemoMachine machine = DemoMachine::Spectrum48K;
  std::string output;
};

std::optional<DemoRequest> ParseDemoArguments(const Arguments& arguments) {
  DemoRequest request;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    if (arguments[i] == "--128k") {
      request.machine = DemoMachine::Spectrum128K;
    } else if (arguments[i] == "-o" && i + 1 < arguments.size() && request.output.empty()) {
      request.output = arguments[++i];
    } else {
      return std::nullopt;
    }
  }
  if (request.output.empty()) return std::nullopt;
  return request;
}

}  // namespace

int RunDemo(const Arguments& arguments) {
  const std::optional<DemoRequest> request = ParseDemoArguments(arguments);
  const SnapshotFileKind kind = request ? SnapshotFileKindOf(request->output) : SnapshotFileKind::Other;
  if (kind == SnapshotFileKind::Other) {
    std::fprintf(stderr, "usage: kestrova demo [--128k] -o FILE.sna|FILE.szx\n");
    return 2;
  }
  const SnapshotImage image = MakeDemoSnapshot(request->machine);
  const std::vector<std::uint8_t> szx = kind == SnapshotFileKind::Szx ? BuildSzxFile(image, std::nullopt)
                                                                      : std::vector<std::uint8_t>();
  const std::span<const std::uint8_t> bytes = kind == SnapshotFileKind::Szx ? std::span<const std::uint8_t>(szx)
                                                                            : image.Bytes();
  QtFiles files;
  if (const auto error = files.Write(request->output, bytes)) {
    std::fprintf(stderr, "kestrova demo: could not write %s: %s\n", request->output.c_str(), error->message.c_str());
    return 1;
  }
  return 0;
}

}  // namespace kestrova::cli
