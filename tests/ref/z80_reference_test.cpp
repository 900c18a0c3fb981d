// .z80 and the other formats libspectrum reads, against libspectrum and
// snapconv (fuse-emulator-utils): files they write open as the .sna they came
// from, ours read back as the game, and other machines are refused.
#include <gtest/gtest.h>
#include <libspectrum.h>

#include <algorithm>
#include <memory>

#include "editor/editor.h"
#include "snapshot/ram_banks.h"
#include "spectrumio/libspectrum_formats.h"
#include "support/cli_run.h"
#include "support/libspectrum_snap.h"
#include "support/memory_files.h"
#include "support/ref_shell.h"
#include "support/scripted_ui.h"

namespace kestrova {
namespace {

namespace fs = std::filesystem;
using testing::ReadWholeFile;
using testing::RunShell;
using testing::ShellQuoted;
using testing::TemporaryFolder;
using testing::WriteWholeFile;

const std::string kDemo48K = std::string(KESTROVA_DEMO_DIR) + "/kestrova-demo.sna";
const std::string kDemo128K = std::string(KESTROVA_DEMO_DIR) + "/kestrova-demo-128k.sna";

using testing::Snap;

// Read as the name's format says (libspectrum's guess from the content alone
// can take a .sna for a .z80).
Snap ReadSnap(const std::vector<std::uint8_t>& file, const char* name) {
  Snap snap(libspectrum_snap_alloc());
  if (libspectrum_snap_read(snap.get(), file.data(), file.size(), LIBSPECTRUM_ID_UNKNOWN, name) !=
      LIBSPECTRUM_ERROR_NONE) {
    return nullptr;
  }
  return snap;
}

// The editor with the libspectrum formats, over files held in memory.
struct EditorWithFormats {
  testing::ScriptedUi ui;
  testing::MemoryFiles files;
  LibspectrumFormats formats;
  Editor editor{ui, files};
  EditorWithFormats() { editor.UseSnapshotFormats(formats); }

  void Load(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    files.files[name] = bytes;
    editor.LoadSnapshotFile(name);
  }
  std::vector<std::string> MessageTexts() const {
    std::vector<std::string> texts;
    for (const auto& question : ui.Messages()) texts.push_back(question.text);
    return texts;
  }
};

SnapshotImage LoadedImage(const std::string& name, const std::vector<std::uint8_t>& bytes) {
  EditorWithFormats held;
  held.Load(name, bytes);
  EXPECT_TRUE(held.ui.Messages().empty()) << name << ": " << held.MessageTexts().front();
  return held.editor.Image();
}

std::string WithoutFormatLine(std::string info) {
  const std::size_t end = info.find('\n');
  EXPECT_EQ(info.substr(0, 8), "format: ");
  return info.substr(end + 1);
}

class Z80Reference : public ::testing::TestWithParam<std::string> {
 protected:
  static void SetUpTestSuite() { libspectrum_init(); }
  TemporaryFolder folder_;
};

// A .z80 that snapconv writes (compressed, and with -n stored raw) is the
// same game as the .sna it came from: the same image, so the same header,
// banks, level table and maps, and the tool says the same of it.
TEST_P(Z80Reference, SnapconvsZ80OpensAsTheSnaItCameFrom) {
  const std::string sna = GetParam();
  const SnapshotImage expected = LoadedImage("game.sna", ReadWholeFile(sna));
  const std::string expectedInfo = testing::RunKestrova(folder_ / "", {"info", sna}).out;
  for (const std::string options : {"", "-n"}) {
    const fs::path z80 = folder_ / ("made" + options + ".z80");
    ASSERT_EQ(RunShell("snapconv " + options + " " + ShellQuoted(sna) + " " + ShellQuoted(z80.string())).status, 0);
    const SnapshotImage read = LoadedImage("made.z80", ReadWholeFile(z80));
    ASSERT_EQ(read.Size(), expected.Size()) << options;
    EXPECT_TRUE(std::ranges::equal(read.Bytes(), expected.Bytes())) << options;
    const testing::CliOutcome info = testing::RunKestrova(folder_ / "", {"info", z80.string()});
    EXPECT_EQ(info.status, 0) << info.err;
    EXPECT_EQ(info.out.substr(0, 12), "format: z80\n");
    EXPECT_EQ(WithoutFormatLine(info.out), WithoutFormatLine(expectedInfo)) << options;
    const testing::CliOutcome diff = testing::RunKestrova(folder_ / "", {"diff", sna, z80.string()});
    EXPECT_EQ(diff.status, 0) << diff.out << diff.err;
  }
}

// Our .z80, saved through "Save Snapshot As", is read by libspectrum as the
// machine, registers and every bank libspectrum reads from the original .sna
// (a 128K .sna it takes for a Pentagon 128; ours says Spectrum 128K).
TEST_P(Z80Reference, LibspectrumReadsOurZ80AsTheOriginal) {
  const std::vector<std::uint8_t> original = ReadWholeFile(GetParam());
  EditorWithFormats held;
  held.Load("game.sna", original);
  held.ui.fileAnswers.push_back("out.z80");
  ASSERT_TRUE(held.editor.SaveSnapshotAs());
  EXPECT_EQ(held.editor.SnapshotFormat(), SnapshotFileKind::Z80);
  const Snap ours = ReadSnap(held.files.files.at("out.z80"), "out.z80");
  const Snap theirs = ReadSnap(original, "original.sna");
  ASSERT_TRUE(ours && theirs);
  const bool is128K = original.size() != kSnapshotSize48K;
  EXPECT_EQ(libspectrum_snap_machine(ours.get()), is128K ? LIBSPECTRUM_MACHINE_128 : LIBSPECTRUM_MACHINE_48);
  using WordOf = libspectrum_word (*)(libspectrum_snap*);
  for (const WordOf word :
       {libspectrum_snap_pc, libspectrum_snap_sp, libspectrum_snap_bc, libspectrum_snap_de, libspectrum_snap_hl,
        libspectrum_snap_bc_, libspectrum_snap_de_, libspectrum_snap_hl_, libspectrum_snap_ix, libspectrum_snap_iy}) {
    EXPECT_EQ(word(ours.get()), word(theirs.get()));
  }
  using ByteOf = libspectrum_byte (*)(libspectrum_snap*);
  for (const ByteOf byte : {libspectrum_snap_a, libspectrum_snap_f, libspectrum_snap_a_, libspectrum_snap_f_,
                            libspectrum_snap_i, libspectrum_snap_r, libspectrum_snap_iff1, libspectrum_snap_iff2,
                            libspectrum_snap_im, libspectrum_snap_out_128_memoryport}) {
    EXPECT_EQ(byte(ours.get()), byte(theirs.get()));
  }
  EXPECT_EQ(libspectrum_snap_out_ula(ours.get()) & 7, libspectrum_snap_out_ula(theirs.get()) & 7);
  for (const std::uint8_t bank : BanksOf(held.editor.Image())) {
    const libspectrum_byte* page = libspectrum_snap_pages(ours.get(), bank);
    ASSERT_NE(page, nullptr) << int{bank};
    EXPECT_TRUE(std::equal(page, page + kPageSize, libspectrum_snap_pages(theirs.get(), bank))) << int{bank};
  }
  // And back to a .sna through snapconv: the original file, byte for byte (48K).
  if (!is128K) {
    WriteWholeFile(folder_ / "ours.z80", held.files.files.at("out.z80"));
    ASSERT_EQ(RunShell("snapconv " + ShellQuoted((folder_ / "ours.z80").string()) + " " +
                       ShellQuoted((folder_ / "back.sna").string()))
                  .status,
              0);
    EXPECT_EQ(ReadWholeFile(folder_ / "back.sna"), original);
  }
}

INSTANTIATE_TEST_SUITE_P(Demos, Z80Reference, ::testing::Values(kDemo48K, kDemo128K));

// The demo as libspectrum writes it for another machine.
std::vector<std::uint8_t> DemoAsMachine(libspectrum_machine machine) {
  libspectrum_init();
  const Snap snap = ReadSnap(ReadWholeFile(kDemo48K), "demo.sna");
  if (!snap) return {};
  libspectrum_snap_set_machine(snap.get(), machine);
  libspectrum_byte* buffer = nullptr;
  std::size_t length = 0;
  int lost = 0;
  EXPECT_EQ(libspectrum_snap_write(&buffer, &length, &lost, snap.get(), LIBSPECTRUM_ID_SNAPSHOT_Z80, nullptr, 0),
            LIBSPECTRUM_ERROR_NONE);
  std::vector<std::uint8_t> file(buffer, buffer + length);
  libspectrum_free(buffer);
  return file;
}

TEST(Z80Machines, AnotherMachineIsRefusedByNameInTheEditorAndTheTool) {
  const std::pair<libspectrum_machine, const char*> cases[] = {{LIBSPECTRUM_MACHINE_PLUS3, "Spectrum +3"},
                                                               {LIBSPECTRUM_MACHINE_16, "Spectrum 16K"}};
  for (const auto& [machine, name] : cases) {
    const std::vector<std::uint8_t> file = DemoAsMachine(machine);
    EditorWithFormats held;
    held.Load("other.z80", file);
    EXPECT_FALSE(held.editor.HasSnapshot()) << name;
    ASSERT_EQ(held.ui.Messages().size(), 1u) << name;
    EXPECT_NE(held.ui.Messages()[0].text.find(std::string("is of a ") + name), std::string::npos)
        << held.ui.Messages()[0].text;

    TemporaryFolder folder;
    WriteWholeFile(folder / "other.z80", file);
    const testing::CliOutcome info = testing::RunKestrova(folder / "", {"info", "other.z80"});
    EXPECT_NE(info.status, 0) << name;
    EXPECT_NE(info.err.find(std::string("is of a ") + name), std::string::npos) << info.err;
  }
}

// Save (Ctrl+S) writes a .z80 back as a .z80; a file of a format the editor
// does not write (a .slt, which a plain .z80 would strip) asks for a name,
// offering the same name as .z80.
TEST(Z80Saves, SaveKeepsZ80AndAsksForANameForAFormatItCannotWrite) {
  TemporaryFolder folder;
  ASSERT_EQ(RunShell("snapconv " + ShellQuoted(kDemo48K) + " " + ShellQuoted((folder / "made.z80").string())).status,
            0);
  const std::vector<std::uint8_t> z80 = ReadWholeFile(folder / "made.z80");

  EditorWithFormats kept;
  kept.Load("/games/game.z80", z80);
  ASSERT_TRUE(kept.editor.HasSnapshot());
  ASSERT_TRUE(kept.editor.SaveSnapshot());
  EXPECT_TRUE(kept.ui.questions.empty());
  const Snap back = ReadSnap(kept.files.files.at("/games/game.z80"), "game.z80");
  ASSERT_TRUE(back);
  EXPECT_EQ(LoadedImage("again.z80", kept.files.files.at("/games/game.z80")).Bytes().size(), kSnapshotSize48K);

  EditorWithFormats readOnly;
  readOnly.Load("/games/game.slt", z80);
  ASSERT_TRUE(readOnly.editor.HasSnapshot());
  readOnly.ui.fileAnswers.push_back("/games/game.z80");
  ASSERT_TRUE(readOnly.editor.SaveSnapshot());
  ASSERT_EQ(readOnly.ui.questions.size(), 1u);
  EXPECT_EQ(readOnly.ui.questions[0].dialog.initialName, "game.z80");
  EXPECT_EQ(readOnly.files.files.at("/games/game.slt"), z80);
  EXPECT_TRUE(ReadSnap(readOnly.files.files.at("/games/game.z80"), "game.z80"));
}

}  // namespace
}  // namespace kestrova
