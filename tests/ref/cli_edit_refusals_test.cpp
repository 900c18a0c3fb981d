// `kestrova edit` stops at a command the editor's handler refuses and prints
// the handler's reason, on the demo game; nothing is written.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/cli_run.h"
#include "support/ref_shell.h"

namespace kestrova::testing {
namespace {

namespace fs = std::filesystem;

const std::string kDemoSna = KESTROVA_DEMO_DIR "/kestrova-demo.sna";

struct Refused {
  const char* name;
  std::vector<std::string> commands;  // the last one is refused
  std::string reason;
};

TEST(CliEditRefusals, PrintsTheHandlersReason) {
  // The demo has 284 bytes free: eight full roads (34 bytes each) leave 12.
  const std::vector<std::string> eightRoads(8, "insert Full Road at $9240");
  std::vector<std::string> nineRoads = eightRoads;
  nineRoads.push_back("insert Full Road at $9240");
  const Refused cases[] = {
      {"no room", nineRoads, "Full Road needs 34 bytes; 12 are free"},
      {"a pair on a tunnel", {"insert Tree at $9390"}, "Tree cannot go on a fortress, tunnel or log crossing"},
      {"after the last level", {"wipe 9 all-after"}, "level 9 is the last: nothing comes after it"},
  };
  for (const Refused& c : cases) {
    TemporaryFolder folder;
    const fs::path root = folder / "";
    std::vector<std::string> arguments = {"edit", kDemoSna, "-o", "e.sna"};
    for (const std::string& command : c.commands) arguments.insert(arguments.end(), {"-e", command});
    const CliOutcome run = RunKestrova(root, arguments);
    EXPECT_EQ(run.status, 1) << c.name;
    EXPECT_EQ(run.err, "kestrova edit: -e:" + std::to_string(c.commands.size()) + ": '" + c.commands.back() +
                           "' refused: " + c.reason + "; nothing was written\n")
        << c.name;
    EXPECT_FALSE(fs::exists(root / "e.sna")) << c.name;
  }
}

}  // namespace
}  // namespace kestrova::testing
