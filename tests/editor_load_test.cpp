#include <gtest/gtest.h>

#include <algorithm>

#include "editor/editor.h"
#include "level/game_settings.h"
#include "snapshot/sna.h"
#include "snapshot/szx_writer.h"
#include "support/memory_files.h"
#include "support/scripted_ui.h"
#include "support/snapshot_fixtures.h"

namespace kestrova {
namespace {

using testing::Bytes;
using testing::BytesOf;
using testing::FixtureImage;
using testing::OutsideTheScreen;
using testing::SzxBlock;

// The fixture with a screen of its own (the map drawing never makes it) and
// fortress byte 1.
SnapshotImage Snapshot(DemoMachine machine = DemoMachine::Spectrum48K, std::uint8_t screenByte = 0xA5) {
  SnapshotImage image = FixtureImage(machine);
  for (std::uint32_t i = 0; i < kScreenAreaSize; ++i) image.Write(kScreenAreaStart + i, screenByte);
  image.Write(kFortressByte, 1);
  return image;
}

Bytes ScreenOf(const SnapshotImage& image) {
  const auto screen = image.Range(ImageOffsetOf(kScreenAreaStart), kScreenAreaSize);
  return Bytes(screen.begin(), screen.end());
}

class EditorLoad : public ::testing::Test {
 protected:
  void Load(const std::string& path) {
    ui.fileAnswers.push_back(path);
    editor.LoadSnapshot();
  }
  void LoadFile(const std::string& path, const Bytes& content) {
    files.files[path] = content;
    Load(path);
  }

  testing::ScriptedUi ui;
  testing::MemoryFiles files;
  Editor editor{ui, files};
};

TEST_F(EditorLoad, AsksWithTheLoadDialogAndDoesNothingWhenCancelled) {
  editor.LoadSnapshot();  // no answer scripted: cancelled
  Load("");
  ASSERT_EQ(ui.questions.size(), 2u);
  const FileDialogRequest& dialog = ui.questions[0].dialog;
  EXPECT_EQ(ui.questions[0].kind, testing::ScriptedUi::Question::Kind::OpenFile);
  EXPECT_EQ(dialog.title, "Load Kestrova Snapshot");
  EXPECT_EQ(dialog.filterText, "Spectrum Snapshots (*.szx) (*.sna) (*.z80) (*.slt) (*.sp) (*.snp) (*.zxs) (*.mgtsnp)");
  EXPECT_EQ(dialog.pattern, "*.szx; *.sna; *.z80; *.slt; *.sp; *.snp; *.zxs; *.mgtsnp");
  EXPECT_EQ(dialog.initialFolder, ".");
  EXPECT_FALSE(editor.HasSnapshot());
  EXPECT_TRUE(editor.View().visible.titlePicture);
  EXPECT_EQ(editor.View().windowWidth, 506);
}

TEST_F(EditorLoad, AGoodSnaSetsTheEditorUpOnLevelOne) {
  const SnapshotImage snapshot = Snapshot();
  LoadFile("games/kestrova.sna", BytesOf(snapshot));

  EXPECT_TRUE(ui.Messages().empty());
  ASSERT_TRUE(editor.HasSnapshot());
  EXPECT_EQ(OutsideTheScreen(editor.Image().Bytes()), OutsideTheScreen(snapshot.Bytes()));
  EXPECT_EQ(Bytes(editor.SavedScreen().begin(), editor.SavedScreen().end()), ScreenOf(snapshot));
  const EditorState& state = editor.State();
  EXPECT_EQ(state.place.snapshotSize, kSnapshotSize48K);
  EXPECT_FALSE(state.place.loadedFromSzx);
  EXPECT_EQ(state.place.bytesFree, 1678);
  EXPECT_EQ(state.place.levelStart, 0x9236u);
  EXPECT_EQ(state.place.levelEnd, 0x923Au);
  EXPECT_EQ(state.walk.walkStart, 0x9236u) << "level 1 was drawn";
  EXPECT_EQ(state.place.scrollOffset, 0);
  EXPECT_EQ(state.place.savedScrollOffset, 0);
  EXPECT_EQ(state.place.currentLevelIndex, 0);
  EXPECT_FALSE(state.walk.previewMode);
  EXPECT_EQ(state.walk.conversion.lastRow, 191);
  EXPECT_EQ(state.walk.conversion.firstColumn, 0);
  EXPECT_EQ(state.walk.conversion.lastColumn, 31);

  const ViewState& view = editor.View();
  EXPECT_EQ(view.windowWidth, 603);
  EXPECT_EQ(view.windowHeight, 567);
  const ControlVisibility& v = view.visible;
  EXPECT_FALSE(v.titlePicture);
  EXPECT_FALSE(v.dragPicture);
  for (bool shown : {v.levelChooser, v.showLandSpace, v.bytesFreeCaption, v.fortressCaption, v.fortressByte,
                     v.levelScroll, v.statusBar, v.palette, v.mapView, v.overview, v.wipeButton, v.menuSaveTap,
                     v.menuSaveSnapshot, v.menuLoadScreen, v.menuOptions}) {
    EXPECT_TRUE(shown);
  }
  EXPECT_EQ(view.chooserEntries, (std::vector<std::string>{"Level 1 $9236 (37430)", "Level 2 $923C (37436)"}));
  EXPECT_EQ(view.chooserIndex, 0);
  EXPECT_EQ(view.chooserText, "Level 1 $9236 (37430)");
  EXPECT_EQ(view.scrollMaximum, 192);
  EXPECT_EQ(view.scrollPosition, 192);
  EXPECT_EQ(view.fortressCaption, "Fortress Byte: 1 (levels 2)");
  EXPECT_EQ(view.fortressHint, "Fortress Byte: 1 (levels 2)");
  EXPECT_EQ(view.fortressByte, 1);
  EXPECT_EQ(view.bytesFreeCaption, "Bytes Free: 1678");
  EXPECT_TRUE(view.mapHasFocus);
}

TEST_F(EditorLoad, SnaFilesAreHeldAtTheirOwnLength) {
  for (std::size_t length : {std::size_t{kSnapshotSize128K}, std::size_t{50000}}) {
    Bytes file = BytesOf(Snapshot(DemoMachine::Spectrum128K));
    file.resize(length, 0x42);
    LoadFile("big.SNA", file);
    EXPECT_EQ(editor.Place().snapshotSize, length);
    EXPECT_EQ(editor.Image().Size(), length);
  }
  EXPECT_TRUE(ui.Messages().empty());
}

TEST_F(EditorLoad, AGoodSzxKeepsItsRegisterBlocks) {
  const SnapshotImage snapshot = Snapshot();
  const Bytes file = BuildSzxFile(snapshot, std::nullopt);
  LoadFile("kestrova.szx", file);
  EXPECT_TRUE(ui.Messages().empty());
  EXPECT_TRUE(editor.Place().loadedFromSzx);
  EXPECT_EQ(editor.Place().snapshotSize, kSnapshotSize48K);
  EXPECT_EQ(OutsideTheScreen(editor.Image().Bytes()), OutsideTheScreen(snapshot.Bytes()));
  EXPECT_EQ(Bytes(editor.SavedScreen().begin(), editor.SavedScreen().end()), ScreenOf(snapshot));
  // The blocks follow "ZXST" (8) and "CRTR" (8 + 36).
  const auto z80r = file.begin() + 52;
  EXPECT_EQ(Bytes(editor.KeptZ80rBlock().begin(), editor.KeptZ80rBlock().end()), Bytes(z80r, z80r + 45));
  EXPECT_EQ(Bytes(editor.KeptSpcrBlock().begin(), editor.KeptSpcrBlock().end()), Bytes(z80r + 45, z80r + 61));

  // A later .sna clears the flag; the kept blocks stay until the next .szx.
  LoadFile("kestrova.sna", BytesOf(snapshot));
  EXPECT_FALSE(editor.Place().loadedFromSzx);
  EXPECT_EQ(Bytes(editor.KeptZ80rBlock().begin(), editor.KeptZ80rBlock().end()), Bytes(z80r, z80r + 45));
}

TEST_F(EditorLoad, ASzxIsReadOverTheImageHeld) {
  SnapshotImage first = Snapshot();
  first.Write(0xA000, 0x99);
  LoadFile("first.sna", BytesOf(first));
  // Only pages 5 and 0, from a snapshot whose level area differs.
  SnapshotImage second = Snapshot(DemoMachine::Spectrum48K, 0x5A);
  second.Write(0xC100, 0x77);
  const Bytes all = BuildSzxFile(second, std::nullopt);
  std::vector<Bytes> blocks;
  for (std::size_t offset = 8; offset < all.size();) {
    const std::size_t size = all[offset + 4] | all[offset + 5] << 8 | all[offset + 6] << 16;
    const Bytes block(all.begin() + static_cast<std::ptrdiff_t>(offset),
                      all.begin() + static_cast<std::ptrdiff_t>(offset + 8 + size));
    if (!(block[0] == 'R' && block[10] == 2)) blocks.push_back(block);
    offset += 8 + size;
  }
  LoadFile("second.szx", testing::SzxFile(1, blocks));
  EXPECT_TRUE(ui.Messages().empty());
  EXPECT_EQ(editor.Image().Read(0xA000), 0x99) << "page 2 kept from the first snapshot";
  EXPECT_EQ(editor.Image().Read(0xC100), 0x77);
  EXPECT_EQ(editor.SavedScreen()[0], 0x5A);
}

TEST_F(EditorLoad, ASecondLoadShowsLevelOneFromItsStart) {
  LoadFile("a.sna", BytesOf(Snapshot()));
  // Level 2 chosen and scrolled.
  editor.ChooseLevel(1);
  editor.TurnWheel(1, true, 25);
  ASSERT_EQ(editor.Place().currentLevelIndex, 1);
  ASSERT_EQ(editor.Place().scrollOffset, 250);
  LoadFile("b.sna", BytesOf(Snapshot()));
  EXPECT_EQ(editor.Place().levelStart, 0x9236u);
  EXPECT_EQ(editor.Place().levelEnd, 0x923Au);
  EXPECT_EQ(editor.Place().scrollOffset, 0);
  EXPECT_EQ(editor.Place().currentLevelIndex, 0);
  EXPECT_EQ(editor.View().chooserIndex, 0);
  EXPECT_EQ(editor.View().scrollPosition, editor.View().scrollMaximum);
}

TEST_F(EditorLoad, OtherExtensionsReadNothing) {
  files.unreadable.insert("game.txt");  // a read would show an error
  Load("game.txt");
  EXPECT_FALSE(editor.HasSnapshot());
  EXPECT_TRUE(editor.View().visible.titlePicture);
  EXPECT_TRUE(ui.Messages().empty());
}

TEST_F(EditorLoad, AStartArgumentTheLoadWouldPassOverIsRefusedAloud) {
  files.files["game.txt"] = BytesOf(Snapshot());
  editor.OpenAtStart("game.txt");
  EXPECT_FALSE(editor.HasSnapshot());
  ASSERT_EQ(ui.Messages().size(), 1u);
  EXPECT_EQ(ui.Messages()[0].title, "Error Loading Kestrova Snapshot");
  EXPECT_NE(ui.Messages()[0].text.find("game.txt"), std::string::npos);

  files.files["game.sna"] = BytesOf(Snapshot());
  editor.OpenAtStart("game.sna");
  EXPECT_TRUE(editor.HasSnapshot());
  EXPECT_EQ(ui.Messages().size(), 1u);
}

// The file exists under that very name, so only the refusal keeps it from
// being read.
TEST_F(EditorLoad, AStartArgumentThatIsNotUtf8IsRefusedWithTheNameEscaped) {
  const std::string name = "o\xffx.sna";
  files.files[name] = BytesOf(Snapshot());
  editor.OpenAtStart(name);
  EXPECT_FALSE(editor.HasSnapshot());
  ASSERT_EQ(ui.Messages().size(), 1u);
  EXPECT_EQ(ui.Messages()[0].title, "Error Loading Kestrova Snapshot");
  EXPECT_EQ(ui.Messages()[0].icon, MessageIcon::Error);
  EXPECT_EQ(ui.Messages()[0].text,
            "Could not read the snapshot \"o\\xFFx.sna\": the name is not valid UTF-8; rename the file.");
}

TEST_F(EditorLoad, OtherExtensionsSetTheEditorUpAgainFromTheImageHeld) {
  const SnapshotImage snapshot = Snapshot();
  LoadFile("a.sna", BytesOf(snapshot));
  editor.TurnWheel(1, true, 25);  // 250 rows into level 1
  editor.View().chooserIndex = 1;
  files.unreadable.insert("a.tap");
  Load("a.tap");
  EXPECT_TRUE(ui.Messages().empty());
  EXPECT_EQ(editor.Place().scrollOffset, 0);
  EXPECT_EQ(editor.View().chooserIndex, 0);
  // The screen area holds the map now; the snapshot's own screen is kept.
  EXPECT_EQ(Bytes(editor.SavedScreen().begin(), editor.SavedScreen().end()), ScreenOf(snapshot));
}

struct Refusal {
  const char* path;
  Bytes content;  // empty: the file cannot be read
  const char* text;
  const char* title;
};

Bytes WithoutMarker(SnapshotImage image) {
  image.Write(0x9240, 0x00);
  return BytesOf(image);
}

TEST_F(EditorLoad, RefusedFilesChangeNothing) {
  Bytes unrecognised = BytesOf(Snapshot());
  unrecognised[ImageOffsetOf(0x751D)] = 0;
  unrecognised[ImageOffsetOf(0x7A93)] = 0;
  Bytes shortSna = BytesOf(Snapshot());
  shortSna.pop_back();
  Bytes cutSzx = BuildSzxFile(Snapshot(), std::nullopt);
  cutSzx.resize(cutSzx.size() - 1);  // the last page runs past the end, after Z80R and SPCR arrived
  SnapshotImage noMarker = Snapshot();
  noMarker.Write(0x9240, 0x00);

  const Refusal cases[] = {
      {"plain.sna", unrecognised, "Not a Kestrova Snapshot!", "Invalid Kestrova Snapshot"},
      {"short.SNA", shortSna, "Not a Kestrova Snapshot!", "Invalid Kestrova Snapshot"},
      {"nomarker.sna", WithoutMarker(Snapshot()), "No end-of-levels marker in the level data.",
       "Invalid Kestrova Snapshot"},
      {"nomarker.szx", BuildSzxFile(noMarker, std::nullopt), "No end-of-levels marker in the level data.",
       "Invalid Kestrova Snapshot"},
      {"cut.SZX", cutSzx, "Load Error\nthe \"RAMP\" block of page 0 at byte ", "Error Loading Kestrova Snapshot"},
      {"cut.sna", cutSzx, "Load Error\nthe \"RAMP\" block of page 0 at byte ", "Error Loading Kestrova Snapshot"},
  };

  // Held: a .szx, so that the flag and the kept blocks are set.
  SnapshotImage held = Snapshot(DemoMachine::Spectrum48K, 0x3C);
  held.WriteOffsetWord(kHeaderAF, 0xA1F1);
  LoadFile("held.szx", BuildSzxFile(held, std::nullopt));
  ASSERT_TRUE(ui.Messages().empty());
  editor.TurnWheel(1, true, 10);  // 100 rows into the level
  const Bytes image = BytesOf(editor.Image());
  const ScreenBytes saved = editor.SavedScreen();
  const KeptSzxBlocks kept = editor.KeptSzx();
  const EditorState state = editor.State();
  const ViewState view = editor.View();

  auto expectUnchanged = [&](const std::string& name) {
    EXPECT_EQ(BytesOf(editor.Image()), image) << name;
    EXPECT_EQ(editor.SavedScreen(), saved) << name;
    EXPECT_EQ(editor.KeptSzx().z80r, kept.z80r) << name;
    EXPECT_EQ(editor.KeptSzx().spcr, kept.spcr) << name;
    EXPECT_EQ(editor.Place().loadedFromSzx, state.place.loadedFromSzx) << name;
    EXPECT_EQ(editor.Place().snapshotSize, state.place.snapshotSize) << name;
    EXPECT_EQ(editor.Place().bytesFree, state.place.bytesFree) << name;
    EXPECT_EQ(editor.Place().scrollOffset, 100) << name;
    EXPECT_EQ(editor.View().chooserEntries, view.chooserEntries) << name;
    EXPECT_EQ(editor.View().bytesFreeCaption, view.bytesFreeCaption) << name;
  };

  for (const Refusal& c : cases) {
    ui.questions.clear();
    LoadFile(c.path, c.content);
    const auto messages = ui.Messages();
    ASSERT_EQ(messages.size(), 1u) << c.path;
    // The described text first; a reason may follow on the next lines.
    EXPECT_EQ(messages[0].text.substr(0, std::string(c.text).size()), c.text) << messages[0].text;
    EXPECT_EQ(messages[0].title, c.title) << c.path;
    EXPECT_EQ(messages[0].icon, MessageIcon::Error) << c.path;
    expectUnchanged(c.path);
  }

  for (const char* path : {"locked.sna", "missing.szx"}) {
    ui.questions.clear();
    if (std::string(path) == "locked.sna") {
      files.files[path] = BytesOf(Snapshot());
      files.unreadable.insert(path);
    }
    Load(path);
    const auto messages = ui.Messages();
    ASSERT_EQ(messages.size(), 1u) << path;
    EXPECT_NE(messages[0].text.find(path), std::string::npos) << messages[0].text;
    EXPECT_NE(messages[0].text.find(std::string(path) == "locked.sna" ? "Permission denied" : "No such file"),
              std::string::npos)
        << messages[0].text;
    EXPECT_EQ(messages[0].title, "Error Loading Kestrova Snapshot");
    EXPECT_EQ(messages[0].icon, MessageIcon::Error);
    expectUnchanged(path);
  }
}

TEST_F(EditorLoad, AFileIsReadAsWhatItHoldsWithANoteWhenItsNameSaysOtherwise) {
  const SnapshotImage game = Snapshot();
  struct Case {
    const char* path;
    Bytes content;
    bool fromSzx;
    const char* note;
  };
  const Case cases[] = {
      {"szx-inside.sna", BuildSzxFile(game, std::nullopt), true,
       "\"szx-inside.sna\" holds a .szx snapshot, so it was read as one."},
      {"sna-inside.SZX", BytesOf(game), false, "\"sna-inside.SZX\" holds a .sna snapshot, so it was read as one."},
      {"plain.szx", BuildSzxFile(game, std::nullopt), true, nullptr},
  };
  for (const Case& c : cases) {
    ui.questions.clear();
    LoadFile(c.path, c.content);
    ASSERT_TRUE(editor.HasSnapshot()) << c.path;
    EXPECT_EQ(editor.Place().loadedFromSzx, c.fromSzx) << c.path;
    EXPECT_EQ(OutsideTheScreen(editor.Image().Bytes()), OutsideTheScreen(game.Bytes())) << c.path;
    EXPECT_EQ(editor.SnapshotPath(), c.path);
    const auto messages = ui.Messages();
    if (c.note == nullptr) {
      EXPECT_TRUE(messages.empty()) << c.path;
      continue;
    }
    ASSERT_EQ(messages.size(), 1u) << c.path;
    EXPECT_EQ(messages[0].text, c.note);
    EXPECT_EQ(messages[0].icon, MessageIcon::Information);
  }
}

TEST_F(EditorLoad, ARefusalBeforeAnyLoadLeavesTheTitleScreen) {
  LoadFile("plain.szx", Bytes{'Z', 'X', 'S', 'T', 1, 4, 1, 0, 'R', 'A', 'M', 'P', 2, 0, 0, 0, 0, 0});
  ASSERT_EQ(ui.Messages().size(), 1u);
  EXPECT_FALSE(editor.HasSnapshot());
  EXPECT_TRUE(editor.View().visible.titlePicture);
  EXPECT_EQ(editor.View().windowWidth, 506);
}

}  // namespace
}  // namespace kestrova

namespace kestrova {
namespace {

// The formats port as a fake: the content it says a file holds and what a
// read of it gives.
class FakeFormats : public SnapshotFormats {
 public:
  std::string content;
  Result<SnapshotImage> read = Error{"unused"};
  std::string Identify(std::span<const std::uint8_t>, const std::string&) override { return content; }
  Result<SnapshotImage> Read(std::span<const std::uint8_t>, const std::string&) override { return read; }
  Result<std::vector<std::uint8_t>> Write(const SnapshotImage&, const std::string&) override { return Error{"unused"}; }
};

// Other formats go through the port, and are held to the same refusals as
// ours: without the port, unknown to it, refused by it, or not the game.
TEST_F(EditorLoad, OtherFormatsAreReadThroughThePortAndRefusedAsOurOwn) {
  FakeFormats formats;
  SnapshotImage stranger = Snapshot();
  stranger.Write(kRecognitionAddress, 0);
  stranger.Write(kAlternateRecognitionAddress, 0);
  struct Case {
    bool port;
    const char* content;
    Result<SnapshotImage> read;
    const char* refusal;  // nullptr: read
  };
  const Case cases[] = {
      {false, ".z80", Snapshot(), "cannot be read: this build reads .sna and .szx snapshots only."},
      {true, "", Snapshot(), "The file holds no snapshot libspectrum knows."},
      {true, ".z80", Error{"The snapshot is of a Spectrum +3"}, "The snapshot is of a Spectrum +3"},
      {true, ".z80", stranger, "Not a Kestrova Snapshot!"},
      {true, ".z80", Snapshot(DemoMachine::Spectrum128K), nullptr},
  };
  for (const Case& c : cases) {
    Editor fresh{ui, files};
    if (c.port) fresh.UseSnapshotFormats(formats);
    formats.content = c.content;
    formats.read = c.read;
    ui.questions.clear();
    files.files["game.z80"] = {1, 2, 3};
    fresh.LoadSnapshotFile("game.z80");
    EXPECT_EQ(fresh.HasSnapshot(), c.refusal == nullptr) << c.content;
    if (c.refusal == nullptr) {
      EXPECT_TRUE(ui.Messages().empty());
      EXPECT_EQ(fresh.Image().Size(), kSnapshotSize128K);
      EXPECT_EQ(fresh.SnapshotFormat(), SnapshotFileKind::Z80);
      EXPECT_EQ(fresh.LoadedFormat(), "z80");
      continue;
    }
    ASSERT_EQ(ui.Messages().size(), 1u) << c.refusal;
    EXPECT_NE(ui.Messages()[0].text.find(c.refusal), std::string::npos) << ui.Messages()[0].text;
  }
}

// A .sna inside another name is read by our own reader, with the note.
TEST_F(EditorLoad, ASnaUnderAnotherSnapshotNameIsReadAsOurOwnWithANote) {
  FakeFormats formats;
  formats.content = ".sna";
  editor.UseSnapshotFormats(formats);
  LoadFile("game.sp", BytesOf(Snapshot()));
  ASSERT_TRUE(editor.HasSnapshot());
  EXPECT_EQ(editor.SnapshotFormat(), SnapshotFileKind::Sna);
  ASSERT_EQ(ui.Messages().size(), 1u);
  EXPECT_EQ(ui.Messages()[0].text, "\"game.sp\" holds a .sna snapshot, so it was read as one.");
}

}  // namespace
}  // namespace kestrova
