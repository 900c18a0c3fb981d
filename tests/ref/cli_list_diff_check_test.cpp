// `kestrova list`, `diff` and `check` on the demo and on copies changed in
// known ways, read back from their JSON and text.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "support/cli_run.h"
#include "support/ref_shell.h"

namespace kestrova::testing {
namespace {

namespace fs = std::filesystem;

const std::string kDemoSna = KESTROVA_DEMO_DIR "/kestrova-demo.sna";

std::size_t OffsetOf(std::uint32_t address) { return address - 0x4000 + 27; }

QJsonObject Json(const CliOutcome& run) { return QJsonDocument::fromJson(QByteArray::fromStdString(run.out)).object(); }

class CliListDiffCheck : public ::testing::Test {
 protected:
  CliOutcome Run(const std::vector<std::string>& arguments) { return RunKestrova(root, arguments); }
  TemporaryFolder folder;
  fs::path root = folder / "";
  std::vector<std::uint8_t> demo = ReadWholeFile(kDemoSna);
};

TEST_F(CliListDiffCheck, ListHoldsEveryRecordWithItsRowAndGroup) {
  const CliOutcome run = Run({"list", kDemoSna, "--json"});
  ASSERT_EQ(run.status, 0) << run.err;
  const QJsonArray levels = Json(run).value("levels").toArray();
  ASSERT_EQ(levels.size(), 9);
  std::uint32_t expectedStart = 0x9236;
  std::set<std::string> groups;
  for (const QJsonValue& levelValue : levels) {
    const QJsonObject level = levelValue.toObject();
    EXPECT_EQ(level.value("start").toInteger(), expectedStart);
    std::uint32_t address = expectedStart;
    int row = 0;
    for (const QJsonValue& recordValue : level.value("records").toArray()) {
      const QJsonObject record = recordValue.toObject();
      ASSERT_EQ(record.value("address").toInteger(), address);
      const int code = demo[OffsetOf(address)], operand = demo[OffsetOf(address) + 1];
      EXPECT_EQ(record.value("code").toInt(), code) << std::hex << address;
      EXPECT_EQ(record.value("operand").toInt(), operand) << std::hex << address;
      EXPECT_EQ(record.value("row").toInt(), row) << std::hex << address;
      EXPECT_FALSE(record.value("description").toString().isEmpty()) << std::hex << address;
      if (code == 0x00) row += 2 * operand + 2;
      if (record.value("group").isObject()) {
        const QJsonObject group = record.value("group").toObject();
        const auto start = static_cast<std::uint32_t>(group.value("start").toInteger());
        EXPECT_LE(start, address);
        EXPECT_LT(address, start + static_cast<std::uint32_t>(group.value("bytes").toInt()));
        groups.insert(group.value("name").toString().toStdString());
      }
      address += 2;
    }
    EXPECT_EQ(level.value("end").toInteger(), address - 2);
    EXPECT_EQ(demo[OffsetOf(address - 2)], 0x22);
    EXPECT_EQ(demo[OffsetOf(address - 1)], 0x01);
    expectedStart = address;
  }
  EXPECT_EQ(demo[OffsetOf(expectedStart)], 0xFF) << "the marker follows the last level";
  for (const char* name :
       {"Log Crossing Left", "Log Crossing Right", "Tunnel without Motorbike", "Tunnel with Motorbike", "Full Road",
        "Cave Main With Space", "Fortress: No Gate Top Soldiers"})
    EXPECT_TRUE(groups.count(name)) << name;
}

TEST_F(CliListDiffCheck, DiffReadsAsTheEditsThatMadeIt) {
  const CliOutcome edit = Run({"edit", kDemoSna, "-o", "edited.sna", "-e", "lives 6", "-e", "delete $9302", "-e",
                               "change $9304 20", "-e", "insert Boulder at $9306 column 12", "-e", "wipe 8 all-after"});
  ASSERT_EQ(edit.status, 0) << edit.err;
  const CliOutcome run = Run({"diff", kDemoSna, "edited.sna"});
  EXPECT_EQ(run.status, 1) << run.err;
  for (const char* line :
       {"lives: 3 -> 6\n", "levels: 9 -> 8\n", "level 2, row 0 ($9302): deleted: A tree in column 18\n",
        "level 2, row 0 ($9304): changed: A boulder in column 27 -> A boulder in column 20\n",
        "level 2, row 0 ($9306): inserted: A boulder in column 12\n"})
    EXPECT_NE(run.out.find(line), std::string::npos) << line << "\n" << run.out;
  const QJsonObject json = Json(Run({"diff", kDemoSna, "edited.sna", "--json"}));
  EXPECT_FALSE(json.value("sameGame").toBool());
  EXPECT_EQ(json.value("levels").toObject().value("after").toInt(), 8);

  // The same game with other bytes elsewhere (the saved screen, the
  // registers) is the same game; a stale check table is said, not counted.
  std::vector<std::uint8_t> other = demo;
  other[OffsetOf(0x4000)] ^= 0xFF;
  other[OffsetOf(0xFA00)] ^= 0x01;
  WriteWholeFile(root / "other.sna", other);
  const CliOutcome same = Run({"diff", kDemoSna, "other.sna"});
  EXPECT_EQ(same.status, 0) << same.out;
  EXPECT_EQ(same.out, "check table: differs (up to date -> stale)\n");
}

TEST_F(CliListDiffCheck, CheckFindsWhatWouldTroubleTheGame) {
  std::vector<std::uint8_t> broken = demo;
  broken[OffsetOf(0x9390)] = 0x83;  // level 3's tunnel record becomes a tree: its walls and bridge stand alone
  broken[OffsetOf(0x9302)] = 0x50;  // a code the game does not know
  WriteWholeFile(root / "broken.sna", broken);
  const CliOutcome run = Run({"check", "broken.sna", "--json"});
  EXPECT_EQ(run.status, 1) << run.err;
  const QJsonObject json = Json(run);
  EXPECT_FALSE(json.value("ok").toBool());
  std::multiset<std::string> kinds;
  std::set<std::int64_t> brokenAt;
  for (const QJsonValue& value : json.value("problems").toArray()) {
    const QJsonObject problem = value.toObject();
    kinds.insert(problem.value("kind").toString().toStdString());
    if (problem.value("kind").toString() == "broken-group") brokenAt.insert(problem.value("address").toInteger());
  }
  EXPECT_EQ(kinds.count("stale-check-table"), 1u);
  EXPECT_EQ(kinds.count("unknown-code"), 1u);
  EXPECT_EQ(brokenAt, (std::set<std::int64_t>{0x938C, 0x938E, 0x9394, 0x9398}));
  const CliOutcome text = Run({"check", "broken.sna"});
  EXPECT_NE(text.out.find("level 2, row 0 ($9302): code $50 is not one the game knows\n"), std::string::npos)
      << text.out;
  EXPECT_NE(text.out.find("6 problems; 284 bytes free\n"), std::string::npos) << text.out;
}

TEST_F(CliListDiffCheck, DiffAndCheckSeeEveryRamBank) {
  const std::string demo128K = KESTROVA_DEMO_DIR "/kestrova-demo-128k.sna";
  std::vector<std::uint8_t> bank3 = ReadWholeFile(demo128K);
  // The demo pages bank 0 in, so bank 3 is the second bank after the 128K state.
  bank3[49183 + 16384 + 100] ^= 0x5A;
  WriteWholeFile(root / "bank3.sna", bank3);
  const CliOutcome run = Run({"diff", demo128K, "bank3.sna"});
  EXPECT_EQ(run.status, 1) << run.err;
  EXPECT_EQ(run.out, "RAM bank 3 differs (1 byte)\n");
  const QJsonArray banks = Json(Run({"diff", demo128K, "bank3.sna", "--json"})).value("banks").toArray();
  ASSERT_EQ(banks.size(), 1);
  EXPECT_EQ(banks[0].toObject().value("bank").toInt(), 3);

  // A .szx of the 128K game keeps every bank, and reads back as the same game.
  ASSERT_EQ(Run({"save", "bank3.sna", "bank3.szx"}).status, 0);
  const CliOutcome same = Run({"diff", "bank3.sna", "bank3.szx"});
  EXPECT_EQ(same.status, 0) << same.out;
  const CliOutcome machines = Run({"diff", kDemoSna, demo128K});
  EXPECT_EQ(machines.status, 1);
  EXPECT_NE(machines.out.find("RAM bank 7: only in the second snapshot\n"), std::string::npos) << machines.out;

  // A 128K snapshot cut short is held as it is, and check says what it lacks.
  bank3.resize(100000);
  WriteWholeFile(root / "cut.sna", bank3);
  const CliOutcome cut = Run({"check", "cut.sna"});
  EXPECT_EQ(cut.status, 1);
  EXPECT_NE(cut.out.find("the snapshot holds 100000 bytes, not the 49179 of a 48K or the 131103 of a 128K snapshot: "
                         "its RAM banks beyond 5, 2 and 0 are cut short or missing\n"),
            std::string::npos)
      << cut.out;
}

TEST_F(CliListDiffCheck, LoadsSayWhyAndReadAFileAsWhatItHolds) {
  ASSERT_EQ(Run({"save", kDemoSna, "game.szx"}).status, 0);
  std::vector<std::uint8_t> szx = ReadWholeFile(root / "game.szx");
  WriteWholeFile(root / "named.sna", szx);
  const CliOutcome named = Run({"info", "named.sna"});
  EXPECT_EQ(named.status, 0) << named.err;
  EXPECT_NE(named.out.find("szx"), std::string::npos) << named.out;

  szx.resize(szx.size() - 10);
  WriteWholeFile(root / "cut.szx", szx);
  const CliOutcome cut = Run({"info", "cut.szx"});
  EXPECT_EQ(cut.status, 1);
  EXPECT_EQ(cut.err.rfind("kestrova info: cut.szx: Load Error: the \"RAMP\" block of page 0 at byte ", 0), 0u)
      << cut.err;
  EXPECT_NE(cut.err.find(", but the file ends "), std::string::npos) << cut.err;
  EXPECT_EQ(std::count(cut.err.begin(), cut.err.end(), '\n'), 1) << "one line";
}

}  // namespace
}  // namespace kestrova::testing
