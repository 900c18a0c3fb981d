// The saved and exported files, read back by tools that are not ours:
// pasmo assembles the listing, tzxlist and listbasic read the tapes,
// libspectrum reads the snapshots; and the kestrova tool's refusals and
// failed writes, on real folders.
#include <libspectrum.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "level/game_settings.h"
#include "level/level_addresses.h"
#include "snapshot/snapshot_image.h"
#include "support/libspectrum_snap.h"
#include "support/ref_shell.h"
#include "support/snapshot_fixtures.h"

namespace kestrova {
namespace {

namespace fs = std::filesystem;
using Outcome = testing::ShellOutcome;
using testing::ReadWholeFile;
using testing::RunShell;
using testing::ShellQuoted;
using testing::TemporaryFolder;
using testing::WriteWholeFile;
using Bytes = std::vector<std::uint8_t>;

const std::string kDemo48K = KESTROVA_DEMO_DIR "/kestrova-demo.sna";
const std::string kDemo128K = KESTROVA_DEMO_DIR "/kestrova-demo-128k.sna";

Outcome Kestrova(const std::vector<std::string>& arguments, const std::string& prefix = "") {
  std::string command = prefix + "exec " + ShellQuoted(KESTROVA_CLI);
  for (const std::string& argument : arguments) command += " " + ShellQuoted(argument);
  return RunShell(command);
}

std::size_t Count(const std::string& text, const std::string& what) {
  std::size_t count = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++count;
  return count;
}

// The check table as the game computes it, from a whole 48K-layout file.
Bytes CheckTableOf(const Bytes& file) {
  Bytes table(256, 0);
  for (std::uint32_t i = 0; i < 256; ++i) {
    for (std::uint32_t k = 0; k < 112; ++k) table[i] ^= file.at(ImageOffsetOf(0x8000 + i + 256 * k));
  }
  return table;
}

// ---- pasmo ----

class PasmoTest : public ::testing::TestWithParam<std::string> {};

TEST_P(PasmoTest, AssemblesTheListingToTheImageBytesAtEveryOrg) {
  TemporaryFolder folder;
  std::string input = GetParam();
  if (input == "fixture") {
    // Two levels and free bytes that are not all alike.
    SnapshotImage image = testing::FixtureImage(DemoMachine::Spectrum48K);
    for (std::uint32_t a = 0x9241; a <= kLevelAreaLast; ++a) image.Write(a, static_cast<std::uint8_t>(a * 5));
    image.Write(kStartingLives, 0xFF);
    input = (folder / "fixture.sna").string();
    WriteWholeFile(input, Bytes(image.Bytes().begin(), image.Bytes().end()));
  }
  const Bytes snapshot = ReadWholeFile(input);
  ASSERT_GE(snapshot.size(), kSnapshotSize48K);

  const Outcome listing = Kestrova({"asm", input, "-o", (folder / "levels.asm").string()});
  ASSERT_EQ(listing.status, 0) << listing.output;
  const Outcome pasmo = RunShell("pasmo --bin " + ShellQuoted((folder / "levels.asm").string()) + " " +
                                 ShellQuoted((folder / "levels.bin").string()));
  ASSERT_EQ(pasmo.status, 0) << pasmo.output;
  const Bytes assembled = ReadWholeFile(folder / "levels.bin");

  // pasmo writes from the lowest address used (the lives byte) to the highest.
  const std::uint32_t base = kStartingLives;
  ASSERT_EQ(assembled.size(), 0xFAFFu - base + 1);
  const auto at = [&](std::uint32_t address) { return assembled[address - base]; };
  for (std::uint32_t address : {kFortressByte, kStartColumn, kPixelsDown, kStartingLives, kEnemyDelay}) {
    EXPECT_EQ(at(address), snapshot[ImageOffsetOf(address)]) << std::hex << address;
  }
  for (std::uint32_t address = kLevelAreaStart; address <= kLevelAreaLast; ++address) {
    ASSERT_EQ(at(address), snapshot[ImageOffsetOf(address)]) << std::hex << address;
  }
  const Bytes table = CheckTableOf(snapshot);
  for (std::uint32_t i = 0; i < 256; ++i) ASSERT_EQ(at(0xFA00 + i), table[i]) << i;
}

INSTANTIATE_TEST_SUITE_P(DemoAndFixture, PasmoTest, ::testing::Values(kDemo48K, kDemo128K, std::string("fixture")));

// ---- tzxlist and listbasic ----

TEST(TapeReference, EveryBlockPassesAndTheLoaderIsTheBasicLine) {
  const std::string loader48K =
      "1 BORDER NOT PI: PAPER NOT PI: CLEAR VAL \"25000\": POKE VAL \"23739\",CODE \"o\": LOAD \"\"CODE : "
      "RANDOMIZE USR VAL \"27090\"";
  const std::string loader48KScreen =
      "1 BORDER NOT PI: PAPER NOT PI: CLEAR VAL \"25000\": POKE VAL \"23739\",CODE \"o\": LOAD \"\"CODE : "
      "LOAD \"\"CODE : RANDOMIZE USR VAL \"27090\"";
  const std::string loader128K =
      "1 BORDER NOT PI: PAPER NOT PI: CLEAR VAL \"25087\": POKE 23739,111: POKE 23388,17: LOAD \"\"CODE : "
      "POKE 23388,16: LOAD \"\"CODE : RANDOMIZE USR VAL \"25088\"";
  const std::string loader128KScreen =
      "1 BORDER NOT PI: PAPER NOT PI: CLEAR VAL \"25087\": POKE 23739,111: LOAD \"\"CODE : POKE 23388,17: "
      "LOAD \"\"CODE : POKE 23388,16: LOAD \"\"CODE : RANDOMIZE USR VAL \"25088\"";
  struct Case {
    const std::string& snapshot;
    bool screen;
    std::uintmax_t size;
    std::size_t blocks;
    const std::string& loader;
    std::vector<std::string> code;  // tzxlist's lines for the CODE headers, in order
  };
  const Case cases[] = {
      {kDemo48K, false, 40639, 4, loader48K, {"\"main      \" CODE  25000, 40536"}},
      {kDemo48K,
       true,
       47581,
       6,
       loader48KScreen,
       {"\"screen    \" SCREEN$  16384, 6912", "\"main      \" CODE  25000, 40536"}},
      {kDemo128K,
       false,
       57017,
       6,
       loader128K,
       {"\"page      \" CODE  49152, 16384", "\"main      \" CODE  25088, 40448"}},
      {kDemo128K,
       true,
       63959,
       8,
       loader128KScreen,
       {"\"screen    \" SCREEN$  16384, 6912", "\"page      \" CODE  49152, 16384",
        "\"main      \" CODE  25088, 40448"}},
  };
  TemporaryFolder folder;
  Bytes screen(6912);
  for (std::size_t i = 0; i < screen.size(); ++i) screen[i] = static_cast<std::uint8_t>(i * 11 + 3);
  WriteWholeFile(folder / "title.scr", screen);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.size);
    const fs::path tape = folder / ("game" + std::to_string(c.size) + ".tap");
    std::vector<std::string> arguments = {"tap", c.snapshot, "-o", tape.string()};
    if (c.screen) {
      arguments.push_back("--screen");
      arguments.push_back((folder / "title.scr").string());
    }
    const Outcome run = Kestrova(arguments);
    ASSERT_EQ(run.status, 0) << run.output;
    ASSERT_EQ(fs::file_size(tape), c.size);

    const Outcome list = RunShell("tzxlist " + ShellQuoted(tape.string()));
    ASSERT_EQ(list.status, 0) << list.output;
    EXPECT_EQ(Count(list.output, "--= Block #"), c.blocks) << list.output;
    EXPECT_EQ(Count(list.output, " (PASS)"), c.blocks) << list.output;
    EXPECT_EQ(Count(list.output, "(FAIL)"), 0u) << list.output;
    std::size_t from = 0;
    for (const std::string& header : c.code) {
      from = list.output.find("Bytes: " + header, from);
      EXPECT_NE(from, std::string::npos) << header << "\n" << list.output;
    }

    const Outcome basic = RunShell("listbasic " + ShellQuoted(tape.string()));
    ASSERT_EQ(basic.status, 0) << basic.output;
    EXPECT_EQ(basic.output, "    " + c.loader + "\n");
  }
}

// ---- libspectrum ----

using testing::Snap;

Snap ReadSnap(const fs::path& path) {
  static const bool initialised = libspectrum_init() == LIBSPECTRUM_ERROR_NONE;
  EXPECT_TRUE(initialised);
  const Bytes file = ReadWholeFile(path);
  Snap snap(libspectrum_snap_alloc());
  const std::string name = path.string();
  if (libspectrum_snap_read(snap.get(), file.data(), file.size(), LIBSPECTRUM_ID_UNKNOWN, name.c_str()) !=
      LIBSPECTRUM_ERROR_NONE) {
    ADD_FAILURE() << "libspectrum cannot read " << name;
    return nullptr;
  }
  return snap;
}

void ExpectSameRegisters(libspectrum_snap* expected, libspectrum_snap* actual) {
  libspectrum_snap* e = expected;
  libspectrum_snap* a = actual;
  EXPECT_EQ(libspectrum_snap_a(a), libspectrum_snap_a(e));
  EXPECT_EQ(libspectrum_snap_f(a), libspectrum_snap_f(e));
  EXPECT_EQ(libspectrum_snap_bc(a), libspectrum_snap_bc(e));
  EXPECT_EQ(libspectrum_snap_de(a), libspectrum_snap_de(e));
  EXPECT_EQ(libspectrum_snap_hl(a), libspectrum_snap_hl(e));
  EXPECT_EQ(libspectrum_snap_a_(a), libspectrum_snap_a_(e));
  EXPECT_EQ(libspectrum_snap_f_(a), libspectrum_snap_f_(e));
  EXPECT_EQ(libspectrum_snap_bc_(a), libspectrum_snap_bc_(e));
  EXPECT_EQ(libspectrum_snap_de_(a), libspectrum_snap_de_(e));
  EXPECT_EQ(libspectrum_snap_hl_(a), libspectrum_snap_hl_(e));
  EXPECT_EQ(libspectrum_snap_ix(a), libspectrum_snap_ix(e));
  EXPECT_EQ(libspectrum_snap_iy(a), libspectrum_snap_iy(e));
  EXPECT_EQ(libspectrum_snap_i(a), libspectrum_snap_i(e));
  EXPECT_EQ(libspectrum_snap_r(a), libspectrum_snap_r(e));
  EXPECT_EQ(libspectrum_snap_sp(a), libspectrum_snap_sp(e));
  EXPECT_EQ(libspectrum_snap_pc(a), libspectrum_snap_pc(e));
  EXPECT_EQ(libspectrum_snap_iff1(a) != 0, libspectrum_snap_iff1(e) != 0);
  EXPECT_EQ(libspectrum_snap_im(a), libspectrum_snap_im(e));
  EXPECT_EQ(libspectrum_snap_out_ula(a) & 0x07, libspectrum_snap_out_ula(e) & 0x07);
}

// Page 2 holds 0x8000-0xBFFF; the check table (0xFA00) lies in page 0.
constexpr std::size_t kTableInPage0 = 0xFA00 - 0xC000;

void ExpectSameRam(libspectrum_snap* expected, libspectrum_snap* actual, const std::vector<int>& pages,
                   const Bytes& table) {
  for (int page : pages) {
    SCOPED_TRACE(page);
    const libspectrum_byte* e = libspectrum_snap_pages(expected, page);
    const libspectrum_byte* a = libspectrum_snap_pages(actual, page);
    ASSERT_NE(e, nullptr);
    ASSERT_NE(a, nullptr);
    for (std::size_t i = 0; i < kPageSize; ++i) {
      const bool inTable = page == 0 && i >= kTableInPage0 && i < kTableInPage0 + 256;
      ASSERT_EQ(a[i], inTable ? table[i - kTableInPage0] : e[i]) << "offset " << i;
    }
  }
}

TEST(SnapshotReference, LibspectrumReadsOurSnaAndSzxAsTheDemo) {
  struct Case {
    const std::string& demo;
    libspectrum_machine szxMachine;
    std::vector<int> pages;
  };
  const Case cases[] = {
      {kDemo48K, LIBSPECTRUM_MACHINE_48, {5, 2, 0}},
      {kDemo128K, LIBSPECTRUM_MACHINE_128, {5, 2, 0, 1, 3, 4, 6, 7}},
  };
  TemporaryFolder folder;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.demo);
    const Bytes demo = ReadWholeFile(c.demo);
    if (demo.size() == kSnapshotSize128K) {
      // The demo's file needs no rearranging: bank 0 at 0xC000, then 1, 3, 4, 6, 7.
      ASSERT_EQ(demo[kOffset128KPort7FFD] & 0x07, 0) << "the demo pages bank 0 in";
    }
    const Snap original = ReadSnap(c.demo);
    ASSERT_TRUE(original);
    const Bytes table = CheckTableOf(demo);
    for (const char* name : {"saved.sna", "saved.szx"}) {
      SCOPED_TRACE(name);
      const fs::path out = folder / name;
      const Outcome run = Kestrova({"save", c.demo, out.string(), "--force"});
      ASSERT_EQ(run.status, 0) << run.output;
      const Snap saved = ReadSnap(out);
      ASSERT_TRUE(saved);
      if (std::string(name) == "saved.szx") {
        EXPECT_EQ(libspectrum_snap_machine(saved.get()), c.szxMachine);
        if (c.szxMachine == LIBSPECTRUM_MACHINE_128) {
          EXPECT_EQ(libspectrum_snap_out_128_memoryport(saved.get()),
                    libspectrum_snap_out_128_memoryport(original.get()));
        }
        EXPECT_EQ(libspectrum_snap_iff2(saved.get()), libspectrum_snap_iff2(original.get()));
      }
      ExpectSameRegisters(original.get(), saved.get());
      ExpectSameRam(original.get(), saved.get(), c.pages, table);
    }
  }
}

// ---- The kestrova tool: names, refusals, failed writes ----

TEST(CliSave, WritesExactlyTheNameGivenAndKeepsAnExistingFileUnlessForced) {
  TemporaryFolder folder;
  fs::create_directory(folder / "my.levels");
  const fs::path neighbour = folder / "my.levels" / "level.sna";
  const fs::path chosen = folder / "my.levels" / "level.old.sna";
  const Bytes old = {'o', 'l', 'd'};
  WriteWholeFile(neighbour, old);
  WriteWholeFile(chosen, old);

  const Outcome refused = Kestrova({"save", kDemo48K, chosen.string()});
  EXPECT_EQ(refused.status, 1);
  EXPECT_NE(refused.output.find(chosen.string() + ": already exists"), std::string::npos) << refused.output;
  EXPECT_EQ(ReadWholeFile(chosen), old);

  const Outcome forced = Kestrova({"save", kDemo48K, chosen.string(), "--force"});
  EXPECT_EQ(forced.status, 0) << forced.output;
  EXPECT_EQ(fs::file_size(chosen), kSnapshotSize48K);
  EXPECT_EQ(ReadWholeFile(neighbour), old);

  for (const char* command : {"asm", "tap"}) {
    const fs::path out = folder / "my.levels" / (std::string("level.v2.") + command);
    const Outcome run = Kestrova({command, kDemo48K, "-o", out.string()});
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_TRUE(fs::exists(out)) << out;
  }
  EXPECT_FALSE(fs::exists(folder / "my.levels" / "level.asm"));
  EXPECT_FALSE(fs::exists(folder / "my.levels" / "level.tap"));
}

TEST(CliSave, AFailedWriteLeavesTheOldFileByteForByte) {
  // Each case makes the write fail in its own way. Root ignores folder
  // permissions, so the read-only folder only counts for other users; the
  // file-size limit fails the write half-way for everyone, root included.
  struct Case {
    const char* name;
    bool needsNonRoot;
  };
  const Case cases[] = {
      {"read-only folder", true}, {"file-size limit", false}, {"target is a folder", false}, {"missing folder", false}};
  const Bytes old = {'k', 'e', 'e', 'p', ' ', 'm', 'e'};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.needsNonRoot && geteuid() == 0) continue;
    TemporaryFolder folder;
    fs::path target = folder / "game.sna";
    std::string prefix;
    const std::string name = c.name;
    if (name == "read-only folder") {
      WriteWholeFile(target, old);
      fs::permissions(folder.Path(), fs::perms::owner_read | fs::perms::owner_exec);
    } else if (name == "file-size limit") {
      WriteWholeFile(target, old);
      prefix = "trap '' XFSZ; ulimit -f 20; ";  // 10 KB: the 48K snapshot cannot fit
    } else if (name == "target is a folder") {
      fs::create_directory(target);
      WriteWholeFile(target / "inside", old);
    } else {
      target = folder / "gone" / "game.sna";
    }
    const Outcome run = Kestrova({"save", kDemo48K, target.string(), "--force"}, prefix);
    fs::permissions(folder.Path(), fs::perms::owner_all);
    EXPECT_EQ(run.status, 1) << run.output;
    EXPECT_NE(run.output.find("kestrova save: " + target.string() + ": Could not write \"" + target.string() + "\""),
              std::string::npos)
        << run.output;
    if (name == "target is a folder") {
      EXPECT_TRUE(fs::is_directory(target));
      EXPECT_EQ(ReadWholeFile(target / "inside"), old);
    } else if (name == "missing folder") {
      EXPECT_FALSE(fs::exists(folder / "gone"));
    } else {
      EXPECT_EQ(ReadWholeFile(target), old);
    }
    // Nothing half-written is left beside it.
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder.Path())) ++entries;
    EXPECT_EQ(entries, name == "missing folder" ? 0u : 1u);
  }
}

}  // namespace
}  // namespace kestrova
