// `kestrova list --level N --script` and `kestrova edit --script`: a level
// listed as edit commands and run into a game whose level N holds only its
// end record gives back the level's bytes, whatever its groups.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "edit/record_shift.h"
#include "level/level_addresses.h"
#include "level/level_table.h"
#include "snapshot/snapshot_image.h"
#include "support/cli_run.h"
#include "support/ref_shell.h"

namespace kestrova::testing {
namespace {

namespace fs = std::filesystem;

const std::string kDemoSna = KESTROVA_DEMO_DIR "/kestrova-demo.sna";

// Every level and the end-of-levels marker.
std::vector<std::uint8_t> Levels(const SnapshotImage& image) {
  std::vector<std::uint8_t> bytes;
  const std::optional<std::uint32_t> last = FindFirstLastEndRecord(image, kLevelAreaStart);
  if (!last) return bytes;
  for (std::uint32_t a = kLevelAreaStart; a <= *last + 2; ++a) bytes.push_back(image.Read(a));
  return bytes;
}

TEST(CliRecordScript, AListedLevelRunIntoAnEmptiedOneGivesItsBytesBack) {
  TemporaryFolder folder;
  const fs::path root = folder / "";
  const SnapshotImage demo(ReadWholeFile(kDemoSna));
  const LevelTable table = ScanLevelTable(demo);
  // Level 1 keeps a record in front of its end: levels 2 on.
  for (int level = 2; level <= LevelCount(table); ++level) {
    const CliOutcome listed = RunKestrova(root, {"list", kDemoSna, "--level", std::to_string(level), "--script"});
    ASSERT_EQ(listed.status, 0) << listed.err;
    ASSERT_EQ(listed.out.rfind("# Kestrova Editor: ", 0), 0u) << listed.out;
    WriteWholeFile(root / "level.txt", std::vector<std::uint8_t>(listed.out.begin(), listed.out.end()));

    SnapshotImage emptied = demo;
    const std::uint32_t start = table[static_cast<std::size_t>(level - 1)];
    const std::uint32_t end = *LevelEndByBoundsRule(demo, table, level - 1);
    ASSERT_TRUE(RemoveBytes(emptied, start, end - start));
    WriteWholeFile(root / "emptied.sna", std::vector<std::uint8_t>(emptied.Bytes().begin(), emptied.Bytes().end()));

    const CliOutcome edited =
        RunKestrova(root, {"edit", "emptied.sna", "--script", "level.txt", "-o", "back.sna", "--force"});
    ASSERT_EQ(edited.status, 0) << edited.err;
    EXPECT_EQ(Levels(SnapshotImage(ReadWholeFile(root / "back.sna"))), Levels(demo)) << "level " << level;
  }
}

TEST(CliRecordScript, InsertsWithoutAPlaceNeedABeforeLine) {
  TemporaryFolder folder;
  const fs::path root = folder / "";
  const CliOutcome refused = RunKestrova(root, {"edit", kDemoSna, "-e", "insert Tree column 4", "-o", "out.sna"});
  EXPECT_EQ(refused.status, 1);
  EXPECT_NE(refused.err.find("goes after a 'before ADDRESS' or 'before level N' line"), std::string::npos)
      << refused.err;
  const CliOutcome both = RunKestrova(root, {"list", kDemoSna, "--script", "--json"});
  EXPECT_EQ(both.status, 2);
}

}  // namespace
}  // namespace kestrova::testing
