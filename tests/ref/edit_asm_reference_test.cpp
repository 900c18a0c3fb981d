// The assembler listing of the demo after a scripted run of edits through the
// Editor, assembled by pasmo, gives back the edited image's bytes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "level/game_settings.h"
#include "snapshot/check_table.h"
#include "support/edit_fixture.h"
#include "support/ref_shell.h"

namespace kestrova {
namespace {

using testing::EditFixture;
using Bytes = std::vector<std::uint8_t>;

const std::string kDemo = KESTROVA_DEMO_DIR "/kestrova-demo.sna";

class EditedDemo {
 public:
  EditFixture f;
  Editor& editor = f.editor;

  void Load() {
    f.files.files[EditFixture::kPath] = testing::ReadWholeFile(kDemo);
    f.ui.fileAnswers.push_back(EditFixture::kPath);
    editor.LoadSnapshot();
  }

  // Right-presses the first drawn cell that shows `tile` (for tile 0: bare
  // ground inside a band) and runs the item at `path` of its popup.
  bool Run(std::uint32_t tile, const std::vector<std::string>& path) {
    for (int y = 383; y >= 0; y -= 2) {
      for (int x = 0; x < 512; x += 16) {
        const std::uint32_t cell =
            editor.Tables().rowStart[static_cast<std::size_t>(y / 2)] + static_cast<std::uint32_t>(x / 16);
        if (editor.Grid().tileId[cell] != tile || editor.Grid().ownerPos[cell] == 0) continue;
        editor.MovePointerOverMap(x, y);
        editor.PressMap(MouseButton::Right, x, y);
        const std::vector<MenuItem>* items = &editor.Popup();
        const MenuItem* item = nullptr;
        for (const std::string& caption : path) {
          item = nullptr;
          for (const MenuItem& candidate : *items)
            if (candidate.caption == caption) item = &candidate;
          if (item == nullptr) return false;
          items = &item->children;
        }
        if (!item->enabled) return false;
        const MenuItem chosen = *item;
        editor.RunMenuCommand(chosen);
        return true;
      }
    }
    return false;
  }
};

TEST(EditAsmReference, PasmoAssemblesTheEditedLevelsAndSettings) {
  EditedDemo demo;
  demo.Load();
  ASSERT_TRUE(demo.editor.HasSnapshot());
  const Bytes original(demo.editor.Image().Bytes().begin(), demo.editor.Image().Bytes().end());
  Editor& editor = demo.editor;
  auto& ui = demo.f.ui;

  // Level 1: inserts of single records and of every kind of group.
  ASSERT_TRUE(demo.Run(0, {"Insert", "Tree"}));
  ui.inputAnswers = {"0", "9"};
  ASSERT_TRUE(demo.Run(131, {"Change Column"}));
  ASSERT_TRUE(demo.Run(131, {"Attribute", "Ink", "Red"}));
  ASSERT_TRUE(demo.Run(0, {"Insert", "Log Crossing", "Log Crossing Left"}));
  ASSERT_TRUE(demo.Run(0, {"Insert", "Tunnel", "Tunnel with Motorbike"}));
  ASSERT_TRUE(demo.Run(0, {"Insert", "Road", "Full Road"}));
  ASSERT_TRUE(demo.Run(0, {"Insert", "Cave", "Cave Main", "Cave Main With Space"}));
  ui.inputAnswers = {"300", "12"};
  ASSERT_TRUE(demo.Run(0, {"Insert", "Land Space"}));
  ui.inputAnswers = {"7"};
  ASSERT_TRUE(demo.Run(0, {"Insert", "Rocket Launcher", "Rocket Launcher Attack"}));
  ASSERT_TRUE(
      demo.Run(0, {"Insert", "Cliff", "Cliff Edge", "Double Cliff", "Right Edge", "Right Edge with Jumping Soldiers"}));
  ui.inputAnswers = {"40"};
  ASSERT_TRUE(demo.Run(0, {"Change Distance"}));
  ASSERT_TRUE(demo.Run(152, {"Delete River Crossing"}));
  ASSERT_TRUE(demo.Run(0, {"Insert", "Fortress", "Gate Top Soldiers"}));
  // Level 2 emptied of its objects, the level after level 4 and on cut.
  editor.ChooseLevel(1);
  editor.WipeLevels();
  editor.ChooseLevel(3);
  ASSERT_TRUE(demo.Run(0, {"Delete Land Space"}));
  editor.ClickWipeAllAfter();
  ASSERT_TRUE(editor.View().wipeButtonEnabled);
  editor.WipeLevels();
  // Settings.
  ui.inputAnswers = {"7", "20"};
  editor.Spawn();
  ui.inputAnswers = {"5"};
  editor.Lives();
  ui.inputAnswers = {"99"};
  editor.Delay();
  editor.ClickFortressByte(3);

  const Bytes edited(editor.Image().Bytes().begin(), editor.Image().Bytes().end());
  ASSERT_NE(Bytes(edited.begin() + ImageOffsetOf(0x9236), edited.begin() + ImageOffsetOf(0x98CF)),
            Bytes(original.begin() + ImageOffsetOf(0x9236), original.begin() + ImageOffsetOf(0x98CF)));

  testing::TemporaryFolder folder;
  ui.fileAnswers.push_back((folder / "edited").string());
  editor.SaveDisassembly();
  const std::string written = (folder / "edited").string() + ".asm";
  ASSERT_EQ(demo.f.files.files.count(written), 1u) << "no listing written";
  testing::WriteWholeFile(folder / "edited.asm", demo.f.files.files[written]);
  const testing::ShellOutcome pasmo =
      testing::RunShell("pasmo --bin " + testing::ShellQuoted((folder / "edited.asm").string()) + " " +
                        testing::ShellQuoted((folder / "edited.bin").string()));
  ASSERT_EQ(pasmo.status, 0) << pasmo.output;
  const Bytes assembled = testing::ReadWholeFile(folder / "edited.bin");

  // pasmo writes from the lowest address listed (the lives byte) to the highest.
  const std::uint32_t base = kStartingLives;
  ASSERT_EQ(assembled.size(), 0xFAFFu - base + 1);
  const SnapshotImage& image = editor.Image();
  const auto at = [&](std::uint32_t address) { return assembled[address - base]; };
  for (std::uint32_t address : {kFortressByte, kStartColumn, kPixelsDown, kStartingLives, kEnemyDelay}) {
    EXPECT_EQ(at(address), image.Read(address)) << std::hex << address;
  }
  EXPECT_EQ(at(kStartColumn), 7);
  EXPECT_EQ(at(kPixelsDown), 20);
  EXPECT_EQ(at(kStartingLives), 5);
  EXPECT_EQ(at(kEnemyDelay), 99);
  EXPECT_EQ(at(kFortressByte), 3);
  for (std::uint32_t address = kLevelAreaStart; address <= kLevelAreaLast; ++address) {
    ASSERT_EQ(at(address), image.Read(address)) << std::hex << address;
  }
  for (std::uint32_t address = 0xFA00; address <= 0xFAFF; ++address) {
    ASSERT_EQ(at(address), image.Read(address)) << std::hex << address;
  }
}

}  // namespace
}  // namespace kestrova
