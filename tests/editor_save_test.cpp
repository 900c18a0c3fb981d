#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

#include "editor/editor.h"
#include "export/asm_listing.h"
#include "level/game_settings.h"
#include "snapshot/szx.h"
#include "support/memory_files.h"
#include "support/scripted_ui.h"
#include "support/snapshot_fixtures.h"

namespace kestrova {
namespace {

using testing::Bytes;
using testing::BytesOf;
using Question = testing::ScriptedUi::Question;

constexpr std::size_t kCheckTableOffset = ImageOffsetOf(0xFA00);

Bytes ScreenPattern() {
  Bytes screen(kScreenAreaSize);
  for (std::size_t i = 0; i < screen.size(); ++i) screen[i] = static_cast<std::uint8_t>(i * 3 + 1);
  return screen;
}

// The image with a screen of its own, so that its restore can be seen.
SnapshotImage WithScreen(SnapshotImage image) {
  image.CopyIn(ImageOffsetOf(kScreenAreaStart), ScreenPattern());
  return image;
}

Bytes PageOf(const SnapshotImage& image, std::uint32_t address) {
  const auto page = image.Range(ImageOffsetOf(address), kPageSize);
  return Bytes(page.begin(), page.end());
}

// A 48K .szx file of the image, with register blocks of its own.
Bytes SzxFileOf(const SnapshotImage& image) {
  return testing::SzxFile(1, {testing::SzxBlock("Z80R", testing::Z80rBody(0x9000, 0x1357)),
                              testing::SzxBlock("SPCR", testing::SpcrBody(3, 0x10)),
                              testing::SzxBlock("RAMP", testing::CompressedRampBody(5, PageOf(image, 0x4000))),
                              testing::SzxBlock("RAMP", testing::CompressedRampBody(2, PageOf(image, 0x8000))),
                              testing::SzxBlock("RAMP", testing::CompressedRampBody(0, PageOf(image, 0xC000)))});
}

struct Block {
  std::string id;
  Bytes block;  // as stored: id, size, body
  Bytes payload;
};

std::vector<Block> SzxBlocks(const Bytes& file) {
  std::vector<Block> blocks;
  const Outcome result =
      LoadSZXStateFromBytes(file, [&](const std::uint8_t* block, const std::uint8_t* data, std::uint32_t length) {
        const std::uint32_t size = block[4] | block[5] << 8 | block[6] << 16 | std::uint32_t{block[7]} << 24;
        blocks.push_back({std::string(block, block + 4), Bytes(block, block + 8 + size), Bytes(data, data + length)});
        return 0u;
      });
  EXPECT_TRUE(result.Ok()) << "not a readable .szx file";
  return blocks;
}

class EditorSaveTest : public ::testing::Test {
 protected:
  // "Load Snapshot" of `file` stored at `path`; the questions start afresh.
  void LoadFile(const Bytes& file, const std::string& path) {
    files.files[path] = file;
    ui.fileAnswers.push_back(path);
    editor.LoadSnapshot();
    ASSERT_TRUE(editor.HasSnapshot());
    ASSERT_TRUE(ui.Messages().empty()) << ui.Messages().front().text;
    ui.questions.clear();
    files.writes.clear();
  }
  void Load(DemoMachine machine) {
    files.files.clear();
    LoadFile(BytesOf(WithScreen(testing::FixtureImage(machine))), "/in/game.sna");
  }

  void Answer(std::optional<std::string> path) { ui.fileAnswers.push_back(std::move(path)); }

  // The screen area holds the snapshot's own screen: restored and not drawn over since.
  bool ScreenAreaIsTheSnapshots() const {
    const auto area = editor.Image().Range(ImageOffsetOf(kScreenAreaStart), kScreenAreaSize);
    return std::equal(area.begin(), area.end(), editor.SavedScreen().begin(), editor.SavedScreen().end());
  }

  const Bytes& Written(const std::string& path) {
    static const Bytes none;
    const auto it = files.files.find(path);
    return it == files.files.end() ? none : it->second;
  }

  testing::ScriptedUi ui;
  testing::MemoryFiles files;
  Editor editor{ui, files};
};

void ExpectDialog(const Question& question, Question::Kind kind, const FileDialogRequest& expected) {
  EXPECT_EQ(question.kind, kind);
  EXPECT_EQ(question.dialog.title, expected.title);
  EXPECT_EQ(question.dialog.filterText, expected.filterText);
  EXPECT_EQ(question.dialog.pattern, expected.pattern);
  EXPECT_EQ(question.dialog.initialFolder, expected.initialFolder);
  EXPECT_EQ(question.dialog.initialName, expected.initialName);
}

void ExpectUnusableNameMessage(const std::vector<Question>& messages) {
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].text, "Could not overwrite your file.");
  EXPECT_EQ(messages[0].title, "Error Saving Snapshot");
  EXPECT_EQ(messages[0].icon, MessageIcon::Error);
  EXPECT_EQ(messages[0].buttons, MessageButtons::Ok);
}

// ---- Save Snapshot ----

TEST_F(EditorSaveTest, AnUneditedSnaSavedAsSnaDiffersAtMostInTheCheckTable) {
  for (DemoMachine machine : {DemoMachine::Spectrum48K, DemoMachine::Spectrum128K}) {
    SCOPED_TRACE(machine == DemoMachine::Spectrum48K ? "48K" : "128K");
    Load(machine);
    const Bytes loaded = files.files["/in/game.sna"];
    ASSERT_FALSE(ScreenAreaIsTheSnapshots()) << "the load draws the map over the screen";
    Answer("/out/game.sna");
    editor.SaveSnapshotAs();
    ASSERT_EQ(ui.questions.size(), 1u);
    ExpectDialog(ui.questions[0], Question::Kind::SaveFile,
                 {"Save Kestrova Snapshot", "Spectrum Snapshots (*.szx) (*.sna) (*.z80)", "*.szx; *.sna; *.z80", "/in",
                  "game.sna"});
    const Bytes& saved = Written("/out/game.sna");
    ASSERT_EQ(saved.size(), loaded.size());
    for (std::size_t i = 0; i < saved.size(); ++i) {
      if (i < kCheckTableOffset || i >= kCheckTableOffset + 256) {
        ASSERT_EQ(saved[i], loaded[i]) << "offset " << i;
      }
    }
    // The table now matches the level data: level 1's first byte, 0x00 at
    // 0x9236, and its neighbours decide byte 0x36.
    std::uint8_t x = 0;
    for (std::uint32_t k = 0; k < 112; ++k) x ^= loaded[ImageOffsetOf(0x8036 + 256 * k)];
    EXPECT_EQ(saved[kCheckTableOffset + 0x36], x);
    EXPECT_FALSE(ScreenAreaIsTheSnapshots()) << "the .sna path ends with the refresh";
  }
}

TEST_F(EditorSaveTest, SaveAsKeepsTheChosenNameWholeAndWritesNoOtherFile) {
  struct Case {
    const char* chosen;
    const char* written;  // nullptr: nothing
    bool szx;
    const char* message;  // nullptr: none
    bool refreshed;
  };
  const char* unusable = "Could not overwrite your file.";
  const Case cases[] = {
      {"/out/keep.v2.sna", "/out/keep.v2.sna", false, nullptr, true},
      {"/out/level.old.sna", "/out/level.old.sna", false, nullptr, true},
      {"/out/GAME.SNA", "/out/GAME.SNA", false, nullptr, true},
      {"/out/game.Sna", "/out/game.Sna", false, nullptr, true},
      {"/out/my.levels/a.b.szx", "/out/my.levels/a.b.szx", true, nullptr, false},
      {"/out/game.sZX", "/out/game.sZX", true, nullptr, false},
      // No extension: the format of the file the game came from (.sna here).
      {"/out/final", "/out/final.sna", false, nullptr, true},
      {"/out/my.levels/keep", "/out/my.levels/keep.sna", false, nullptr, true},
      {"/out/mod.txt", nullptr, false, "\"mod.txt\" was not saved: the name must end in .sna, .szx or .z80.", true},
      {"/out/keep.sna.bak", nullptr, false, "\"keep.sna.bak\" was not saved: the name must end in .sna, .szx or .z80.",
       true},
      {"/out/.sna", nullptr, false, unusable, true},
      {"/out/.SZX", nullptr, true, unusable, false},
  };
  Load(DemoMachine::Spectrum48K);
  const Bytes other = {4, 5, 6};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.chosen);
    // The file the old rule would have cut these names to.
    files.files = {{"/out/keep.sna", other}, {"/out/level.sna", other}};
    files.writes.clear();
    ui.questions.clear();
    editor.Refresh();
    Answer(c.chosen);
    EXPECT_EQ(editor.SaveSnapshotAs(), c.written != nullptr);
    if (c.written) {
      EXPECT_EQ(files.writes, std::vector<std::string>{c.written});
      const Bytes& file = Written(c.written);
      ASSERT_GE(file.size(), 4u);
      EXPECT_EQ(std::string(file.begin(), file.begin() + 4) == "ZXST", c.szx);
      EXPECT_EQ(editor.SnapshotPath(), c.written);
      EXPECT_EQ(editor.SnapshotPathIsSzx(), c.szx);
    } else {
      EXPECT_TRUE(files.writes.empty());
    }
    EXPECT_EQ(Written("/out/keep.sna"), other);
    EXPECT_EQ(Written("/out/level.sna"), other);
    if (c.message) {
      const std::vector<Question> messages = ui.Messages();
      ASSERT_EQ(messages.size(), 1u);
      EXPECT_EQ(messages[0].text, c.message);
      EXPECT_EQ(messages[0].title, "Error Saving Snapshot");
      EXPECT_EQ(messages[0].icon, MessageIcon::Error);
      EXPECT_EQ(messages[0].buttons, MessageButtons::Ok);
    } else {
      EXPECT_TRUE(ui.Messages().empty()) << "no overwrite question: the name is new";
    }
    EXPECT_EQ(ScreenAreaIsTheSnapshots(), !c.refreshed);
  }
}

TEST_F(EditorSaveTest, ANameWithoutAnExtensionTakesTheFormatTheGameCameFrom) {
  Load(DemoMachine::Spectrum48K);
  Answer("/out/as-sna");
  editor.SaveSnapshotAs();
  EXPECT_EQ(files.writes, std::vector<std::string>{"/out/as-sna.sna"});
  EXPECT_EQ(Written("/out/as-sna.sna").size(), 49179u);

  LoadFile(SzxFileOf(WithScreen(testing::FixtureImage(DemoMachine::Spectrum48K))), "/in/game.szx");
  ASSERT_TRUE(editor.Place().loadedFromSzx);
  Answer("/out/as-szx");
  editor.SaveSnapshotAs();
  EXPECT_EQ(files.writes, std::vector<std::string>{"/out/as-szx.szx"});
  EXPECT_EQ(SzxBlocks(Written("/out/as-szx.szx")).size(), 6u);
}

// "Save Snapshot" after a load, or after a save: straight to that file, in
// its format, with no dialog and no overwrite question.
TEST_F(EditorSaveTest, SaveWritesStraightToTheFileLoadedOrLastSaved) {
  Load(DemoMachine::Spectrum48K);
  editor.ClickFortressByte(3);
  ASSERT_TRUE(editor.IsModified());
  EXPECT_TRUE(editor.SaveSnapshot());
  EXPECT_TRUE(ui.questions.empty());
  EXPECT_EQ(files.writes, std::vector<std::string>{"/in/game.sna"});
  EXPECT_EQ(Written("/in/game.sna").size(), 49179u);
  EXPECT_EQ(Written("/in/game.sna")[ImageOffsetOf(kFortressByte)], editor.Image().Read(kFortressByte));
  EXPECT_FALSE(editor.IsModified());
  EXPECT_FALSE(ScreenAreaIsTheSnapshots()) << "the .sna path ends with the refresh";

  // Saved as .szx: the next Save writes .szx to that file.
  Answer("/out/copy.szx");
  ASSERT_TRUE(editor.SaveSnapshotAs());
  ui.questions.clear();
  files.writes.clear();
  EXPECT_TRUE(editor.SaveSnapshot());
  EXPECT_TRUE(ui.questions.empty());
  EXPECT_EQ(files.writes, std::vector<std::string>{"/out/copy.szx"});
  EXPECT_EQ(SzxBlocks(Written("/out/copy.szx")).size(), 6u);

  // A write that fails says so and leaves the file and the unsaved mark.
  editor.ClickFortressByte(5);
  ASSERT_TRUE(editor.IsModified());
  const Bytes before = Written("/out/copy.szx");
  files.unwritable.insert("/out/copy.szx");
  EXPECT_FALSE(editor.SaveSnapshot());
  ASSERT_EQ(ui.Messages().size(), 1u);
  EXPECT_NE(ui.Messages()[0].text.find("/out/copy.szx"), std::string::npos);
  EXPECT_EQ(Written("/out/copy.szx"), before);
  EXPECT_TRUE(editor.IsModified());
}

TEST_F(EditorSaveTest, SaveWithNoFileYetIsSaveAs) {
  editor.Image() = WithScreen(testing::FixtureImage(DemoMachine::Spectrum48K));
  ASSERT_TRUE(editor.SnapshotPath().empty());
  Answer("/out/first");
  EXPECT_TRUE(editor.SaveSnapshot());
  ASSERT_EQ(ui.questions.size(), 1u);
  ExpectDialog(
      ui.questions[0], Question::Kind::SaveFile,
      {"Save Kestrova Snapshot", "Spectrum Snapshots (*.szx) (*.sna) (*.z80)", "*.szx; *.sna; *.z80", ".", ""});
  EXPECT_EQ(files.writes, std::vector<std::string>{"/out/first.sna"});
  EXPECT_EQ(editor.SnapshotPath(), "/out/first.sna");
}

// Each kind of dialog starts in the folder last chosen in one of its kind,
// and before that in the folder of the last path chosen in any dialog; Save
// As starts at the snapshot's own file.
TEST_F(EditorSaveTest, DialogsStartInTheLastFolderUsed) {
  Load(DemoMachine::Spectrum48K);  // chosen in /in
  files.files["/scr/title.scr"] = ScreenPattern();
  const auto folderOf = [&](const std::function<void()>& run, std::optional<std::string> answer) {
    ui.questions.clear();
    Answer(std::move(answer));
    run();
    return ui.questions.empty() ? std::string("<no dialog>") : ui.questions[0].dialog.initialFolder;
  };
  EXPECT_EQ(folderOf([&] { editor.SaveTap(); }, "/tapes/one"), "/in");
  EXPECT_EQ(folderOf([&] { editor.SaveDisassembly(); }, std::nullopt), "/tapes");  // cancelled: no folder chosen
  EXPECT_EQ(folderOf([&] { editor.LoadScreen(); }, "/scr/title.scr"), "/tapes");
  EXPECT_EQ(folderOf([&] { editor.SaveDisassembly(); }, "/lists/levels"), "/scr");
  EXPECT_EQ(folderOf([&] { editor.LoadSnapshot(); }, std::nullopt), "/in");
  EXPECT_EQ(folderOf([&] { editor.SaveTap(); }, std::nullopt), "/tapes");
  EXPECT_EQ(folderOf([&] { editor.SaveSnapshotAs(); }, std::nullopt), "/in");
  EXPECT_EQ(ui.questions[0].dialog.initialName, "game.sna");
  EXPECT_EQ(editor.LastFolder(), "/lists");
  EXPECT_EQ(editor.LastFolder(FileDialogKind::Screen), "/scr");
}

TEST_F(EditorSaveTest, CancellingTheSnapshotDialogRefreshesAndWritesNothing) {
  Load(DemoMachine::Spectrum48K);
  Answer(std::nullopt);
  editor.SaveSnapshotAs();
  EXPECT_TRUE(files.writes.empty());
  EXPECT_FALSE(ScreenAreaIsTheSnapshots());
}

TEST_F(EditorSaveTest, ASzxSaveKeepsTheSnapshotsScreenAndBuildsTheRegistersFromTheHeader) {
  Load(DemoMachine::Spectrum48K);
  const auto mapView = editor.MapView().Pixels();
  Answer("/out/game.szx");
  editor.SaveSnapshotAs();
  EXPECT_TRUE(ScreenAreaIsTheSnapshots()) << "no refresh after a .szx save";
  EXPECT_TRUE(editor.MapView().Pixels() == mapView);
  const std::vector<Block> blocks = SzxBlocks(Written("/out/game.szx"));
  ASSERT_EQ(blocks.size(), 6u);
  const Bytes& z80r = blocks[1].block;
  EXPECT_EQ(z80r[28] | z80r[29] << 8, 0xFF02);  // SP + 2
  EXPECT_EQ(z80r[30] | z80r[31] << 8, 0x8123);  // the PC from the stack
  ASSERT_EQ(blocks[3].id, "RAMP");
  ASSERT_EQ(blocks[3].block[10], 5);
  EXPECT_EQ(Bytes(blocks[3].payload.begin(), blocks[3].payload.begin() + kScreenAreaSize), ScreenPattern());
}

TEST_F(EditorSaveTest, TheStackPointerWrapsWhenThePcIsTakenOffTheTopOfMemory) {
  SnapshotImage image = WithScreen(testing::FixtureImage(DemoMachine::Spectrum48K));
  image.WriteOffsetWord(kHeaderSP, 0xFFFE);
  image.WriteWord(0xFFFE, 0x4321);
  LoadFile(BytesOf(image), "/in/top.sna");
  Answer("/out/top.szx");
  editor.SaveSnapshotAs();
  const std::vector<Block> blocks = SzxBlocks(Written("/out/top.szx"));
  ASSERT_GE(blocks.size(), 2u);
  EXPECT_EQ(blocks[1].block[28] | blocks[1].block[29] << 8, 0x0000);
  EXPECT_EQ(blocks[1].block[30] | blocks[1].block[31] << 8, 0x4321);
}

TEST_F(EditorSaveTest, ASnapshotLoadedFromSzxIsSavedWithItsOwnRegisterBlocks) {
  const Bytes original = SzxFileOf(WithScreen(testing::FixtureImage(DemoMachine::Spectrum48K)));
  ASSERT_LT(original.size(), 35000u);
  LoadFile(original, "/in/game.szx");
  ASSERT_TRUE(editor.Place().loadedFromSzx);
  Answer("/out/again.szx");
  editor.SaveSnapshotAs();
  const std::vector<Block> before = SzxBlocks(original);
  const std::vector<Block> after = SzxBlocks(Written("/out/again.szx"));
  ASSERT_EQ(after.size(), 6u);
  EXPECT_EQ(Bytes(after[1].block.begin(), after[1].block.begin() + 45),
            Bytes(before[0].block.begin(), before[0].block.begin() + 45));
  EXPECT_EQ(Bytes(after[2].block.begin(), after[2].block.begin() + 16),
            Bytes(before[1].block.begin(), before[1].block.begin() + 16));
}

// ---- The overwrite question and failed writes, for every save command ----

struct SaveCommand {
  const char* name;
  std::function<void(Editor&)> run;
  const char* chosen;
  const char* path;
  const char* question;
};

// The question names the file on its second line.
const SaveCommand kSaveCommands[] = {
    {"Save Snapshot As", [](Editor& e) { e.SaveSnapshotAs(); }, "/out/game.v2.sna", "/out/game.v2.sna",
     "Snapshot already exists. Overwrite?\n/out/game.v2.sna"},
    {"Save Snapshot As (.szx)", [](Editor& e) { e.SaveSnapshotAs(); }, "/out/game.szx", "/out/game.szx",
     "Snapshot already exists. Overwrite?\n/out/game.szx"},
    {"Save TAP", [](Editor& e) { e.SaveTap(); }, "/out/game", "/out/game.tap",
     "Tape already exists. Overwrite?\n/out/game.tap"},
    {"Save Disassembly", [](Editor& e) { e.SaveDisassembly(); }, "/out/game.v2.ASM", "/out/game.v2.ASM",
     "File already exists. Overwrite?\n/out/game.v2.ASM"},
};

TEST_F(EditorSaveTest, AnExistingFileIsReplacedOnlyAfterOk) {
  Load(DemoMachine::Spectrum48K);
  const Bytes old = {1, 2, 3};
  for (const SaveCommand& command : kSaveCommands) {
    SCOPED_TRACE(command.name);
    files.files[command.path] = old;
    ui.questions.clear();
    Answer(command.chosen);
    ui.messageAnswers.push_back(MessageAnswer::Cancel);
    command.run(editor);
    const std::vector<Question> messages = ui.Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, command.question);
    EXPECT_EQ(messages[0].title, "Overwrite?");
    EXPECT_EQ(messages[0].icon, MessageIcon::Information);
    EXPECT_EQ(messages[0].buttons, MessageButtons::OkCancel);
    EXPECT_EQ(Written(command.path), old);

    Answer(command.chosen);
    ui.messageAnswers.push_back(MessageAnswer::Ok);
    command.run(editor);
    EXPECT_GT(Written(command.path).size(), 100u);
  }
}

TEST_F(EditorSaveTest, AFailedWriteSaysWhyAndLeavesTheOldFileAsItWas) {
  Load(DemoMachine::Spectrum48K);
  const Bytes old = {9, 8, 7, 6};
  for (const SaveCommand& command : kSaveCommands) {
    SCOPED_TRACE(command.name);
    files.files[command.path] = old;
    files.unwritable.insert(command.path);
    ui.questions.clear();
    Answer(command.chosen);
    command.run(editor);
    const std::vector<Question> messages = ui.Messages();
    ASSERT_EQ(messages.size(), 2u);  // the overwrite question, then the failure
    EXPECT_EQ(messages[1].title, "Error Saving Snapshot");
    EXPECT_EQ(messages[1].icon, MessageIcon::Error);
    EXPECT_NE(messages[1].text.find(command.path), std::string::npos) << messages[1].text;
    EXPECT_NE(messages[1].text.find("Permission denied"), std::string::npos) << messages[1].text;
    EXPECT_EQ(Written(command.path), old);
  }
}

TEST_F(EditorSaveTest, AnotherExtensionIsRefusedWithTheExtensionsTheCommandWrites) {
  Load(DemoMachine::Spectrum48K);
  const std::pair<std::function<void(Editor&)>, const char*> refusals[] = {
      {[](Editor& e) { e.SaveTap(); }, "\"game.old\" was not saved: the name must end in .tap."},
      {[](Editor& e) { e.SaveDisassembly(); }, "\"game.old\" was not saved: the name must end in .asm."},
  };
  for (const auto& [run, text] : refusals) {
    SCOPED_TRACE(text);
    ui.questions.clear();
    Answer("/out/my.levels/game.old");
    run(editor);
    const std::vector<Question> messages = ui.Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, text);
    EXPECT_EQ(messages[0].title, "Error Saving Snapshot");
    EXPECT_EQ(messages[0].icon, MessageIcon::Error);
    EXPECT_TRUE(files.writes.empty());
  }
}

TEST_F(EditorSaveTest, NoNameBeforeTheExtensionWritesNothing) {
  Load(DemoMachine::Spectrum48K);
  for (const SaveCommand& command : kSaveCommands) {
    SCOPED_TRACE(command.name);
    ui.questions.clear();
    const std::string ext = std::string(command.path).substr(std::string(command.path).rfind('.'));
    Answer("/out/my.levels/" + ext);
    command.run(editor);
    ExpectUnusableNameMessage(ui.Messages());
    EXPECT_TRUE(files.writes.empty());
  }
}

// ---- Load Screen$ ----

TEST_F(EditorSaveTest, LoadScreenTakesExactly6912BytesOfAnyName) {
  Load(DemoMachine::Spectrum48K);
  const Bytes first = ScreenPattern();
  Bytes second(kScreenAreaSize, 0x42);
  files.files["/in/first.bin"] = first;
  files.files["/in/second"] = second;
  files.files["/in/short.scr"] = Bytes(6911, 1);
  files.files["/in/long.scr"] = Bytes(6913, 1);

  Answer("/in/first.bin");
  editor.LoadScreen();
  ASSERT_EQ(ui.questions.size(), 1u);
  ExpectDialog(ui.questions[0], Question::Kind::OpenFile,
               {"Load Spectrum Screen", "Spectrum Screens (*.scr)", "*.scr", "/in", ""});
  EXPECT_TRUE(editor.Place().loadedScreen);
  EXPECT_TRUE(std::equal(first.begin(), first.end(), editor.LoadedScreen().begin()));

  Answer("/in/second");
  editor.LoadScreen();
  EXPECT_TRUE(std::equal(second.begin(), second.end(), editor.LoadedScreen().begin()));

  for (const char* refused : {"/in/short.scr", "/in/long.scr"}) {
    SCOPED_TRACE(refused);
    ui.questions.clear();
    Answer(refused);
    editor.LoadScreen();
    const std::vector<Question> messages = ui.Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "Invalid Size");
    EXPECT_EQ(messages[0].title, "Incorrect Screen Size");
    EXPECT_EQ(messages[0].icon, MessageIcon::Error);
    EXPECT_TRUE(editor.Place().loadedScreen);
    EXPECT_TRUE(std::equal(second.begin(), second.end(), editor.LoadedScreen().begin()));
  }
  EXPECT_TRUE(ScreenAreaIsTheSnapshots() == false) << "the map is not touched";
}

TEST_F(EditorSaveTest, LoadScreenCancelledOrUnreadableChangesNothing) {
  Load(DemoMachine::Spectrum48K);
  Answer(std::nullopt);
  editor.LoadScreen();
  Answer("");
  editor.LoadScreen();
  EXPECT_TRUE(ui.Messages().empty());
  files.files["/in/locked.scr"] = ScreenPattern();
  files.unreadable.insert("/in/locked.scr");
  Answer("/in/locked.scr");
  editor.LoadScreen();
  const std::vector<Question> messages = ui.Messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].text.find("/in/locked.scr"), std::string::npos);
  EXPECT_FALSE(editor.Place().loadedScreen);
}

// ---- Save TAP ----

TEST_F(EditorSaveTest, TapeSizesFollowTheSnapshotAndTheLoadedScreen) {
  struct Case {
    DemoMachine machine;
    std::size_t without, with;
  };
  for (const Case& c : {Case{DemoMachine::Spectrum48K, 40639, 47581}, Case{DemoMachine::Spectrum128K, 57017, 63959}}) {
    SCOPED_TRACE(c.without);
    Load(c.machine);
    files.files["/in/screen.scr"] = ScreenPattern();
    Answer("/in/screen.scr");
    editor.LoadScreen();
    ASSERT_TRUE(editor.Place().loadedScreen);
    ui.questions.clear();

    Answer("/out/first.tap");
    editor.SaveTap();
    ASSERT_EQ(ui.questions.size(), 1u);
    // The first tape dialog starts where the snapshot came from; the next
    // where the last tape went.
    const char* tapeFolder = c.machine == DemoMachine::Spectrum48K ? "/in" : "/out";
    ExpectDialog(ui.questions[0], Question::Kind::SaveFile,
                 {"Save Kestrova TAP File", "Spectrum Tapes (*.tap)", "*.tap", tapeFolder, ""});
    EXPECT_EQ(Written("/out/first.tap").size(), c.with);
    EXPECT_FALSE(editor.Place().loadedScreen);

    Answer("/out/second.tap");
    editor.SaveTap();
    EXPECT_EQ(Written("/out/second.tap").size(), c.without);
  }
}

TEST_F(EditorSaveTest, TheLoadedScreenFlagFollowsTheTapePaths) {
  Load(DemoMachine::Spectrum48K);
  files.files["/in/screen.scr"] = ScreenPattern();
  const auto loadScreen = [&] {
    Answer("/in/screen.scr");
    editor.LoadScreen();
    ASSERT_TRUE(editor.Place().loadedScreen);
  };
  // The window's lasting caption is there exactly while the flag is set.
  const auto captionFollowsFlag = [&] {
    const ViewState& view = editor.View();
    EXPECT_EQ(view.heldScreenCaption, editor.Place().loadedScreen ? "Loading screen: screen.scr" : "");
    EXPECT_EQ(view.heldScreenHint.empty(), !editor.Place().loadedScreen);
  };

  captionFollowsFlag();
  loadScreen();
  captionFollowsFlag();
  EXPECT_NE(editor.View().heldScreenHint.find("next tape"), std::string::npos);
  // Another snapshot loaded: the screen still waits for the next tape.
  Load(DemoMachine::Spectrum128K);
  EXPECT_TRUE(editor.Place().loadedScreen);
  captionFollowsFlag();
  files.files["/in/screen.scr"] = ScreenPattern();
  files.files["/out/game.tap"] = {1};
  Answer("/out/game.tap");
  ui.messageAnswers.push_back(MessageAnswer::Cancel);
  editor.SaveTap();
  EXPECT_TRUE(editor.Place().loadedScreen) << "Cancel at the overwrite question";
  captionFollowsFlag();

  Answer(std::nullopt);
  editor.SaveTap();
  EXPECT_TRUE(editor.Place().loadedScreen) << "dialog cancelled";

  files.unwritable.insert("/out/game.tap");
  Answer("/out/game.tap");
  editor.SaveTap();
  EXPECT_TRUE(editor.Place().loadedScreen) << "a tape that was not written did not use the screen";
  captionFollowsFlag();
  files.unwritable.clear();

  Answer("/out/.tap");
  editor.SaveTap();
  EXPECT_FALSE(editor.Place().loadedScreen) << "an unusable name clears it";
  captionFollowsFlag();

  loadScreen();
  Answer("/out/new.tap");
  editor.SaveTap();
  EXPECT_FALSE(editor.Place().loadedScreen) << "the tape written took it";
  captionFollowsFlag();
}

TEST_F(EditorSaveTest, TheTapeCarriesACheckTableThatMatchesTheEditedLevels) {
  Load(DemoMachine::Spectrum48K);
  editor.Image().Write(0x9237, 0x0B);  // an edit in place
  Answer("/out/game.tap");
  editor.SaveTap();
  const Bytes& tape = Written("/out/game.tap");
  ASSERT_EQ(tape.size(), 40639u);
  const std::size_t mainData = 78 + 24;  // after the loader and the CODE template
  const auto at = [&](std::uint32_t address) { return tape[mainData + address - 0x61A8]; };
  EXPECT_EQ(at(0x9237), 0x0B);
  std::uint8_t x = 0;
  for (std::uint32_t k = 0; k < 112; ++k) x ^= at(0x8037 + 256 * k);
  EXPECT_EQ(at(0xFA37), x);
}

// ---- Save Disassembly ----

TEST_F(EditorSaveTest, DisassemblyUpdatesTheCheckTableEvenWhenCancelled) {
  Load(DemoMachine::Spectrum48K);
  for (std::uint32_t a = 0xFA00; a <= 0xFAFF; ++a) editor.Image().Write(a, 0xEE);
  Answer(std::nullopt);
  editor.SaveDisassembly();
  ASSERT_EQ(ui.questions.size(), 1u);
  ExpectDialog(ui.questions[0], Question::Kind::SaveFile,
               {"Save Disassembly", "Spectrum Assembler (*.asm)", "*.asm", "/in", ""});
  EXPECT_TRUE(files.writes.empty());
  std::uint8_t x = 0;
  for (std::uint32_t k = 0; k < 112; ++k) x ^= editor.Image().Read(0x8036 + 256 * k);
  EXPECT_EQ(editor.Image().Read(0xFA36), x);
}

TEST_F(EditorSaveTest, DisassemblyIsTheListingWithCrLfLineEnds) {
  Load(DemoMachine::Spectrum48K);
  Answer("/out/levels.old.asm");
  editor.SaveDisassembly();
  const Bytes& file = Written("/out/levels.old.asm");
  const std::string text(file.begin(), file.end());
  EXPECT_EQ(text, JoinWithCrLf(BuildAsmListing(editor.Image(), editor.Levels())));
  EXPECT_EQ(text.rfind(" ;Kestrova Levels Disassembly\r\n\r\n\r\n", 0), 0u);
  for (std::size_t i = text.find('\n'); i != std::string::npos; i = text.find('\n', i + 1)) {
    ASSERT_TRUE(i > 0 && text[i - 1] == '\r') << "bare LF at " << i;
  }
  EXPECT_NE(text.find(" defb $22,$01 ;$923A (37434) ;Spawn Point\r\n"), std::string::npos);
  EXPECT_NE(text.find(" ;End   of level 1 at $923A\r\n ;Start of level 2 at $923C\r\n"), std::string::npos);
}

}  // namespace
}  // namespace kestrova
