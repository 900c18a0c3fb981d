#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "level/game_settings.h"
#include "support/edit_fixture.h"

namespace kestrova {
namespace {

using testing::EditFixture;

class SettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    f.LoadStream({0x83, 0x05, 0x22, 0x01, 0x87, 0x03, 0x22, 0x01, 0xFF});
    f.editor.Image().Write(kStartColumn, 12);
    f.editor.Image().Write(kPixelsDown, 40);
    f.editor.Image().Write(kStartingLives, 3);
    f.editor.Image().Write(kEnemyDelay, 77);
    // A cell no refresh would leave standing: the settings do not redraw.
    f.PutTile(0, 0, 131, 0x9236);
  }
  void ExpectNoRedraw() { EXPECT_EQ(f.editor.Grid().tileId[0], 131u); }
  EditFixture f;
};

TEST_F(SettingsTest, SpawnAsksColumnThenHeight) {
  f.ui.inputAnswers = {"30", "  ", " 5 ", "0", "86", "85"};
  f.editor.Spawn();
  EXPECT_EQ(f.At(kStartColumn), 5);
  EXPECT_EQ(f.At(kPixelsDown), 85);
  const auto inputs = f.ui.Inputs();
  ASSERT_EQ(inputs.size(), 6u);
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(inputs[i].title, "Column");
    EXPECT_EQ(inputs[i].text, "Enter New Start Column (0-29)");
    EXPECT_EQ(inputs[i].defaultText, "12");
  }
  for (std::size_t i = 3; i < 6; ++i) {
    EXPECT_EQ(inputs[i].title, "Height");
    EXPECT_EQ(inputs[i].text, "Enter Pixels down (1-85)");
    EXPECT_EQ(inputs[i].defaultText, "40");
  }
  ExpectNoRedraw();
}

TEST(SpawnPrompt, TheColumnIsWrittenBeforeTheHeightIsAsked) {
  testing::PeekingUi ui;
  testing::MemoryFiles files;
  Editor editor(ui, files);
  editor.Image() = SnapshotImage(std::vector<std::uint8_t>(kSnapshotSize48K, 0));
  int columnWhenAskedForHeight = -1;
  ui.onInput = [&](const std::string& title) {
    if (title == "Height") columnWhenAskedForHeight = editor.Image().Read(kStartColumn);
  };
  ui.inputAnswers = {"17", "3"};
  editor.Spawn();
  EXPECT_EQ(columnWhenAskedForHeight, 17);
  EXPECT_EQ(editor.Image().Read(kPixelsDown), 3);
}

TEST_F(SettingsTest, LivesWritesTheCountAndBothDigits) {
  f.ui.inputAnswers = {"9", "10", "8"};
  f.editor.Lives();
  EXPECT_EQ(f.At(kStartingLives), 0x08);
  EXPECT_EQ(f.At(kLivesDigit), 0x38);
  EXPECT_EQ(f.At(kBombsDigit), 0x39);
  const auto inputs = f.ui.Inputs();
  ASSERT_EQ(inputs.size(), 3u);
  EXPECT_EQ(inputs[0].title, "Lives");
  EXPECT_EQ(inputs[0].text, "Enter amount of lives to start with (1-8)\rNote: Starting bombs:=Lives+1");
  EXPECT_EQ(inputs[0].defaultText, "3");
  f.ui.inputAnswers = {"1"};
  f.editor.Lives();
  EXPECT_EQ(f.At(kStartingLives), 0x01);
  EXPECT_EQ(f.At(kLivesDigit), 0x31);
  EXPECT_EQ(f.At(kBombsDigit), 0x32);
  ExpectNoRedraw();
}

TEST_F(SettingsTest, DelayRefusesFourCharactersAndCancelKeepsTheValue) {
  f.ui.inputAnswers = {"1000", "0", std::nullopt};
  f.editor.Delay();
  EXPECT_EQ(f.At(kEnemyDelay), 77);
  const auto inputs = f.ui.Inputs();
  ASSERT_EQ(inputs.size(), 3u);
  EXPECT_EQ(inputs[0].title, "Enemy Delay");
  EXPECT_EQ(inputs[0].text, "Enter time until first enemy appears (1-255)");
  EXPECT_EQ(inputs[0].defaultText, "77");
  f.ui.inputAnswers = {"255"};
  f.editor.Delay();
  EXPECT_EQ(f.At(kEnemyDelay), 255);
  ExpectNoRedraw();
}

TEST_F(SettingsTest, FortressUpDownWritesTheByteAndRebuildsTheLabel) {
  f.editor.ClickFortressByte(1);
  EXPECT_EQ(f.At(kFortressByte), 1);
  EXPECT_EQ(f.editor.View().fortressByte, 1);
  EXPECT_EQ(f.editor.View().fortressCaption, "Fortress Byte: 1 (levels 2)");
  EXPECT_EQ(f.editor.View().fortressHint, "Fortress Byte: 1 (levels 2)");
  f.editor.ClickFortressByte(0);
  EXPECT_EQ(f.editor.View().fortressCaption, "Fortress Byte: 0 (levels ALL)");
  f.editor.ClickFortressByte(16);  // outside the up-down's range
  EXPECT_EQ(f.At(kFortressByte), 0);
  ExpectNoRedraw();
}

}  // namespace
}  // namespace kestrova
