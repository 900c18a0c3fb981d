// "Run in Emulator" and "Run TAP in Emulator" through the Editor, with an
// emulator port that only records what it is handed.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "editor/editor.h"
#include "support/memory_files.h"
#include "support/scripted_ui.h"
#include "support/snapshot_fixtures.h"

namespace kestrova {
namespace {

using testing::Bytes;

class RecordingEmulator : public Emulator {
 public:
  std::optional<std::string> folderRefusal;
  EmulatorStart answer{EmulatorStart::Kind::Started, "stand-in", {}};
  std::vector<std::pair<EmulatorMedium, std::string>> starts;

  Result<std::string> ScratchFolder() override {
    if (folderRefusal) return Error{*folderRefusal};
    return std::string("/scratch");
  }
  EmulatorStart Start(EmulatorMedium medium, const std::string& path) override {
    starts.emplace_back(medium, path);
    return answer;
  }
};

Bytes ScreenPattern() {
  Bytes screen(kScreenAreaSize);
  for (std::size_t i = 0; i < screen.size(); ++i) screen[i] = static_cast<std::uint8_t>(i * 7 + 3);
  return screen;
}

// Everything a run must leave as it was.
struct Untouched {
  bool modified;
  bool canUndo;
  bool canRedo;
  std::string undoName;
  std::string snapshotPath;
  bool loadedScreen;

  static Untouched Of(const Editor& editor) {
    return {editor.IsModified(), editor.CanUndo(),      editor.CanRedo(),
            editor.UndoName(),   editor.SnapshotPath(), editor.Place().loadedScreen};
  }
  bool operator==(const Untouched&) const = default;
};

// An Editor with its ports, and the steps the tests take with it.
struct RunBench {
  void Load(const Bytes& file, const std::string& path) {
    files.files[path] = file;
    ui.fileAnswers.push_back(path);
    editor.LoadSnapshot();
    ASSERT_TRUE(editor.HasSnapshot());
    ui.questions.clear();
  }
  void LoadSna(DemoMachine machine) {
    const SnapshotImage image = testing::FixtureImage(machine);
    Load(Bytes(image.Bytes().begin(), image.Bytes().end()), "/in/game.sna");
  }
  // Edits that reach the level stream (so the check table) and the game's
  // settings, and leave a step to undo.
  void Edit() {
    editor.ClickFortressByte(3);
    editor.WipeLevels();
    ui.questions.clear();
    ASSERT_TRUE(editor.IsModified());
  }
  void LoadScreenFile() {
    files.files["/in/title.scr"] = ScreenPattern();
    ui.fileAnswers.push_back("/in/title.scr");
    editor.LoadScreen();
    ASSERT_TRUE(editor.Place().loadedScreen);
  }
  const Bytes& Written(const std::string& path) { return files.files[path]; }

  testing::ScriptedUi ui;
  testing::MemoryFiles files;
  RecordingEmulator emulator;
  Editor editor{ui, files, &emulator};
};

class EditorRunTest : public ::testing::Test, public RunBench {};

// The file handed over is the one "Save Snapshot As" writes to .szx: the
// snapshot's screen back, the check table brought up to date, every bank,
// and the kept blocks of a .szx load. And a run is no save.
TEST_F(EditorRunTest, RunInEmulatorHandsOverWhatSaveWritesAsSzxAndSavesNothing) {
  const SnapshotImage image128 = testing::FixtureImage(DemoMachine::Spectrum128K);
  const auto page = [&](std::uint32_t address) {
    const auto bytes = image128.Range(ImageOffsetOf(address), kPageSize);
    return Bytes(bytes.begin(), bytes.end());
  };
  const Bytes szx48 = testing::SzxFile(1, {testing::SzxBlock("Z80R", testing::Z80rBody(0x9000, 0x1357)),
                                           testing::SzxBlock("SPCR", testing::SpcrBody(3, 0x10)),
                                           testing::SzxBlock("RAMP", testing::CompressedRampBody(5, page(0x4000))),
                                           testing::SzxBlock("RAMP", testing::CompressedRampBody(2, page(0x8000))),
                                           testing::SzxBlock("RAMP", testing::CompressedRampBody(0, page(0xC000)))});
  const std::vector<std::pair<const char*, std::function<void()>>> loads = {
      {"48K .sna", [&] { LoadSna(DemoMachine::Spectrum48K); }},
      {"128K .sna", [&] { LoadSna(DemoMachine::Spectrum128K); }},
      {".szx with blocks of its own", [&] { Load(szx48, "/in/game.szx"); }}};
  for (const auto& [name, load] : loads) {
    SCOPED_TRACE(name);
    files.files.clear();
    emulator.starts.clear();
    load();
    Edit();
    const Untouched before = Untouched::Of(editor);

    ASSERT_TRUE(editor.RunInEmulator());
    EXPECT_TRUE(ui.questions.empty());
    ASSERT_EQ(emulator.starts.size(), 1u);
    EXPECT_EQ(emulator.starts[0].first, EmulatorMedium::Snapshot);
    const std::string handed = emulator.starts[0].second;
    EXPECT_EQ(handed.substr(0, 14), "/scratch/game-");
    EXPECT_EQ(handed.substr(handed.size() - 4), ".szx");
    EXPECT_TRUE(Untouched::Of(editor) == before) << "a run is not a save";

    ui.fileAnswers.push_back("/out/saved.szx");
    ASSERT_TRUE(editor.SaveSnapshotAs());
    EXPECT_EQ(Written(handed), Written("/out/saved.szx"));
  }
}

// The tape handed over is the one "Save TAP" writes, the loading screen
// included, and the screen stays loaded for the tape the person keeps.
TEST_F(EditorRunTest, RunTapInEmulatorHandsOverWhatSaveTapWritesAndKeepsTheScreen) {
  for (DemoMachine machine : {DemoMachine::Spectrum48K, DemoMachine::Spectrum128K}) {
    SCOPED_TRACE(machine == DemoMachine::Spectrum48K ? "48K" : "128K");
    files.files.clear();
    emulator.starts.clear();
    LoadSna(machine);
    Edit();
    LoadScreenFile();
    ui.questions.clear();
    const Untouched before = Untouched::Of(editor);

    ASSERT_TRUE(editor.RunTapInEmulator());
    EXPECT_TRUE(ui.questions.empty());
    ASSERT_EQ(emulator.starts.size(), 1u);
    EXPECT_EQ(emulator.starts[0].first, EmulatorMedium::Tape);
    const std::string handed = emulator.starts[0].second;
    EXPECT_EQ(handed.substr(handed.size() - 4), ".tap");
    EXPECT_TRUE(Untouched::Of(editor) == before) << "the loaded screen stays; a run is not a save";

    ui.fileAnswers.push_back("/out/saved.tap");
    ASSERT_TRUE(editor.SaveTap());
    EXPECT_FALSE(editor.Place().loadedScreen) << "the tape kept takes the screen";
    EXPECT_EQ(Written(handed), Written("/out/saved.tap"));
  }
}

// Each run writes a file of its own: an emulator still reading the last one
// is not disturbed.
TEST_F(EditorRunTest, EveryRunWritesANewFile) {
  LoadSna(DemoMachine::Spectrum48K);
  ASSERT_TRUE(editor.RunInEmulator());
  ASSERT_TRUE(editor.RunTapInEmulator());
  editor.ClickFortressByte(7);
  ASSERT_TRUE(editor.RunInEmulator());
  ASSERT_EQ(emulator.starts.size(), 3u);
  EXPECT_EQ(emulator.starts[0].second, "/scratch/game-1.szx");
  EXPECT_EQ(emulator.starts[1].second, "/scratch/game-2.tap");
  EXPECT_EQ(emulator.starts[2].second, "/scratch/game-3.szx");
  EXPECT_NE(Written("/scratch/game-1.szx"), Written("/scratch/game-3.szx"));
}

TEST_F(EditorRunTest, ARunThatCannotStartSaysWhyAndHowToGetAnEmulator) {
  struct Case {
    const char* name;
    std::function<void(RunBench&)> arrange;
    std::string text;  // the message, or the start of it
  };
  const std::string noEmulator =
      "No emulator was found. Install Fuse, for example with the Debian packages fuse-emulator-gtk and "
      "opense-basic (and spectrum-roms where it is available), or name the command of another emulator in the "
      "environment variable KESTROVA_EMULATOR, with %f where the file goes.";
  const std::vector<Case> cases = {
      {"no emulator",
       [](RunBench& b) {
         b.emulator.answer = {EmulatorStart::Kind::NotFound, {}, {}};
       },
       noEmulator},
      {"a command that fails",
       [](RunBench& b) {
         b.emulator.answer = {EmulatorStart::Kind::Failed, "xspect -q", "no program \"xspect\" is on the path"};
       },
       "Could not start the emulator (xspect -q): no program \"xspect\" is on the path."},
      {"no scratch folder", [](RunBench& b) { b.emulator.folderRefusal = "No space left on device"; },
       "Could not make a folder for the emulator's files: No space left on device."},
      {"a file that cannot be written",
       [](RunBench& b) {
         b.files.unwritable.insert("/scratch/game-1.szx");
         b.files.unwritable.insert("/scratch/game-2.tap");
       },
       "Could not write \"/scratch/game-"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RunBench bench;
    bench.LoadSna(DemoMachine::Spectrum48K);
    c.arrange(bench);
    const Untouched before = Untouched::Of(bench.editor);
    EXPECT_FALSE(bench.editor.RunInEmulator());
    EXPECT_FALSE(bench.editor.RunTapInEmulator());
    const auto messages = bench.ui.Messages();
    ASSERT_EQ(messages.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
      EXPECT_EQ(messages[i].text.substr(0, c.text.size()), c.text);
      EXPECT_EQ(messages[i].icon, MessageIcon::Error);
    }
    EXPECT_EQ(messages[0].title, "Run in Emulator");
    EXPECT_EQ(messages[1].title, "Run TAP in Emulator");
    EXPECT_TRUE(Untouched::Of(bench.editor) == before);
  }
}

TEST_F(EditorRunTest, NothingRunsBeforeAGameIsLoaded) {
  EXPECT_FALSE(editor.RunInEmulator());
  EXPECT_FALSE(editor.RunTapInEmulator());
  EXPECT_TRUE(emulator.starts.empty());
  EXPECT_TRUE(files.files.empty());
  EXPECT_TRUE(ui.questions.empty());
}

}  // namespace
}  // namespace kestrova
